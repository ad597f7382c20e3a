// The results grid control.
#include "ui/toolkit/qt/results_grid_view.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <vector>

#include "ui/toolkit/qt/qt_text.h"
#include "ui/toolkit/qt/twips.h"

namespace nv::ui {

namespace {

// A row as high as a line of the grid's font plus a small margin.
constexpr int kRowPadding = 6;

}  // namespace

ResultsGridView::ResultsGridView(QWidget *parent)
    : MenuTableView(parent), m_model(new ResultsGridModel(this)) {
    setFont(gridFont());

    // The only style-sheet rule: the colour of the lines between cells, which
    // styles otherwise derive from their own palette.
    setStyleSheet(QStringLiteral("QTableView { gridline-color: %1; }")
                      .arg(kGridLineColour.name(QColor::HexRgb)));

    setModel(m_model);
    // Whole rows, so the top row is never cut by the header.
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);

    QHeaderView *rows = verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(QFontMetrics(font()).height() + kRowPadding);

    QHeaderView *columns = horizontalHeader();
    columns->setHighlightSections(false);
    columns->setStretchLastSection(false);
    columns->setMinimumSectionSize(1);
    columns->setDefaultSectionSize(twipsToPixels(kDefaultColumnWidthTwips));

    connect(m_model, &ResultsGridModel::columnWidthChanged, this,
            &ResultsGridView::applyColumnWidth);
    connect(m_model, &ResultsGridModel::gridRowCountSet, this, &ResultsGridView::startNewTable);
}

QFont ResultsGridView::gridFont() {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(kFontPointSize);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

void ResultsGridView::applyColumnWidth(int column) {
    const int twips = m_model->columnWidthTwips(column);
    setColumnWidth(column,
                   twips < 0 ? horizontalHeader()->defaultSectionSize() : twipsToPixels(twips));
}

void ResultsGridView::startNewTable() {
    // No current index either: a hidden view would scroll to it when shown.
    selectionModel()->clear();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

QString ResultsGridView::selectionText() const {
    std::vector<GridCellRange> ranges;
    const QItemSelection selection = selectionModel()->selection();
    ranges.reserve(static_cast<std::size_t>(selection.size()));
    for (const QItemSelectionRange &range : selection) {
        // Model row r is grid row r + 1.
        ranges.push_back({range.top() + 1, range.left(), range.bottom() + 1, range.right()});
    }
    return toQString(copiedCellsText(m_model->rows(), ranges));
}

void ResultsGridView::copySelection() {
    const QString text = selectionText();
    if (!text.isEmpty()) {
        QGuiApplication::clipboard()->setText(text);
    }
}

void ResultsGridView::openContextMenu(const QPoint &globalPos) {
    // The owner builds the menu.
    emit contextMenuWanted(globalPos);
}

void ResultsGridView::paintEvent(QPaintEvent *event) {
    QTableView::paintEvent(event);

    // Grey beyond the cells: right of the last column and below the last row.
    const QRect area = viewport()->rect();
    int cellsRight = 0;
    int cellsBottom = 0;
    const int columnCount = m_model->columnCount();
    const int rowCount = m_model->rowCount();
    if (columnCount > 0 && rowCount > 0) {
        const int lastColumn = horizontalHeader()->logicalIndex(columnCount - 1);
        const int lastRow = verticalHeader()->logicalIndex(rowCount - 1);
        cellsRight = columnViewportPosition(lastColumn) + columnWidth(lastColumn);
        cellsBottom = rowViewportPosition(lastRow) + rowHeight(lastRow);
    }
    QPainter painter(viewport());
    if (cellsRight < area.right() + 1) {
        painter.fillRect(QRect(QPoint(cellsRight, 0), area.bottomRight()), kEmptyAreaColour);
    }
    if (cellsBottom < area.bottom() + 1) {
        painter.fillRect(QRect(QPoint(0, cellsBottom),
                               QPoint(std::min(cellsRight, area.right() + 1) - 1, area.bottom())),
                         kEmptyAreaColour);
    }
}

void ResultsGridView::showEvent(QShowEvent *event) {
    m_model->setLiveUpdates(true);
    QTableView::showEvent(event);
}

void ResultsGridView::hideEvent(QHideEvent *event) {
    m_model->setLiveUpdates(false);
    QTableView::hideEvent(event);
}

}  // namespace nv::ui
