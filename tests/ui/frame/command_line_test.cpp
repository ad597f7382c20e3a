// The desktop program's command line: read in process, and the real
// newsvendor started as a child process, --version without any display.
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include "app/desktop_command_line.h"
#include "support/build_info.h"

namespace {

const QString kVersionLine =
    QStringLiteral("Newsvendor Simulation ") +
    QString::fromLatin1(nv::kProgramVersion.data(),
                        static_cast<qsizetype>(nv::kProgramVersion.size())) +
    QLatin1Char('\n');

QStringList program(const QStringList &arguments) {
    return QStringList{QStringLiteral("newsvendor")} + arguments;
}

}  // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void parsed_data();
    void parsed();
    void answeredEarly_data();
    void answeredEarly();
    void realProgram_data();
    void realProgram();
};

void CommandLineTest::parsed_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("error");
    QTest::newRow("nothing") << QStringList{} << ""
                             << "";
    QTest::newRow("a scenario") << QStringList{"week 3.nvscenario"} << "week 3.nvscenario"
                                << "";
    QTest::newRow("two scenarios") << QStringList{"a.nvscenario", "b.nvscenario"} << ""
                                   << "Only one scenario can be opened: 'b.nvscenario' is one too "
                                      "many";
    QTest::newRow("unknown option") << QStringList{"--runs", "10"} << ""
                                    << "Unknown option 'runs'.";
}

void CommandLineTest::parsed() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    QFETCH(QString, error);
    const auto command = nv::ui::parseDesktopCommandLine(program(arguments));
    QCOMPARE(command ? QString() : command.error(), error);
    if (command) {
        QCOMPARE(command->scenarioFile, file);
    }
}

void CommandLineTest::answeredEarly_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("start");  // empty: not answered early
    QTest::newRow("--version") << QStringList{"--version"} << kVersionLine;
    QTest::newRow("after Qt's options")
        << QStringList{"-platform", "xcb", "--version"} << kVersionLine;
    QTest::newRow("-h") << QStringList{"-h"} << "Usage: newsvendor [FILE.nvscenario]\n";
    QTest::newRow("--help beside a file")
        << QStringList{"w.nvscenario", "--help"} << "Usage: newsvendor [FILE.nvscenario]\n";
    QTest::newRow("a file") << QStringList{"w.nvscenario"} << "";
}

void CommandLineTest::answeredEarly() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, start);
    const std::optional<QString> answer = nv::ui::earlyAnswer(program(arguments));
    QCOMPARE(answer.has_value(), !start.isEmpty());
    if (answer) {
        QVERIFY2(answer->startsWith(start), qPrintable(*answer));
    }
}

void CommandLineTest::realProgram_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("display");  // whether a (virtual) display is offered
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    const QString hint = QStringLiteral("Run 'newsvendor --help' for more information.\n");
    QTest::newRow("--version, no display")
        << QStringList{"--version"} << false << 0 << kVersionLine << "";
    QTest::newRow("--help, no display") << QStringList{"--help"} << false << 0 << "Usage:"
                                        << "";
    QTest::newRow("unknown option") << QStringList{"--seed", "1"} << true << 2 << ""
                                    << "Unknown option 'seed'.\n" + hint;
    QTest::newRow("two files") << QStringList{"a", "b"} << true << 2 << ""
                               << "Only one scenario can be opened: 'b' is one too many\n" + hint;
}

void CommandLineTest::realProgram() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, display);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(QString::fromLatin1(name));
    }
    if (display) {
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(NV_DESKTOP_EXECUTABLE), arguments);
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), status);
    const QString stdOut = QString::fromLocal8Bit(process.readAllStandardOutput());
    QVERIFY2(out.isEmpty() ? stdOut.isEmpty() : stdOut.startsWith(out), qPrintable(stdOut));
    // Qt may note a missing runtime folder first; the message ends the stream.
    const QString stdErr = QString::fromLocal8Bit(process.readAllStandardError());
    QVERIFY2(err.isEmpty() ? stdErr.isEmpty() : stdErr.endsWith(err), qPrintable(stdErr));
}

QTEST_MAIN(CommandLineTest)
#include "command_line_test.moc"
