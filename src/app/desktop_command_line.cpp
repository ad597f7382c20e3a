// The desktop program's command line through QCommandLineParser.
#include "app/desktop_command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include "support/build_info.h"
#include "ui/toolkit/qt/qt_text.h"

namespace nv::ui {

namespace {

const QCommandLineOption &helpOption() {
    static const QCommandLineOption option({QStringLiteral("h"), QStringLiteral("help")},
                                           QStringLiteral("print this help and exit"));
    return option;
}

const QCommandLineOption &versionOption() {
    static const QCommandLineOption option(QStringLiteral("version"),
                                           QStringLiteral("print the version and exit"));
    return option;
}

void defineOptions(QCommandLineParser &parser) {
    parser.addOption(helpOption());
    parser.addOption(versionOption());
    parser.addPositionalArgument(QStringLiteral("FILE.nvscenario"),
                                 QStringLiteral("the scenario to open at start-up"));
}

QString helpText() {
    return QStringLiteral(
        "Usage: newsvendor [FILE.nvscenario]\n"
        "       newsvendor -h | --help\n"
        "       newsvendor --version\n"
        "\n"
        "Opens the Simulation Parameters window of Newsvendor Simulation, which\n"
        "simulates day by day the trade in one perishable item. With FILE, the\n"
        "scenario FILE is opened in it at start-up.\n"
        "\n"
        "Options:\n"
        "  -h, --help   print this help and exit\n"
        "  --version    print the version and exit\n"
        "\n"
        "The options of every Qt program (-platform NAME, -style NAME, ...) are\n"
        "understood as well.\n");
}

}  // namespace

QStringList rawArguments(int argc, const char *const *argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    return arguments;
}

std::optional<QString> earlyAnswer(const QStringList &arguments) {
    QCommandLineParser parser;
    defineOptions(parser);
    // Qt's own options are unknown here: only whether help or the version
    // is asked for counts.
    (void)parser.parse(arguments);
    if (parser.isSet(helpOption())) {
        return helpText();
    }
    if (parser.isSet(versionOption())) {
        return toQString(kProgramName) + QLatin1Char(' ') + toQString(kProgramVersion) +
               QLatin1Char('\n');
    }
    return std::nullopt;
}

Result<DesktopCommand, QString> parseDesktopCommandLine(const QStringList &arguments) {
    QCommandLineParser parser;
    defineOptions(parser);
    if (!parser.parse(arguments)) {
        return Failure{parser.errorText()};
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        return Failure{QStringLiteral("Only one scenario can be opened: '%1' is one too many")
                           .arg(files.at(1))};
    }
    return DesktopCommand{files.value(0)};
}

QString desktopHelpHint() {
    return QStringLiteral("Run 'newsvendor --help' for more information.");
}

}  // namespace nv::ui
