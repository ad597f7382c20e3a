// The Play page, as a student uses it: from the presenter's entry point,
// keyboard only, to a debrief whose figures are the engine's and a screen
// reader can read; a teacher saving the results and opening them again (a file
// that does not replay is refused); nothing played is lost without a question.
#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/application_windows.h"
#include "compare_test_support.h"
#include "engine/analysis/game.h"
#include "engine/analysis/game_report.h"
#include "ui/analysis/frm_analysis.h"
#include "ui/analysis/play_page.h"
#include "ui/parameters/frm_main.h"
#include "ui/toolkit/qt/qt_text.h"
#include "ui/toolkit/qt/report_table_model.h"
#include "ui/toolkit/qt/report_table_view.h"

using namespace nv;
using namespace nv::ui;

namespace {

constexpr std::uint64_t kSeed = 20240915;

void type(const QString &text, Qt::Key key = Qt::Key_Return) {
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus != nullptr);
    QTest::keyClicks(focus, text);
    QTest::keyClick(focus, key);
}

QString accessibleText(QWidget *widget, QAccessible::Text which) {
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face != nullptr ? face->text(which) : QString();
}

double figure(ReportTableView &table, const char *section, const char *item) {
    auto *model = qobject_cast<ReportTableModel *>(table.model());
    const int row = model != nullptr ? model->row(section, item) : -1;
    return row < 0 ? -1e300 : model->index(row, 0).data(ReportTableModel::kValueRole).toDouble();
}

// What a test does that may lose the game or its debrief.
enum class Action { PlayAgain, NewSeed, OpenResults, MenuOtherSeed, Close, Quit };

}  // namespace

Q_DECLARE_METATYPE(Action)
Q_DECLARE_METATYPE(PlayPage::Stage)
Q_DECLARE_METATYPE(PlayPage::DiscardChoice)

class TestPlayPage : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_windows = std::make_unique<ApplicationWindows>();
        m_windows->showPlay(testing::runInputs(), kSeed);
        QVERIFY(QTest::qWaitForWindowActive(m_windows->analysisWindow()));
    }
    void cleanup() { m_windows.reset(); }

    void keyboardPlayReachesTheEnginesDebrief();
    void finishNowSaveAndOpenAgain();
    void labelsReadTheirText_data();
    void labelsReadTheirText();
    void altOOpensResultsAtEveryStage_data();
    void altOOpensResultsAtEveryStage();
    void losingWorkAsksFirst_data();
    void losingWorkAsksFirst();
    void tabStopsAreInViewAndShowFocus_data();
    void tabStopsAreInViewAndShowFocus();

private:
    PlayPage &page() { return m_windows->analysisWindow()->playPage(); }
    // Plays two days (and a refused order) into `stage`.
    void reach(PlayPage::Stage stage) {
        if (stage == PlayPage::Stage::Start) {
            return;
        }
        page().cmdStart_Click();
        for (const char *order : {"50", "65", "many"}) {
            page().txtOrder().setText(QString::fromLatin1(order));
            page().cmdOrder_Click();
        }
        if (stage == PlayPage::Stage::Debrief) {
            page().cmdFinish_Click();
        }
        QCOMPARE(page().stage(), stage);
    }
    std::unique_ptr<ApplicationWindows> m_windows;
};

void TestPlayPage::keyboardPlayReachesTheEnginesDebrief() {
    QCOMPARE(m_windows->analysisWindow()->currentPage(), &page());
    QCOMPARE(page().txtSeed().text(), QString::number(kSeed));
    // Four days: the days field, then Enter starts (the start's default button).
    page().spnDays().setFocus();
    QTest::keyClick(&page().spnDays(), Qt::Key_A, Qt::ControlModifier);
    type(QStringLiteral("4"));
    QCOMPARE(page().stage(), PlayPage::Stage::Playing);
    QCOMPARE(QApplication::focusWidget(), &page().txtOrder());

    // A bad order is refused beside the field, until the next one is accepted.
    type(QStringLiteral("55"));
    type(QStringLiteral("12.5"));
    QCOMPARE(page().game()->daysPlayed(), 1);
    QCOMPARE(page().lblRefusal().text(), toQString(refusalMessage(Refusal::OrderOutOfRange)));
    const QRect field(page().txtOrder().mapTo(&page(), QPoint()), page().txtOrder().size());
    const QRect refusal(page().lblRefusal().mapTo(&page(), QPoint()), page().lblRefusal().size());
    QVERIFY2(refusal.top() < field.bottom() && field.top() < refusal.bottom(),
             "the refusal is not on the order field's line");
    type(QStringLiteral("60"));
    QVERIFY(page().lblRefusal().text().isEmpty());
    QVERIFY(page().lblOutcome().text().startsWith(QStringLiteral("Day 2: you ordered 60")));
    QCOMPARE(page().tblHistory().model()->rowCount(), 2);
    // The menu again, with the scenario's seed: the game goes on.
    m_windows->showPlay(testing::runInputs(), kSeed);
    QCOMPARE(page().game()->daysPlayed(), 2);
    type(QStringLiteral("40"));
    type(QStringLiteral("70"));

    QCOMPARE(page().stage(), PlayPage::Stage::Debrief);
    const auto parameters = AnalysisParameters::fromInputs(testing::runInputs()).value();
    std::vector<Currency> orders;
    for (const int order : {55, 60, 40, 70}) {
        orders.push_back(Currency::fromCount(order));
    }
    const Debrief d = debrief(parameters, orders, gameDemands(parameters.distribution(), 4, kSeed));
    QCOMPARE(page().debriefOrders(), orders);
    QCOMPARE(page().tblDays().model()->rowCount(), 4);
    QCOMPARE(figure(page().tblDebrief(), "player", "total_profit"), d.playerTotal.toDouble());
    QCOMPARE(figure(page().tblDebrief(), "player", "luck"), d.luck);
    QCOMPARE(figure(page().tblDebrief(), "rules", "perfect"), d.perfectTotal.toDouble());
    QStringList findings;
    for (const std::string &finding : debriefFindings(d)) {
        findings << toQString(finding);
    }
    QCOMPARE(page().lblFindings().text(), findings.join(QLatin1Char('\n')));
    // The focus is where a screen reader reads every finding.
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus != nullptr);
    const QString heard = accessibleText(focus, QAccessible::Name) + QLatin1Char('\n') +
                          accessibleText(focus, QAccessible::Description);
    for (const QString &finding : findings) {
        QVERIFY2(heard.contains(finding), qPrintable(finding));
    }
}

void TestPlayPage::finishNowSaveAndOpenAgain() {
    QTest::keyClick(&page().cmdStart(), Qt::Key_Space);
    type(QStringLiteral("50"));
    type(QStringLiteral("65"));
    // Alt+F: Finish Now after two of thirty days (a mnemonic clicks a moment later).
    QTest::keyClick(m_windows->analysisWindow(), Qt::Key_F, Qt::AltModifier);
    QTRY_COMPARE(page().stage(), PlayPage::Stage::Debrief);
    QCOMPARE(page().debriefOrders().size(), std::size_t{2});

    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("alice.json"));
    QStringList errors;
    page().setSaveFileChooser([&](auto...) { return saved; });
    page().setErrorReporter([&](const QString &message) { errors << message; });
    QString opened = saved;
    page().setOpenFileChooser([&](auto...) { return opened; });
    page().cmdSaveResults_Click();
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray json = file.readAll();
    file.close();

    // Another game, then the saved one again: its orders and seed come back.
    page().cmdPlayAgain_Click();
    QCOMPARE(page().stage(), PlayPage::Stage::Start);
    page().cmdOpenResults_Click();
    QVERIFY(errors.isEmpty());
    QCOMPARE(page().stage(), PlayPage::Stage::Debrief);
    QCOMPARE(page().debriefOrders(),
             (std::vector{Currency::fromCount(50), Currency::fromCount(65)}));

    // A file edited by hand does not replay: refused, naming the file.
    opened = dir.filePath(QStringLiteral("edited.json"));
    QFile edited(opened);
    QVERIFY(edited.open(QIODevice::WriteOnly));
    edited.write(QByteArray(json).replace("\"order\": 65", "\"order\": 66"));
    edited.close();
    page().cmdOpenResults_Click();
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].contains(QStringLiteral("edited.json")), qPrintable(errors[0]));
    QCOMPARE(page().debriefOrders()[1], Currency::fromCount(65));
}

void TestPlayPage::labelsReadTheirText_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<PlayPage::Stage>("stage");
    for (const char *label : {"lblParameters", "lblDay", "lblRefusal", "lblOutcome", "lblStatus"}) {
        QTest::newRow(label) << QString::fromLatin1(label) << PlayPage::Stage::Playing;
    }
    QTest::newRow("lblFindings") << QStringLiteral("lblFindings") << PlayPage::Stage::Debrief;
}

void TestPlayPage::labelsReadTheirText() {
    QFETCH(QString, label);
    QFETCH(PlayPage::Stage, stage);
    reach(stage);
    auto *shown = page().findChild<QLabel *>(label);
    QVERIFY(shown != nullptr && !shown->text().isEmpty());
    QCOMPARE(accessibleText(shown, QAccessible::Name), shown->text());
}

void TestPlayPage::altOOpensResultsAtEveryStage_data() {
    QTest::addColumn<PlayPage::Stage>("stage");
    QTest::newRow("start") << PlayPage::Stage::Start;
    QTest::newRow("game") << PlayPage::Stage::Playing;  // beside "Order (units):"
    QTest::newRow("debrief") << PlayPage::Stage::Debrief;
}

void TestPlayPage::altOOpensResultsAtEveryStage() {
    QFETCH(PlayPage::Stage, stage);
    reach(stage);
    int opened = 0;
    page().setDiscardAsker([](auto...) { return PlayPage::DiscardChoice::Discard; });
    page().setOpenFileChooser([&](auto...) {
        ++opened;
        return QString();
    });
    QTest::keyClick(m_windows->analysisWindow(), Qt::Key_O, Qt::AltModifier);
    QTRY_COMPARE(opened, 1);
}

void TestPlayPage::losingWorkAsksFirst_data() {
    using Choice = PlayPage::DiscardChoice;
    QTest::addColumn<Action>("action");
    QTest::addColumn<bool>("inGame");  // else at an unsaved debrief
    QTest::addColumn<Choice>("choice");
    QTest::addColumn<bool>("fileChosen");  // when Save asks for one
    QTest::addColumn<bool>("goesOn");
    const auto row = [](const char *name, Action action, bool inGame, Choice choice,
                        bool fileChosen, bool goesOn) {
        QTest::newRow(name) << action << inGame << choice << fileChosen << goesOn;
    };
    row("play again: cancel", Action::PlayAgain, false, Choice::Cancel, true, false);
    row("play again: save", Action::PlayAgain, false, Choice::Save, true, true);
    row("play again: save cancelled", Action::PlayAgain, false, Choice::Save, false, false);
    row("new seed: cancel", Action::NewSeed, false, Choice::Cancel, true, false);
    row("new seed: discard", Action::NewSeed, false, Choice::Discard, true, true);
    row("open results: cancel", Action::OpenResults, false, Choice::Cancel, true, false);
    row("open results in a game: cancel", Action::OpenResults, true, Choice::Cancel, true, false);
    row("menu, other seed in a game: cancel", Action::MenuOtherSeed, true, Choice::Cancel, true,
        false);
    row("close: cancel", Action::Close, false, Choice::Cancel, true, false);
    row("close in a game: discard", Action::Close, true, Choice::Discard, true, true);
    row("quit in a game: cancel", Action::Quit, true, Choice::Cancel, true, false);
    row("quit: discard", Action::Quit, false, Choice::Discard, true, true);
}

void TestPlayPage::losingWorkAsksFirst() {
    QFETCH(Action, action);
    QFETCH(bool, inGame);
    QFETCH(PlayPage::DiscardChoice, choice);
    QFETCH(bool, fileChosen);
    QFETCH(bool, goesOn);
    const PlayPage::Stage stage = inGame ? PlayPage::Stage::Playing : PlayPage::Stage::Debrief;
    reach(stage);
    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("game.json"));
    QList<bool> offeredSave;
    int opened = 0;
    page().setDiscardAsker([&](QWidget *, const QString &, const QString &, bool offerSave) {
        offeredSave << offerSave;
        return choice;
    });
    page().setSaveFileChooser([&](auto...) { return fileChosen ? saved : QString(); });
    page().setOpenFileChooser([&](auto...) {
        ++opened;
        return QString();
    });

    bool closed = false;
    switch (action) {
        case Action::PlayAgain:
            page().cmdPlayAgain_Click();
            break;
        case Action::NewSeed:
            page().cmdNewSeed_Click();
            break;
        case Action::OpenResults:
            page().cmdOpenResults_Click();
            break;
        case Action::MenuOtherSeed:
            m_windows->showPlay(testing::runInputs(), kSeed + 1);
            break;
        case Action::Close:
            m_windows->analysisWindow()->close();
            closed = !m_windows->analysisWindow()->isVisible();
            break;
        case Action::Quit:
            m_windows->frmMain().show();
            m_windows->frmMain().close();
            closed = !m_windows->frmMain().isVisible();
            break;
    }
    QCOMPARE(offeredSave, QList<bool>{!inGame});
    const bool wentOn = action == Action::OpenResults ? opened == 1
                        : action == Action::Close || action == Action::Quit
                            ? closed
                            : page().stage() != stage;
    QCOMPARE(wentOn, goesOn);
    QCOMPARE(QFile::exists(saved), choice == PlayPage::DiscardChoice::Save && fileChosen);
    if (!goesOn) {
        QCOMPARE(page().stage(), stage);
        QCOMPARE(inGame ? page().game()->orders() : page().debriefOrders(),
                 (std::vector{Currency::fromCount(50), Currency::fromCount(65)}));
    }
}

void TestPlayPage::tabStopsAreInViewAndShowFocus_data() {
    QTest::addColumn<PlayPage::Stage>("stage");
    QTest::newRow("start") << PlayPage::Stage::Start;
    QTest::newRow("game") << PlayPage::Stage::Playing;
    QTest::newRow("debrief") << PlayPage::Stage::Debrief;
}

// Tab through a window smaller than the page: each control is scrolled into
// view and looks focused (more pixels change than a text cursor has).
void TestPlayPage::tabStopsAreInViewAndShowFocus() {
    QFETCH(PlayPage::Stage, stage);
    m_windows->analysisWindow()->resize(900, 560);
    reach(stage);
    if (stage == PlayPage::Stage::Start) {
        page().spnDays().setFocus();
    }
    QTest::qWait(20);  // the stage's layout
    auto *scroll = page().findChild<QScrollArea *>(QStringLiteral("scrContent"));
    QVERIFY(scroll != nullptr);
    const QRect view = scroll->viewport()->rect();
    QList<QWidget *> seen;
    for (QWidget *focus = QApplication::focusWidget(); !seen.contains(focus);
         focus = QApplication::focusWidget()) {
        QVERIFY(focus != nullptr);
        seen << focus;
        const QByteArray name = focus->objectName().toLatin1();
        const auto shown = [&] {
            const QRect at(focus->mapTo(scroll->viewport(), QPoint()), focus->size());
            return (at & view).height() >= std::min(at.height(), view.height());
        };
        QTRY_VERIFY2(!scroll->widget()->isAncestorOf(focus) || shown(), name.constData());
        const QImage focused = focus->grab().toImage();
        QTest::keyClick(focus, Qt::Key_Tab);
        const QImage unfocused = focus->grab().toImage();
        int changed = 0;
        for (int y = 0; y < focused.height(); ++y) {
            for (int x = 0; x < focused.width(); ++x) {
                changed += focused.pixel(x, y) != unfocused.pixel(x, y) ? 1 : 0;
            }
        }
        QVERIFY2(changed >= focus->height(), name.constData());
    }
}

QTEST_MAIN(TestPlayPage)
#include "tst_play_page.moc"
