// The text table view of a report.
#include "io/report_table.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <vector>

#include "support/utf8.h"

namespace nv::io {

namespace {

using Row = std::vector<std::string>;

constexpr std::string_view kIndent = "  ";
constexpr std::string_view kGap = "  ";

// Rows as aligned columns, each line indented: the first `leftColumns`
// columns padded on the right, the others on the left.
void appendColumns(std::string &out, const std::vector<Row> &rows, std::size_t leftColumns,
                   std::string_view indent) {
    std::vector<std::size_t> widths;
    for (const Row &row : rows) {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (std::size_t c = 0; c < row.size(); ++c) {
            widths[c] = std::max(widths[c], codePointCount(row[c]));
        }
    }
    for (const Row &row : rows) {
        std::string line(indent);
        for (std::size_t c = 0; c < row.size(); ++c) {
            const std::string padding(widths[c] - codePointCount(row[c]), ' ');
            if (c > 0) {
                line += kGap;
            }
            line += c < leftColumns ? row[c] + padding : padding + row[c];
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out += line;
        out += '\n';
    }
}

class TableWriter {
public:
    explicit TableWriter(const ReportTextStyle &style) : m_style(style) {}

    void section(const ReportSection &section) {
        m_out += '\n';
        if (!section.title.empty()) {
            m_out += section.title;
            m_out += '\n';
        }
        std::vector<const ReportGroup *> keyed;
        for (const ReportGroup &group : section.groups) {
            if (!group.key.empty()) {
                keyed.push_back(&group);
                continue;
            }
            flushGroups(keyed);
            for (const ReportItem &item : group.items) {
                // A table that is the whole section is not headed twice.
                directItem(item, item.label == section.title ? std::string() : item.label);
            }
        }
        flushGroups(keyed);
        flushLines();
    }

    [[nodiscard]] std::string text() && { return std::move(m_out); }
    void title(std::string_view text) {
        m_out += text;
        m_out += '\n';
    }

private:
    [[nodiscard]] std::string text(const ReportScalar &value, ReportKind kind) const {
        return reportText(value, kind, m_style);
    }

    // An item outside a side-by-side table; label as it is to be shown.
    void directItem(const ReportItem &item, const std::string &label) {
        switch (item.shape) {
            case ReportShape::Scalar:
                m_lines.push_back({label, text(item.value, item.kind)});
                return;
            case ReportShape::List: {
                if (item.kind == ReportKind::Text) {
                    textLines(item, label);
                    return;
                }
                std::string values;
                const auto &row = item.rows.empty() ? std::vector<ReportScalar>{} : item.rows[0];
                for (std::size_t i = 0; i < row.size(); ++i) {
                    values += (i > 0 ? std::string(kGap) : std::string()) + text(row[i], item.kind);
                }
                m_lines.push_back({label, std::move(values)});
                return;
            }
            case ReportShape::Matrix:
            case ReportShape::Records:
                flushLines();
                heading(label);
                appendColumns(m_out, wideRows(item), 0, "    ");
                return;
        }
    }

    void heading(const std::string &label) {
        if (!label.empty()) {
            m_out += kIndent;
            m_out += label;
            m_out += '\n';
        }
    }

    // A list of texts (sentences): one a line under its label.
    void textLines(const ReportItem &item, const std::string &label) {
        flushLines();
        heading(label);
        for (const auto &row : item.rows) {
            for (const ReportScalar &value : row) {
                m_out += "    ";
                m_out += text(value, item.kind);
                m_out += '\n';
            }
        }
    }

    // A Matrix's rows, or a Records item's heading and rows.
    [[nodiscard]] std::vector<Row> wideRows(const ReportItem &item) const {
        std::vector<Row> rows;
        const bool records = item.shape == ReportShape::Records;
        if (records) {
            Row heading;
            for (const ReportColumn &column : item.columns) {
                heading.push_back(column.label);
            }
            rows.push_back(std::move(heading));
        }
        for (const auto &values : item.rows) {
            Row row;
            for (std::size_t c = 0; c < values.size(); ++c) {
                if (records && c >= item.columns.size()) {
                    break;
                }
                row.push_back(text(values[c], records ? item.columns[c].kind : item.kind));
            }
            rows.push_back(std::move(row));
        }
        return rows;
    }

    void flushLines() {
        appendColumns(m_out, m_lines, 1, kIndent);
        m_lines.clear();
    }

    // Keyed groups side by side: a column per group, a row per item key.
    void flushGroups(std::vector<const ReportGroup *> &groups) {
        if (groups.empty()) {
            return;
        }
        flushLines();
        std::vector<Row> rows;
        Row heading = {""};
        std::vector<const ReportItem *> firstNamed;  // an item per key, in order
        for (const ReportGroup *group : groups) {
            heading.push_back(group->title);
            for (const ReportItem &item : group->items) {
                const bool skipped = item.key == "name" && item.kind == ReportKind::Text;
                const bool known =
                    std::any_of(firstNamed.begin(), firstNamed.end(),
                                [&](const ReportItem *named) { return named->key == item.key; });
                if (!skipped && !known && item.shape == ReportShape::Scalar) {
                    firstNamed.push_back(&item);
                }
            }
        }
        rows.push_back(std::move(heading));
        for (const ReportItem *named : firstNamed) {
            Row row = {named->label};
            for (const ReportGroup *group : groups) {
                const ReportItem *item = group->find(named->key);
                row.push_back(item != nullptr ? text(item->value, item->kind) : std::string());
            }
            rows.push_back(std::move(row));
        }
        appendColumns(m_out, rows, 1, kIndent);
        // What cannot stand in one cell follows the table, under its group.
        for (const ReportGroup *group : groups) {
            for (const ReportItem &item : group->items) {
                if (item.shape != ReportShape::Scalar) {
                    directItem(item, group->title + ": " + item.label);
                }
            }
        }
        flushLines();
        groups.clear();
    }

    const ReportTextStyle &m_style;
    std::string m_out;
    std::vector<Row> m_lines;  // "label  value" lines not yet written
};

}  // namespace

std::string reportTable(const Report &report, const ReportTextStyle &style) {
    TableWriter writer(style);
    writer.title(report.title);
    for (const ReportSection &section : report.sections) {
        writer.section(section);
    }
    return std::move(writer).text();
}

}  // namespace nv::io
