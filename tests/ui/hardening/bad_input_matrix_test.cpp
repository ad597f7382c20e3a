// Bad input through the parameter window, one table per field family. Each row
// types (or pastes) its text the way a person would and clicks "Run
// Simulation" with the mouse; a refused run must show its one message and
// leave the grid, the progress bar, "Show Results" and the pointer exactly as
// the completed run before it left them.
#include <QAbstractItemModel>
#include <QClipboard>
#include <QElapsedTimer>
#include <QTableView>
#include <QtTest>

#include "parameters_test_support.h"
#include "ui/results/frm_results.h"
#include "ui/toolkit/qt/results_grid_view.h"

using nv::ui::testing::ShownWindow;

namespace {

const QString kRunsOutOfRange = QStringLiteral("Number of Runs must be from 0 to 32766");
const QString kRunsNotANumber = QStringLiteral("Number of Runs must be a number");
const QString kMissing = QStringLiteral("You must supply values for all parameters");
const QString kFrequencies = QStringLiteral("Relative Frequencies must add to 1.00");
const QString kTooLarge = QStringLiteral("Price and Cost are too large for this Number of Runs");

// What a refused run must not change.
struct Snapshot {
    int rows = 0;
    QStringList cells;
    int progress = 0;
    bool showEnabled = false;
    bool pointerBusy = false;
    friend bool operator==(const Snapshot &, const Snapshot &) = default;
};

QAbstractItemModel *gridModel() {
    return nv::ui::frmResults().findChild<QTableView *>(QStringLiteral("grdResults"))->model();
}

// The text of grid row `row` (1 and up) in `column`.
QString cell(int row, int column) {
    QAbstractItemModel *model = gridModel();
    return model->data(model->index(row - 1, column)).toString();
}

// Grid rows, the header row counted.
int gridRows() {
    return gridModel()->rowCount() + 1;
}

// Types each character of text as one key press, as a keyboard or an input
// method delivers it (QTest::keyClicks takes Latin-1 only).
void typeText(QWidget *widget, const QString &text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, c.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

class Matrix {
public:
    Matrix() { QVERIFY(m_shown.active()); }

    ShownWindow &shown() { return m_shown; }

    // Replaces a list field's text by typing, as a person would.
    void typeField(const char *name, const QString &text) {
        QLineEdit *edit = m_shown.control<QComboBox>(name)->lineEdit();
        QTest::mouseClick(edit, Qt::LeftButton);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        typeText(edit, text);
    }

    // Clears frequency box `index` with the Delete key and pastes `text`
    // with Shift+Insert, which bypasses the key filter.
    void pasteInto(int index, const QString &text) {
        QPlainTextEdit *box = m_shown.box(index);
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QApplication::clipboard()->setText(text);
        QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    }

    // Valid inputs, then a completed 100-day run to compare against.
    void completedBaseline() {
        typeField("cboRuns", QStringLiteral("100"));
        typeField("cboPrice", QStringLiteral("4.60"));
        typeField("cboCost", QStringLiteral("2.20"));
        for (int i = 0; i < 5; ++i) {
            pasteInto(i, QStringLiteral("0.2"));
        }
        QTest::mouseClick(m_shown.control<QRadioButton>("optYesterday"), Qt::LeftButton);
        const std::size_t before = m_shown.messages().size();
        m_shown.click("cmdRun");
        QCOMPARE(m_shown.messages().size(), before);
        QCOMPARE(gridRows(), 101);
    }

    Snapshot snapshot() {
        Snapshot s;
        s.rows = gridRows();
        for (int row : {1, 50, s.rows - 1}) {
            for (int column = 0; column < 6; ++column) {
                s.cells << cell(row, column);
            }
        }
        s.progress = m_shown.control<QProgressBar>("pgbRun")->value();
        s.showEnabled = m_shown.control<QPushButton>("cmdShow")->isEnabled();
        s.pointerBusy = QApplication::overrideCursor() != nullptr;
        return s;
    }

    // Clicks Run and checks the outcome: a refusal with `message` and nothing
    // changed, or (empty message) a completed run of `rows` grid rows.
    void runAndExpect(const QString &message, int rows) {
        const Snapshot before = snapshot();
        const std::size_t messages = m_shown.messages().size();
        m_shown.click("cmdRun");
        QVERIFY(QApplication::overrideCursor() == nullptr);
        if (!message.isEmpty()) {
            QCOMPARE(m_shown.messages().size(), messages + 1);
            QCOMPARE(QString::fromStdString(m_shown.messages().back()), message);
            QCOMPARE(snapshot(), before);
        } else {
            QCOMPARE(m_shown.messages().size(), messages);
            QCOMPARE(gridRows(), rows);
            QVERIFY(m_shown.control<QPushButton>("cmdShow")->isEnabled());
            if (rows > 1) {
                QCOMPARE(cell(rows - 1, 0), QLocale(QLocale::English).toString(rows - 1));
            }
        }
    }

private:
    ShownWindow m_shown;
};

// The texts every family is fed, with what a whole-text field makes of them.
// The family's own table supplies the message each reading leads to.
void addCommonRows(const QString &notANumber, const QString &outOfRange) {
    QTest::newRow("empty") << QString() << kMissing << 0;
    QTest::newRow("blanks only") << QStringLiteral("   ") << notANumber << 0;
    QTest::newRow("letters") << QStringLiteral("abc") << notANumber << 0;
    QTest::newRow("1,5") << QStringLiteral("1,5") << notANumber << 0;
    QTest::newRow("1e309") << QStringLiteral("1e309") << outOfRange << 0;
    QTest::newRow("-1e309") << QStringLiteral("-1e309") << outOfRange << 0;
    QTest::newRow("nan") << QStringLiteral("nan") << notANumber << 0;
    QTest::newRow("inf") << QStringLiteral("inf") << notANumber << 0;
    QTest::newRow("0x10") << QStringLiteral("0x10") << notANumber << 0;
    QTest::newRow("&H10") << QStringLiteral("&H10") << notANumber << 0;
    QTest::newRow("lone point") << QStringLiteral(".") << notANumber << 0;
    QTest::newRow("lone minus") << QStringLiteral("-") << notANumber << 0;
    QTest::newRow("--5") << QStringLiteral("--5") << notANumber << 0;
    QTest::newRow("1e (no exponent digits)") << QStringLiteral("1e") << notANumber << 0;
    QTest::newRow("Arabic-Indic three") << QStringLiteral("\u0663") << notANumber << 0;
    QTest::newRow("fullwidth three") << QStringLiteral("\uFF13") << notANumber << 0;
    QTest::newRow("digit then letter") << QStringLiteral("25x") << notANumber << 0;
}

}  // namespace

class BadInputMatrixTest : public QObject {
    Q_OBJECT

private slots:
    void numberOfRuns_data();
    void numberOfRuns();
    void price_data();
    void price();
    void cost_data();
    void cost();
    void pastedFrequency_data();
    void pastedFrequency();
    void typedFrequency_data();
    void typedFrequency();
    void megabytePasteKeepsTheWindowUsable();
    void cleanup() { nv::ui::destroyResultsWindow(); }
};

void BadInputMatrixTest::numberOfRuns_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("rows");
    addCommonRows(kRunsNotANumber, kRunsOutOfRange);
    QTest::newRow("blanks around") << QStringLiteral(" 250 ") << QString() << 251;
    QTest::newRow("1e3") << QStringLiteral("1e3") << QString() << 1001;
    QTest::newRow("+5") << QStringLiteral("+5") << QString() << 6;
    QTest::newRow("32766 days") << QStringLiteral("32766") << QString() << 32767;
    QTest::newRow("32767 days") << QStringLiteral("32767") << kRunsOutOfRange << 0;
    QTest::newRow("32768 days") << QStringLiteral("32768") << kRunsOutOfRange << 0;
    QTest::newRow("-0.4: no days, header only") << QStringLiteral("-0.4") << QString() << 1;
    QTest::newRow("-0.5: no header row") << QStringLiteral("-0.5") << kRunsOutOfRange << 0;
    QTest::newRow("-1") << QStringLiteral("-1") << kRunsOutOfRange << 0;
    QTest::newRow("2.5: days and rows part")
        << QStringLiteral("2.5") << QStringLiteral("Number of Runs must be a whole number") << 0;
    QTest::newRow("250.4") << QStringLiteral("250.4") << QString() << 251;
}

void BadInputMatrixTest::numberOfRuns() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(int, rows);
    Matrix m;
    m.completedBaseline();
    m.typeField("cboRuns", text);
    m.runAndExpect(message, rows);
}

void BadInputMatrixTest::price_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("rows");
    const QString outOfRange = QStringLiteral("Price is out of range");
    addCommonRows(QStringLiteral("Price must be a number"), outOfRange);
    QTest::newRow("blanks around") << QStringLiteral(" 4.50 ") << QString() << 101;
    QTest::newRow("1e3") << QStringLiteral("1e3") << QString() << 101;
    QTest::newRow("+5") << QStringLiteral("+5") << QString() << 101;
    QTest::newRow("largest amount") << QStringLiteral("922337203685477.5807") << kTooLarge << 0;
    QTest::newRow("past the largest") << QStringLiteral("922337203685477.5808") << outOfRange << 0;
    QTest::newRow("smallest amount") << QStringLiteral("-922337203685477.5808") << kTooLarge << 0;
    QTest::newRow("past the smallest")
        << QStringLiteral("-922337203685477.5809") << outOfRange << 0;
}

void BadInputMatrixTest::price() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(int, rows);
    Matrix m;
    m.completedBaseline();
    m.typeField("cboPrice", text);
    m.runAndExpect(message, rows);
}

void BadInputMatrixTest::cost_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("rows");
    const QString outOfRange = QStringLiteral("Cost is out of range");
    addCommonRows(QStringLiteral("Cost must be a number"), outOfRange);
    QTest::newRow("blanks around") << QStringLiteral(" 2.10 ") << QString() << 101;
    QTest::newRow("1e3: a loss every day") << QStringLiteral("1e3") << QString() << 101;
    QTest::newRow("+5") << QStringLiteral("+5") << QString() << 101;
    QTest::newRow("largest amount") << QStringLiteral("922337203685477.5807") << kTooLarge << 0;
    QTest::newRow("past the largest") << QStringLiteral("922337203685477.5808") << outOfRange << 0;
    QTest::newRow("smallest amount") << QStringLiteral("-922337203685477.5808") << kTooLarge << 0;
    QTest::newRow("past the smallest")
        << QStringLiteral("-922337203685477.5809") << outOfRange << 0;
}

void BadInputMatrixTest::cost() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(int, rows);
    Matrix m;
    m.completedBaseline();
    m.typeField("cboCost", text);
    m.runAndExpect(message, rows);
}

// Pasted into txt35 while the other four boxes hold 0.2 each: the box reads
// its leading number, so only a reading of exactly 0.2 lets the run go.
void BadInputMatrixTest::pastedFrequency_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("total");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("empty") << QString() << "0.80" << false;
    QTest::newRow("blanks only") << QStringLiteral("   ") << "0.80" << false;
    QTest::newRow("blanks around") << QStringLiteral(" 0.2 ") << "1.00" << true;
    QTest::newRow("blanks inside") << QStringLiteral("0 . 2") << "1.00" << true;
    QTest::newRow("line feed inside") << QStringLiteral("0.\n2") << "1.00" << true;
    QTest::newRow("letters") << QStringLiteral("abc") << "0.80" << false;
    QTest::newRow("leading number then letters") << QStringLiteral("0.2abc") << "1.00" << true;
    QTest::newRow("1,5 reads 1") << QStringLiteral("1,5") << "1.80" << false;
    QTest::newRow("0,2 reads 0") << QStringLiteral("0,2") << "0.80" << false;
    QTest::newRow("2e-1") << QStringLiteral("2e-1") << "1.00" << true;
    QTest::newRow("1e3") << QStringLiteral("1e3") << "1000.80" << false;
    QTest::newRow("1e309 is infinite") << QStringLiteral("1e309") << "####" << false;
    QTest::newRow("-1e309 is infinite") << QStringLiteral("-1e309") << "####" << false;
    QTest::newRow("nan reads 0") << QStringLiteral("nan") << "0.80" << false;
    QTest::newRow("inf reads 0") << QStringLiteral("inf") << "0.80" << false;
    QTest::newRow("0x10 reads 0") << QStringLiteral("0x10") << "0.80" << false;
    QTest::newRow("&H10 reads 0") << QStringLiteral("&H10") << "0.80" << false;
    QTest::newRow("lone point") << QStringLiteral(".") << "0.80" << false;
    QTest::newRow("lone minus") << QStringLiteral("-") << "0.80" << false;
    QTest::newRow("--5 reads 0") << QStringLiteral("--5") << "0.80" << false;
    QTest::newRow("+5") << QStringLiteral("+5") << "5.80" << false;
    QTest::newRow("negative") << QStringLiteral("-0.2") << "0.60" << false;
    QTest::newRow("Arabic-Indic digit") << QStringLiteral("\u0663") << "0.80" << false;
    QTest::newRow("fullwidth digit") << QStringLiteral("\uFF13") << "0.80" << false;
    // 922337203685477.5807 is held (as the nearest double, ...477.5), but the
    // total passes the largest amount: the label and the sum check both say so.
    QTest::newRow("largest amount") << QStringLiteral("922337203685477.5807") << "####" << false;
    QTest::newRow("beyond the amounts") << QStringLiteral("1e15") << "####" << false;
}

void BadInputMatrixTest::pastedFrequency() {
    QFETCH(QString, text);
    QFETCH(QString, total);
    QFETCH(bool, accepted);
    Matrix m;
    m.completedBaseline();
    m.pasteInto(0, text);
    QCOMPARE(m.shown().box(0)->toPlainText(), text);  // pasting bypasses the filter
    QCOMPARE(m.shown().total()->text(), total);
    m.runAndExpect(accepted ? QString() : kFrequencies, 101);
}

// Typed into txt35: the key filter lets only digits, one point and Backspace
// through, with a beep for every other character.
void BadInputMatrixTest::typedFrequency_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("0.2") << QStringLiteral("0.2") << QStringLiteral("0.2") << 0 << true;
    QTest::newRow("blanks around") << QStringLiteral(" 0.2 ") << QStringLiteral("0.2") << 2 << true;
    QTest::newRow("letters") << QStringLiteral("abc") << QString() << 3 << false;
    QTest::newRow("1,5") << QStringLiteral("1,5") << QStringLiteral("15") << 1 << false;
    QTest::newRow("2e-1") << QStringLiteral("2e-1") << QStringLiteral("21") << 2 << false;
    QTest::newRow("-0.2") << QStringLiteral("-0.2") << QStringLiteral("0.2") << 1 << true;
    QTest::newRow("+.2") << QStringLiteral("+.2") << QStringLiteral(".2") << 1 << true;
    QTest::newRow("two points") << QStringLiteral("0..2") << QStringLiteral("0.2") << 1 << true;
    QTest::newRow("Arabic-Indic digit") << QStringLiteral("\u0663") << QString() << 1 << false;
    QTest::newRow("fullwidth digit") << QStringLiteral("\uFF13") << QString() << 1 << false;
    QTest::newRow("sixteen digits")
        << QStringLiteral("9999999999999999") << "9999999999999999" << 0 << false;
}

void BadInputMatrixTest::typedFrequency() {
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(int, beeps);
    QFETCH(bool, accepted);
    Matrix m;
    m.completedBaseline();
    m.pasteInto(0, QString());
    const int beepsBefore = m.shown().beeps();
    typeText(m.shown().box(0), typed);
    QCOMPARE(m.shown().box(0)->toPlainText(), kept);
    QCOMPARE(m.shown().beeps() - beepsBefore, beeps);
    m.runAndExpect(accepted ? QString() : kFrequencies, 101);
}

// A megabyte pasted into a frequency box: the total follows it, the stored
// value is its leading number, and the window goes on working.
void BadInputMatrixTest::megabytePasteKeepsTheWindowUsable() {
    Matrix m;
    m.completedBaseline();
    const QString huge = QStringLiteral("0.2") + QString(1 << 20, QLatin1Char('0'));
    QElapsedTimer timer;
    timer.start();
    m.pasteInto(0, huge);
    const qint64 pasteMs = timer.elapsed();
    qInfo("pasting 1 MB and updating the total took %lld ms", pasteMs);
    QCOMPARE(m.shown().box(0)->toPlainText().size(), huge.size());
    QCOMPARE(m.shown().total()->text(), QStringLiteral("1.00"));
    m.runAndExpect(QString(), 101);

    // A megabyte of letters reads 0 and is refused by the sum check.
    m.pasteInto(0, QString(1 << 20, QLatin1Char('x')));
    QCOMPARE(m.shown().total()->text(), QStringLiteral("0.80"));
    m.runAndExpect(kFrequencies, 0);
}

QTEST_MAIN(BadInputMatrixTest)
#include "bad_input_matrix_test.moc"
