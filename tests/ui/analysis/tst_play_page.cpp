// The Play page, as a student uses it: from the presenter's entry point,
// keyboard only, to a debrief whose figures are the engine's; and a teacher
// saving the results and opening them again (a file that does not replay is
// refused).
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

double figure(ReportTableView &table, const char *section, const char *item) {
    auto *model = qobject_cast<ReportTableModel *>(table.model());
    const int row = model != nullptr ? model->row(section, item) : -1;
    return row < 0 ? -1e300 : model->index(row, 0).data(ReportTableModel::kValueRole).toDouble();
}

}  // namespace

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

private:
    PlayPage &page() { return m_windows->analysisWindow()->playPage(); }
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

    // A bad order is refused and replaced by the next one typed.
    type(QStringLiteral("55"));
    type(QStringLiteral("12.5"));
    QCOMPARE(page().game()->daysPlayed(), 1);
    QCOMPARE(page().lblStatus().text(), toQString(refusalMessage(Refusal::OrderOutOfRange)));
    type(QStringLiteral("60"));
    QVERIFY(page().lblOutcome().text().startsWith(QStringLiteral("Day 2: you ordered 60")));
    QCOMPARE(page().lblOutcome().accessibleName(), page().lblOutcome().text());
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

QTEST_MAIN(TestPlayPage)
#include "tst_play_page.moc"
