// The Worksheet page's days: a spin box that tells about a number typed
// outside its range instead of dropping the keys that make it.
//
// A plain QSpinBox refuses each key that would take the text out of range,
// so 5000 becomes 500 without a word. Here such a number can be typed in
// full; Enter leaves it in the box, unapplied, and emits refused(number) for
// the page to explain; leaving the box emits it too and puts the last value
// back. Enter with a number in range applies it (valueChanged), and the key
// ends there: it never reaches a button of the window. The value changes only
// when it is applied, never key by key.
//
//     auto *days = new nv::ui::WorksheetDaysBox(parent);
//     days->setRange(1, 1000);
//     connect(days, &WorksheetDaysBox::refused, page, [](qlonglong typed) { ... });
#pragma once

#include <QSpinBox>
#include <optional>

namespace nv::ui {

class WorksheetDaysBox final : public QSpinBox {
    Q_OBJECT

public:
    explicit WorksheetDaysBox(QWidget *parent = nullptr);

    // The whole number the box holds when it is one outside the range;
    // nullopt for an accepted value, a partial one or none.
    [[nodiscard]] std::optional<qlonglong> outOfRange() const;

    QValidator::State validate(QString &text, int &pos) const override;

signals:
    void refused(qlonglong typed);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    [[nodiscard]] std::optional<qlonglong> typedNumber(const QString &text) const;
};

}  // namespace nv::ui
