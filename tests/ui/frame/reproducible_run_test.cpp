// The same scenario, with a seed, gives the same days in both front ends: the
// desktop program's first run after opening it at start-up (the grid's
// texts, through the real windows) and `newsvendor-run --scenario FILE
// --format tsv` (the real executable).
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/application_windows.h"
#include "app/startup.h"
#include "ui/parameters/frm_main.h"
#include "ui/results/frm_results.h"
#include "ui/toolkit/qt/results_grid_view.h"

namespace {

// The grid's rows, header first, as tab-separated lines.
QStringList gridLines(nv::ui::ApplicationWindows &windows) {
    const nv::ui::ResultsGridModel &grid = windows.frmResults().grdResults().gridModel();
    QStringList lines;
    for (int row = 0; row < grid.gridRowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < 6; ++column) {
            const std::string_view text = grid.cellText(row, column);
            cells << QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        }
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines;
}

}  // namespace

class ReproducibleRunTest : public QObject {
    Q_OBJECT

private slots:
    void sameDaysInBothFrontEnds_data();
    void sameDaysInBothFrontEnds();
};

void ReproducibleRunTest::sameDaysInBothFrontEnds_data() {
    QTest::addColumn<QByteArray>("scenario");
    QTest::newRow("yesterday") << QByteArray(
        R"({"format": "newsvendor-scenario", "format_version": 1, "runs": "120", "price": "4.60",
            "cost": "2.20", "frequencies": ["0.1", "0.2", "0.4", "0.2", "0.1"],
            "policy": "yesterday", "seed": 20240915})");
    QTest::newRow("annual, largest seed") << QByteArray(
        R"({"format": "newsvendor-scenario", "format_version": 1, "title": "Skewed",
            "runs": "75", "price": "4.90", "cost": "2.60",
            "frequencies": ["0.05", "0.05", "0.1", "0.3", "0.5"], "policy": "annual",
            "seed": 18446744073709551615})");
}

void ReproducibleRunTest::sameDaysInBothFrontEnds() {
    QFETCH(QByteArray, scenario);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("class.nvscenario"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(scenario);
    file.close();

    // The desktop program, opening the file at start-up as `newsvendor FILE`
    // does; before opening, the load handler seeded its source from the clock.
    QStringList desktop;
    auto watchdog = std::make_unique<QObject>();
    QTimer::singleShot(30000, watchdog.get(), [] { QCoreApplication::exit(99); });
    const int exitCode = nv::ui::runParameterWindow(
        [&desktop](nv::ui::ApplicationWindows &windows) {
            nv::ui::FrmMain &window = windows.frmMain();
            QTimer::singleShot(0, &window, [&desktop, &windows, &window] {
                auto *run = window.findChild<QPushButton *>(QStringLiteral("cmdRun"));
                QTest::mouseClick(run, Qt::LeftButton);
                desktop = gridLines(windows);
                window.cmdExit_Click();
            });
        },
        path);
    watchdog.reset();
    QCOMPARE(exitCode, 0);

    QProcess runner;
    runner.start(
        QStringLiteral(NV_RUNNER_EXECUTABLE),
        {QStringLiteral("--scenario"), path, QStringLiteral("--format"), QStringLiteral("tsv")});
    QVERIFY(runner.waitForFinished(20000));
    QCOMPARE(runner.exitCode(), 0);
    const QStringList printed = QString::fromUtf8(runner.readAllStandardOutput())
                                    .split(QLatin1Char('\n'), Qt::SkipEmptyParts);

    QVERIFY(desktop.size() > 70);
    QCOMPARE(desktop, printed);
}

QTEST_MAIN(ReproducibleRunTest)
#include "reproducible_run_test.moc"
