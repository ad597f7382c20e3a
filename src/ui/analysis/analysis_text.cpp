// The comparison window's number texts.
#include "ui/analysis/analysis_text.h"

#include <QCoreApplication>
#include <cmath>

namespace nv::ui {

QLocale displayLocale() {
    QLocale locale = QLocale::system();
    locale.setNumberOptions(locale.numberOptions() &
                            ~QLocale::NumberOptions(QLocale::OmitGroupSeparator));
    return locale;
}

QString moneyText(double amount, int decimals, const QLocale &locale) {
    const QString digits = locale.toString(std::fabs(amount), 'f', decimals);
    // -0.001 shows as "$0.00", not "-$0.00".
    const bool negative = amount < 0 && std::round(-amount * std::pow(10.0, decimals)) != 0.0;
    return (negative ? locale.negativeSign() : QString()) + QLatin1Char('$') + digits;
}

QString unitsText(double units, const QLocale &locale) {
    return locale.toString(units, 'f', 2);
}

QString shareText(double share, const QLocale &locale) {
    return locale.toString(share * 100.0, 'f', 1) + locale.percent();
}

QString intervalText(const Interval &interval, const QLocale &locale, int decimals) {
    return QCoreApplication::translate("nv::ui", "%1 to %2")
        .arg(moneyText(interval.low, decimals, locale), moneyText(interval.high, decimals, locale));
}

QString countText(std::int64_t count, const QLocale &locale) {
    return locale.toString(static_cast<qlonglong>(count));
}

}  // namespace nv::ui
