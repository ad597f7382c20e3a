// "Exit", and closing frmMain through its frame, end the event loop at once,
// although the results window still exists, hidden.
#include <QTest>
#include <QTimer>

#include "parameters_test_support.h"

using nv::ui::testing::ShownWindow;

class WindowEndTest : public QObject {
    Q_OBJECT

private slots:
    void exitEndsTheEventLoop();
    void closingTheWindowEndsTheEventLoop();
};

void WindowEndTest::exitEndsTheEventLoop() {
    ShownWindow shown;
    QVERIFY(shown.windows().resultsWindowExists());
    QTimer::singleShot(0, &shown.window(), [&] { shown.click("cmdExit"); });
    // A safety net: a loop that did not end would otherwise hang the test.
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!shown.window().isVisible());
    QVERIFY(shown.messages().empty());
}

void WindowEndTest::closingTheWindowEndsTheEventLoop() {
    ShownWindow shown;
    shown.typeInto(0, QStringLiteral("0.5"));
    QTimer::singleShot(0, &shown.window(), [&] { shown.window().close(); });
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!shown.window().isVisible());
    QVERIFY(QApplication::topLevelWidgets().contains(&shown.results()));
    QVERIFY(!shown.results().isVisible());
}

QTEST_MAIN(WindowEndTest)
#include "window_end_test.moc"
