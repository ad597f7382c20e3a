// The application's start: frmMain is the start-up window and there is no
// other start code. runParameterWindow creates the windows (ApplicationWindows),
// raises frmMain's load event once, shows it, opens the scenario file given
// on the command line (if any; a file that cannot be used shows its message
// and the window keeps the load handler's values), and runs the event loop
// until "Exit" or closing frmMain ends it; the results window, created hidden
// by the load event, goes with the windows, before frmMain.
//
//     int main(int argc, char *argv[]) { return nv::ui::runApplication(argc, argv); }
//
// runApplication reads the command line (desktop_command_line.h): --help and
// --version are printed before any window system is needed, a usage error
// ends the program with status 2 before any window is shown.
//
// The hook, when given, is called once frmMain has been shown and the file
// opened, just before the event loop starts (tests and the start-up probe
// drive the windows from there, through timers or events).
#pragma once

#include <QString>
#include <functional>

namespace nv::ui {

class ApplicationWindows;

using AfterShowHook = std::function<void(ApplicationWindows &)>;

// Needs a QApplication. Returns the event loop's exit code.
int runParameterWindow(const AfterShowHook &afterShow = {}, const QString &scenarioFile = {});

// The whole application: the command line, a QApplication named "Newsvendor
// Simulation", then runParameterWindow.
int runApplication(int &argc, char **argv, const AfterShowHook &afterShow = {});

}  // namespace nv::ui
