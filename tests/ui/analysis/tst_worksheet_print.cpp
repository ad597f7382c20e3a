// The Worksheet page's pages on paper: the PDF its writer makes and what a
// printer set to a page range prints, read back with pdfinfo and pdftotext
// (skipped without them).
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "compare_test_support.h"
#include "engine/worksheet/worksheet.h"
#include "ui/analysis/worksheet_print.h"

using namespace nv::ui;

namespace {

QString tool(const QString &name) {
    return QStandardPaths::findExecutable(name);
}

QString run(const QString &program, const QStringList &args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool havePdfTools() {
    return !tool("pdfinfo").isEmpty() && !tool("pdftotext").isEmpty();
}

int pdfPages(const QString &path) {
    const QRegularExpressionMatch match =
        QRegularExpression("Pages:\\s+(\\d+)\\n").match(run(tool("pdfinfo"), {path}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The sheet of the default inputs for `days` days, seed 7.
nv::Worksheet sheetOf(int days) {
    const auto plan =
        nv::WorksheetPlan::fromInputs(nv::WorksheetInputs{testing::runInputs(), days, {}});
    if (!plan) {
        qFatal("the worksheet's checks refused the inputs");
    }
    return nv::Worksheet::fromSeed(*plan, 7);
}

}  // namespace

class TestWorksheetPrint : public QObject {
    Q_OBJECT

private slots:
    // The printer's page range: the pages in it, numbered in the whole
    // document (100 days on A4: 8 pages).
    void printsThePagesChosen_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("firstFooter");
        QTest::newRow("all") << 0 << 0 << 8 << "Page 1 of 8";
        QTest::newRow("1 to 1") << 1 << 1 << 1 << "Page 1 of 8";
        QTest::newRow("3 to 5") << 3 << 5 << 3 << "Page 3 of 8";
        QTest::newRow("7 to 99: cut to the last") << 7 << 99 << 2 << "Page 7 of 8";
    }
    void printsThePagesChosen() {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, pages);
        QFETCH(QString, firstFooter);
        if (!havePdfTools()) {
            QSKIP("pdfinfo and pdftotext (poppler-utils) are not installed");
        }
        const nv::Worksheet sheet = sheetOf(100);
        QTemporaryDir dir;
        const QString path = dir.filePath("printed.pdf");
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::A4));
        if (from > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(from, to);
        }
        QVERIFY(printWorksheet(printer, sheet));
        QCOMPARE(pdfPages(path), pages);
        const QString first = run(tool("pdftotext"), {"-layout", path, "-"}).split('\f')[0];
        QVERIFY2(first.contains(firstFooter), qPrintable(first));
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
        if (!havePdfTools()) {
            QSKIP("pdfinfo and pdftotext (poppler-utils) are not installed");
        }
        const nv::Worksheet sheet = sheetOf(days);
        const auto id = static_cast<QPageSize::PageSizeId>(paper);
        QCOMPARE(2 * worksheetPartPages(sheet, id), pages);
        QTemporaryDir dir;
        const QString path = dir.filePath("sheet.pdf");
        QCOMPARE(writeWorksheetPdf(path, sheet, id), std::nullopt);
        QCOMPARE(pdfPages(path), pages);
        const QString text = run(tool("pdftotext"), {"-layout", path, "-"});
        QVERIFY(text.contains("Hand simulation worksheet"));
        QVERIFY(text.contains("Hand simulation: answer key"));
        QVERIFY(text.contains(QString("Page %1 of %1").arg(pages)));
        // The key starts on a page of its own.
        QVERIFY(text.split('\f')[pages / 2].startsWith("Hand simulation: answer key"));
    }
};

QTEST_MAIN(TestWorksheetPrint)
#include "tst_worksheet_print.moc"
