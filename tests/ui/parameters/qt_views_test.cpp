// The Qt binding of the view operations: the progress bar, the busy pointer,
// the message box and text measuring.
#include <QApplication>
#include <QCursor>
#include <QFontMetricsF>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <limits>

#include "ui/toolkit/qt/qt_views.h"

using nv::ui::QtBusyPointer;
using nv::ui::QtProgressBar;

namespace {

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }
};

Qt::CursorShape overrideShape() {
    const QCursor *cursor = QApplication::overrideCursor();
    return cursor != nullptr ? cursor->shape() : Qt::BitmapCursor;
}

}  // namespace

class QtViewsTest : public QObject {
    Q_OBJECT

private slots:
    void shownValue_data();
    void shownValue();
    void progressRepaintsOnlyWhenTheShownNumberChanges();
    void progressRepaintsAreSpacedButReachTheEnd();
    void busyPointerIsSetOnceAndRestoredOnce();
    void busyPointerRestoresWhenDestroyed();
    void busyPointerLeavesOthersCursors();
    void messageBox();
    void textWidthInTwips();
    void commandButton();
};

void QtViewsTest::shownValue_data() {
    QTest::addColumn<float>("value");
    QTest::addColumn<int>("shown");
    QTest::newRow("zero") << 0.0f << 0;
    QTest::newRow("below half") << 0.4f << 0;
    QTest::newRow("above half") << 0.8f << 1;
    QTest::newRow("whole") << 40.0f << 40;
    QTest::newRow("full") << 100.0f << 100;
    QTest::newRow("past the end") << 250.0f << 100;
    QTest::newRow("negative") << -3.0f << 0;
    QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN() << 0;
    QTest::newRow("infinity") << std::numeric_limits<float>::infinity() << 100;
}

void QtViewsTest::shownValue() {
    QFETCH(float, value);
    QFETCH(int, shown);
    QCOMPARE(QtProgressBar::shownValue(value), shown);
    QProgressBar bar;
    bar.setRange(0, 100);
    QtProgressBar progress(bar);
    progress.setValue(value);
    QCOMPARE(bar.value(), shown);
    if (!std::isnan(value)) {
        QCOMPARE(progress.value(), value);
    }
}

// A progress bar (0 to 100, at 0) on a shown window, with its first paints done.
struct ShownBar {
    QWidget window;
    QProgressBar *bar = new QProgressBar(&window);
    bool exposed = false;
    ShownBar() {
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setGeometry(10, 10, 97, 17);
        window.show();
        exposed = QTest::qWaitForWindowExposed(&window);
        QTest::qWait(20);
    }
};

void QtViewsTest::progressRepaintsOnlyWhenTheShownNumberChanges() {
    ShownBar shown;
    QVERIFY(shown.exposed);
    QProgressBar *bar = shown.bar;
    PaintCounter counter(bar);
    QtProgressBar progress(*bar, 0);
    progress.setValue(0.3f);  // still shows 0
    QCOMPARE(counter.paints, 0);
    progress.setValue(1.0f);  // painted now, once, without the event loop
    QCOMPARE(counter.paints, 1);
    progress.setValue(1.2f);
    QCOMPARE(counter.paints, 1);
    QCOMPARE(bar->value(), 1);
    progress.setValue(57.0f);
    QCOMPARE(counter.paints, 2);
    QCOMPARE(bar->value(), 57);
}

void QtViewsTest::progressRepaintsAreSpacedButReachTheEnd() {
    ShownBar shown;
    QVERIFY(shown.exposed);
    QProgressBar *bar = shown.bar;
    PaintCounter counter(bar);
    QtProgressBar progress(*bar, 60'000);  // far longer than this test takes
    progress.setValue(1.0f);               // the first change paints at once
    QCOMPARE(counter.paints, 1);
    progress.setValue(2.0f);  // too soon: shown by a later paint
    progress.setValue(50.0f);
    QCOMPARE(counter.paints, 1);
    QCOMPARE(bar->value(), 50);
    progress.setValue(100.0f);  // the end is always painted
    QCOMPARE(counter.paints, 2);
}

void QtViewsTest::busyPointerIsSetOnceAndRestoredOnce() {
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QtBusyPointer pointer;
    pointer.setBusy();
    pointer.setBusy();
    QCOMPARE(overrideShape(), Qt::WaitCursor);
    QVERIFY(pointer.busy());
    pointer.setDefault();
    QVERIFY(QApplication::overrideCursor() == nullptr);
    pointer.setDefault();
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void QtViewsTest::busyPointerRestoresWhenDestroyed() {
    {
        QtBusyPointer pointer;
        pointer.setBusy();
        QCOMPARE(overrideShape(), Qt::WaitCursor);
    }
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void QtViewsTest::busyPointerLeavesOthersCursors() {
    QApplication::setOverrideCursor(QCursor(Qt::CrossCursor));
    {
        QtBusyPointer pointer;
        pointer.setDefault();  // not busy: must not pop the cross
        QCOMPARE(overrideShape(), Qt::CrossCursor);
        pointer.setBusy();
        QCOMPARE(overrideShape(), Qt::WaitCursor);
        pointer.setDefault();
        QCOMPARE(overrideShape(), Qt::CrossCursor);
    }
    QCOMPARE(overrideShape(), Qt::CrossCursor);
    QApplication::restoreOverrideCursor();
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void QtViewsTest::messageBox() {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QAbstractButton *> buttons;
    QString okText;
    Qt::TextFormat format = Qt::AutoText;
    QTimer::singleShot(0, qApp, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box != nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        format = box->textFormat();
        buttons = box->buttons();
        if (QAbstractButton *ok = box->button(QMessageBox::Ok)) {
            okText = ok->text();
            ok->click();
        }
    });
    nv::ui::QtMessageSink().showInformation("You must select an <b>Order</b> Policy");
    QCOMPARE(title, QStringLiteral("Newsvendor Simulation"));
    QCOMPARE(text, QStringLiteral("You must select an <b>Order</b> Policy"));
    QCOMPARE(icon, QMessageBox::Information);
    QCOMPARE(format, Qt::PlainText);
    QCOMPARE(buttons.size(), 1);
    QVERIFY(!okText.isEmpty());
}

void QtViewsTest::textWidthInTwips() {
    QLabel widget;
    const QString text = QStringLiteral("XXXXXXXXXXXXXXXXX");
    const double pixels = QFontMetricsF(widget.font()).horizontalAdvance(text);
    QVERIFY(pixels > 0);
    QCOMPARE(nv::ui::QtTextMeasurer(widget).textWidthTwips("XXXXXXXXXXXXXXXXX"), pixels * 15.0);
    QCOMPARE(nv::ui::QtTextMeasurer(widget).textWidthTwips(""), 0.0);
}

void QtViewsTest::commandButton() {
    QPushButton button;
    button.setEnabled(false);
    nv::ui::QtCommandButton show(button);
    show.setEnabled(true);
    QVERIFY(button.isEnabled());
    show.setEnabled(false);
    QVERIFY(!button.isEnabled());
}

QTEST_MAIN(QtViewsTest)
#include "qt_views_test.moc"
