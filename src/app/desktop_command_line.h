// The command line of the desktop program:
//
//     newsvendor [FILE.nvscenario]     open the scenario FILE at start-up
//     newsvendor -h | --help           print the usage and exit
//     newsvendor --version             print "Newsvendor Simulation X.Y.Z" and exit
//
// and the options every Qt program understands (-platform NAME, -style NAME,
// ...), which QApplication takes out before the rest is read. Help and the
// version are answered before any window system is needed (earlyAnswer);
// anything else is read once the QApplication exists (parseDesktopCommandLine):
// an unknown option or a second file is a usage error, printed with a pointer
// to --help, and the program ends with status 2.
//
//     if (auto text = nv::ui::earlyAnswer(rawArguments(argc, argv))) { print(*text); return 0; }
//     QApplication application(argc, argv);
//     auto command = nv::ui::parseDesktopCommandLine(QCoreApplication::arguments());
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "support/result.h"

namespace nv::ui {

inline constexpr int kExitUsage = 2;

// What the program is asked to do at start-up.
struct DesktopCommand {
    QString scenarioFile;  // empty: start with the load handler's defaults only
};

// The arguments as the program got them (arguments[0] is the program).
[[nodiscard]] QStringList rawArguments(int argc, const char *const *argv);

// The text to print for -h/--help or --version anywhere on the command line,
// or nullopt when neither is given.
[[nodiscard]] std::optional<QString> earlyAnswer(const QStringList &arguments);

// The command, or the one-line message of a usage error.
[[nodiscard]] Result<DesktopCommand, QString> parseDesktopCommandLine(const QStringList &arguments);

// "Run 'newsvendor --help' for more information."
[[nodiscard]] QString desktopHelpHint();

}  // namespace nv::ui
