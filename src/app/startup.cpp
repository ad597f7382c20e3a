// Start-up: the command line, the windows, frmMain's load event, the event
// loop, and the end.
#include "app/startup.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>

#include "app/application_windows.h"
#include "app/desktop_command_line.h"
#include "ui/parameters/frm_main.h"
#include "ui/toolkit/qt/qt_views.h"

namespace nv::ui {

namespace {

void print(std::FILE *stream, const QString &text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

}  // namespace

int runParameterWindow(const AfterShowHook &afterShow, const QString &scenarioFile) {
    int exitCode = 0;
    {
        ApplicationWindows windows;
        FrmMain &frmMain = windows.frmMain();
        frmMain.Form_Load();
        frmMain.show();
        if (!scenarioFile.isEmpty()) {
            (void)frmMain.openScenarioFile(scenarioFile);
        }
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
    // Help and the version need no display: answered before QApplication.
    if (const std::optional<QString> answer = earlyAnswer(rawArguments(argc, argv))) {
        print(stdout, *answer);
        return 0;
    }
    QApplication application(argc, argv);
    // The name only: a display name would be appended to every window title
    // ("Simulation Parameters \u2014 ..."), and the titles are the windows' own.
    QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/newsvendor.svg")));
    // QApplication has taken out the options of every Qt program.
    const Result<DesktopCommand, QString> command =
        parseDesktopCommandLine(QCoreApplication::arguments());
    if (!command) {
        print(stderr, command.error() + QLatin1Char('\n') + desktopHelpHint() + QLatin1Char('\n'));
        return kExitUsage;
    }
    return runParameterWindow(afterShow, command->scenarioFile);
}

}  // namespace nv::ui
