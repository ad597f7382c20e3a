// The Analysis window's Worksheet page, opened through the presenter as the
// Analyze menu opens it: the sheet and its key, pasted numbers, a refusal,
// the marking of a student's sheet, and the PDF its writer makes (read back
// with pdfinfo and pdftotext, skipped without them).
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "app/application_windows.h"
#include "compare_test_support.h"
#include "ui/analysis/frm_analysis.h"
#include "ui/analysis/worksheet_page.h"
#include "ui/analysis/worksheet_print.h"
#include "ui/toolkit/qt/report_records_model.h"
#include "ui/toolkit/qt/report_table_view.h"

using namespace nv::ui;

namespace {

// Demand, order, sales, daily and cumulative profit: columns 2..6.
QString cell(WorksheetPage &page, int day, int column) {
    return page.sheetModel().index(day - 1, column).data().toString();
}

QString tool(const QString &name) {
    return QStandardPaths::findExecutable(name);
}

QString run(const QString &program, const QStringList &args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class TestWorksheetPage : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_windows = std::make_unique<ApplicationWindows>();
        m_windows->showWorksheet(testing::runInputs(), 2, std::uint64_t{42});
        m_page = &m_windows->analysisWindow()->worksheetPage();
    }
    void cleanup() { m_windows.reset(); }

    void opensAtTheSheetWithEveryControlNamed() {
        FrmAnalysis &window = *m_windows->analysisWindow();
        QVERIFY(window.isVisible());
        QCOMPARE(window.currentPage(), static_cast<AnalysisPage *>(m_page));
        QCOMPARE(m_page->sheet()->seed(), std::optional<std::uint64_t>(42));
        QCOMPARE(m_page->sheetModel().rowCount(), 2);
        for (const QWidget *control : m_page->findChildren<QWidget *>()) {
            // A spin box's or a combo box's own line edit is part of it.
            const QWidget *owner = control->parentWidget();
            const bool part = qobject_cast<const QAbstractSpinBox *>(owner) != nullptr ||
                              qobject_cast<const QComboBox *>(owner) != nullptr;
            if (!part && control->focusPolicy() != Qt::NoFocus && control->isVisibleTo(m_page)) {
                QVERIFY2(!control->objectName().isEmpty() && !control->accessibleName().isEmpty(),
                         control->metaObject()->className());
            }
        }
    }

    void pastedNumbersGiveTheKey_data() {
        QTest::addColumn<QString>("numbers");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QStringList>("demands");  // empty: refused, the seed's sheet kept
        // 70 is class 60: the lookup is on the digits, never a float below 0.7.
        QTest::newRow("taken") << "07\n70\n"
                               << "Pasted random numbers of 2 digits" << QStringList{"30", "60"};
        QTest::newRow("bad line") << "07\n7\n"
                                  << "Line 2 of the random numbers is not a 2-digit number: 7"
                                  << QStringList{};
        QTest::newRow("too few")
            << "07\n"
            << "The random numbers file has 1 number but the worksheet has 2 days" << QStringList{};
    }
    void pastedNumbersGiveTheKey() {
        QFETCH(QString, numbers);
        QFETCH(QString, status);
        QFETCH(QStringList, demands);
        m_page->setTextAsker([&numbers](QWidget *, const QString &, const QString &) {
            return std::optional<QString>(numbers);
        });
        QTest::mouseClick(&m_page->cmdPasteNumbers(), Qt::LeftButton);
        QCOMPARE(m_page->lblStatus().text(), status);
        QVERIFY(m_page->sheet().has_value());
        QCOMPARE(m_page->sheet()->seed().has_value(), demands.isEmpty());
        QCOMPARE(cell(*m_page, 1, 2), QString());  // blank until Answers
        m_page->chkAnswers().setChecked(true);
        for (int day = 1; day <= demands.size(); ++day) {
            QCOMPARE(cell(*m_page, day, 2), demands[day - 1]);
        }
    }

    void savedScenarioHandsOutTheSameSheet() {
        nv::Scenario scenario;
        m_page->addToScenario(scenario);
        QCOMPARE(scenario.worksheetDays, std::optional<std::int32_t>(2));
        QCOMPARE(scenario.worksheetSeed, std::optional<std::uint64_t>(42));
        // Pasted numbers are not a seed: the keys stay as they were.
        QVERIFY(m_page->pasteNumbers("07\n70\n"));
        nv::Scenario other;
        m_page->addToScenario(other);
        QVERIFY(!other.worksheetDays && !other.worksheetSeed);
    }

    void refusalLeavesNothingToPrint() {
        m_page->setRunInputs(testing::runInputs({1000, 2000, 4000, 2000, 0}), 20, 1);
        QCOMPARE(m_page->lblStatus().text(), QString("Relative Frequencies must add to 1.00"));
        QVERIFY(!m_page->sheet());
        QCOMPARE(m_page->sheetModel().rowCount(), 0);
        QVERIFY(!m_page->cmdSavePdf().isEnabled());
        QVERIFY(!m_page->cmdCheckAnswers().isEnabled());
    }

    void checkMarksExactlyThePlantedCells() {
        QVERIFY(m_page->pasteNumbers("07\n70\n"));
        // Day 1 right; day 2 demand 50 (60 is right) and no cumulative profit.
        QVERIFY(
            m_page->checkAnswers("day,demand,order,sales,daily_profit,cumulative_profit\n"
                                 "1,30,50,30,$28.00,28\n2,50,30,30,72,\n"));
        QCOMPARE(m_page->lblScore().text(), QString("Score: 8 of 10 cells right (80.0%)"));
        QVERIFY(m_page->chkAnswers().isChecked());
        QStringList marked;
        for (int row = 0; row < 2; ++row) {
            for (int column = 0; column < 7; ++column) {
                if (!m_page->sheetModel().mark(row, column).isEmpty()) {
                    marked << QString("%1:%2").arg(row + 1).arg(column);
                }
            }
        }
        QCOMPARE(marked, (QStringList{"2:2", "2:6"}));
        const QModelIndex wrong = m_page->sheetModel().index(1, 2);
        QCOMPARE(wrong.data(Qt::AccessibleTextRole).toString(),
                 QString("60. Wrong: 50 written; 60 is right"));
        QCOMPARE(wrong.data(Qt::BackgroundRole).value<QColor>(), ReportRecordsModel::kWrongColor);
    }

    void pdfHasTheSheetThenTheKey_data() {
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("paper");
        QTest::addColumn<int>("pages");
        QTest::newRow("20 days on A4: one page each") << 20 << int(QPageSize::A4) << 2;
        QTest::newRow("20 days on Letter") << 20 << int(QPageSize::Letter) << 2;
        QTest::newRow("100 days on A4") << 100 << int(QPageSize::A4) << 8;
    }
    void pdfHasTheSheetThenTheKey() {
        QFETCH(int, days);
        QFETCH(int, paper);
        QFETCH(int, pages);
        if (tool("pdfinfo").isEmpty() || tool("pdftotext").isEmpty()) {
            QSKIP("pdfinfo and pdftotext (poppler-utils) are not installed");
        }
        m_page->setRunInputs(testing::runInputs(), days, 7);
        const auto id = static_cast<QPageSize::PageSizeId>(paper);
        QCOMPARE(2 * worksheetPartPages(*m_page->sheet(), id), pages);
        QTemporaryDir dir;
        const QString path = dir.filePath("sheet.pdf");
        QCOMPARE(writeWorksheetPdf(path, *m_page->sheet(), id), std::nullopt);
        QVERIFY(run(tool("pdfinfo"), {path})
                    .contains(QRegularExpression(QString("Pages:\\s+%1\\n").arg(pages))));
        const QString text = run(tool("pdftotext"), {"-layout", path, "-"});
        QVERIFY(text.contains("Hand simulation worksheet"));
        QVERIFY(text.contains("Hand simulation: answer key"));
        QVERIFY(text.contains(QString("Page %1 of %1").arg(pages)));
        // The key starts on a page of its own.
        QVERIFY(text.split('\f')[pages / 2].startsWith("Hand simulation: answer key"));
    }

private:
    std::unique_ptr<ApplicationWindows> m_windows;
    WorksheetPage *m_page = nullptr;
};

QTEST_MAIN(TestWorksheetPage)
#include "tst_worksheet_page.moc"
