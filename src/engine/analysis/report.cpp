// Building and searching a report.
#include "engine/analysis/report.h"

#include <cmath>
#include <utility>

namespace nv {

ReportItem &ReportGroup::add(std::string itemKey, std::string label, ReportKind kind,
                             ReportScalar value) {
    ReportItem &item = items.emplace_back();
    item.key = std::move(itemKey);
    item.label = std::move(label);
    item.kind = kind;
    item.value = std::move(value);
    return item;
}

ReportItem &ReportGroup::addList(std::string itemKey, std::string label, ReportKind kind,
                                 std::vector<ReportScalar> values) {
    ReportItem &item = add(std::move(itemKey), std::move(label), kind, Absent{});
    item.shape = ReportShape::List;
    item.rows.push_back(std::move(values));
    return item;
}

ReportItem &ReportGroup::addMatrix(std::string itemKey, std::string label, ReportKind kind,
                                   std::vector<std::vector<ReportScalar>> rows) {
    ReportItem &item = add(std::move(itemKey), std::move(label), kind, Absent{});
    item.shape = ReportShape::Matrix;
    item.rows = std::move(rows);
    return item;
}

ReportItem &ReportGroup::addRecords(std::string itemKey, std::string label,
                                    std::vector<ReportColumn> columns,
                                    std::vector<std::vector<ReportScalar>> rows) {
    ReportItem &item = add(std::move(itemKey), std::move(label), ReportKind::Text, Absent{});
    item.shape = ReportShape::Records;
    item.columns = std::move(columns);
    item.rows = std::move(rows);
    return item;
}

const ReportItem *ReportGroup::find(std::string_view itemKey) const noexcept {
    for (const ReportItem &item : items) {
        if (item.key == itemKey) {
            return &item;
        }
    }
    return nullptr;
}

ReportGroup &ReportSection::addGroup(std::string groupKey, std::string groupTitle) {
    ReportGroup &group = groups.emplace_back();
    group.key = std::move(groupKey);
    group.title = std::move(groupTitle);
    return group;
}

const ReportGroup *ReportSection::findGroup(std::string_view groupKey) const noexcept {
    for (const ReportGroup &group : groups) {
        if (group.key == groupKey) {
            return &group;
        }
    }
    return nullptr;
}

bool ReportSection::hasKeyedGroups() const noexcept {
    for (const ReportGroup &group : groups) {
        if (!group.key.empty()) {
            return true;
        }
    }
    return false;
}

ReportSection &Report::addSection(std::string sectionKey, std::string sectionTitle) {
    ReportSection &section = sections.emplace_back();
    section.key = std::move(sectionKey);
    section.title = std::move(sectionTitle);
    return section;
}

const ReportSection *Report::findSection(std::string_view sectionKey) const noexcept {
    for (const ReportSection &section : sections) {
        if (section.key == sectionKey) {
            return &section;
        }
    }
    return nullptr;
}

const ReportItem *Report::find(std::string_view sectionKey, std::string_view groupKey,
                               std::string_view itemKey) const noexcept {
    // Several sections may share the empty key (items of the top level).
    for (const ReportSection &section : sections) {
        if (section.key != sectionKey) {
            continue;
        }
        for (const ReportGroup &group : section.groups) {
            if (group.key != groupKey) {
                continue;
            }
            if (const ReportItem *item = group.find(itemKey)) {
                return item;
            }
        }
    }
    return nullptr;
}

ReportScalar reportNumber(double value) noexcept {
    if (!std::isfinite(value)) {
        return Absent{};
    }
    return value;
}

}  // namespace nv
