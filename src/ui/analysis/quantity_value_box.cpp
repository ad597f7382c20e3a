// The what-if value box: numbers out of range reach the page as refusals.
#include "ui/analysis/quantity_value_box.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <cmath>

namespace nv::ui {

QuantityValueBox::QuantityValueBox(QWidget *parent) : QDoubleSpinBox(parent) {}

QString QuantityValueBox::numberPart(const QString &text) const {
    QString number = text.trimmed();
    if (number.startsWith(prefix())) {
        number = number.mid(prefix().size()).trimmed();
    }
    // A typographic minus reads as the keyboard's.
    return number.replace(QChar(0x2212), QLatin1Char('-'));
}

std::optional<double> QuantityValueBox::typedNumber(const QString &text) const {
    const QString digits = numberPart(text).remove(locale().groupSeparator());
    bool ok = false;
    const double number = locale().toDouble(digits, &ok);
    return ok && std::isfinite(number) ? std::optional<double>(number) : std::nullopt;
}

std::optional<double> QuantityValueBox::outOfRange() const {
    const std::optional<double> number = typedNumber(lineEdit()->text());
    if (number && (*number < minimum() || *number > maximum())) {
        return number;
    }
    return std::nullopt;
}

QValidator::State QuantityValueBox::validate(QString &text, int &pos) const {
    const QValidator::State state = QDoubleSpinBox::validate(text, pos);
    if (state != QValidator::Invalid) {
        return state;
    }
    // Let a number out of range, or the sign that starts one, be typed; the
    // page refuses it when it is applied.
    const QString rest = numberPart(text);
    if (rest == QStringLiteral("-") || rest == locale().negativeSign()) {
        return QValidator::Intermediate;
    }
    const std::optional<double> number = typedNumber(text);
    return number && (*number < minimum() || *number > maximum()) ? QValidator::Intermediate
                                                                  : QValidator::Invalid;
}

void QuantityValueBox::keyPressEvent(QKeyEvent *event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QDoubleSpinBox::keyPressEvent(event);
        return;
    }
    if (const std::optional<double> typed = outOfRange()) {
        selectAll();
        emit refused(*typed);
    } else {
        QDoubleSpinBox::keyPressEvent(event);
    }
    // Enter applies this box and nothing else.
    event->accept();
}

void QuantityValueBox::focusOutEvent(QFocusEvent *event) {
    const std::optional<double> typed = outOfRange();
    QDoubleSpinBox::focusOutEvent(event);  // puts the last value back
    if (typed) {
        emit refused(*typed);
    }
}

}  // namespace nv::ui
