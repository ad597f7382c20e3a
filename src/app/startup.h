// The application's start: frmMain is the start-up window and there is no
// other start code. runParameterWindow creates the windows (ApplicationWindows),
// raises frmMain's load event once, shows it and runs the event loop until
// "Exit" or closing frmMain ends it; the results window, created hidden by the
// load event, goes with the windows, before frmMain.
//
//     int main(int argc, char *argv[]) { return nv::ui::runApplication(argc, argv); }
//
// The hook, when given, is called once frmMain has been shown, just before
// the event loop starts (tests and the start-up probe drive the windows from
// there, through timers or events).
#pragma once

#include <functional>

namespace nv::ui {

class ApplicationWindows;

using AfterShowHook = std::function<void(ApplicationWindows &)>;

// Needs a QApplication. Returns the event loop's exit code.
int runParameterWindow(const AfterShowHook &afterShow = {});

// The whole application: a QApplication named "Newsvendor Simulation", then
// runParameterWindow.
int runApplication(int &argc, char **argv, const AfterShowHook &afterShow = {});

}  // namespace nv::ui
