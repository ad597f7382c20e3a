#include "ui/toolkit/qt/system_locale.h"

#include <QLocale>
#include <QString>

namespace nv::ui {

NumberLocale systemNumberLocale() {
    const QLocale locale = QLocale::system();
    NumberLocale result;
    // QLocale gives the C locale's separators as "," and "." as well.
    const QString group = locale.groupSeparator();
    const QString decimal = locale.decimalPoint();
    if (!group.isEmpty()) {
        result.groupSeparator = group.toStdString();
    }
    if (!decimal.isEmpty()) {
        result.decimalSeparator = decimal.toStdString();
    }
    return result;
}

}  // namespace nv::ui
