// The Analysis window's Worksheet page, opened through the presenter as the
// Analyze menu opens it: the sheet and its key, pasted numbers and their
// dialog, days and seed from the keyboard, refusals, the marking of a
// student's sheet and what a screen reader reads (its pages on paper:
// tst_worksheet_print.cpp).
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include "app/application_windows.h"
#include "compare_test_support.h"
#include "ui/analysis/frm_analysis.h"
#include "ui/analysis/worksheet_page.h"
#include "ui/analysis/worksheet_text_dialog.h"
#include "ui/toolkit/qt/report_records_model.h"
#include "ui/toolkit/qt/report_table_view.h"

using namespace nv::ui;

namespace {

// Demand, order, sales, daily and cumulative profit: columns 2..6.
QString cell(WorksheetPage &page, int day, int column) {
    return page.sheetModel().index(day - 1, column).data().toString();
}

QString accessibleName(QWidget *widget) {
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face != nullptr ? face->text(QAccessible::Name) : QString();
}

const char *const kTwoDays =
    "day,demand,order,sales,daily_profit,cumulative_profit\n"
    "1,30,50,30,$28.00,28\n2,50,30,30,72,\n";

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
        for (QWidget *control : m_page->findChildren<QWidget *>()) {
            // A spin box's or a combo box's own line edit is part of it; a
            // label showing nothing has nothing to read.
            const QWidget *owner = control->parentWidget();
            const bool part = qobject_cast<const QAbstractSpinBox *>(owner) != nullptr ||
                              qobject_cast<const QComboBox *>(owner) != nullptr;
            const auto *label = qobject_cast<const QLabel *>(control);
            if (!part && control->focusPolicy() != Qt::NoFocus && control->isVisibleTo(m_page) &&
                (label == nullptr || !label->text().isEmpty())) {
                QVERIFY2(!control->objectName().isEmpty() && !accessibleName(control).isEmpty(),
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
        m_page->setTextAsker(
            [&numbers](QWidget *, const QString &, const QString &, const TextCheck &) {
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
        QVERIFY(m_page->checkAnswers(kTwoDays));
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

    // A file checked after a save: the status line tells the check, not the save.
    void statusAfterACheckNamesTheFileAndScore() {
        QVERIFY(m_page->pasteNumbers("07\n70\n"));
        QTemporaryDir dir;
        const QString pdf = dir.filePath("sheet.pdf");
        const QString csv = dir.filePath("student.csv");
        QFile file(csv);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kTwoDays);
        file.close();
        m_page->setSaveFileChooser([&pdf](auto &&...) { return pdf; });
        m_page->setOpenFileChooser([&csv](auto &&...) { return csv; });
        QTest::mouseClick(&m_page->cmdSavePdf(), Qt::LeftButton);
        QCOMPARE(m_page->lblStatus().text(), QString("Saved %1").arg(pdf));
        QTest::mouseClick(&m_page->cmdCheckAnswers(), Qt::LeftButton);
        QCOMPARE(m_page->lblStatus().text(),
                 QString("Checked %1: 8 of 10 cells right (80.0%)").arg(csv));
        QVERIFY(m_page->checkAnswers(kTwoDays));
        QCOMPARE(m_page->lblStatus().text(),
                 QString("Checked the pasted answers: 8 of 10 cells right (80.0%)"));
    }

    // The key as the page shows it, typed back by a student, is all right,
    // whatever the locale writes (ctest runs this one in German too).
    void keyAsShownReadsBack() {
        m_page->setRunInputs(testing::runInputs(), 20, 7);
        m_page->chkAnswers().setChecked(true);
        QStringList lines{"day,demand,order,sales,daily_profit,cumulative_profit"};
        for (int day = 1; day <= 20; ++day) {
            QStringList fields{cell(*m_page, day, 0)};
            for (int column = 2; column <= 6; ++column) {
                fields << '"' + cell(*m_page, day, column) + '"';
            }
            lines << fields.join(',');
        }
        QVERIFY(m_page->checkAnswers(lines.join('\n')));
        QVERIFY2(m_page->lblScore().text().startsWith("Score: 100 of 100 cells right"),
                 qPrintable(lines.join('\n')));
    }

    // Enter applies the field it is pressed in, even after Tab passed New
    // Seed; what the sheet cannot take is refused beside the field and the
    // sheet (interval table included) stays as it was.
    void enterAppliesTheField_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("days");
        QTest::addColumn<QString>("seed");
        QTest::addColumn<QString>("refusal");
        const QString seedRefused(
            "The seed must be a whole number from 0 to 18446744073709551615; the sheet keeps "
            "seed 42");
        const QString daysRefused("The sheet has from 1 to 1,000 days; %1 is not taken");
        QTest::newRow("seed") << "txtSeed"
                              << "12345" << 2 << "12345" << QString();
        QTest::newRow("seed too large") << "txtSeed"
                                        << "18446744073709551616" << 2 << "42" << seedRefused;
        QTest::newRow("no seed") << "txtSeed"
                                 << "" << 2 << "42" << seedRefused;
        QTest::newRow("seed with a sign") << "txtSeed"
                                          << "-5" << 2 << "42" << seedRefused;
        QTest::newRow("days") << "spnDays"
                              << "30" << 30 << "42" << QString();
        QTest::newRow("days too many") << "spnDays"
                                       << "5000" << 2 << "42" << daysRefused.arg("5,000");
        QTest::newRow("no days") << "spnDays"
                                 << "0" << 2 << "42" << daysRefused.arg(0);
    }
    void enterAppliesTheField() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(int, days);
        QFETCH(QString, seed);
        QFETCH(QString, refusal);
        QVERIFY(activate());
        m_page->cmdNewSeed().setFocus();
        QTest::keyClick(&m_page->cmdNewSeed(), Qt::Key_Tab);
        auto *input = m_page->findChild<QWidget *>(field);
        input->setFocus();
        QTest::keyClick(input, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(input, Qt::Key_Backspace);
        QTest::keyClicks(input, typed);
        QTest::keyClick(input, Qt::Key_Return);
        QCOMPARE(m_page->sheet()->plan().days(), days);
        QCOMPARE(QString::number(*m_page->sheet()->seed()), seed);
        QCOMPARE(m_page->tblIntervals().model()->rowCount(), 5);
        QCOMPARE(m_page->lblFieldRefusal().text(), refusal);
        QCOMPARE(m_page->lblFieldRefusal().isVisibleTo(m_page), !refusal.isEmpty());
        if (!refusal.isEmpty()) {
            QCOMPARE(input->accessibleDescription(), refusal);
            // Leaving the field puts the sheet's value back.
            m_page->cboPaper().setFocus();
            QCOMPARE(m_page->spnDays().value(), days);
            QCOMPARE(m_page->txtSeed().text(), seed);
        }
    }

    // What a sighted user reads in a label is its accessible name.
    void labelsAreReadAsTheyShow_data() {
        QTest::addColumn<QString>("label");
        QTest::newRow("inputs") << "lblParameters";
        QTest::newRow("score") << "lblScore";
        QTest::newRow("status") << "lblStatus";
        QTest::newRow("refusal beside the fields") << "lblFieldRefusal";
    }
    void labelsAreReadAsTheyShow() {
        QFETCH(QString, label);
        QVERIFY(m_page->checkAnswers(kTwoDays));
        m_page->txtSeed().setText("x");
        QTest::keyClick(&m_page->txtSeed(), Qt::Key_Enter);
        auto *shown = m_page->findChild<QLabel *>(label);
        QVERIFY(!shown->text().isEmpty());
        QCOMPARE(accessibleName(shown), shown->text());
    }

    // Tab walks the page's controls in order, the sheet then Paper, and only
    // then leaves the page (for the tab bar), coming back at the first
    // control; Shift+Tab walks back.
    void tabWalksThePageInOrder() {
        QVERIFY(activate());
        const QStringList order{"spnDays",      "txtSeed",    "cmdNewSeed",      "cmdPasteNumbers",
                                "tblIntervals", "chkAnswers", "cmdCheckAnswers", "cmdPasteAnswers",
                                "tblSheet",     "cboPaper",   "cmdPrint",        "cmdSavePdf",
                                "cmdSaveCsv"};
        m_page->spnDays().setFocus();
        QStringList walked;
        for (int i = 0; i < order.size() + 2; ++i) {
            QWidget *focus = QApplication::focusWidget();
            walked << (m_page->isAncestorOf(focus) ? focus->objectName() : QString("outside"));
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QCOMPARE(walked, order + QStringList({"outside", "spnDays"}));
        m_page->cboPaper().setFocus();
        QTest::keyClick(&m_page->cboPaper(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), &m_page->tblSheet());
    }

    // The paste dialog keeps a refused text, names its line and puts the
    // cursor there; Tab leaves the box, Ctrl+Tab types a tab.
    void pasteDialogKeepsARefusedText() {
        bool checked = false;
        QTimer::singleShot(0, this, [this, &checked] {
            auto *dialog = qobject_cast<WorksheetTextDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            const auto closer = qScopeGuard([dialog] {
                if (dialog->isVisible()) {
                    dialog->reject();
                }
            });
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            QPlainTextEdit &box = dialog->txtPasted();
            box.setFocus();
            QTest::keyClicks(&box, "07");
            QTest::keyClick(&box, Qt::Key_Return);
            QTest::keyClick(&box, Qt::Key_Tab, Qt::ControlModifier);
            QTest::keyClick(&box, Qt::Key_Return);
            QTest::keyClicks(&box, "70");
            QTest::keyClick(&box, Qt::Key_Tab);
            QCOMPARE(box.toPlainText(), QString("07\n\t\n70"));
            QVERIFY(!box.hasFocus());
            QTest::mouseClick(&dialog->cmdOk(), Qt::LeftButton);
            QVERIFY(dialog->isVisible());
            QCOMPARE(box.toPlainText(), QString("07\n\t\n70"));
            const QString refusal(
                "Line 2 of the random numbers holds only blanks (1 tab); it should hold a "
                "2-digit number");
            QCOMPARE(dialog->lblRefusal().text(), refusal);
            QCOMPARE(accessibleName(&dialog->lblRefusal()), refusal);
            QCOMPARE(box.textCursor().block().blockNumber(), 1);
            box.setPlainText("07 \n70\n");
            QTest::mouseClick(&dialog->cmdOk(), Qt::LeftButton);
            QVERIFY(!dialog->isVisible());
            checked = true;
        });
        QTest::mouseClick(&m_page->cmdPasteNumbers(), Qt::LeftButton);
        QVERIFY(checked);
        QCOMPARE(m_page->lblStatus().text(), QString("Pasted random numbers of 2 digits"));
    }

private:
    bool activate() {
        m_windows->analysisWindow()->activateWindow();
        return QTest::qWaitForWindowActive(m_windows->analysisWindow());
    }

    std::unique_ptr<ApplicationWindows> m_windows;
    WorksheetPage *m_page = nullptr;
};

QTEST_MAIN(TestWorksheetPage)
#include "tst_worksheet_page.moc"
