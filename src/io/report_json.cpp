// The json view of a report, on nlohmann::ordered_json (keys in the order
// they are added).
//
// An exact amount that no double writes as the same decimal is put in the
// tree as a placeholder string, "<marker><index>", and its decimal replaces
// the placeholder, quotes and all, in the dumped text. The marker is chosen
// so that it occurs in no key and no text of the report: every occurrence in
// the dump is then a placeholder.
#include "io/report_json.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "support/number_format.h"

namespace nv::io {

namespace {

using Json = nlohmann::ordered_json;

// Whole doubles up to 2^53 are exact in both a double and an int64.
constexpr double kLargestExactWhole = 9007199254740992.0;

// Every text the document will hold as a key or a string.
void collectTexts(const Report &report, std::vector<std::string_view> &texts) {
    const auto scalarText = [&](const ReportScalar &value) {
        if (const auto *text = std::get_if<std::string>(&value)) {
            texts.emplace_back(*text);
        }
    };
    for (const ReportSection &section : report.sections) {
        texts.emplace_back(section.key);
        for (const ReportGroup &group : section.groups) {
            texts.emplace_back(group.key);
            for (const ReportItem &item : group.items) {
                texts.emplace_back(item.key);
                scalarText(item.value);
                for (const ReportColumn &column : item.columns) {
                    texts.emplace_back(column.key);
                }
                for (const auto &row : item.rows) {
                    for (const ReportScalar &value : row) {
                        scalarText(value);
                    }
                }
            }
        }
    }
}

// A marker that none of texts contains.
std::string uniqueMarker(const std::vector<std::string_view> &texts) {
    std::string marker = "nv-exact:";
    const auto used = [&] {
        for (const std::string_view text : texts) {
            if (text.find(marker) != std::string_view::npos) {
                return true;
            }
        }
        return false;
    };
    while (used()) {
        marker.insert(0, "#");
    }
    return marker;
}

class JsonBuilder {
public:
    explicit JsonBuilder(std::string marker) : m_marker(std::move(marker)) {}

    [[nodiscard]] Json scalar(const ReportScalar &value) {
        return std::visit([this](const auto &v) { return this->json(v); }, value);
    }

    [[nodiscard]] Json item(const ReportItem &item) {
        switch (item.shape) {
            case ReportShape::Scalar:
                return scalar(item.value);
            case ReportShape::List:
                return item.rows.empty() ? Json::array() : row(item.rows.front());
            case ReportShape::Matrix: {
                Json rows = Json::array();
                for (const auto &values : item.rows) {
                    rows.push_back(row(values));
                }
                return rows;
            }
            case ReportShape::Records: {
                Json records = Json::array();
                for (const auto &values : item.rows) {
                    Json record = Json::object();
                    for (std::size_t c = 0; c < item.columns.size() && c < values.size(); ++c) {
                        record[item.columns[c].key] = scalar(values[c]);
                    }
                    records.push_back(std::move(record));
                }
                return records;
            }
        }
        return nullptr;
    }

    // The dumped text with every placeholder replaced by its decimal.
    [[nodiscard]] std::string spliced(const std::string &dumped) const {
        if (m_exact.empty()) {
            return dumped;
        }
        const std::string opening = "\"" + m_marker;
        std::string text;
        text.reserve(dumped.size());
        std::size_t from = 0;
        while (true) {
            const std::size_t at = dumped.find(opening, from);
            if (at == std::string::npos) {
                break;
            }
            const std::size_t digits = at + opening.size();
            const std::size_t closing = dumped.find('"', digits);
            const std::size_t index = std::stoul(dumped.substr(digits, closing - digits));
            text.append(dumped, from, at - from);
            text += m_exact.at(index);
            from = closing + 1;
        }
        text.append(dumped, from, std::string::npos);
        return text;
    }

private:
    Json row(const std::vector<ReportScalar> &values) {
        Json array = Json::array();
        for (const ReportScalar &value : values) {
            array.push_back(scalar(value));
        }
        return array;
    }

    static Json json(Absent) { return nullptr; }
    static Json json(bool value) { return value; }
    static Json json(std::int64_t value) { return value; }
    static Json json(std::uint64_t value) { return value; }
    static Json json(const std::string &value) { return value; }

    static Json json(double value) {
        if (!std::isfinite(value)) {
            return nullptr;  // a report holds none; json has no way to write one
        }
        if (std::trunc(value) == value && std::fabs(value) <= kLargestExactWhole) {
            return static_cast<std::int64_t>(value);
        }
        return value;
    }

    static Json json(const Interval &value) {
        Json interval = Json::object();
        interval["low"] = json(value.low);
        interval["high"] = json(value.high);
        return interval;
    }

    Json json(Currency value) {
        if (value.units() % Currency::kUnitsPerWhole == 0) {
            return value.units() / Currency::kUnitsPerWhole;
        }
        return exactNumber(exactDecimal(value), value.toDouble());
    }

    Json json(const ExactDecimal &value) {
        if (value.places() == 0 && value.units() >= std::numeric_limits<std::int64_t>::min() &&
            value.units() <= std::numeric_limits<std::int64_t>::max()) {
            return static_cast<std::int64_t>(value.units());
        }
        return exactNumber(value.text(), value.toDouble());
    }

    // The number whose decimal is `exact`: the double only when the writer's
    // own text for it is that decimal, else a placeholder for the decimal.
    Json exactNumber(std::string exact, double nearest) {
        const Json number = nearest;
        if (number.dump() == exact) {
            return number;
        }
        m_exact.push_back(std::move(exact));
        return m_marker + std::to_string(m_exact.size() - 1);
    }

    std::string m_marker;
    std::vector<std::string> m_exact;
};

// The object under key in parent, made when there is none yet.
Json &objectIn(Json &parent, const std::string &key) {
    Json &child = parent[key];
    if (!child.is_object()) {
        child = Json::object();
    }
    return child;
}

}  // namespace

std::string reportJson(const Report &report, int formatVersion) {
    std::vector<std::string_view> texts;
    collectTexts(report, texts);
    JsonBuilder builder(uniqueMarker(texts));

    Json document = Json::object();
    document["format_version"] = formatVersion;
    for (const ReportSection &section : report.sections) {
        Json &sectionObject = section.key.empty() ? document : objectIn(document, section.key);
        for (const ReportGroup &group : section.groups) {
            Json &groupObject =
                group.key.empty() ? sectionObject : objectIn(sectionObject, group.key);
            for (const ReportItem &item : group.items) {
                groupObject[item.key] = builder.item(item);
            }
        }
    }
    const std::string dumped = document.dump(2, ' ', false, Json::error_handler_t::replace);
    return builder.spliced(dumped) + "\n";
}

}  // namespace nv::io
