// The days box: numbers out of range reach the page as refusals.
#include "ui/analysis/worksheet_days_box.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace nv::ui {

namespace {

// More digits than this are no number of days anyone means.
constexpr qsizetype kMaxDigits = 18;

}  // namespace

WorksheetDaysBox::WorksheetDaysBox(QWidget *parent) : QSpinBox(parent) {
    setKeyboardTracking(false);
}

std::optional<qlonglong> WorksheetDaysBox::typedNumber(const QString &text) const {
    QString digits = text.trimmed();
    digits.remove(locale().groupSeparator());
    if (digits.isEmpty() || digits.size() > kMaxDigits) {
        return std::nullopt;
    }
    for (const QChar c : digits) {
        if (!c.isDigit()) {
            return std::nullopt;
        }
    }
    bool ok = false;
    const qlonglong number = locale().toLongLong(digits, &ok);
    return ok ? std::optional<qlonglong>(number) : std::nullopt;
}

std::optional<qlonglong> WorksheetDaysBox::outOfRange() const {
    const std::optional<qlonglong> number = typedNumber(lineEdit()->text());
    if (number && (*number < minimum() || *number > maximum())) {
        return number;
    }
    return std::nullopt;
}

QValidator::State WorksheetDaysBox::validate(QString &text, int &pos) const {
    const QValidator::State state = QSpinBox::validate(text, pos);
    if (state != QValidator::Invalid) {
        return state;
    }
    // Let a number out of range be typed; the page refuses it when it is
    // applied.
    const std::optional<qlonglong> number = typedNumber(text);
    return number && (*number < minimum() || *number > maximum()) ? QValidator::Intermediate
                                                                  : QValidator::Invalid;
}

void WorksheetDaysBox::keyPressEvent(QKeyEvent *event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QSpinBox::keyPressEvent(event);
        return;
    }
    if (const std::optional<qlonglong> typed = outOfRange()) {
        selectAll();
        emit refused(*typed);
    } else {
        QSpinBox::keyPressEvent(event);
    }
    // Enter applies this box and nothing else.
    event->accept();
}

void WorksheetDaysBox::focusOutEvent(QFocusEvent *event) {
    const std::optional<qlonglong> typed = outOfRange();
    QSpinBox::focusOutEvent(event);  // puts the last value back
    if (typed && event->reason() != Qt::PopupFocusReason) {
        emit refused(*typed);
    }
}

}  // namespace nv::ui
