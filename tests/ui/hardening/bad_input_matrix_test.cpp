// Bad input through the parameter window, one table per field family. Each row
// types (or pastes) its text the way a person would and clicks "Run
// Simulation" with the mouse; a refused run must show its one message and
// leave the grid, the progress bar, "Show Results" and the pointer exactly as
// the last completed run left them. One window serves every row of a test
// function: each row sets only its own field and the others keep the values
// of the completed 100-day run made when the window was opened.
#include <QAbstractItemModel>
#include <QClipboard>
#include <QElapsedTimer>
#include <QTableView>
#include <QtTest>
#include <algorithm>
#include <memory>

#include "parameters_test_support.h"

using nv::ui::testing::ShownWindow;

namespace {

const QString kRunsOutOfRange = QStringLiteral("Number of Runs must be from 0 to 32766");
const QString kRunsNotANumber = QStringLiteral("Number of Runs must be a number");
const QString kMissing = QStringLiteral("You must supply values for all parameters");
const QString kFrequencies = QStringLiteral("Relative Frequencies must add to 1.00");
const QString kTooLarge = QStringLiteral("Price and Cost are too large for this Number of Runs");
const QString kAccepted;  // no message: the run completes

// What a refused run must not change.
struct Snapshot {
    int rows = 0;
    QStringList cells;
    int progress = 0;
    bool showEnabled = false;
    bool pointerBusy = false;
    friend bool operator==(const Snapshot &, const Snapshot &) = default;
};

// The one results window's grid, found as an assistive tool finds it.
QAbstractItemModel *gridModel() {
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QStringLiteral("frmResults")) {
            return window->findChild<QTableView *>(QStringLiteral("grdResults"))->model();
        }
    }
    qFatal("there is no results window");
    return nullptr;
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

// Day 1 under Yesterday's Demand orders 50 and sells min(demand, 50): the
// daily profit is one of three amounts, whatever the draw.
QStringList dayOneProfits(const char *sells30, const char *sells40, const char *sells50) {
    return {QString::fromLatin1(sells30), QString::fromLatin1(sells40),
            QString::fromLatin1(sells50)};
}

class Matrix {
public:
    // Valid inputs; unless told otherwise, a completed 100-day run to
    // compare against.
    explicit Matrix(bool completedRun = true) {
        QVERIFY(m_shown.active());
        enterValidInputs(completedRun);
    }

    ShownWindow &shown() { return m_shown; }

    // Replaces a list field's text by typing, as a person would, or, for a
    // text no keyboard types (a lone surrogate), by pasting with Shift+Insert.
    void typeField(const char *name, const QString &text) {
        QLineEdit *edit = m_shown.control<QComboBox>(name)->lineEdit();
        QTest::mouseClick(edit, Qt::LeftButton);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSurrogate(); })) {
            QApplication::clipboard()->setText(text);
            QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
        } else {
            typeText(edit, text);
        }
        QCOMPARE(edit->text(), text);
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

    Snapshot snapshot() {
        Snapshot s;
        s.rows = gridRows();
        for (int row : {1, 50, s.rows - 1}) {
            for (int column = 0; row >= 1 && row < s.rows && column < 6; ++column) {
                s.cells << cell(row, column);
            }
        }
        s.progress = m_shown.control<QProgressBar>("pgbRun")->value();
        s.showEnabled = m_shown.control<QPushButton>("cmdShow")->isEnabled();
        s.pointerBusy = QApplication::overrideCursor() != nullptr;
        return s;
    }

    // Clicks Run and checks the outcome: a refusal with `message` and nothing
    // changed, or (empty message) a completed run of `rows` grid rows whose
    // day-1 profit is one of `dayOne` (when given).
    void runAndExpect(const QString &message, int rows, const QStringList &dayOne = {}) {
        const Snapshot before = snapshot();
        const std::size_t messages = m_shown.messages().size();
        m_shown.click("cmdRun");
        QVERIFY(QApplication::overrideCursor() == nullptr);
        if (!message.isEmpty()) {
            QCOMPARE(m_shown.messages().size(), messages + 1);
            QCOMPARE(QString::fromStdString(m_shown.messages().back()), message);
            QCOMPARE(snapshot(), before);
            return;
        }
        QCOMPARE(m_shown.messages().size(), messages);
        QCOMPARE(gridRows(), rows);
        QVERIFY(m_shown.control<QPushButton>("cmdShow")->isEnabled());
        // A run without days leaves the bar alone; any other ends at 100.
        QCOMPARE(m_shown.control<QProgressBar>("pgbRun")->value(),
                 rows > 1 ? 100 : before.progress);
        if (rows > 1) {
            QCOMPARE(cell(rows - 1, 0), QLocale(QLocale::English).toString(rows - 1));
        }
        if (!dayOne.isEmpty()) {
            QVERIFY2(dayOne.contains(cell(1, 4)), qPrintable(cell(1, 4)));
        }
    }

private:
    void enterValidInputs(bool completedRun) {
        typeField("cboRuns", QStringLiteral("100"));
        typeField("cboPrice", QStringLiteral("4.60"));
        typeField("cboCost", QStringLiteral("2.20"));
        for (int i = 0; i < 5; ++i) {
            pasteInto(i, QStringLiteral("0.2"));
        }
        QTest::mouseClick(m_shown.control<QRadioButton>("optYesterday"), Qt::LeftButton);
        if (!completedRun) {
            return;
        }
        const std::size_t before = m_shown.messages().size();
        m_shown.click("cmdRun");
        QCOMPARE(m_shown.messages().size(), before);
        QCOMPARE(gridRows(), 101);
    }

    ShownWindow m_shown;
};

// The texts every list field is fed, with what its whole-text conversion
// makes of them; the family supplies the message each reading leads to.
void addListColumns() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("dayOne");
}

// One row per way the window can answer; how every other text converts is
// tabled once, in the conversion tests of the support library.
void addCommonRows(const QString &notANumber, const QString &outOfRange) {
    const QStringList any;
    QTest::newRow("empty") << QString() << kMissing << 0 << any;
    QTest::newRow("letters") << QStringLiteral("abc") << notANumber << 0 << any;
    QTest::newRow("1e309") << QStringLiteral("1e309") << outOfRange << 0 << any;
    QTest::newRow("blank inside") << QStringLiteral("1 0") << notANumber << 0 << any;
    QTest::newRow("lone surrogate, pasted") << QString(QChar(0xD800)) << notANumber << 0 << any;
}

}  // namespace

class BadInputMatrixTest : public QObject {
    Q_OBJECT

    // The window the rows of the current test function share.
    Matrix &matrix(bool completedRun = true) {
        const QByteArray function = QTest::currentTestFunction();
        if (!m_matrix || m_function != function) {
            m_matrix.reset();
            m_matrix = std::make_unique<Matrix>(completedRun);
            m_function = function;
        }
        return *m_matrix;
    }

    std::unique_ptr<Matrix> m_matrix;
    QByteArray m_function;

private slots:
    void numberOfRuns_data();
    void numberOfRuns();
    void price_data();
    void price();
    void cost_data();
    void cost();
    void refusalBeforeAnyRun_data();
    void refusalBeforeAnyRun();
    void conversionOrder_data();
    void conversionOrder();
    void pastedFrequency_data();
    void pastedFrequency();
    void typedFrequency_data();
    void typedFrequency();
    void meanOutOfRange();
    void megabytePasteKeepsTheWindowUsable();
    void cleanupTestCase() { m_matrix.reset(); }
};

void BadInputMatrixTest::numberOfRuns_data() {
    addListColumns();
    addCommonRows(kRunsNotANumber, kRunsOutOfRange);
    const QStringList any;
    QTest::newRow("blanks around") << QStringLiteral(" 250 ") << kAccepted << 251 << any;
    QTest::newRow("1e3") << QStringLiteral("1e3") << kAccepted << 1001 << any;
    QTest::newRow("+5") << QStringLiteral("+5") << kAccepted << 6 << any;
    QTest::newRow("32766 days") << QStringLiteral("32766") << kAccepted << 32767 << any;
    QTest::newRow("32767 days") << QStringLiteral("32767") << kRunsOutOfRange << 0 << any;
    QTest::newRow("32768 days") << QStringLiteral("32768") << kRunsOutOfRange << 0 << any;
    QTest::newRow("0: header only") << QStringLiteral("0") << kAccepted << 1 << any;
    QTest::newRow("-0.4: header only") << QStringLiteral("-0.4") << kAccepted << 1 << any;
    QTest::newRow("-0.5: no header row") << QStringLiteral("-0.5") << kRunsOutOfRange << 0 << any;
    QTest::newRow("-1") << QStringLiteral("-1") << kRunsOutOfRange << 0 << any;
    QTest::newRow("2.5: days and rows part")
        << QStringLiteral("2.5") << QStringLiteral("Number of Runs must be a whole number") << 0
        << any;
    QTest::newRow("250.4") << QStringLiteral("250.4") << kAccepted << 251 << any;
}

void BadInputMatrixTest::numberOfRuns() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(int, rows);
    Matrix &m = matrix();
    m.typeField("cboRuns", text);
    m.runAndExpect(message, rows);
}

// Price with cost 2.20: day 1 earns min(demand, 50) x price - 110.
void BadInputMatrixTest::price_data() {
    addListColumns();
    const QString outOfRange = QStringLiteral("Price is out of range");
    addCommonRows(QStringLiteral("Price must be a number"), outOfRange);
    QTest::newRow("blanks around")
        << QStringLiteral(" 4.50 ") << kAccepted << 101 << dayOneProfits("$25", "$70", "$115");
    QTest::newRow("1e3") << QStringLiteral("1e3") << kAccepted << 101
                         << dayOneProfits("$29,890", "$39,890", "$49,890");
    QTest::newRow("+5") << QStringLiteral("+5") << kAccepted << 101
                        << dayOneProfits("$40", "$90", "$140");
    QTest::newRow("largest amount")
        << QStringLiteral("922337203685477.5807") << kTooLarge << 0 << QStringList();
    QTest::newRow("past the largest")
        << QStringLiteral("922337203685477.5808") << outOfRange << 0 << QStringList();
    QTest::newRow("smallest amount")
        << QStringLiteral("-922337203685477.5808") << kTooLarge << 0 << QStringList();
    QTest::newRow("past the smallest")
        << QStringLiteral("-922337203685477.5809") << outOfRange << 0 << QStringList();
}

void BadInputMatrixTest::price() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(int, rows);
    QFETCH(QStringList, dayOne);
    Matrix &m = matrix();
    m.typeField("cboPrice", text);
    m.runAndExpect(message, rows, dayOne);
}

// Cost with price 4.60: day 1 earns 4.60 x min(demand, 50) - 50 x cost.
void BadInputMatrixTest::cost_data() {
    addListColumns();
    const QString outOfRange = QStringLiteral("Cost is out of range");
    addCommonRows(QStringLiteral("Cost must be a number"), outOfRange);
    QTest::newRow("blanks around")
        << QStringLiteral(" 2.10 ") << kAccepted << 101 << dayOneProfits("$33", "$79", "$125");
    QTest::newRow("1e3: a loss every day") << QStringLiteral("1e3") << kAccepted << 101
                                           << dayOneProfits("-$49,862", "-$49,816", "-$49,770");
    QTest::newRow("+5") << QStringLiteral("+5") << kAccepted << 101
                        << dayOneProfits("-$112", "-$66", "-$20");
    QTest::newRow("largest amount")
        << QStringLiteral("922337203685477.5807") << kTooLarge << 0 << QStringList();
    QTest::newRow("past the largest")
        << QStringLiteral("922337203685477.5808") << outOfRange << 0 << QStringList();
    QTest::newRow("smallest amount")
        << QStringLiteral("-922337203685477.5808") << kTooLarge << 0 << QStringList();
    QTest::newRow("past the smallest")
        << QStringLiteral("-922337203685477.5809") << outOfRange << 0 << QStringList();
}

void BadInputMatrixTest::cost() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(int, rows);
    QFETCH(QStringList, dayOne);
    Matrix &m = matrix();
    m.typeField("cboCost", text);
    m.runAndExpect(message, rows, dayOne);
}

// Refused before any run: the grid keeps its initial two rows (the header and
// one empty row), the bar stays at 0 and "Show Results" stays disabled.
void BadInputMatrixTest::refusalBeforeAnyRun_data() {
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("valid");  // the field's text again for the next row
    QTest::newRow("runs") << QByteArray("cboRuns") << "32767" << kRunsOutOfRange << "100";
    QTest::newRow("price") << QByteArray("cboPrice") << "1e309"
                           << "Price is out of range"
                           << "4.60";
    QTest::newRow("cost") << QByteArray("cboCost") << "&H10"
                          << "Cost must be a number"
                          << "2.20";
}

void BadInputMatrixTest::refusalBeforeAnyRun() {
    QFETCH(QByteArray, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(QString, valid);
    Matrix &m = matrix(false);
    QCOMPARE(gridRows(), 2);
    QCOMPARE(cell(1, 0), QString());
    QCOMPARE(m.shown().control<QProgressBar>("pgbRun")->value(), 0);
    QVERIFY(!m.shown().control<QPushButton>("cmdShow")->isEnabled());
    m.typeField(field.constData(), text);
    m.runAndExpect(message, 0);
    m.typeField(field.constData(), valid);
}

// Several bad fields at once: emptiness first, then cost, price, Number of
// Runs, and only then whether the amounts fit the run.
void BadInputMatrixTest::conversionOrder_data() {
    QTest::addColumn<QString>("runs");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("cost");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty before not a number") << "many"
                                               << ""
                                               << "abc" << kMissing;
    QTest::newRow("cost first") << "many"
                                << "xyz"
                                << "abc"
                                << "Cost must be a number";
    QTest::newRow("cost out of range first") << "many"
                                             << "xyz"
                                             << "1e309"
                                             << "Cost is out of range";
    QTest::newRow("price before runs") << "many"
                                       << "xyz"
                                       << "2.20"
                                       << "Price must be a number";
    QTest::newRow("runs before the amounts") << "32767"
                                             << "922337203685477.5807"
                                             << "2.20" << kRunsOutOfRange;
}

void BadInputMatrixTest::conversionOrder() {
    QFETCH(QString, runs);
    QFETCH(QString, price);
    QFETCH(QString, cost);
    QFETCH(QString, message);
    Matrix &m = matrix();
    m.typeField("cboRuns", runs);
    m.typeField("cboPrice", price);
    m.typeField("cboCost", cost);
    m.runAndExpect(message, 0);
}

// Pasted into txt35 while the other four boxes hold 0.2 each: the box reads
// its leading number, so only a reading of exactly 0.2 lets the run go. The
// total is the double sum x 10,000 rounded to a whole count of ten-thousandths;
// "####" when that count is past the Currency range.
void BadInputMatrixTest::pastedFrequency_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("total");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("empty") << QString() << "0.80" << false;
    QTest::newRow("blanks inside") << QStringLiteral("0 . 2") << "1.00" << true;
    QTest::newRow("line feed inside") << QStringLiteral("0.\n2") << "1.00" << true;
    QTest::newRow("leading number then letters") << QStringLiteral("0.2abc") << "1.00" << true;
    QTest::newRow("1,5 reads 1") << QStringLiteral("1,5") << "1.80" << false;
    QTest::newRow("1e309 is infinite") << QStringLiteral("1e309") << "####" << false;
    // -0.8 + 0.2 + 0.2 + 0.2 + 0.2 in double is about -1e-16: a zero total.
    QTest::newRow("negative, total zero") << QStringLiteral("-0.8") << "0.00" << false;
    QTest::newRow("lone surrogate after the number")
        << QStringLiteral("0.2") + QChar(0xDC00) << "1.00" << true;
    QTest::newRow("lone surrogate before the number")
        << QChar(0xD800) + QStringLiteral("0.2") << "0.80" << false;
    // The double sum is 922337203685477 exactly; x 10,000 it rounds to the
    // double 2^63 - 6,144, inside the range: ...476.9664 shows as ...476.97.
    QTest::newRow("total just inside the amounts")
        << QStringLiteral("922337203685476") << "922337203685476.97" << false;
    // The sum 922337203685478 x 10,000 is past 2^63.
    QTest::newRow("total just past the amounts")
        << QStringLiteral("922337203685477") << "####" << false;
}

void BadInputMatrixTest::pastedFrequency() {
    QFETCH(QString, text);
    QFETCH(QString, total);
    QFETCH(bool, accepted);
    Matrix &m = matrix();
    m.pasteInto(0, text);
    QCOMPARE(m.shown().box(0)->toPlainText(), text);  // pasting bypasses the filter
    QCOMPARE(m.shown().total()->text(), total);
    m.runAndExpect(accepted ? kAccepted : kFrequencies, 101);
}

// Typed into txt35: the key filter lets only digits, one point and Backspace
// through, with a beep for every other character.
void BadInputMatrixTest::typedFrequency_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<QString>("total");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("nothing") << QString() << QString() << 0 << "0.80" << false;
    QTest::newRow("0.2") << "0.2"
                         << "0.2" << 0 << "1.00" << true;
    QTest::newRow("blanks only") << "   " << QString() << 3 << "0.80" << false;
    QTest::newRow("blanks around") << " 0.2 "
                                   << "0.2" << 2 << "1.00" << true;
    QTest::newRow("letters") << "abc" << QString() << 3 << "0.80" << false;
    QTest::newRow("1,5") << "1,5"
                         << "15" << 1 << "15.80" << false;
    QTest::newRow("1e3") << "1e3"
                         << "13" << 1 << "13.80" << false;
    QTest::newRow("1e309") << "1e309"
                           << "1309" << 1 << "1309.80" << false;
    QTest::newRow("-1e309") << "-1e309"
                            << "1309" << 2 << "1309.80" << false;
    QTest::newRow("2e-1") << "2e-1"
                          << "21" << 2 << "21.80" << false;
    QTest::newRow("nan") << "nan" << QString() << 3 << "0.80" << false;
    QTest::newRow("inf") << "inf" << QString() << 3 << "0.80" << false;
    QTest::newRow("0x10") << "0x10"
                          << "010" << 1 << "10.80" << false;
    QTest::newRow("&H10") << "&H10"
                          << "10" << 2 << "10.80" << false;
    QTest::newRow("lone point") << "."
                                << "." << 0 << "0.80" << false;
    QTest::newRow("lone minus") << "-" << QString() << 1 << "0.80" << false;
    QTest::newRow("--5") << "--5"
                         << "5" << 2 << "5.80" << false;
    QTest::newRow("+5") << "+5"
                        << "5" << 1 << "5.80" << false;
    QTest::newRow("-0.2") << "-0.2"
                          << "0.2" << 1 << "1.00" << true;
    QTest::newRow("+.2") << "+.2"
                         << ".2" << 1 << "1.00" << true;
    QTest::newRow("two points") << "0..2"
                                << "0.2" << 1 << "1.00" << true;
    QTest::newRow("Arabic-Indic digit") << "\u0663" << QString() << 1 << "0.80" << false;
    QTest::newRow("fullwidth digit") << "\uFF13" << QString() << 1 << "0.80" << false;
    QTest::newRow("fifteen digits, total inside")
        << "922337203685476"
        << "922337203685476" << 0 << "922337203685476.97" << false;
    QTest::newRow("fifteen digits, total past") << "922337203685477"
                                                << "922337203685477" << 0 << "####" << false;
    QTest::newRow("sixteen digits") << "9999999999999999"
                                    << "9999999999999999" << 0 << "####" << false;
}

void BadInputMatrixTest::typedFrequency() {
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(int, beeps);
    QFETCH(QString, total);
    QFETCH(bool, accepted);
    Matrix &m = matrix();
    m.pasteInto(0, QString());
    const int beepsBefore = m.shown().beeps();
    typeText(m.shown().box(0), typed);
    QCOMPARE(m.shown().box(0)->toPlainText(), kept);
    QCOMPARE(m.shown().beeps() - beepsBefore, beeps);
    QCOMPARE(m.shown().total()->text(), total);
    m.runAndExpect(accepted ? kAccepted : kFrequencies, 101);
}

// Frequencies that add to exactly 1 but whose mean daily demand is past the
// amounts: Average Annual Demand, which orders the mean, is refused; Yesterday's
// Demand never uses the mean and runs.
void BadInputMatrixTest::meanOutOfRange() {
    Matrix &m = matrix();
    const QStringList texts = {"900000000000000", "-900000000000000", "0.2", "0.2", "0.6"};
    for (int i = 0; i < 5; ++i) {
        m.pasteInto(i, texts[i]);
    }
    QCOMPARE(m.shown().total()->text(), QStringLiteral("1.00"));
    QTest::mouseClick(m.shown().control<QRadioButton>("optAnnual"), Qt::LeftButton);
    m.runAndExpect(QStringLiteral("The mean daily demand is out of range"), 0);
    QTest::mouseClick(m.shown().control<QRadioButton>("optYesterday"), Qt::LeftButton);
    m.runAndExpect(kAccepted, 101);
    QCOMPARE(cell(1, 1), QStringLiteral("30"));  // every draw falls in the first class
}

// A megabyte pasted into a frequency box: the total follows it, the stored
// value is its leading number, and the window goes on working.
void BadInputMatrixTest::megabytePasteKeepsTheWindowUsable() {
    Matrix &m = matrix();
    QPlainTextEdit *box = m.shown().box(0);
    const QString huge = QStringLiteral("0.2") + QString(1 << 20, QLatin1Char('0'));
    QElapsedTimer timer;
    timer.start();
    m.pasteInto(0, huge);
    const qint64 pasteMs = timer.elapsed();
    QCOMPARE(box->toPlainText().size(), huge.size());
    QCOMPARE(m.shown().total()->text(), QStringLiteral("1.00"));
    timer.restart();
    m.shown().window().txt35_Change();
    const qint64 changeMs = timer.elapsed();
    qInfo("1 MB: paste and total %lld ms, txt35_Change alone %lld ms", pasteMs, changeMs);

    // Typing at its end still goes through the key filter and the total.
    box->moveCursor(QTextCursor::End);
    const int beeps = m.shown().beeps();
    QTest::keyClick(box, '.');
    QCOMPARE(m.shown().beeps(), beeps + 1);
    QTest::keyClick(box, '5');
    QCOMPARE(box->toPlainText().size(), huge.size() + 1);
    QCOMPARE(m.shown().total()->text(), QStringLiteral("1.00"));
    m.runAndExpect(kAccepted, 101);

    // A megabyte of digits is past every amount; one of letters reads 0.
    m.pasteInto(0, QString(1 << 20, QLatin1Char('9')));
    QCOMPARE(m.shown().total()->text(), QStringLiteral("####"));
    m.runAndExpect(kFrequencies, 0);
    m.pasteInto(0, QString(1 << 20, QLatin1Char('x')));
    QCOMPARE(m.shown().total()->text(), QStringLiteral("0.80"));
    m.runAndExpect(kFrequencies, 0);
}

QTEST_MAIN(BadInputMatrixTest)
#include "bad_input_matrix_test.moc"
