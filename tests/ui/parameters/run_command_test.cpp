// "Run Simulation", "Show Results": what a run reads from the window, the
// store-before-click order with a real mouse click, what a completed and a
// refused run leave behind, and the modal results window.
#include <QAbstractItemView>
#include <QClipboard>
#include <QCursor>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <string>
#include <vector>

#include "parameters_test_support.h"

using nv::Currency;
using nv::ui::testing::ShownWindow;

namespace {

const std::string kSumMessage = "Relative Frequencies must add to 1.00";
const std::string kEmptyMessage = "You must supply values for all parameters";
const std::string kPolicyMessage = "You must select an Order Policy";

QAbstractItemModel *gridModel(ShownWindow &shown) {
    auto *view = shown.results().findChild<QAbstractItemView *>(QStringLiteral("grdResults"));
    return view != nullptr ? view->model() : nullptr;
}

QString gridCell(ShownWindow &shown, int row, int column) {
    QAbstractItemModel *model = gridModel(shown);
    // The grid's row 0 is the header row; the model's rows are the day rows.
    return model->index(row - 1, column).data().toString();
}

void selectOption(ShownWindow &shown, const char *name) {
    auto *option = shown.control<QRadioButton>(name);
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
}

// Records, for every paint of the progress bar, the value shown and whether
// the pointer was busy.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QProgressBar *bar) : m_bar(bar) { bar->installEventFilter(this); }
    struct Paint {
        int value;
        bool busy;
    };
    std::vector<Paint> paints;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched == m_bar && event->type() == QEvent::Paint) {
            const QCursor *cursor = QApplication::overrideCursor();
            paints.push_back(
                {m_bar->value(), cursor != nullptr && cursor->shape() == Qt::WaitCursor});
        }
        return false;
    }

private:
    QProgressBar *m_bar;
};

}  // namespace

class RunCommandTest : public QObject {
    Q_OBJECT

private slots:
    void nothingEnteredIsRefused();
    void refusals_data();
    void refusals();
    void typedValueIsStoredBeforeTheClick();
    void completedRun();
    void runIsBusyAndShowsProgressWithoutTheEventLoop();
    void refusedRunChangesNothing();
    void runReadsTheTypedListText();
    void showResults();
};

void RunCommandTest::nothingEnteredIsRefused() {
    ShownWindow shown;
    const int rowsBefore = shown.results().resultsGrid().rowCount();
    shown.click("cmdRun");
    QCOMPARE(shown.messages(), std::vector<std::string>{kSumMessage});
    QCOMPARE(shown.results().resultsGrid().rowCount(), rowsBefore);
    QCOMPARE(shown.control<QProgressBar>("pgbRun")->value(), 0);
    QVERIFY(!shown.control<QPushButton>("cmdShow")->isEnabled());
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void RunCommandTest::refusals_data() {
    QTest::addColumn<QStringList>("frequencies");
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<bool>("clearPrice");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("shownTotal");
    QTest::addColumn<QString>("message");
    const QStringList fifths{"0.2", "0.2", "0.2", "0.2", "0.2"};
    QTest::newRow("0.999 shows 1.00 but is refused")
        << QStringList{"0.2", "0.2", "0.2", "0.2", "0.199"} << false << false << "optYesterday"
        << "1.00" << QString::fromStdString(kSumMessage);
    QTest::newRow("a huge pasted value")
        << QStringList{"1e300", "0.2", "0.2", "0.2", "0.2"} << true << false << "optAnnual"
        << "####" << QString::fromStdString(kSumMessage);
    QTest::newRow("a pasted value past the range that others cancel")
        << QStringList{"1e20", "-1e20", "0.5", "0.5"} << true << false << "optAnnual"
        << "1.00" << QString::fromStdString(kSumMessage);
    QTest::newRow("empty price") << fifths << false << true << "optAnnual"
                                 << "1.00" << QString::fromStdString(kEmptyMessage);
    QTest::newRow("no order policy") << fifths << false << false << ""
                                     << "1.00" << QString::fromStdString(kPolicyMessage);
}

void RunCommandTest::refusals() {
    QFETCH(QStringList, frequencies);
    QFETCH(bool, pasted);
    QFETCH(bool, clearPrice);
    QFETCH(QString, option);
    QFETCH(QString, shownTotal);
    QFETCH(QString, message);
    ShownWindow shown;
    if (!option.isEmpty()) {
        selectOption(shown, option.toLatin1().constData());
    }
    if (clearPrice) {
        shown.control<QComboBox>("cboPrice")->lineEdit()->clear();
    }
    for (int i = 0; i < frequencies.size(); ++i) {
        if (pasted) {
            QApplication::clipboard()->setText(frequencies[i]);
            shown.typeInto(i, QString());
            shown.box(i)->paste();
        } else {
            shown.typeInto(i, frequencies[i]);
        }
    }
    QCOMPARE(shown.total()->text().replace(QLocale::system().decimalPoint(), QStringLiteral(".")),
             shownTotal);
    shown.click("cmdRun");
    QCOMPARE(shown.messages(), std::vector<std::string>{message.toStdString()});
    QVERIFY(!shown.control<QPushButton>("cmdShow")->isEnabled());
    QCOMPARE(shown.control<QProgressBar>("pgbRun")->value(), 0);
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

// With a real mouse click on "Run Simulation" while a box is being edited:
// the button takes the focus on the press, the box stores its value, and the
// click comes with the release.
void RunCommandTest::typedValueIsStoredBeforeTheClick() {
    ShownWindow shown;
    selectOption(shown, "optYesterday");
    shown.typeInto(2, QStringLiteral("1"));
    QCOMPARE(QApplication::focusWidget(), shown.box(2));
    QCOMPARE(shown.window().distribution().frequency(2), std::optional(Currency{}));

    auto *run = shown.control<QPushButton>("cmdRun");
    std::optional<Currency> storedAtPress;
    connect(run, &QPushButton::pressed, run,
            [&] { storedAtPress = *shown.window().distribution().frequency(2); });
    QSignalSpy clicks(run, &QPushButton::clicked);
    QTest::mouseClick(run, Qt::LeftButton);

    QCOMPARE(clicks.count(), 1);
    QCOMPARE(storedAtPress, Currency::fromWhole(1));
    QVERIFY(shown.messages().empty());
    QVERIFY(shown.control<QPushButton>("cmdShow")->isEnabled());
    QCOMPARE(gridCell(shown, 1, 1), QStringLiteral("50"));  // every day's demand is 50
}

void RunCommandTest::completedRun() {
    ShownWindow shown;
    selectOption(shown, "optAnnual");
    shown.typeFrequencies({"0.2", "0.2", "0.2", "0.2", "0.2"});
    shown.click("cmdRun");
    QVERIFY(shown.messages().empty());
    QCOMPARE(shown.results().resultsGrid().rowCount(), 251);
    QCOMPARE(gridCell(shown, 250, 0), QStringLiteral("250"));
    QCOMPARE(shown.control<QProgressBar>("pgbRun")->value(), 100);
    QVERIFY(shown.control<QPushButton>("cmdShow")->isEnabled());
    QVERIFY(QApplication::overrideCursor() == nullptr);
    // The run leaves the stored frequencies as they were.
    QCOMPARE(shown.window().distribution().total(), Currency::fromWhole(1));
    // "Show Results" is now a stop between "Run Simulation" and "Exit".
    QCOMPARE(QApplication::focusWidget(), shown.control<QWidget>("cmdRun"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), shown.control<QWidget>("cmdShow"));
}

void RunCommandTest::runIsBusyAndShowsProgressWithoutTheEventLoop() {
    ShownWindow shown;
    selectOption(shown, "optYesterday");
    shown.typeFrequencies({"0.1", "0.2", "0.4", "0.2", "0.1"});
    QTest::keyClick(shown.box(4), Qt::Key_Tab);
    QTest::qWait(50);  // let pending paints happen before the run
    PaintRecorder recorder(shown.control<QProgressBar>("pgbRun"));
    shown.window().cmdRun_Click();
    // Every paint recorded happened inside the run: nothing returned to the
    // event loop in between.
    QVERIFY(shown.messages().empty());
    // The bar is painted as it advances (at most once per whole number,
    // spaced in time), and its last paint shows 100.
    QVERIFY(!recorder.paints.empty());
    QVERIFY(recorder.paints.size() <= std::size_t{100});
    int previous = 0;
    for (const PaintRecorder::Paint &paint : recorder.paints) {
        QVERIFY(paint.busy);
        QVERIFY(paint.value > previous);
        previous = paint.value;
    }
    QCOMPARE(recorder.paints.front().value, 1);  // day 2 of 250: 0.8 shows as 1
    QCOMPARE(recorder.paints.back().value, 100);
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void RunCommandTest::refusedRunChangesNothing() {
    ShownWindow shown;
    selectOption(shown, "optYesterday");
    shown.typeFrequencies({"0.2", "0.2", "0.2", "0.2", "0.2"});
    shown.click("cmdRun");
    QVERIFY(shown.messages().empty());
    const QString lastDay = gridCell(shown, 250, 5);
    const QString firstDay = gridCell(shown, 1, 3);

    // A shorter run that is refused: the empty price.
    auto *runs = shown.control<QComboBox>("cboRuns");
    runs->setCurrentIndex(0);
    shown.control<QComboBox>("cboPrice")->lineEdit()->clear();
    shown.click("cmdRun");
    QCOMPARE(shown.messages(), std::vector<std::string>{kEmptyMessage});
    QCOMPARE(shown.results().resultsGrid().rowCount(), 251);
    QCOMPARE(gridCell(shown, 250, 5), lastDay);
    QCOMPARE(gridCell(shown, 1, 3), firstDay);
    QCOMPARE(shown.control<QProgressBar>("pgbRun")->value(), 100);
    QVERIFY(shown.control<QPushButton>("cmdShow")->isEnabled());
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void RunCommandTest::runReadsTheTypedListText() {
    ShownWindow shown;
    selectOption(shown, "optAnnual");
    auto *runs = shown.control<QComboBox>("cboRuns");
    runs->setFocus(Qt::TabFocusReason);
    runs->lineEdit()->selectAll();
    QTest::keyClicks(runs, QStringLiteral("30"));
    auto *price = shown.control<QComboBox>("cboPrice");
    price->setFocus(Qt::TabFocusReason);
    price->lineEdit()->selectAll();
    QTest::keyClicks(price, QStringLiteral("5"));
    shown.typeFrequencies({"", "", "1"});
    shown.click("cmdRun");
    QVERIFY(shown.messages().empty());
    QCOMPARE(shown.results().resultsGrid().rowCount(), 31);
    // Annual order: the mean, 50; sales 50 at 5 less 50 at 2.20.
    QCOMPARE(gridCell(shown, 1, 2), QStringLiteral("50"));
    QCOMPARE(gridCell(shown, 1, 4), QStringLiteral("$140"));
    QCOMPARE(runs->count(), 4);
}

void RunCommandTest::showResults() {
    ShownWindow shown;
    selectOption(shown, "optAnnual");
    shown.typeFrequencies({"1"});
    shown.click("cmdRun");
    QVERIFY(shown.control<QPushButton>("cmdShow")->isEnabled());

    bool shownModally = false;
    int barWhileShown = -1;
    bool buttonWhileShown = true;
    QTimer::singleShot(0, &shown.window(), [&] {
        QWidget *modal = QApplication::activeModalWidget();
        shownModally = modal == &shown.results() && modal->isVisible();
        barWhileShown = shown.control<QProgressBar>("pgbRun")->value();
        buttonWhileShown = shown.control<QPushButton>("cmdShow")->isEnabled();
        QTest::mouseClick(&shown.results().cmdClose(), Qt::LeftButton);
    });
    shown.click("cmdShow");
    QVERIFY(shownModally);
    QCOMPARE(barWhileShown, 0);
    QVERIFY(!buttonWhileShown);
    // Closed again: the button stays disabled and the bar at 0; the rows stay.
    QVERIFY(!shown.results().isVisible());
    QVERIFY(!shown.control<QPushButton>("cmdShow")->isEnabled());
    QCOMPARE(shown.control<QProgressBar>("pgbRun")->value(), 0);
    QCOMPARE(shown.results().resultsGrid().rowCount(), 251);
    QVERIFY(shown.messages().empty());
}

QTEST_MAIN(RunCommandTest)
#include "run_command_test.moc"
