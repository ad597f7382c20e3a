// frmMain's menu bar: its entries as a screen reader and the keyboard find
// them, what each shortcut does, and the Analyze menu reading the inputs of a
// box still being edited.
#include <QAccessible>
#include <QMenu>
#include <QTextBrowser>
#include <QTimer>

#include "parameters_test_support.h"
#include "ui/analysis/compare_page.h"
#include "ui/analysis/frm_analysis.h"
#include "ui/help/frm_help.h"
#include "ui/parameters/scenario_dialogs.h"

using nv::ui::testing::ShownWindow;

namespace {

QMenu *menu(ShownWindow &shown, const QString &name) {
    return shown.window().menuBar().findChild<QMenu *>(name);
}

}  // namespace

class MenuBarTest : public QObject {
    Q_OBJECT

private slots:
    void entries_data();
    void entries();
    void shortcuts_data();
    void shortcuts();
    void exitShortcutEndsTheEventLoop();
    void analyzeStoresTheBoxBeingEdited();
};

void MenuBarTest::entries_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shortcut");
    QTest::newRow("open") << "mnuFile"
                          << "mnuOpen"
                          << "&Open Scenario…"
                          << "Ctrl+O";
    QTest::newRow("save") << "mnuFile"
                          << "mnuSave"
                          << "&Save Scenario…"
                          << "Ctrl+S";
    QTest::newRow("exit") << "mnuFile"
                          << "mnuExit"
                          << "E&xit"
                          << "Ctrl+Q";
    QTest::newRow("compare") << "mnuAnalyze"
                             << "mnuCompare"
                             << "&Compare Ordering Rules…"
                             << "";
    QTest::newRow("quantity") << "mnuAnalyze"
                              << "mnuQuantity"
                              << "&Order Quantity…"
                              << "";
    QTest::newRow("worksheet") << "mnuAnalyze"
                               << "mnuWorksheet"
                               << "&Random-Number Worksheet…"
                               << "";
    QTest::newRow("play") << "mnuAnalyze"
                          << "mnuPlay"
                          << "&Play the Newsvendor…"
                          << "";
    QTest::newRow("guide") << "mnuHelp"
                           << "mnuUserGuide"
                           << "&User Guide"
                           << "F1";
    QTest::newRow("about") << "mnuHelp"
                           << "mnuAbout"
                           << "&About Newsvendor Simulation"
                           << "";
}

void MenuBarTest::entries() {
    QFETCH(QString, menu);
    QFETCH(QString, entry);
    QFETCH(QString, text);
    QFETCH(QString, shortcut);
    ShownWindow shown(false);
    QMenu *found = ::menu(shown, menu);
    QVERIFY(found != nullptr);
    QVERIFY(!found->accessibleName().isEmpty());
    QVERIFY(found->title().contains(QLatin1Char('&')));
    QAction *action = found->findChild<QAction *>(entry);
    QVERIFY(action != nullptr);
    QVERIFY(found->actions().contains(action));
    QCOMPARE(action->text(), text);
    QCOMPARE(action->shortcut().toString(QKeySequence::PortableText), shortcut);
    // What a screen reader speaks for the entry: its text without the "&".
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(found);
    QAccessibleInterface *item =
        accessible->child(static_cast<int>(found->actions().indexOf(action)));
    QVERIFY(item != nullptr);
    QCOMPARE(item->text(QAccessible::Name), QString(text).remove(QLatin1Char('&')));
}

// A shortcut pressed with the focus in a field: what it opened.
enum class Effect { OpenChooser, SaveDialog, Guide, FileMenu };

void MenuBarTest::shortcuts_data() {
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("effect");
    const auto row = [](const char *name, QKeySequence keys, const char *focus, Effect effect) {
        QTest::newRow(name) << keys << QString::fromLatin1(focus) << static_cast<int>(effect);
    };
    row("Ctrl+O in a list", QKeySequence(Qt::CTRL | Qt::Key_O), "cboRuns", Effect::OpenChooser);
    row("Ctrl+O in a box", QKeySequence(Qt::CTRL | Qt::Key_O), "txt55", Effect::OpenChooser);
    row("Ctrl+S in a box", QKeySequence(Qt::CTRL | Qt::Key_S), "txt35", Effect::SaveDialog);
    row("F1 on a button", QKeySequence(Qt::Key_F1), "cmdRun", Effect::Guide);
    row("Alt+F in a list", QKeySequence(Qt::ALT | Qt::Key_F), "cboPrice", Effect::FileMenu);
}

void MenuBarTest::shortcuts() {
    QFETCH(QKeySequence, keys);
    QFETCH(QString, focus);
    QFETCH(int, effect);
    ShownWindow shown;
    QVERIFY(shown.active());
    QStringList asked;
    shown.window().setOpenFileChooser(
        [&](QWidget *, const QString &caption, const QString &, const QString &filter) {
            asked << caption + QLatin1Char('|') + filter;
            return QString();
        });
    shown.window().setDetailsAsker([&](QWidget *, const nv::ui::ScenarioDetails &) {
        asked << QStringLiteral("details");
        return std::optional<nv::ui::ScenarioDetails>();
    });
    QWidget *field = shown.control<QWidget>(focus.toLatin1().constData());
    field->setFocus(Qt::TabFocusReason);
    QTest::keySequence(field, keys);

    switch (static_cast<Effect>(effect)) {
        case Effect::OpenChooser:
            QCOMPARE(asked,
                     QStringList{QStringLiteral(
                         "Open Scenario|Newsvendor scenarios (*.nvscenario);;All files (*)")});
            break;
        case Effect::SaveDialog:
            QCOMPARE(asked, QStringList{QStringLiteral("details")});
            break;
        case Effect::Guide: {
            nv::ui::FrmHelp *help = shown.windows().helpWindow();
            QVERIFY(help != nullptr);
            QVERIFY(QTest::qWaitForWindowExposed(help));
            QCOMPARE(help->txtGuide().documentTitle(),
                     QStringLiteral("Newsvendor Simulation: User Guide"));
            QCOMPARE(help->txtGuide().accessibleName(), QStringLiteral("User Guide"));
            help->close();
            break;
        }
        case Effect::FileMenu: {
            auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(popup != nullptr);
            QCOMPARE(popup->objectName(), QStringLiteral("mnuFile"));
            QTest::keyClick(popup, Qt::Key_Escape);
            break;
        }
    }
    // The shortcut typed nothing and changed no field.
    QCOMPARE(shown.beeps(), 0);
    QVERIFY(shown.messages().empty());
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(shown.box(i)->toPlainText(), QString());
    }
}

void MenuBarTest::exitShortcutEndsTheEventLoop() {
    ShownWindow shown;
    QTimer::singleShot(0, &shown.window(), [&] {
        QTest::keySequence(&shown.window(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    });
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!shown.window().isVisible());
}

void MenuBarTest::analyzeStoresTheBoxBeingEdited() {
    ShownWindow shown;
    QTest::mouseClick(shown.control<QRadioButton>("optYesterday"), Qt::LeftButton, {},
                      QPoint(8, 8));
    // The last box is still being edited: its value is not stored yet.
    shown.typeFrequencies({"0.1", "0.2", "0.4", "0.2", "0.1"});
    QCOMPARE(shown.window().distribution().frequency(4), std::optional(nv::Currency{}));
    // Alt+A, then C: Analyze > Compare Ordering Rules…, from the keyboard.
    QTest::keyClick(shown.box(4), Qt::Key_A, Qt::AltModifier);
    auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(popup != nullptr);
    QTest::keyClick(popup, Qt::Key_C);

    QCOMPARE(shown.window().distribution().frequency(4), nv::storedFrequency("0.1"));
    nv::ui::FrmAnalysis *analysis = shown.windows().analysisWindow();
    QVERIFY(analysis != nullptr);
    QVERIFY(analysis->isVisible());
    QCOMPARE(analysis->currentPage(),
             static_cast<nv::ui::AnalysisPage *>(&analysis->comparePage()));
    // The page took the five stored values: it accepted the inputs.
    QVERIFY2(analysis->comparePage().parameters().has_value(),
             qPrintable(analysis->comparePage().lblStatus().text()));
    QCOMPARE(analysis->comparePage().parameters()->distribution(), shown.window().distribution());
    analysis->hide();
}

QTEST_MAIN(MenuBarTest)
#include "menu_bar_test.moc"
