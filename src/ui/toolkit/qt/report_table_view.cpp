// A read-only table of figures that never cuts a number.
#include "ui/toolkit/qt/report_table_view.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QToolTip>
#include <vector>

#include "support/csv.h"
#include "ui/toolkit/qt/table_text.h"

namespace nv::ui {

ReportTableView::ReportTableView(QWidget *parent)
    : MenuTableView(parent),
      m_chooseFile(&askSaveFileName),
      m_reportError([this](const QString &message) {
          QMessageBox::warning(this, tr("Save Table as CSV"), message);
      }) {
    setTextElideMode(Qt::ElideRight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    QHeaderView *columns = horizontalHeader();
    columns->setHighlightSections(false);
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setStretchLastSection(false);
    columns->setDefaultAlignment(Qt::AlignCenter);
    QHeaderView *rows = verticalHeader();
    rows->setHighlightSections(false);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setRowHeight();
}

void ReportTableView::setModel(QAbstractItemModel *newModel) {
    if (model() != nullptr) {
        disconnect(model(), nullptr, this, nullptr);
    }
    QTableView::setModel(newModel);
    if (newModel != nullptr) {
        connect(newModel, &QAbstractItemModel::modelReset, this, &ReportTableView::contentChanged);
        connect(newModel, &QAbstractItemModel::layoutChanged, this,
                &ReportTableView::contentChanged);
        connect(newModel, &QAbstractItemModel::dataChanged, this, &ReportTableView::contentChanged);
        connect(newModel, &QAbstractItemModel::headerDataChanged, this,
                &ReportTableView::contentChanged);
    }
    contentChanged();
}

QString ReportTableView::selectionText() const {
    if (model() == nullptr) {
        return {};
    }
    return tabSeparatedText(tableFields(*model(), selectionModel()->selectedIndexes()));
}

void ReportTableView::copySelection() {
    const QString text = selectionText();
    if (!text.isEmpty()) {
        QGuiApplication::clipboard()->setText(text);
    }
}

std::string ReportTableView::csvText() const {
    return model() != nullptr ? nv::csvText(tableFields(*model(), allCells(*model())))
                              : std::string();
}

void ReportTableView::saveCsv() {
    const std::optional<QString> saved = saveToChosenFile(
        this, m_chooseFile, m_reportError,
        {tr("Save Table as CSV"), m_csvFileName, tr("CSV files (*.csv)"), QStringLiteral("csv")},
        [this](const QString &path) {
            return writeFileAtomically(path, QByteArray::fromStdString(csvText()));
        });
    if (saved) {
        emit tableSaved(*saved);
    }
}

std::unique_ptr<QMenu> ReportTableView::createMenu() {
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("mnuTable"));
    menu->setAccessibleName(tr("Table menu"));
    QAction *copy = menu->addAction(tr("&Copy"));
    copy->setObjectName(QStringLiteral("mnuTableCopy"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutVisibleInContextMenu(true);
    copy->setEnabled(selectionModel() != nullptr && selectionModel()->hasSelection());
    QAction *save = menu->addAction(tr("Save Table as &CSV\u2026"));
    save->setObjectName(QStringLiteral("mnuTableSaveCsv"));
    save->setEnabled(model() != nullptr && model()->rowCount() > 0 && model()->columnCount() > 0);
    connect(copy, &QAction::triggered, this, &ReportTableView::copySelection);
    connect(save, &QAction::triggered, this, &ReportTableView::saveCsv);
    return menu;
}

bool ReportTableView::elided(const QModelIndex &index) const {
    if (!index.isValid()) {
        return false;
    }
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    return itemDelegateForIndex(index)->sizeHint(option, index).width() >
           columnWidth(index.column());
}

QString ReportTableView::cellToolTip(const QModelIndex &index) const {
    const QString own = index.data(Qt::ToolTipRole).toString();
    if (!own.isEmpty() || !elided(index)) {
        return own;
    }
    return index.data(Qt::DisplayRole).toString();
}

int ReportTableView::naturalColumnWidth(int column) const {
    int width = horizontalHeader()->sectionSizeHint(column);
    if (model() == nullptr) {
        return width;
    }
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int grid = showGrid() ? 1 : 0;
    for (int row = 0; row < model()->rowCount(); ++row) {
        const QModelIndex index = model()->index(row, column);
        width =
            std::max(width, itemDelegateForIndex(index)->sizeHint(option, index).width() + grid);
    }
    return width;
}

QSize ReportTableView::sizeHint() const {
    const int frame = 2 * frameWidth();
    int width = frame;
    int height = frame;
    if (!verticalHeader()->isHidden()) {
        width += verticalHeader()->sizeHint().width();
    }
    if (!horizontalHeader()->isHidden()) {
        height += horizontalHeader()->sizeHint().height();
    }
    if (model() != nullptr) {
        for (int column = 0; column < model()->columnCount(); ++column) {
            width += naturalColumnWidth(column);
        }
        height += model()->rowCount() * verticalHeader()->defaultSectionSize();
    }
    if (m_scrollsSideways) {
        height += horizontalScrollBar()->sizeHint().height();
    }
    return {width, height};
}

QSize ReportTableView::minimumSizeHint() const {
    int widest = 0;
    int columns = 0;
    for (int column = 0; model() != nullptr && column < model()->columnCount(); ++column) {
        widest = std::max(widest, naturalColumnWidth(column));
        columns += naturalColumnWidth(column);
    }
    const QSize full = sizeHint();
    return {full.width() - columns + widest, full.height()};
}

void ReportTableView::changeEvent(QEvent *event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        setRowHeight();
        contentChanged();
    }
}

bool ReportTableView::viewportEvent(QEvent *event) {
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QModelIndex index = indexAt(help->pos());
        const QString tip = cellToolTip(index);
        if (tip.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), tip, viewport(), visualRect(index));
        }
        return true;
    }
    const bool handled = QTableView::viewportEvent(event);
    // Also when the headings' width changes the viewport's.
    if (event->type() == QEvent::Resize) {
        fitColumns();
    }
    return handled;
}

void ReportTableView::openContextMenu(const QPoint &globalPos) {
    const std::unique_ptr<QMenu> menu = createMenu();
    menu->exec(globalPos);
}

void ReportTableView::fitColumns() {
    const int columns = model() != nullptr ? model()->columnCount() : 0;
    if (columns == 0) {
        m_scrollsSideways = false;
        return;
    }
    std::vector<int> widths;
    int total = 0;
    for (int column = 0; column < columns; ++column) {
        widths.push_back(naturalColumnWidth(column));
        total += widths.back();
    }
    // What the view has to spare goes to every column alike.
    const int spare = std::max(0, viewport()->width() - total);
    for (int column = 0; column < columns; ++column) {
        setColumnWidth(column, widths[static_cast<std::size_t>(column)] + spare / columns +
                                   (column < spare % columns ? 1 : 0));
    }
    // Narrower than its columns, the view wants room for its scroll bar.
    const bool sideways = viewport()->width() < total;
    if (sideways != m_scrollsSideways) {
        m_scrollsSideways = sideways;
        updateGeometry();
    }
}

void ReportTableView::contentChanged() {
    fitColumns();
    updateGeometry();
}

void ReportTableView::setRowHeight() {
    const int line = std::max(fontMetrics().height(), verticalHeader()->fontMetrics().height());
    const int height = line + 2 * kRowPadding;
    verticalHeader()->setMinimumSectionSize(height);
    verticalHeader()->setDefaultSectionSize(height);
}

}  // namespace nv::ui
