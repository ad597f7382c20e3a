// The About box.
#include "ui/help/about_box.h"

#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <QtGlobal>

#include "support/build_info.h"
#include "ui/toolkit/qt/qt_text.h"

namespace nv::ui {

QString aboutHeading() {
    return toQString(kProgramName) + QLatin1Char(' ') + toQString(kProgramVersion);
}

QString aboutDetails() {
    return QMessageBox::tr("%1.\n\nLicence: %2\n\nQt %3 (built with Qt %4)")
        .arg(toQString(kProgramDescription), toQString(kProgramLicence),
             QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR));
}

void showAboutBox(QWidget *parent) {
    const QString title = QMessageBox::tr("About %1").arg(toQString(kProgramName));
    QMessageBox box(QMessageBox::Information, title, aboutHeading(), QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("dlgAbout"));
    box.setAccessibleName(title);
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(aboutDetails());
    // The program's icon when the application has one.
    if (const QIcon icon = QGuiApplication::windowIcon(); !icon.isNull()) {
        box.setIconPixmap(icon.pixmap(64, 64));
    }
    box.exec();
}

}  // namespace nv::ui
