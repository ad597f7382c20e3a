// A report's keyed groups side by side, as a read-only table model.
#include "ui/toolkit/qt/report_table_model.h"

#include <algorithm>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "ui/toolkit/qt/qt_text.h"
#include "ui/toolkit/qt/system_locale.h"

namespace nv::ui {

namespace {

// The number a value holds, for kValueRole and kHighRole.
[[nodiscard]] std::optional<double> number(const ReportScalar &value, bool high) {
    return std::visit(
        [high](const auto &v) -> std::optional<double> {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, Interval>) {
                return high ? v.high : v.low;
            } else if constexpr (std::is_same_v<T, Currency> || std::is_same_v<T, ExactDecimal>) {
                return high ? std::nullopt : std::optional(v.toDouble());
            } else if constexpr (std::is_same_v<T, double>) {
                return high ? std::nullopt : std::optional(v);
            } else if constexpr (std::is_same_v<T, std::int64_t> ||
                                 std::is_same_v<T, std::uint64_t>) {
                return high ? std::nullopt : std::optional(static_cast<double>(v));
            } else {
                return std::nullopt;
            }
        },
        value);
}

[[nodiscard]] QVariant variant(std::optional<double> value) {
    return value ? QVariant(*value) : QVariant();
}

}  // namespace

ReportTextStyle windowTextStyle() {
    ReportTextStyle style;
    style.locale = systemNumberLocale();
    style.groupDigits = true;
    style.dollarSign = true;
    style.absent = "\u2014";
    return style;
}

QString notSimulatedText() {
    return ReportTableModel::tr("not simulated");
}

QString twoLineHeading(const QString &heading) {
    qsizetype best = -1;
    qsizetype bestLonger = heading.size();
    for (qsizetype i = 0; i < heading.size(); ++i) {
        // A dash between words starts the second line rather than ending the first.
        if (heading[i] != QLatin1Char(' ') || (i > 0 && heading[i - 1] == QLatin1Char('-'))) {
            continue;
        }
        const qsizetype longer = std::max(i, heading.size() - i - 1);
        if (longer <= bestLonger) {
            best = i;
            bestLonger = longer;
        }
    }
    QString lines = heading;
    if (best >= 0) {
        lines[best] = QLatin1Char('\n');
    }
    return lines;
}

ReportTableModel::ReportTableModel(std::vector<SectionRows> rows, QObject *parent)
    : QAbstractTableModel(parent), m_shown(std::move(rows)), m_style(windowTextStyle()) {}

void ReportTableModel::setReport(const Report &report, const std::vector<std::string> &pending) {
    beginResetModel();
    m_columns.clear();
    m_rows.clear();
    for (const SectionRows &shown : m_shown) {
        if (const ReportSection *section = report.findSection(shown.section)) {
            for (const ReportGroup &group : section->groups) {
                if (!group.key.empty() && column(group.key) < 0) {
                    m_columns.push_back({group.key, toQString(group.title)});
                }
            }
            // A section of plain items: one column of values.
            if (!section->hasKeyedGroups() && column("") < 0) {
                m_columns.push_back({"", m_valueTitle});
            }
        }
    }
    for (const SectionRows &shown : m_shown) {
        const ReportSection *section = report.findSection(shown.section);
        const bool computed =
            std::find(pending.begin(), pending.end(), shown.section) == pending.end();
        for (const std::string &key : shown.items) {
            Row &row = m_rows.emplace_back();
            row.section = shown.section;
            row.item = key;
            row.label = toQString(key);
            row.cells.resize(m_columns.size());
            bool labelled = false;
            for (std::size_t c = 0; c < m_columns.size(); ++c) {
                const ReportGroup *group =
                    section != nullptr ? section->findGroup(m_columns[c].key) : nullptr;
                const ReportItem *item = group != nullptr ? group->find(key) : nullptr;
                if (item == nullptr) {
                    continue;
                }
                if (!labelled) {
                    row.label = toQString(item->label);
                    row.kind = item->kind;
                    labelled = true;
                }
                if (computed) {
                    row.cells[c] = item->value;
                }
            }
        }
    }
    endResetModel();
}

void ReportTableModel::clear() {
    beginResetModel();
    m_columns.clear();
    m_rows.clear();
    endResetModel();
}

int ReportTableModel::row(std::string_view section, std::string_view item) const noexcept {
    const auto found = std::find_if(m_rows.begin(), m_rows.end(), [&](const Row &r) {
        return r.section == section && r.item == item;
    });
    return found == m_rows.end() ? -1 : static_cast<int>(found - m_rows.begin());
}

int ReportTableModel::column(std::string_view group) const noexcept {
    const auto found = std::find_if(m_columns.begin(), m_columns.end(),
                                    [&](const Column &c) { return c.key == group; });
    return found == m_columns.end() ? -1 : static_cast<int>(found - m_columns.begin());
}

int ReportTableModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ReportTableModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant ReportTableModel::data(const QModelIndex &index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter).toInt();
    }
    const Row &row = m_rows[static_cast<std::size_t>(index.row())];
    const std::optional<ReportScalar> &cell = row.cells[static_cast<std::size_t>(index.column())];
    if (!cell || std::holds_alternative<Absent>(*cell)) {
        switch (role) {
            case Qt::DisplayRole:
                return toQString(m_style.absent);
            case Qt::ToolTipRole:
            case Qt::AccessibleTextRole:
                return notSimulatedText();
            default:
                return {};
        }
    }
    switch (role) {
        case Qt::DisplayRole: {
            if (!std::holds_alternative<Interval>(*cell)) {
                return toQString(reportText(*cell, row.kind, m_style));
            }
            // Whole dollars: the cents are in the detail.
            ReportTextStyle narrow = m_style;
            narrow.moneyDecimals = 0;
            return toQString(reportText(*cell, row.kind, narrow));
        }
        case Qt::ToolTipRole:
        case Qt::AccessibleTextRole:
            return toQString(reportText(*cell, row.kind, m_style));
        case kValueRole:
            return variant(number(*cell, false));
        case kHighRole:
            return variant(number(*cell, true));
        default:
            return {};
    }
}

QVariant ReportTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const bool across = orientation == Qt::Horizontal;
    const std::size_t count = across ? m_columns.size() : m_rows.size();
    if (section < 0 || static_cast<std::size_t>(section) >= count) {
        return {};
    }
    const auto at = static_cast<std::size_t>(section);
    const QString &text = across ? m_columns[at].title : m_rows[at].label;
    switch (role) {
        case Qt::DisplayRole:
            return across ? twoLineHeading(text) : text;
        case Qt::AccessibleTextRole:
            return text;
        case Qt::TextAlignmentRole:
            return (across ? Qt::Alignment(Qt::AlignCenter)
                           : Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter))
                .toInt();
        default:
            return {};
    }
}

}  // namespace nv::ui
