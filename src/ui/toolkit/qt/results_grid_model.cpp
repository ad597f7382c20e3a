// The results grid's cells and settings, and their item-model view.
#include "ui/toolkit/qt/results_grid_model.h"

#include <algorithm>

#include "ui/toolkit/qt/qt_text.h"

namespace nv::ui {

namespace {

constexpr Qt::Alignment kUnsetAlignment = Qt::AlignLeft | Qt::AlignVCenter;

[[nodiscard]] constexpr Qt::Alignment toQt(CellAlignment alignment) noexcept {
    switch (alignment) {
        case CellAlignment::CenterCenter:
            return Qt::AlignCenter;
    }
    return kUnsetAlignment;
}

[[nodiscard]] std::size_t slot(int value) noexcept {
    return static_cast<std::size_t>(value);
}

}  // namespace

std::string copiedCellsText(const std::vector<ResultsGridRow> &rows,
                            std::span<const GridCellRange> ranges) {
    const int lastRow = static_cast<int>(rows.size()) - 1;
    std::vector<GridCellRange> clipped;
    clipped.reserve(ranges.size());
    for (const GridCellRange &range : ranges) {
        const GridCellRange c{std::max(range.top, 1), std::max(range.left, 0),
                              std::min(range.bottom, lastRow),
                              std::min(range.right, kResultsGridColumns - 1)};
        if (c.top <= c.bottom && c.left <= c.right) {
            clipped.push_back(c);
        }
    }
    if (clipped.empty()) {
        return {};
    }

    GridCellRange bounds = clipped.front();
    bool withHeader = false;
    for (const GridCellRange &c : clipped) {
        bounds.top = std::min(bounds.top, c.top);
        bounds.left = std::min(bounds.left, c.left);
        bounds.bottom = std::max(bounds.bottom, c.bottom);
        bounds.right = std::max(bounds.right, c.right);
        withHeader = withHeader || (c.top == 1 && c.bottom == lastRow);
    }
    const auto selected = [&clipped](int row, int column) {
        return std::any_of(clipped.begin(), clipped.end(), [row, column](const GridCellRange &c) {
            return row >= c.top && row <= c.bottom && column >= c.left && column <= c.right;
        });
    };

    std::string text;
    bool firstLine = true;
    const auto appendLine = [&](int row, bool all) {
        if (!firstLine) {
            text += '\n';
        }
        firstLine = false;
        for (int column = bounds.left; column <= bounds.right; ++column) {
            if (column != bounds.left) {
                text += '\t';
            }
            if (all || selected(row, column)) {
                text += rows[slot(row)][slot(column)];
            }
        }
    };
    if (withHeader) {
        appendLine(0, true);
    }
    for (int row = bounds.top; row <= bounds.bottom; ++row) {
        appendLine(row, false);
    }
    return text;
}

void QtResultsGrid::setRowCount(int rows) {
    m_model.setGridRowCount(rows);
}
int QtResultsGrid::rowCount() const {
    return m_model.gridRowCount();
}
void QtResultsGrid::setCurrentRow(int row) {
    m_model.setCurrentRow(row);
}
void QtResultsGrid::setCurrentColumn(int column) {
    m_model.setCurrentColumn(column);
}
void QtResultsGrid::setCurrentCellText(std::string_view text) {
    m_model.setCurrentCellText(text);
}
void QtResultsGrid::setCellText(int row, int column, std::string_view text) {
    m_model.setCellText(row, column, text);
}
void QtResultsGrid::setColumnWidthTwips(int column, int twips) {
    m_model.setColumnWidthTwips(column, twips);
}
void QtResultsGrid::setFixedCellAlignment(int column, CellAlignment alignment) {
    m_model.setFixedCellAlignment(column, alignment);
}
void QtResultsGrid::setColumnAlignment(int column, CellAlignment alignment) {
    m_model.setColumnAlignment(column, alignment);
}

ResultsGridModel::ResultsGridModel(QObject *parent)
    : QAbstractTableModel(parent), m_rows(kResultsGridInitialRows) {
    m_fixedAlignment.fill(kUnsetAlignment);
    m_alignment.fill(kUnsetAlignment);
}

void ResultsGridModel::setGridRowCount(int rows) {
    const int wanted = std::max(rows, 1);
    const int current = gridRowCount();
    // Model rows are grid rows 1.., so grid row r is model row r - 1.
    if (wanted > current) {
        beginInsertRows(QModelIndex(), current - 1, wanted - 2);
        m_rows.resize(slot(wanted));
        endInsertRows();
    } else if (wanted < current) {
        beginRemoveRows(QModelIndex(), wanted - 1, current - 2);
        m_rows.resize(slot(wanted));
        endRemoveRows();
    }
    emit gridRowCountSet();
}

void ResultsGridModel::setCellText(int row, int column, std::string_view text) {
    if (row < 0 || row >= gridRowCount() || !validColumn(column)) {
        return;
    }
    m_rows[slot(row)][slot(column)].assign(text);
    if (row == 0) {
        emit headerDataChanged(Qt::Horizontal, column, column);
    } else if (m_live) {
        const QModelIndex changed = index(row - 1, column);
        emit dataChanged(changed, changed, {Qt::DisplayRole});
    }
}

std::string_view ResultsGridModel::cellText(int row, int column) const noexcept {
    if (row < 0 || row >= gridRowCount() || !validColumn(column)) {
        return {};
    }
    return m_rows[slot(row)][slot(column)];
}

void ResultsGridModel::setColumnWidthTwips(int column, int twips) {
    if (!validColumn(column)) {
        return;
    }
    m_widthTwips[slot(column)] = twips;
    emit columnWidthChanged(column);
}

int ResultsGridModel::columnWidthTwips(int column) const noexcept {
    return validColumn(column) ? m_widthTwips[slot(column)] : -1;
}

void ResultsGridModel::setFixedCellAlignment(int column, CellAlignment alignment) {
    if (!validColumn(column)) {
        return;
    }
    m_fixedAlignment[slot(column)] = toQt(alignment);
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void ResultsGridModel::setColumnAlignment(int column, CellAlignment alignment) {
    if (!validColumn(column)) {
        return;
    }
    m_alignment[slot(column)] = toQt(alignment);
    if (m_live && rowCount() > 0) {
        emit dataChanged(index(0, column), index(rowCount() - 1, column), {Qt::TextAlignmentRole});
    }
}

Qt::Alignment ResultsGridModel::fixedCellAlignment(int column) const noexcept {
    return validColumn(column) ? m_fixedAlignment[slot(column)] : kUnsetAlignment;
}

Qt::Alignment ResultsGridModel::columnAlignment(int column) const noexcept {
    return validColumn(column) ? m_alignment[slot(column)] : kUnsetAlignment;
}

int ResultsGridModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : gridRowCount() - 1;
}

int ResultsGridModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : kResultsGridColumns;
}

QVariant ResultsGridModel::data(const QModelIndex &index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return toQString(m_rows[slot(index.row() + 1)][slot(index.column())]);
        case Qt::TextAlignmentRole:
            return m_alignment[slot(index.column())].toInt();
        default:
            return {};
    }
}

QVariant ResultsGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || !validColumn(section)) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return toQString(m_rows.front()[slot(section)]);
        case Qt::TextAlignmentRole:
            return m_fixedAlignment[slot(section)].toInt();
        default:
            return {};
    }
}

Qt::ItemFlags ResultsGridModel::flags(const QModelIndex &index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace nv::ui
