// Reading and writing scenario files.
#include "io/scenario.h"

#include <cerrno>
#include <fstream>
#include <limits>
#include <nlohmann/json.hpp>
#include <system_error>
#include <utility>

#include "support/utf8.h"

namespace nv {

namespace {

using Json = nlohmann::json;

ScenarioError problem(ScenarioProblem kind, std::string detail = {}) {
    return ScenarioError{kind, std::move(detail)};
}

// A member that may be absent or null: nullptr then.
const Json *member(const Json &object, const char *key) {
    const auto it = object.find(key);
    if (it == object.end() || it->is_null()) {
        return nullptr;
    }
    return &*it;
}

Result<std::string, ScenarioError> requiredText(const Json &object, const char *key) {
    const auto it = object.find(key);
    if (it == object.end()) {
        return Failure{problem(ScenarioProblem::MissingKey, key)};
    }
    if (!it->is_string()) {
        return Failure{problem(ScenarioProblem::WrongType, key)};
    }
    return it->get<std::string>();
}

Result<std::optional<std::string>, ScenarioError> optionalText(const Json &object,
                                                               const char *key) {
    const Json *value = member(object, key);
    if (value == nullptr) {
        return std::optional<std::string>();
    }
    if (!value->is_string()) {
        return Failure{problem(ScenarioProblem::WrongType, key)};
    }
    return std::optional<std::string>(value->get<std::string>());
}

// A whole number within [low, high]: JSON integers only (no 1.0, no text).
Result<std::optional<std::uint64_t>, ScenarioError> optionalWhole(const Json &object,
                                                                  const char *key,
                                                                  std::uint64_t low,
                                                                  std::uint64_t high) {
    const Json *value = member(object, key);
    if (value == nullptr) {
        return std::optional<std::uint64_t>();
    }
    if (!value->is_number_unsigned()) {
        // A negative integer is number_integer; a fraction is number_float.
        return Failure{problem(ScenarioProblem::WrongType, key)};
    }
    const auto whole = value->get<std::uint64_t>();
    if (whole < low || whole > high) {
        return Failure{problem(ScenarioProblem::WrongType, key)};
    }
    return std::optional<std::uint64_t>(whole);
}

Result<Scenario, ScenarioError> fromObject(const Json &object) {
    const auto format = object.find("format");
    if (format == object.end() || !format->is_string() ||
        format->get<std::string>() != kScenarioFormat) {
        return Failure{problem(ScenarioProblem::WrongFormat)};
    }
    const auto version = object.find("format_version");
    if (version == object.end()) {
        return Failure{problem(ScenarioProblem::MissingKey, "format_version")};
    }
    if (!version->is_number_integer() || version->get<std::int64_t>() < 1) {
        return Failure{problem(ScenarioProblem::WrongType, "format_version")};
    }
    if (version->is_number_unsigned() &&
        version->get<std::uint64_t>() > static_cast<std::uint64_t>(kScenarioFormatVersion)) {
        return Failure{problem(ScenarioProblem::NewerVersion, version->dump())};
    }

    Scenario scenario;
    for (const auto &[key, field] :
         {std::pair{"runs", &scenario.runs}, std::pair{"price", &scenario.price},
          std::pair{"cost", &scenario.cost}}) {
        auto text = requiredText(object, key);
        if (!text) {
            return Failure{text.error()};
        }
        *field = std::move(text).value();
    }

    const auto frequencies = object.find("frequencies");
    if (frequencies == object.end()) {
        return Failure{problem(ScenarioProblem::MissingKey, "frequencies")};
    }
    if (!frequencies->is_array() || frequencies->size() != kDemandClasses) {
        return Failure{problem(ScenarioProblem::WrongType, "frequencies")};
    }
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        const Json &text = (*frequencies)[cls];
        if (!text.is_string()) {
            return Failure{problem(ScenarioProblem::WrongType, "frequencies")};
        }
        scenario.frequencies[cls] = text.get<std::string>();
    }

    const auto policy = object.find("policy");
    if (policy == object.end()) {
        return Failure{problem(ScenarioProblem::MissingKey, "policy")};
    }
    if (policy->is_string() && policy->get<std::string>() == policyKey(OrderPolicy::Yesterday)) {
        scenario.policy = OrderPolicy::Yesterday;
    } else if (policy->is_string() &&
               policy->get<std::string>() == policyKey(OrderPolicy::Annual)) {
        scenario.policy = OrderPolicy::Annual;
    } else if (!policy->is_null()) {
        return Failure{problem(ScenarioProblem::WrongType, "policy")};
    }

    for (const auto &[key, field] :
         {std::pair{"title", &scenario.title}, std::pair{"notes", &scenario.notes}}) {
        auto text = optionalText(object, key);
        if (!text) {
            return Failure{text.error()};
        }
        *field = std::move(text).value();
    }
    constexpr std::uint64_t kAnySeed = std::numeric_limits<std::uint64_t>::max();
    for (const auto &[key, field] : {std::pair{"seed", &scenario.seed},
                                     std::pair{"worksheet_seed", &scenario.worksheetSeed}}) {
        auto seed = optionalWhole(object, key, 0, kAnySeed);
        if (!seed) {
            return Failure{seed.error()};
        }
        *field = *seed;
    }
    auto days = optionalWhole(object, "worksheet_days", 1, 1000);
    if (!days) {
        return Failure{days.error()};
    }
    if (*days) {
        scenario.worksheetDays = static_cast<std::int32_t>(**days);
    }
    return scenario;
}

// "line 3, column 5" from the parser's byte offset.
std::string position(std::string_view bytes, std::size_t offset) {
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t i = 0; i < offset && i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80) {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

}  // namespace

Result<Scenario, ScenarioError> parseScenario(std::string_view bytes) {
    if (bytes.size() > kMaxScenarioBytes) {
        return Failure{problem(ScenarioProblem::TooLarge)};
    }
    if (!isValidUtf8(bytes)) {
        return Failure{problem(ScenarioProblem::NotUtf8)};
    }
    Json document = Json::parse(bytes, nullptr, /*allow_exceptions=*/false);
    if (document.is_discarded()) {
        // Parse again without the DOM to learn where the text goes wrong.
        struct Where : nlohmann::json_sax<Json> {
            std::size_t offset = 0;
            bool null() override { return true; }
            bool boolean(bool) override { return true; }
            bool number_integer(number_integer_t) override { return true; }
            bool number_unsigned(number_unsigned_t) override { return true; }
            bool number_float(number_float_t, const string_t &) override { return true; }
            bool string(string_t &) override { return true; }
            bool binary(binary_t &) override { return true; }
            bool start_object(std::size_t) override { return true; }
            bool key(string_t &) override { return true; }
            bool end_object() override { return true; }
            bool start_array(std::size_t) override { return true; }
            bool end_array() override { return true; }
            bool parse_error(std::size_t at, const std::string &,
                             const nlohmann::detail::exception &) override {
                offset = at;
                return false;
            }
        } where;
        Json::sax_parse(bytes, &where, nlohmann::detail::input_format_t::json, false);
        return Failure{problem(ScenarioProblem::NotJson,
                               position(bytes, where.offset == 0 ? 0 : where.offset - 1))};
    }
    if (!document.is_object()) {
        return Failure{problem(ScenarioProblem::NotAnObject)};
    }
    return fromObject(document);
}

Result<Scenario, ScenarioError> readScenarioFile(const std::filesystem::path &path) {
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        const int error = errno;
        return Failure{
            problem(ScenarioProblem::Unreadable, error != 0 ? std::generic_category().message(error)
                                                            : std::string("it cannot be opened"))};
    }
    std::string bytes(kMaxScenarioBytes + 1, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file.bad()) {
        return Failure{problem(ScenarioProblem::Unreadable, "it cannot be read")};
    }
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return parseScenario(bytes);
}

std::string scenarioMessage(std::string_view shownName, const ScenarioError &error) {
    const std::string file = "'" + std::string(shownName) + "'";
    const std::string key = "\"" + error.detail + "\"";
    switch (error.problem) {
        case ScenarioProblem::Unreadable:
            return "Cannot read the scenario " + file + ": " + error.detail;
        case ScenarioProblem::TooLarge:
            return "The scenario " + file + " is larger than 1 MiB";
        case ScenarioProblem::NotUtf8:
            return "The scenario " + file + " is not UTF-8 text";
        case ScenarioProblem::NotJson:
            return "The scenario " + file + " is not valid JSON (" + error.detail + ")";
        case ScenarioProblem::NotAnObject:
            return "The scenario " + file + " does not hold a JSON object";
        case ScenarioProblem::WrongFormat:
            return "The file " + file + " is not a Newsvendor Simulation scenario";
        case ScenarioProblem::NewerVersion:
            return "The scenario " + file + " has format_version " + error.detail +
                   "; this program reads version " + std::to_string(kScenarioFormatVersion);
        case ScenarioProblem::MissingKey:
            return "The scenario " + file + " lacks the key " + key;
        case ScenarioProblem::WrongType:
            break;
    }
    std::string expected = "a text";
    if (error.detail == "frequencies") {
        expected = "a list of five texts";
    } else if (error.detail == "policy") {
        expected = "\"yesterday\", \"annual\" or null";
    } else if (error.detail == "seed" || error.detail == "worksheet_seed") {
        expected = "a whole number from 0 to 18446744073709551615";
    } else if (error.detail == "worksheet_days") {
        expected = "a whole number from 1 to 1000";
    } else if (error.detail == "format_version") {
        expected = "a whole number";
    }
    return "In the scenario " + file + ", " + key + " must be " + expected;
}

std::string scenarioJson(const Scenario &scenario) {
    nlohmann::ordered_json json;
    json["format"] = kScenarioFormat;
    json["format_version"] = kScenarioFormatVersion;
    if (scenario.title) {
        json["title"] = *scenario.title;
    }
    if (scenario.notes) {
        json["notes"] = *scenario.notes;
    }
    json["runs"] = scenario.runs;
    json["price"] = scenario.price;
    json["cost"] = scenario.cost;
    json["frequencies"] = scenario.frequencies;
    json["policy"] = scenario.policy ? nlohmann::ordered_json(policyKey(*scenario.policy))
                                     : nlohmann::ordered_json(nullptr);
    if (scenario.seed) {
        json["seed"] = *scenario.seed;
    }
    if (scenario.worksheetDays) {
        json["worksheet_days"] = *scenario.worksheetDays;
    }
    if (scenario.worksheetSeed) {
        json["worksheet_seed"] = *scenario.worksheetSeed;
    }
    // Texts that are not valid UTF-8 are replaced rather than refused.
    return json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

RunInputs scenarioRunInputs(const Scenario &scenario) {
    RunInputs inputs;
    inputs.runsText = scenario.runs;
    inputs.priceText = scenario.price;
    inputs.costText = scenario.cost;
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        inputs.distribution.setFrequency(cls, storedFrequency(scenario.frequencies[cls]));
    }
    inputs.yesterdaySelected = scenario.policy == OrderPolicy::Yesterday;
    inputs.annualSelected = scenario.policy == OrderPolicy::Annual;
    return inputs;
}

}  // namespace nv
