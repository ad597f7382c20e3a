// frmMain's controls: kinds, captions, geometry, accessible names, focus
// order, lists, initial state and the state after the load handler. The
// controls' positions are those of the client area under the menu bar.
#include <QAccessible>
#include <QCompleter>
#include <QFont>
#include <QGroupBox>
#include <QSignalSpy>
#include <QTest>

#include "parameters_test_support.h"

using nv::ui::testing::ShownWindow;

namespace {

// Positions and sizes in twips as the window is designed, 15 to a pixel.
struct Twips {
    int left, top, width, height;
};

QRect pixels(Twips t) {
    return {t.left / 15, t.top / 15, t.width / 15, t.height / 15};
}

// How a control may differ from its designed box when its caption needs more
// room in the font in use.
enum class Growth {
    None,        // exactly as designed
    TopLeft,     // keeps its top-left corner, may grow right and down
    WidenCentre  // keeps its top and horizontal centre, may widen
};

struct Control {
    const char *name;
    const char *kind;
    const char *caption;
    Twips twips;
    const char *accessibleName;  // "" where the caption itself is what is read
    Growth growth;
};

// The 27 controls. Option buttons are placed relative to Frame1.
const Control kControls[] = {
    {"Label1", "QLabel", "Number of Runs", {600, 240, 1155, 195}, "", Growth::TopLeft},
    {"cboRuns", "QComboBox", "", {600, 480, 1215, 315}, "Number of Runs", Growth::None},
    {"Label2", "QLabel", "Price", {2400, 240, 360, 195}, "", Growth::TopLeft},
    {"cboPrice", "QComboBox", "", {2040, 480, 1215, 315}, "Price", Growth::None},
    {"Label3", "QLabel", "Cost", {3840, 240, 315, 195}, "", Growth::TopLeft},
    {"cboCost", "QComboBox", "", {3480, 480, 1215, 315}, "Cost", Growth::None},
    {"Frame1",
     "QGroupBox",
     "Order Policy",
     {4800, 240, 2535, 1335},
     "Order Policy",
     Growth::TopLeft},
    {"optYesterday",
     "QRadioButton",
     "Yesterday's Demand",
     {240, 360, 2055, 255},
     "Yesterday's Demand",
     Growth::TopLeft},
    {"optAnnual",
     "QRadioButton",
     "Average Annual Demand",
     {240, 840, 2175, 255},
     "Average Annual Demand",
     Growth::TopLeft},
    {"Label4", "QLabel", "Average Daily Demand", {600, 1440, 1095, 495}, "", Growth::WidenCentre},
    {"Label10", "QLabel", "Relative Frequency", {1800, 1440, 975, 495}, "", Growth::WidenCentre},
    {"Label5", "QLabel", "30", {1080, 2040, 195, 195}, "", Growth::TopLeft},
    {"txt35",
     "QPlainTextEdit",
     "",
     {1920, 2040, 735, 285},
     "Relative frequency for demand 30",
     Growth::None},
    {"Label6", "QLabel", "40", {1080, 2400, 195, 195}, "", Growth::TopLeft},
    {"txt45",
     "QPlainTextEdit",
     "",
     {1920, 2400, 735, 285},
     "Relative frequency for demand 40",
     Growth::None},
    {"Label7", "QLabel", "50", {1080, 2760, 195, 195}, "", Growth::TopLeft},
    {"txt55",
     "QPlainTextEdit",
     "",
     {1920, 2760, 735, 285},
     "Relative frequency for demand 50",
     Growth::None},
    {"Label8", "QLabel", "60", {1080, 3120, 195, 195}, "", Growth::TopLeft},
    {"txt65",
     "QPlainTextEdit",
     "",
     {1920, 3120, 735, 285},
     "Relative frequency for demand 60",
     Growth::None},
    {"Label9", "QLabel", "70", {1080, 3480, 195, 195}, "", Growth::TopLeft},
    {"txt75",
     "QPlainTextEdit",
     "",
     {1920, 3480, 735, 285},
     "Relative frequency for demand 70",
     Growth::None},
    {"lblTotal", "QLabel", "", {1920, 3840, 735, 285}, "", Growth::None},
    {"Label11", "QLabel", "Must add to 1.00", {2880, 3840, 1200, 195}, "", Growth::TopLeft},
    {"cmdRun",
     "QPushButton",
     "Run Simulation",
     {5400, 1800, 1455, 495},
     "Run Simulation",
     Growth::TopLeft},
    {"pgbRun", "QProgressBar", "", {5400, 2400, 1455, 255}, "Run progress", Growth::None},
    {"cmdShow",
     "QPushButton",
     "Show Results",
     {5400, 2760, 1455, 495},
     "Show Results",
     Growth::TopLeft},
    {"cmdExit", "QPushButton", "Exit", {5400, 3360, 1455, 495}, "Exit", Growth::TopLeft},
};

QString captionOf(QWidget *widget) {
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        return label->text();
    }
    if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        return button->text();
    }
    if (auto *frame = qobject_cast<QGroupBox *>(widget)) {
        return frame->title();
    }
    return {};
}

// A font in which every caption fits its designed box, as the design's
// 13-pixel dialog font does.
QFont designSizedFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(9);
    return font;
}

}  // namespace

class FrmMainLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void controls_data();
    void controls();
    void designedGeometry_data() { controls_data(); }
    void designedGeometry();
    void captionsFitTheFontInUse_data() { controls_data(); }
    void captionsFitTheFontInUse();
    void noControlsOverlap();
    void windowTitleAndClientArea();
    void resizingMovesNothing();
    void focusOrder();
    void listEntries_data();
    void listEntries();
    void typedListTextIsNotInserted();
    void optionsExcludeEachOther();
    void noDefaultButton();
    void initialStateBeforeLoad();
    void stateAfterLoad();
};

void FrmMainLayoutTest::controls_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < static_cast<int>(std::size(kControls)); ++i) {
        QTest::newRow(kControls[i].name) << i;
    }
}

void FrmMainLayoutTest::controls() {
    QFETCH(int, index);
    const Control &c = kControls[index];
    ShownWindow shown(false);
    QWidget *widget = shown.control<QWidget>(c.name);
    QVERIFY2(widget != nullptr, c.name);
    QVERIFY2(widget->inherits(c.kind), widget->metaObject()->className());
    QCOMPARE(captionOf(widget), QString::fromUtf8(c.caption));
    QCOMPARE(widget->accessibleName(), QString::fromUtf8(c.accessibleName));
    // What a screen reader speaks: the accessible name, or for a label its text.
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(accessible != nullptr);
    const QString spoken = accessible->text(QAccessible::Name);
    QCOMPARE(spoken, QString::fromUtf8(*c.accessibleName != '\0' ? c.accessibleName : c.caption));
    const bool inFrame = QByteArray(c.name).startsWith("opt");
    QCOMPARE(widget->parentWidget()->objectName(),
             QString::fromLatin1(inFrame ? "Frame1" : "clientArea"));
}

void FrmMainLayoutTest::designedGeometry() {
    QFETCH(int, index);
    const Control &c = kControls[index];
    const QFont original = QApplication::font();
    QApplication::setFont(designSizedFont());
    {
        ShownWindow shown(false);
        QCOMPARE(shown.control<QWidget>(c.name)->geometry(), pixels(c.twips));
        QCOMPARE(shown.window().clientArea().geometry(),
                 QRect(0, shown.window().menuBar().height(), 515, 290));
        QCOMPARE(shown.window().size(), QSize(515, 290 + shown.window().menuBar().height()));
    }
    QApplication::setFont(original);
}

void FrmMainLayoutTest::captionsFitTheFontInUse() {
    QFETCH(int, index);
    const Control &c = kControls[index];
    ShownWindow shown(false);
    QWidget *widget = shown.control<QWidget>(c.name);
    const QRect designed = pixels(c.twips);
    const QRect actual = widget->geometry();
    switch (c.growth) {
        case Growth::None:
            QCOMPARE(actual, designed);
            break;
        case Growth::TopLeft:
            QCOMPARE(actual.topLeft(), designed.topLeft());
            QVERIFY(actual.width() >= designed.width());
            QVERIFY(actual.height() >= designed.height());
            break;
        case Growth::WidenCentre:
            QCOMPARE(actual.top(), designed.top());
            QCOMPARE(actual.height(), designed.height());
            QVERIFY(actual.width() >= designed.width());
            QVERIFY(qAbs(actual.center().x() - designed.center().x()) <= 1);
            break;
    }
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        if (label->wordWrap()) {
            QVERIFY(label->heightForWidth(actual.width()) <= actual.height());
        } else {
            QVERIFY(label->sizeHint().width() <= actual.width());
        }
    } else if (auto *option = qobject_cast<QRadioButton *>(widget)) {
        QVERIFY(option->sizeHint().width() <= actual.width());
        QVERIFY(option->parentWidget()->rect().contains(actual));
    } else if (auto *button = qobject_cast<QPushButton *>(widget)) {
        QVERIFY(button->fontMetrics().horizontalAdvance(button->text()) < actual.width());
    }
    QVERIFY(shown.window().rect().contains(widget->mapTo(&shown.window(), QPoint(0, 0))));
    QVERIFY(shown.window().rect().contains(
        widget->mapTo(&shown.window(), QPoint(actual.width() - 1, actual.height() - 1))));
}

void FrmMainLayoutTest::noControlsOverlap() {
    ShownWindow shown(false);
    for (QWidget *container : {&shown.window().clientArea(), shown.control<QWidget>("Frame1")}) {
        const QList<QWidget *> children =
            container->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
        for (qsizetype i = 0; i < children.size(); ++i) {
            for (qsizetype j = i + 1; j < children.size(); ++j) {
                const QByteArray pair = children[i]->objectName().toUtf8() + " and " +
                                        children[j]->objectName().toUtf8();
                QVERIFY2(!children[i]->geometry().intersects(children[j]->geometry()),
                         pair.constData());
            }
        }
    }
}

void FrmMainLayoutTest::windowTitleAndClientArea() {
    ShownWindow shown;
    QVERIFY(shown.active());
    QCOMPARE(shown.window().objectName(), QStringLiteral("frmMain"));
    QCOMPARE(shown.window().windowTitle(), QStringLiteral("Simulation Parameters"));
    QWidget &client = shown.window().clientArea();
    QVERIFY(client.width() >= 515);
    QVERIFY(client.height() >= 290);
    QVERIFY(shown.window().isWindow());
    QVERIFY(shown.window().layout() == nullptr);
    // The menu bar across the top, the client area right under it.
    const QRect bar = shown.window().menuBar().geometry();
    QCOMPARE(bar, QRect(0, 0, shown.window().width(), bar.height()));
    QVERIFY(bar.height() > 0);
    QCOMPARE(client.pos(), QPoint(0, bar.height()));
    QCOMPARE(shown.window().size(), QSize(client.width(), bar.height() + client.height()));
    const QList<QWidget *> direct =
        client.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(direct.size(), 25);  // and the two options inside Frame1
    QCOMPARE(shown.control<QWidget>("Frame1")->findChildren<QRadioButton *>().size(), 2);
}

void FrmMainLayoutTest::resizingMovesNothing() {
    ShownWindow shown;
    QList<QRect> before;
    // The client area and everything in it; the menu bar only widens.
    QList<QWidget *> all = shown.window().clientArea().findChildren<QWidget *>();
    all.append(&shown.window().clientArea());
    for (QWidget *w : all) {
        before.append(w->geometry());
    }
    shown.window().resize(900, 700);
    QTest::qWait(20);
    for (qsizetype i = 0; i < all.size(); ++i) {
        QCOMPARE(all[i]->geometry(), before[i]);
    }
    QCOMPARE(shown.window().menuBar().width(), 900);
}

void FrmMainLayoutTest::focusOrder() {
    ShownWindow shown;
    QVERIFY(shown.active());
    QCOMPARE(QApplication::focusWidget(), shown.control<QWidget>("cboRuns"));
    const QStringList expected = {"cboPrice", "cboCost", "optYesterday", "optAnnual",
                                  "txt35",    "txt45",   "txt55",        "txt65",
                                  "txt75",    "cmdRun",  "cmdExit",      "cboRuns"};
    QStringList visited;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(visited, expected);
    // Shift+Tab goes back the same way.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdExit"));
    // Once "Show Results" can be clicked it is a stop between Run and Exit.
    shown.control<QPushButton>("cmdShow")->setEnabled(true);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdShow"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdRun"));
    // Labels, the frame and the progress bar never take the focus.
    for (const char *name : {"Label1", "Label4", "lblTotal", "Frame1", "pgbRun"}) {
        QCOMPARE(shown.control<QWidget>(name)->focusPolicy(), Qt::NoFocus);
    }
}

void FrmMainLayoutTest::listEntries_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("cboRuns") << "cboRuns" << QStringList{"100", "250", "500", "1000"};
    QTest::newRow("cboPrice") << "cboPrice" << QStringList{"4.30", "4.40", "4.50", "4.60",
                                                           "4.70", "4.80", "4.90"};
    QTest::newRow("cboCost") << "cboCost"
                             << QStringList{"2.10", "2.20", "2.30", "2.40", "2.50", "2.60"};
}

void FrmMainLayoutTest::listEntries() {
    QFETCH(QString, name);
    QFETCH(QStringList, entries);
    ShownWindow shown(false);
    auto *combo = shown.control<QComboBox>(name.toLatin1().constData());
    QStringList actual;
    for (int i = 0; i < combo->count(); ++i) {
        actual.append(combo->itemText(i));
    }
    QCOMPARE(actual, entries);
    QVERIFY(combo->isEditable());
    QCOMPARE(combo->insertPolicy(), QComboBox::NoInsert);
    QVERIFY(combo->completer() == nullptr);
}

void FrmMainLayoutTest::typedListTextIsNotInserted() {
    ShownWindow shown;
    auto *runs = shown.control<QComboBox>("cboRuns");
    QCOMPARE(QApplication::focusWidget(), runs);
    // Field text selected as on entering by Tab; typed text replaces it.
    runs->lineEdit()->selectAll();
    QTest::keyClicks(runs, "30");
    QCOMPARE(runs->currentText(), QStringLiteral("30"));
    QTest::keyClicks(runs, "0");
    QTest::keyClick(runs, Qt::Key_Return);
    QCOMPARE(runs->currentText(), QStringLiteral("300"));
    QCOMPARE(runs->count(), 4);
    QCOMPARE(runs->findText(QStringLiteral("300")), -1);
    // A prefix of an entry is not completed to it.
    runs->lineEdit()->selectAll();
    QTest::keyClicks(runs, "10");
    QCOMPARE(runs->currentText(), QStringLiteral("10"));
}

void FrmMainLayoutTest::optionsExcludeEachOther() {
    ShownWindow shown;
    auto *yesterday = shown.control<QRadioButton>("optYesterday");
    auto *annual = shown.control<QRadioButton>("optAnnual");
    QTest::mouseClick(yesterday, Qt::LeftButton, {}, QPoint(8, yesterday->height() / 2));
    QVERIFY(yesterday->isChecked());
    QVERIFY(!annual->isChecked());
    QTest::mouseClick(annual, Qt::LeftButton, {}, QPoint(8, annual->height() / 2));
    QVERIFY(!yesterday->isChecked());
    QVERIFY(annual->isChecked());
}

void FrmMainLayoutTest::noDefaultButton() {
    ShownWindow shown;
    for (QPushButton *button : shown.window().findChildren<QPushButton *>()) {
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
    }
    auto *run = shown.control<QPushButton>("cmdRun");
    QSignalSpy clicks(run, &QPushButton::clicked);
    // Enter and Esc in a list field, and Enter on the focused button, click nothing.
    QTest::keyClick(shown.control<QComboBox>("cboRuns"), Qt::Key_Return);
    QTest::keyClick(shown.control<QComboBox>("cboRuns"), Qt::Key_Escape);
    run->setFocus(Qt::TabFocusReason);
    QTest::keyClick(run, Qt::Key_Return);
    QTest::keyClick(run, Qt::Key_Enter);
    QCOMPARE(clicks.count(), 0);
    QVERIFY(shown.messages().empty());
    QVERIFY(shown.window().isVisible());
}

void FrmMainLayoutTest::initialStateBeforeLoad() {
    ShownWindow shown(false);
    for (const char *name : {"cboRuns", "cboPrice", "cboCost"}) {
        QCOMPARE(shown.control<QComboBox>(name)->currentIndex(), -1);
        QCOMPARE(shown.control<QComboBox>(name)->currentText(), QString());
    }
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(shown.box(i)->toPlainText(), QString());
    }
    QCOMPARE(shown.total()->text(), QString());
    QVERIFY(!shown.control<QRadioButton>("optYesterday")->isChecked());
    QVERIFY(!shown.control<QRadioButton>("optAnnual")->isChecked());
    auto *bar = shown.control<QProgressBar>("pgbRun");
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 100);
    QCOMPARE(bar->value(), 0);
    for (QWidget *w : shown.window().clientArea().findChildren<QWidget *>(
             QString(), Qt::FindDirectChildrenOnly)) {
        QCOMPARE(w->isEnabled(), w->objectName() != QStringLiteral("cmdShow"));
        QVERIFY(w->isVisibleTo(&shown.window()));
    }
    QVERIFY(!shown.windows().resultsWindowExists());
}

void FrmMainLayoutTest::stateAfterLoad() {
    ShownWindow shown;
    QVERIFY(shown.active());
    QCOMPARE(shown.control<QComboBox>("cboRuns")->currentText(), QStringLiteral("250"));
    QCOMPARE(shown.control<QComboBox>("cboPrice")->currentText(), QStringLiteral("4.60"));
    QCOMPARE(shown.control<QComboBox>("cboCost")->currentText(), QStringLiteral("2.20"));
    QCOMPARE(shown.control<QComboBox>("cboRuns")->currentIndex(), 1);
    QCOMPARE(shown.control<QComboBox>("cboPrice")->currentIndex(), 3);
    QCOMPARE(shown.control<QComboBox>("cboCost")->currentIndex(), 1);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(shown.box(i)->toPlainText(), QString());
        QCOMPARE(shown.window().distribution().frequency(static_cast<std::size_t>(i)),
                 std::optional<nv::Currency>(nv::Currency{}));
    }
    QCOMPARE(shown.total()->text(), QString());
    QVERIFY(!shown.control<QRadioButton>("optYesterday")->isChecked());
    QVERIFY(!shown.control<QRadioButton>("optAnnual")->isChecked());
    QVERIFY(!shown.control<QPushButton>("cmdShow")->isEnabled());
    QCOMPARE(shown.control<QProgressBar>("pgbRun")->value(), 0);
    QCOMPARE(QApplication::focusWidget(), shown.control<QWidget>("cboRuns"));
    // The load handler created the results window, hidden, with its grid set up.
    QVERIFY(shown.windows().resultsWindowExists());
    QVERIFY(!shown.results().isVisible());
    QVERIFY(shown.messages().empty());
    QCOMPARE(shown.beeps(), 0);
}

QTEST_MAIN(FrmMainLayoutTest)
#include "frm_main_layout_test.moc"
