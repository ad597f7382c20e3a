// A table model's cells with their headings, as text.
#include "ui/toolkit/qt/table_text.h"

#include <QAbstractItemModel>
#include <QStringList>
#include <algorithm>
#include <set>
#include <utility>

namespace nv::ui {

namespace {

[[nodiscard]] QString oneLine(QString text) {
    return text.replace(QLatin1Char('\n'), QLatin1Char(' '))
        .replace(QLatin1Char('\t'), QLatin1Char(' '));
}

[[nodiscard]] std::string heading(const QAbstractItemModel &model, int section,
                                  Qt::Orientation orientation) {
    QString text = model.headerData(section, orientation, Qt::AccessibleTextRole).toString();
    if (text.isEmpty()) {
        text = model.headerData(section, orientation, Qt::DisplayRole).toString();
    }
    return oneLine(text).toStdString();
}

[[nodiscard]] std::vector<int> sorted(std::set<int> values) {
    return {values.begin(), values.end()};
}

}  // namespace

QModelIndexList allCells(const QAbstractItemModel &model) {
    QModelIndexList cells;
    for (int row = 0; row < model.rowCount(); ++row) {
        for (int column = 0; column < model.columnCount(); ++column) {
            cells << model.index(row, column);
        }
    }
    return cells;
}

TableFields tableFields(const QAbstractItemModel &model, const QModelIndexList &cells) {
    std::set<int> rowSet;
    std::set<int> columnSet;
    std::set<std::pair<int, int>> taken;
    for (const QModelIndex &cell : cells) {
        if (cell.isValid() && cell.model() == &model) {
            rowSet.insert(cell.row());
            columnSet.insert(cell.column());
            taken.emplace(cell.row(), cell.column());
        }
    }
    if (taken.empty()) {
        return {};
    }
    const std::vector<int> rows = sorted(std::move(rowSet));
    const std::vector<int> columns = sorted(std::move(columnSet));
    TableFields fields;
    std::vector<std::string> &headings = fields.emplace_back(1);
    for (const int column : columns) {
        headings.push_back(heading(model, column, Qt::Horizontal));
    }
    for (const int row : rows) {
        std::vector<std::string> &line = fields.emplace_back();
        line.push_back(heading(model, row, Qt::Vertical));
        for (const int column : columns) {
            line.push_back(taken.count({row, column}) != 0
                               ? oneLine(model.index(row, column).data().toString()).toStdString()
                               : std::string());
        }
    }
    return fields;
}

QString tabSeparatedText(const TableFields &fields) {
    QStringList lines;
    for (const std::vector<std::string> &row : fields) {
        QStringList line;
        for (const std::string &field : row) {
            line << QString::fromStdString(field);
        }
        lines << line.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace nv::ui
