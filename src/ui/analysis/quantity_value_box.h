// The Order Quantity page's what-if value: a dollar spin box that tells about
// a number typed outside its range instead of dropping the keys that make it.
//
// A plain QDoubleSpinBox refuses each key that would take the text out of
// range, so 99999999 becomes $9 and -5 becomes $5 without a word. Here such a
// number can be typed in full; Enter leaves it in the box, unapplied, and
// emits refused(number) for the page to explain; leaving the box emits it too
// and puts the last value back. Enter with a number in range applies it, and
// the key ends there: it never reaches a button of the window.
//
//     auto *box = new nv::ui::QuantityValueBox(parent);
//     box->setRange(0.01, 9.20);
//     connect(box, &QuantityValueBox::refused, page, [](double typed) { ... });
#pragma once

#include <QDoubleSpinBox>
#include <optional>

namespace nv::ui {

class QuantityValueBox final : public QDoubleSpinBox {
    Q_OBJECT

public:
    explicit QuantityValueBox(QWidget *parent = nullptr);

    // The number the box holds when it is one outside the range; nullopt for
    // an accepted value, a partial one ("-", "") or none.
    [[nodiscard]] std::optional<double> outOfRange() const;

    QValidator::State validate(QString &text, int &pos) const override;

signals:
    void refused(double typed);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    [[nodiscard]] QString numberPart(const QString &text) const;
    [[nodiscard]] std::optional<double> typedNumber(const QString &text) const;
};

}  // namespace nv::ui
