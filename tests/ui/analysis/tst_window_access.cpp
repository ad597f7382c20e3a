// The Analysis window as a whole, page by page: every text shown is there for
// a screen reader; Enter in a field presses no button Tab passed, Enter on a
// button presses it; closing asks the pages first; a page reached by its tab
// shows the window's inputs; and every amount of a page is written in the
// user's locale (run once more under a German locale).
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>
#include <initializer_list>
#include <memory>

#include "app/application_windows.h"
#include "compare_test_support.h"
#include "ui/analysis/compare_page.h"
#include "ui/analysis/frm_analysis.h"
#include "ui/analysis/play_page.h"
#include "ui/analysis/quantity_page.h"
#include "ui/analysis/worksheet_page.h"
#include "ui/toolkit/qt/report_table_view.h"

using namespace nv;
using namespace nv::ui;

namespace {

// A page of a field and a button left as Qt makes them, which answers the
// question before the window closes as it is told.
class StubPage final : public AnalysisPage {
public:
    explicit StubPage(bool answer = true) : m_answer(answer) {
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(new QLineEdit(this));
        layout->addWidget(new QPushButton(QStringLiteral("Press"), this));
    }
    [[nodiscard]] QString title() const override { return QStringLiteral("Stub"); }
    void stopWork() override {}
    bool confirmDiscardWork() override {
        ++asked;
        return m_answer;
    }
    int asked = 0;

protected:
    void setStatus(const QString &) override {}

private:
    bool m_answer;
};

// The Analysis window of a fresh set of windows, shown at `page` for the
// default inputs; "Play day" has started a one-day game, "Play debrief"
// played it to its end.
AnalysisPage &openPage(ApplicationWindows &windows, const QString &page) {
    const RunInputs inputs = testing::runInputs();
    if (page == QLatin1String("Order Quantity")) {
        windows.showOrderQuantity(inputs);
    } else if (page == QLatin1String("Worksheet")) {
        windows.showWorksheet(inputs, 10, std::uint64_t{42});
    } else if (page.startsWith(QLatin1String("Play"))) {
        windows.showPlay(inputs, std::uint64_t{7});
    } else {
        windows.showComparison(inputs);
    }
    FrmAnalysis &window = *windows.analysisWindow();
    if (page == QLatin1String("Stub")) {
        window.tabPages().setCurrentIndex(window.addPage(new StubPage));
    }
    PlayPage &play = window.playPage();
    if (page == QLatin1String("Play day") || page == QLatin1String("Play debrief")) {
        play.spnDays().setValue(1);
        play.cmdStart_Click();
    }
    if (page == QLatin1String("Play debrief")) {
        play.txtOrder().setText(QStringLiteral("50"));
        play.cmdOrder_Click();
    }
    if (!QTest::qWaitForWindowExposed(&window)) {
        qWarning("frmAnalysis was not shown");
    }
    return *window.currentPage();
}

void addPageRows(std::initializer_list<const char *> pages = {"Compare Rules", "Order Quantity",
                                                              "Worksheet", "Play", "Play day",
                                                              "Play debrief"}) {
    QTest::addColumn<QString>("page");
    for (const char *page : pages) {
        QTest::newRow(page) << QString::fromLatin1(page);
    }
}

// The words a sighted reader reads on the label: no markup, no mnemonic, no
// colon after a caption.
QString readText(const QLabel &label) {
    QString text = label.text();
    if (label.textFormat() == Qt::RichText ||
        (label.textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
        QTextDocument document;
        document.setHtml(text);
        text = document.toPlainText();
    }
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    text = text.trimmed();
    if (text.endsWith(QLatin1Char(':'))) {
        text.chop(1);
    }
    return text;
}

template <typename W>
QList<W *> shown(QWidget &page, bool enabledOnly = false) {
    QList<W *> widgets;
    for (W *widget : page.findChildren<W *>()) {
        if (widget->isVisible() && (widget->isEnabled() || !enabledOnly)) {
            widgets << widget;
        }
    }
    return widgets;
}

}  // namespace

class TestWindowAccess : public QObject {
    Q_OBJECT

private slots:
    void init() { m_windows = std::make_unique<ApplicationWindows>(); }
    void cleanup() { m_windows.reset(); }

    void everyLabelIsHeard_data() { addPageRows(); }
    void everyLabelIsHeard();
    void enterInAFieldPressesNoPassedButton_data() {
        addPageRows({"Compare Rules", "Order Quantity", "Worksheet", "Play", "Play day", "Stub"});
    }
    void enterInAFieldPressesNoPassedButton();
    void theFocusIsInView_data() { addPageRows(); }
    void theFocusIsInView();
    void aClickedTableStaysWhereItWas();
    void enterOnAButtonPressesIt_data();
    void enterOnAButtonPressesIt();
    void closingAsksEveryPage_data();
    void closingAsksEveryPage();
    void aPageReachedFirstShowsTheInputs_data();
    void aPageReachedFirstShowsTheInputs();
    void aPageWithOlderInputsTakesTheWindows();
    void amountsFollowTheLocale_data() {
        addPageRows({"Compare Rules", "Order Quantity", "Worksheet", "Play day", "Play debrief"});
    }
    void amountsFollowTheLocale();

private:
    std::unique_ptr<ApplicationWindows> m_windows;
};

void TestWindowAccess::everyLabelIsHeard() {
    QFETCH(QString, page);
    AnalysisPage &shownPage = openPage(*m_windows, page);
    QStringList unheard;
    for (QLabel *label : shown<QLabel>(shownPage)) {
        const QString text = readText(*label);
        QAccessibleInterface *heard = QAccessible::queryAccessibleInterface(label);
        if (text.isEmpty() || heard == nullptr) {
            continue;
        }
        if (!heard->text(QAccessible::Name).contains(text) &&
            !heard->text(QAccessible::Description).contains(text)) {
            unheard << label->objectName() + QStringLiteral(": ") + text;
        }
    }
    QVERIFY2(unheard.isEmpty(), qPrintable(unheard.join(QLatin1Char('\n'))));
}

void TestWindowAccess::enterInAFieldPressesNoPassedButton() {
    QFETCH(QString, page);
    AnalysisPage &shownPage = openPage(*m_windows, page);
    QList<QPushButton *> buttons = shown<QPushButton>(shownPage, true);
    // A page's own default answers Enter in every field by design: out of the way.
    for (QPushButton *button : buttons) {
        if (button->isDefault()) {
            button->setEnabled(false);
        }
    }
    buttons = shown<QPushButton>(shownPage, true);
    QWidgetList fields;
    for (QWidget *field : shown<QAbstractSpinBox>(shownPage, true)) {
        fields << field;
    }
    for (QLineEdit *field : shown<QLineEdit>(shownPage, true)) {
        if (qobject_cast<QAbstractSpinBox *>(field->parentWidget()) == nullptr &&
            !field->isReadOnly()) {
            fields << field;
        }
    }
    QVERIFY(!fields.isEmpty() && !buttons.isEmpty());
    QStringList pressed;
    QObject watch;
    for (QPushButton *button : buttons) {
        connect(button, &QPushButton::clicked, &watch,
                [&pressed, button] { pressed << button->objectName(); });
    }
    for (QWidget *field : fields) {
        for (QPushButton *button : buttons) {
            button->setFocus(Qt::TabFocusReason);
            field->setFocus(Qt::TabFocusReason);
            QTest::keyClick(field, Qt::Key_Return);
            QVERIFY2(pressed.isEmpty(),
                     qPrintable(QStringLiteral("Enter in %1 after %2 pressed %3")
                                    .arg(field->objectName(), button->objectName(),
                                         pressed.join(QLatin1Char(' ')))));
        }
    }
}

void TestWindowAccess::theFocusIsInView() {
    QFETCH(QString, page);
    AnalysisPage &shownPage = openPage(*m_windows, page);
    m_windows->analysisWindow()->resize(480, 300);
    QTest::qWait(50);
    QStringList hidden;
    for (QWidget *widget : shown<QWidget>(shownPage, true)) {
        const QWidget *parent = widget->parentWidget();
        QScrollArea *scroll = nullptr;
        for (QWidget *up = widget->parentWidget(); up != nullptr && scroll == nullptr;
             up = up->parentWidget()) {
            scroll = qobject_cast<QScrollArea *>(up);
        }
        if ((widget->focusPolicy() & Qt::TabFocus) == 0 || scroll == nullptr ||
            widget->focusProxy() != nullptr || qobject_cast<const QAbstractSpinBox *>(parent) ||
            qobject_cast<const QComboBox *>(parent)) {
            continue;
        }
        widget->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        // Whole when it fits, else from its top left corner.
        const QRect view = scroll->viewport()->rect();
        const QRect at(widget->mapTo(scroll->viewport(), QPoint(0, 0)), widget->size());
        const bool fits = at.width() <= view.width() && at.height() <= view.height();
        if (!(fits ? view.contains(at) : view.contains(at.topLeft()))) {
            hidden
                << QStringLiteral("%1 at %2,%3").arg(widget->objectName()).arg(at.x()).arg(at.y());
        }
    }
    QVERIFY2(hidden.isEmpty(), qPrintable(hidden.join(QLatin1Char(' '))));
}

void TestWindowAccess::aClickedTableStaysWhereItWas() {
    openPage(*m_windows, QStringLiteral("Compare Rules"));
    ComparePage &page = m_windows->analysisWindow()->comparePage();
    m_windows->analysisWindow()->resize(480, 300);
    QTest::qWait(50);
    // The rules table's lower rows in view, its top scrolled away.
    QScrollBar &bar = *page.scrContent().verticalScrollBar();
    const int tableTop = page.tblRules().mapTo(page.scrContent().widget(), QPoint(0, 0)).y();
    bar.setValue(tableTop + 60);
    QTest::mouseClick(page.tblRules().viewport(), Qt::LeftButton, {}, QPoint(40, 40));
    QTRY_VERIFY(page.tblRules().hasFocus());
    QTest::qWait(20);
    QCOMPARE(bar.value(), tableTop + 60);
}

void TestWindowAccess::enterOnAButtonPressesIt_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Return") << int(Qt::Key_Return) << Qt::KeyboardModifiers();
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter)
                                  << Qt::KeyboardModifiers(Qt::KeypadModifier);
}

void TestWindowAccess::enterOnAButtonPressesIt() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    openPage(*m_windows, QStringLiteral("Compare Rules"));
    ComparePage &page = m_windows->analysisWindow()->comparePage();
    // New Seed, not the page's default Run Comparison.
    int newSeed = 0;
    int run = 0;
    connect(&page.cmdNewSeed(), &QPushButton::clicked, &page, [&newSeed] { ++newSeed; });
    connect(&page.cmdRunComparison(), &QPushButton::clicked, &page, [&run] { ++run; });
    page.cmdNewSeed().setFocus(Qt::TabFocusReason);
    QTest::keyClick(&page.cmdNewSeed(), Qt::Key(key), modifiers);
    QCOMPARE(newSeed, 1);
    QCOMPARE(run, 0);
}

void TestWindowAccess::closingAsksEveryPage_data() {
    QTest::addColumn<bool>("escape");
    QTest::addColumn<bool>("answer");
    QTest::newRow("Esc, the page agrees") << true << true;
    QTest::newRow("Esc, the page keeps it") << true << false;
    QTest::newRow("close, the page agrees") << false << true;
    QTest::newRow("close, the page keeps it") << false << false;
}

void TestWindowAccess::closingAsksEveryPage() {
    QFETCH(bool, escape);
    QFETCH(bool, answer);
    openPage(*m_windows, QStringLiteral("Compare Rules"));
    FrmAnalysis &window = *m_windows->analysisWindow();
    auto *page = new StubPage(answer);
    window.addPage(page);
    if (escape) {
        QTest::keyClick(&window.comparePage().txtSeed(), Qt::Key_Escape);
    } else {
        window.close();
    }
    QCOMPARE(page->asked, 1);
    QCOMPARE(window.isVisible(), !answer);
}

void TestWindowAccess::aPageReachedFirstShowsTheInputs_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("byKeyboard");
    QTest::newRow("Order Quantity by Ctrl+PgDown") << "Order Quantity" << true;
    QTest::newRow("Play by its tab") << "Play" << false;
    QTest::newRow("Worksheet by its tab") << "Worksheet" << false;
}

void TestWindowAccess::aPageReachedFirstShowsTheInputs() {
    QFETCH(QString, page);
    QFETCH(bool, byKeyboard);
    Scenario scenario;
    scenario.seed = 4242;
    scenario.worksheetDays = 7;
    m_windows->scenarioState().setOpened(scenario);
    openPage(*m_windows, QStringLiteral("Compare Rules"));
    FrmAnalysis &window = *m_windows->analysisWindow();
    QTabWidget &tabs = window.tabPages();
    if (byKeyboard) {
        QTest::keyClick(&window.comparePage().txtSeed(), Qt::Key_PageDown, Qt::ControlModifier);
    } else {
        for (int i = 0; i < tabs.count(); ++i) {
            if (tabs.tabText(i) == page) {
                QTest::mouseClick(tabs.tabBar(), Qt::LeftButton, {},
                                  tabs.tabBar()->tabRect(i).center());
            }
        }
    }
    QCOMPARE(tabs.tabText(tabs.currentIndex()), page);
    if (page == QLatin1String("Order Quantity")) {
        QVERIFY(window.quantityPage().parameters().has_value());
    } else if (page == QLatin1String("Play")) {
        QVERIFY(window.playPage().parameters().has_value());
        QCOMPARE(window.playPage().txtSeed().text(), QStringLiteral("4242"));
    } else {
        QVERIFY(window.worksheetPage().sheet().has_value());
        QCOMPARE(window.worksheetPage().spnDays().value(), 7);
    }
}

void TestWindowAccess::aPageWithOlderInputsTakesTheWindows() {
    const auto at = [](const char *price) {
        return testing::runInputs(nv::test::kBellShaped, "250", price);
    };
    m_windows->showOrderQuantity(at("4.60"));
    m_windows->showComparison(at("5.00"));
    FrmAnalysis &window = *m_windows->analysisWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window.comparePage().txtSeed(), Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(window.currentPage(), &window.quantityPage());
    QVERIFY(window.quantityPage().parameters().has_value());
    QCOMPARE(window.quantityPage().parameters()->price(), Currency::fromUnits(50000));
}

void TestWindowAccess::amountsFollowTheLocale() {
    QFETCH(QString, page);
    AnalysisPage &shownPage = openPage(*m_windows, page);
    QStringList texts;
    for (QLabel *label : shown<QLabel>(shownPage)) {
        texts << label->text();
    }
    for (QAbstractItemView *view : shown<QAbstractItemView>(shownPage)) {
        const QAbstractItemModel &model = *view->model();
        for (int row = 0; row < model.rowCount(); ++row) {
            for (int column = 0; column < model.columnCount(); ++column) {
                texts << model.index(row, column).data().toString();
            }
        }
    }
    // "$1,234.50" in C, "$1.234,50" in German: groups of three, then decimals.
    const QLocale locale = QLocale::system();
    const QRegularExpression amount(QStringLiteral("\\$[0-9][0-9.,\u00a0\u202f']*[0-9]|\\$[0-9]"));
    const QRegularExpression inLocale(QStringLiteral("^\\$[0-9]{1,3}(%1[0-9]{3})*(%2[0-9]+)?$")
                                          .arg(QRegularExpression::escape(locale.groupSeparator()),
                                               QRegularExpression::escape(locale.decimalPoint())));
    QStringList foreign;
    int amounts = 0;
    for (const QString &text : texts) {
        for (const QRegularExpressionMatch &match : amount.globalMatch(text)) {
            ++amounts;
            if (!inLocale.match(match.captured()).hasMatch()) {
                foreign << match.captured();
            }
        }
    }
    QVERIFY(amounts > 0);
    QVERIFY2(foreign.isEmpty(), qPrintable(foreign.join(QLatin1Char(' '))));
}

QTEST_MAIN(TestWindowAccess)
#include "tst_window_access.moc"
