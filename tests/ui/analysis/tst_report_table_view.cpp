// The table view of the analysis reports: columns as wide as their text and
// even rows; a cell made too narrow elides and shows its full text as a tool
// tip; Ctrl+C copies the selection with its headings; the context menu, from
// the mouse and the keyboard; "Save Table as CSV…" and its failure.
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMenu>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include "ui/toolkit/qt/report_table_view.h"

using namespace nv::ui;

namespace {

// Two rows by three columns; cell texts "r<row>c<column>" but for a long
// amount at (0, 0) and a text with a comma at (1, 2).
void fill(QStandardItemModel &model) {
    model.setRowCount(2);
    model.setColumnCount(3);
    model.setHorizontalHeaderLabels(
        {QStringLiteral("Yesterday's\nDemand"), QStringLiteral("B"), QStringLiteral("C")});
    model.setVerticalHeaderLabels(
        {QStringLiteral("Mean total profit ($)"), QStringLiteral("Fill rate")});
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column) {
            model.setItem(row, column,
                          new QStandardItem(QStringLiteral("r%1c%2").arg(row).arg(column)));
        }
    }
    model.item(0, 0)->setText(QStringLiteral("$23,109.20"));
    model.item(1, 2)->setText(QStringLiteral("92.0%, of 3"));
}

struct Table {
    QStandardItemModel model;
    ReportTableView view;
    Table() {
        fill(model);
        view.setModel(&model);
        view.resize(view.sizeHint());
    }
    // Selects the cells at (column, row).
    void select(const QList<QPoint> &cells) {
        QItemSelection selection;
        for (const QPoint &cell : cells) {
            const QModelIndex index = model.index(cell.y(), cell.x());
            selection.select(index, index);
        }
        view.selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
};

QAction *item(QMenu &menu, const char *name) {
    return menu.findChild<QAction *>(QString::fromLatin1(name));
}

}  // namespace

class TestReportTableView : public QObject {
    Q_OBJECT

private slots:
    void fitsItsText();
    void elidedCellShowsItsText_data();
    void elidedCellShowsItsText();
    void copiesWithHeadings_data();
    void copiesWithHeadings();
    void menuItems();
    void menuOpens_data();
    void menuOpens();
    void savesCsv();
};

void TestReportTableView::fitsItsText() {
    Table table;
    table.view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&table.view));
    const int line = table.view.rowHeight(0);
    QCOMPARE(table.view.rowHeight(1), line);
    QVERIFY(line >= table.view.fontMetrics().height());
    for (int column = 0; column < 3; ++column) {
        QVERIFY(table.view.columnWidth(column) >= table.view.naturalColumnWidth(column));
        QVERIFY(!table.view.elided(table.model.index(0, column)));
    }
    // Its height is all its rows under the two-line headings.
    const int frame = 2 * table.view.frameWidth();
    QCOMPARE(table.view.sizeHint().height(),
             frame + table.view.horizontalHeader()->sizeHint().height() + 2 * line);
    QVERIFY(table.view.horizontalHeader()->sizeHint().height() >=
            2 * table.view.horizontalHeader()->fontMetrics().height());
    // Width to spare goes to every column.
    const int before = table.view.columnWidth(1);
    table.view.resize(table.view.width() + 90, table.view.height());
    QTRY_COMPARE(table.view.columnWidth(1), before + 30);
}

void TestReportTableView::elidedCellShowsItsText_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("tip");
    QTest::newRow("fits: no tip") << 0 << ""
                                  << "";
    QTest::newRow("too narrow: the full text") << 30 << ""
                                               << "$23,109.20";
    QTest::newRow("the model's own tip wins") << 30 << "$23,109.2000"
                                              << "$23,109.2000";
}

void TestReportTableView::elidedCellShowsItsText() {
    QFETCH(int, width);
    QFETCH(QString, own);
    QFETCH(QString, tip);
    Table table;
    table.model.item(0, 0)->setToolTip(own);
    table.view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&table.view));
    if (width > 0) {
        table.view.setColumnWidth(0, width);
    }
    const QModelIndex cell = table.model.index(0, 0);
    QCOMPARE(table.view.elided(cell), width > 0);
    QCOMPARE(table.view.cellToolTip(cell), tip);
    // What the view shows when the pointer rests on the cell.
    const QPoint at = table.view.visualRect(cell).center();
    QHelpEvent help(QEvent::ToolTip, at, table.view.viewport()->mapToGlobal(at));
    QApplication::sendEvent(table.view.viewport(), &help);
    QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), tip);
    QToolTip::hideText();
}

void TestReportTableView::copiesWithHeadings_data() {
    QTest::addColumn<QList<QPoint>>("cells");  // (column, row)
    QTest::addColumn<QString>("text");
    QTest::newRow("one cell") << QList<QPoint>{{0, 0}}
                              << "\tYesterday's Demand\nMean total profit ($)\t$23,109.20";
    QTest::newRow("a block") << QList<QPoint>{{1, 0}, {2, 0}, {1, 1}, {2, 1}}
                             << "\tB\tC\nMean total profit ($)\tr0c1\tr0c2\n"
                                "Fill rate\tr1c1\t92.0%, of 3";
    QTest::newRow("apart: the gaps empty") << QList<QPoint>{{0, 0}, {2, 1}}
                                           << "\tYesterday's Demand\tC\n"
                                              "Mean total profit ($)\t$23,109.20\t\n"
                                              "Fill rate\t\t92.0%, of 3";
}

void TestReportTableView::copiesWithHeadings() {
    QFETCH(QList<QPoint>, cells);
    QFETCH(QString, text);
    Table table;
    table.select(cells);
    QApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(&table.view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), text);
}

void TestReportTableView::menuItems() {
    Table table;
    auto texts = [](QMenu &menu) {
        QStringList list;
        for (const QAction *action : menu.actions()) {
            list << action->text();
        }
        return list;
    };
    std::unique_ptr<QMenu> menu = table.view.createMenu();
    QCOMPARE(texts(*menu),
             (QStringList{QStringLiteral("&Copy"), QStringLiteral("Save Table as &CSV\u2026")}));
    QCOMPARE(item(*menu, "mnuTableCopy")->shortcut(), QKeySequence(QKeySequence::Copy));
    QVERIFY(!item(*menu, "mnuTableCopy")->isEnabled());
    QVERIFY(item(*menu, "mnuTableSaveCsv")->isEnabled());
    table.select({{1, 1}});
    menu = table.view.createMenu();
    QVERIFY(item(*menu, "mnuTableCopy")->isEnabled());
    item(*menu, "mnuTableCopy")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("\tB\nFill rate\tr1c1"));
    table.model.clear();
    QVERIFY(!item(*table.view.createMenu(), "mnuTableSaveCsv")->isEnabled());
}

void TestReportTableView::menuOpens_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("right click") << 0;
    QTest::newRow("Menu key") << 1;
    QTest::newRow("Shift+F10") << 2;
}

void TestReportTableView::menuOpens() {
    QFETCH(int, how);
    Table table;
    table.view.show();
    QVERIFY(QTest::qWaitForWindowActive(&table.view));
    table.view.setCurrentIndex(table.model.index(1, 1));
    QString opened;
    QPoint openedAt;
    QTimer::singleShot(50, &table.view, [&] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            opened = menu->objectName();
            openedAt = menu->pos();
            menu->close();
        }
    });
    const QPoint click(10, 10);
    if (how == 0) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, click,
                                table.view.viewport()->mapToGlobal(click));
        QApplication::sendEvent(table.view.viewport(), &event);
    } else if (how == 1) {
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(0, 0),
                                table.view.mapToGlobal(QPoint(0, 0)));
        QApplication::sendEvent(&table.view, &event);
    } else {
        QTest::keyClick(&table.view, Qt::Key_F10, Qt::ShiftModifier);
    }
    QCOMPARE(opened, QStringLiteral("mnuTable"));
    const QPoint expected =
        how == 0 ? table.view.viewport()->mapToGlobal(click) : table.view.keyboardMenuPosition();
    QVERIFY((openedAt - expected).manhattanLength() <= 2);
}

void TestReportTableView::savesCsv() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Table table;
    table.view.setCsvFileName(QStringLiteral("rules.csv"));
    QString proposed;
    QString answer = dir.filePath(QStringLiteral("table"));
    table.view.setSaveFileChooser(
        [&](QWidget *, const QString &, const QString &path, const QString &) {
            proposed = path;
            return answer;
        });
    QStringList errors;
    table.view.setErrorReporter([&errors](const QString &message) { errors << message; });
    QStringList saved;
    QObject::connect(&table.view, &ReportTableView::tableSaved,
                     [&saved](const QString &path) { saved << path; });
    table.view.saveCsv();
    QVERIFY(proposed.endsWith(QStringLiteral("/rules.csv")));
    QCOMPARE(saved, QStringList{dir.filePath(QStringLiteral("table.csv"))});
    QFile file(saved.value(0));
    QVERIFY(file.open(QIODevice::ReadOnly));
    // RFC 4180: CRLF after every record, a field with a comma quoted; the
    // two-line heading on one line.
    QCOMPARE(file.readAll(), QByteArray(",Yesterday's Demand,B,C\r\n"
                                        "Mean total profit ($),\"$23,109.20\",r0c1,r0c2\r\n"
                                        "Fill rate,r1c0,r1c1,\"92.0%, of 3\"\r\n"));
    QVERIFY(errors.isEmpty());

    answer = dir.filePath(QStringLiteral("no such folder/table.csv"));
    table.view.saveCsv();
    QCOMPARE(errors.size(), 1);
    QVERIFY(errors[0].startsWith(QStringLiteral("The file could not be saved.")));
    QVERIFY(errors[0].contains(QDir::toNativeSeparators(answer)));
    QCOMPARE(saved.size(), 1);
}

QTEST_MAIN(TestReportTableView)
#include "tst_report_table_view.moc"
