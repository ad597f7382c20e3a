// Start-up: the windows, frmMain's load event, the event loop, and the end.
#include "app/startup.h"

#include <QApplication>
#include <QIcon>

#include "app/application_windows.h"
#include "ui/parameters/frm_main.h"
#include "ui/toolkit/qt/qt_views.h"

namespace nv::ui {

int runParameterWindow(const AfterShowHook &afterShow) {
    int exitCode = 0;
    {
        ApplicationWindows windows;
        FrmMain &frmMain = windows.frmMain();
        frmMain.Form_Load();
        frmMain.show();
        if (afterShow) {
            afterShow(windows);
        }
        exitCode = QApplication::exec();
        // The results window lives until the application ends; it goes with
        // the windows, before the parameter window and the QApplication.
    }
    return exitCode;
}

int runApplication(int &argc, char **argv, const AfterShowHook &afterShow) {
    QApplication application(argc, argv);
    // The name only: a display name would be appended to every window title
    // ("Simulation Parameters \u2014 ..."), and the titles are the windows' own.
    QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/newsvendor.svg")));
    return runParameterWindow(afterShow);
}

}  // namespace nv::ui
