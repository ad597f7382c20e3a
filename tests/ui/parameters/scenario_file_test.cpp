// Scenario files in frmMain: File > Open Scenario… fills the window as typed
// values would (or, for a file that cannot be used, shows its one message and
// changes nothing), File > Save Scenario… writes the window atomically.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "io/scenario.h"
#include "parameters_test_support.h"
#include "ui/parameters/scenario_dialogs.h"
#include "ui/toolkit/qt/file_export.h"

using nv::ui::testing::ShownWindow;

namespace {

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

QByteArray scenarioBytes(const char *policy, const char *extra = "") {
    return QByteArray(R"({"format": "newsvendor-scenario", "format_version": 1,
        "runs": "500", "price": "4.45", "cost": "2.30",
        "frequencies": ["0.05", "0.25", "0.4", "0.2", "0.12345"], "policy": )") +
           policy + extra + "}";
}

// Everything Open may change, as the window shows and stores it.
struct WindowState {
    QStringList texts;
    bool yesterday = false;
    bool annual = false;
    nv::DemandDistribution stored;
    std::optional<nv::Scenario> current;
    friend bool operator==(const WindowState &, const WindowState &) = default;
};

WindowState stateOf(ShownWindow &shown) {
    WindowState state;
    for (const char *list : {"cboRuns", "cboPrice", "cboCost"}) {
        state.texts << shown.control<QComboBox>(list)->currentText();
    }
    for (int i = 0; i < 5; ++i) {
        state.texts << shown.box(i)->toPlainText();
    }
    state.texts << shown.total()->text();
    state.yesterday = shown.control<QRadioButton>("optYesterday")->isChecked();
    state.annual = shown.control<QRadioButton>("optAnnual")->isChecked();
    state.stored = shown.window().distribution();
    state.current = shown.windows().scenarioState().current();
    return state;
}

// Opens through File > Open Scenario… (Ctrl+O), the chooser answering `path`.
void openByMenu(ShownWindow &shown, const QString &path) {
    shown.window().setOpenFileChooser(
        [path](QWidget *, const QString &, const QString &, const QString &) { return path; });
    QTest::keySequence(&shown.window(), QKeySequence(Qt::CTRL | Qt::Key_O));
}

}  // namespace

class ScenarioFileTest : public QObject {
    Q_OBJECT

private slots:
    void openFillsTheWindow_data();
    void openFillsTheWindow();
    void badFileChangesNothing_data();
    void badFileChangesNothing();
    void saveWritesTheWindow_data();
    void saveWritesTheWindow();
    void failedSaveLeavesTheTarget_data();
    void failedSaveLeavesTheTarget();
};

void ScenarioFileTest::openFillsTheWindow_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("checked");  // 0 none, 1 yesterday, 2 annual
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("notes");
    QTest::newRow("yesterday, no title") << scenarioBytes(R"("yesterday")") << 1 << ""
                                         << "";
    QTest::newRow("annual, titled")
        << scenarioBytes(R"("annual")", R"(, "title": "Week 3", "notes": "Two rules.\nCompare.")")
        << 2 << "Week 3"
        << "Two rules.\nCompare.";
    QTest::newRow("null policy, notes only")
        << scenarioBytes("null", R"(, "notes": "No rule chosen")") << 0 << "week.nvscenario"
        << "No rule chosen";
}

void ScenarioFileTest::openFillsTheWindow() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, checked);
    QFETCH(QString, heading);
    QFETCH(QString, notes);
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("week.nvscenario"), bytes);
    ShownWindow shown;
    // Something to replace: an option, a typed text, a stored value.
    QTest::mouseClick(shown.control<QRadioButton>("optAnnual"), Qt::LeftButton, {}, QPoint(8, 8));
    shown.typeFrequencies({"0.9", "0.1"});
    openByMenu(shown, path);

    QVERIFY(shown.messages().empty());
    const nv::Scenario scenario = *nv::parseScenario(bytes.toStdString());
    const WindowState state = stateOf(shown);
    QCOMPARE(state.texts,
             (QStringList{"500", "4.45", "2.30", "0.05", "0.25", "0.4", "0.2", "0.12345", "1.02"}));
    QCOMPARE(shown.control<QComboBox>("cboRuns")->currentIndex(), 2);
    QCOMPARE(state.yesterday, checked == 1);
    QCOMPARE(state.annual, checked == 2);
    QVERIFY(state.stored == nv::scenarioRunInputs(scenario).distribution);
    QVERIFY(state.current == scenario);
    auto *dialog = shown.window().findChild<nv::ui::ScenarioNotesDialog *>();
    QCOMPARE(dialog != nullptr && dialog->isVisible(), !heading.isEmpty());
    if (dialog != nullptr) {
        QCOMPARE(dialog->heading().text(), heading);
        QCOMPARE(dialog->notes().toPlainText(), notes);
        dialog->close();
    }
}

void ScenarioFileTest::badFileChangesNothing_data() {
    QTest::addColumn<QByteArray>("bytes");  // empty: no such file
    QTest::newRow("no such file") << QByteArray();
    QTest::newRow("not JSON") << QByteArray(R"({"format": "newsvendor-scenario",)");
    QTest::newRow("not UTF-8") << scenarioBytes(R"("yesterday")", ", \"title\": \"\xff\"");
    QTest::newRow("newer version")
        << scenarioBytes(R"("yesterday")")
               .replace("\"format_version\": 1", "\"format_version\": 2");
    QTest::newRow("lacks a key") << scenarioBytes(R"("yesterday")").replace("\"cost\"", "\"c\"");
    QTest::newRow("wrong type") << scenarioBytes(R"("sometimes")");
    QTest::newRow("over 1 MiB") << scenarioBytes(
        "null", (", \"notes\": \"" + std::string(nv::kMaxScenarioBytes, 'x') + "\"").c_str());
}

void ScenarioFileTest::badFileChangesNothing() {
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString good = writeFile(dir, QStringLiteral("good.nvscenario"), scenarioBytes("null"));
    const QString bad = bytes.isEmpty() ? dir.filePath(QStringLiteral("gone.nvscenario"))
                                        : writeFile(dir, QStringLiteral("bad.nvscenario"), bytes);
    ShownWindow shown;
    openByMenu(shown, good);
    QTest::mouseClick(shown.control<QRadioButton>("optYesterday"), Qt::LeftButton, {},
                      QPoint(8, 8));
    shown.typeInto(2, QStringLiteral("5"));
    const WindowState before = stateOf(shown);

    openByMenu(shown, bad);
    const auto error = nv::readScenarioFile(QFile::encodeName(bad).toStdString());
    QVERIFY(!error);
    const std::string expected =
        nv::scenarioMessage(QFileInfo(bad).fileName().toStdString(), error.error());
    QCOMPARE(shown.messages(), std::vector<std::string>{expected});
    QVERIFY(stateOf(shown) == before);
}

void ScenarioFileTest::saveWritesTheWindow_data() {
    QTest::addColumn<bool>("includeSeed");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("seed and title") << true << "Week 4"
                                    << "week4.nvscenario";
    QTest::newRow("no seed, no title, no suffix") << false << ""
                                                  << "plain";
}

void ScenarioFileTest::saveWritesTheWindow() {
    QFETCH(bool, includeSeed);
    QFETCH(QString, title);
    QFETCH(QString, chosen);
    QTemporaryDir dir;
    ShownWindow shown;
    QTest::mouseClick(shown.control<QRadioButton>("optAnnual"), Qt::LeftButton, {}, QPoint(8, 8));
    shown.typeFrequencies({"0.2", "0.2", "0.2", "0.2", "0.2"});
    shown.control<QComboBox>("cboCost")->setEditText(QStringLiteral("2.15"));
    shown.window().setDetailsAsker([&](QWidget *, const nv::ui::ScenarioDetails &) {
        return std::optional(nv::ui::ScenarioDetails{title, QStringLiteral("Notes\n2"), includeSeed,
                                                     18446744073709551615u});
    });
    shown.window().setSaveFileChooser([&](QWidget *, const QString &, const QString &,
                                          const QString &) { return dir.filePath(chosen); });
    QStringList errors;
    shown.window().setErrorReporter([&](const QString &message) { errors << message; });
    QTest::keySequence(&shown.window(), QKeySequence(Qt::CTRL | Qt::Key_S));

    QVERIFY(errors.isEmpty());
    const QString path = nv::ui::withDefaultSuffix(dir.filePath(chosen), "nvscenario");
    const auto saved = nv::readScenarioFile(QFile::encodeName(path).toStdString());
    QVERIFY(saved);
    nv::Scenario expected = shown.window().windowScenario();
    QCOMPARE(expected.cost, std::string("2.15"));
    expected.title = title.isEmpty() ? std::nullopt : std::optional(title.toStdString());
    expected.notes = "Notes\n2";
    expected.seed = includeSeed ? std::optional(18446744073709551615u) : std::nullopt;
    QVERIFY(*saved == expected);
    QVERIFY(shown.windows().scenarioState().current() == expected);

    // Opened in a new window, the file gives this window's texts back.
    ShownWindow other;
    openByMenu(other, path);
    QCOMPARE(stateOf(other).texts, stateOf(shown).texts);
}

void ScenarioFileTest::failedSaveLeavesTheTarget_data() {
    // Permissions cannot make a save fail for root, who runs these tests in
    // some containers: a folder in the target's place, or a missing folder.
    QTest::addColumn<QString>("target");
    QTest::newRow("a folder in the way") << "taken.nvscenario";
    QTest::newRow("no such folder") << "missing/week.nvscenario";
}

void ScenarioFileTest::failedSaveLeavesTheTarget() {
    QFETCH(QString, target);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("taken.nvscenario/inside")));
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
    ShownWindow shown;
    shown.window().setDetailsAsker(
        [](QWidget *, const nv::ui::ScenarioDetails &initial) { return std::optional(initial); });
    shown.window().setSaveFileChooser([&](QWidget *, const QString &, const QString &,
                                          const QString &) { return dir.filePath(target); });
    QStringList errors;
    shown.window().setErrorReporter([&](const QString &message) { errors << message; });
    shown.window().mnuSave_Click();

    QCOMPARE(errors.size(), 1);
    QVERIFY(errors[0].startsWith(
        nv::ui::saveFailedMessage(QDir::toNativeSeparators(dir.filePath(target)), QString())));
    // Nothing replaced, no temporary file left beside the target.
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
    QVERIFY(
        QDir(dir.filePath(QStringLiteral("taken.nvscenario"))).exists(QStringLiteral("inside")));
    QVERIFY(!shown.windows().scenarioState().current());
}

QTEST_MAIN(ScenarioFileTest)
#include "scenario_file_test.moc"
