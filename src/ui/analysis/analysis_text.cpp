// The comparison window's number texts.
#include "ui/analysis/analysis_text.h"

#include "engine/analysis/report_text.h"
#include "ui/toolkit/qt/qt_text.h"
#include "ui/toolkit/qt/report_table_model.h"

namespace nv::ui {

QLocale displayLocale() {
    QLocale locale = QLocale::system();
    locale.setNumberOptions(locale.numberOptions() &
                            ~QLocale::NumberOptions(QLocale::OmitGroupSeparator));
    return locale;
}

QString moneyText(double amount, int decimals) {
    ReportTextStyle style = windowTextStyle();
    style.moneyDecimals = decimals;
    return toQString(reportText(reportNumber(amount), ReportKind::Money, style));
}

QString moneyText(const ExactDecimal &amount, int decimals) {
    ReportTextStyle style = windowTextStyle();
    style.moneyDecimals = decimals;
    return toQString(reportText(amount, ReportKind::Money, style));
}

QString countText(std::int64_t count) {
    return toQString(reportText(count, ReportKind::Count, windowTextStyle()));
}

}  // namespace nv::ui
