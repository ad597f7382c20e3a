// Reading saved game results back, by replaying their orders.
#include "io/results_file.h"

#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <vector>

#include "engine/analysis/game.h"
#include "support/number_format.h"
#include "support/text_conversion.h"
#include "support/utf8.h"

namespace nv {

namespace {

using Json = nlohmann::json;

ResultsFileError problem(std::string text) {
    return ResultsFileError{std::move(text)};
}

// Builds the document as nlohmann's parser would, but keeps each number
// with a fraction or an exponent as its text, in a binary value (which text
// json never holds), so that an amount no double holds is read exactly.
class TextKeepingBuilder {
public:
    explicit TextKeepingBuilder(Json &root) : m_root(root) {}

    bool null() { return put(nullptr); }
    bool boolean(bool value) { return put(value); }
    bool number_integer(Json::number_integer_t value) { return put(value); }
    bool number_unsigned(Json::number_unsigned_t value) { return put(value); }
    bool number_float(Json::number_float_t /*value*/, const Json::string_t &text) {
        return put(Json::binary(Json::binary_t::container_type(text.begin(), text.end())));
    }
    bool string(Json::string_t &value) { return put(value); }
    bool binary(Json::binary_t &value) { return put(Json::binary(value)); }
    bool start_object(std::size_t /*elements*/) { return open(Json::object()); }
    bool key(Json::string_t &value) {
        m_key = value;
        return true;
    }
    bool end_object() { return close(); }
    bool start_array(std::size_t /*elements*/) { return open(Json::array()); }
    bool end_array() { return close(); }
    bool parse_error(std::size_t /*position*/, const std::string & /*token*/,
                     const Json::exception & /*error*/) {
        return false;
    }

private:
    // Only the innermost open container grows, so the pointers to the open
    // ones stay valid.
    Json *place(Json value) {
        if (m_open.empty()) {
            m_root = std::move(value);
            return &m_root;
        }
        Json &parent = *m_open.back();
        if (parent.is_array()) {
            parent.push_back(std::move(value));
            return &parent.back();
        }
        Json &slot = parent[m_key];
        slot = std::move(value);
        return &slot;
    }
    bool put(Json value) {
        place(std::move(value));
        return true;
    }
    bool open(Json value) {
        m_open.push_back(place(std::move(value)));
        return true;
    }
    bool close() {
        m_open.pop_back();
        return true;
    }

    Json &m_root;
    std::vector<Json *> m_open;
    std::string m_key;
};

// A number of the file as an exact amount: the file writes exact decimals,
// read from their text (parseCurrency), never through a double.
std::optional<Currency> amount(const Json *value) {
    if (value == nullptr) {
        return std::nullopt;
    }
    if (value->is_binary()) {
        const auto &bytes = value->get_binary();
        const auto read = parseCurrency(std::string(bytes.begin(), bytes.end()));
        return read ? std::optional<Currency>(*read) : std::nullopt;
    }
    if (value->is_number_unsigned()) {
        const auto whole = value->get<std::uint64_t>();
        if (whole > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
            return std::nullopt;
        }
        return Currency::fromWhole(static_cast<std::int64_t>(whole));
    }
    if (value->is_number_integer()) {
        return Currency::fromWhole(value->get<std::int64_t>());
    }
    return std::nullopt;
}

const Json *member(const Json &object, const char *key) {
    if (!object.is_object()) {
        return nullptr;
    }
    const auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

// The run inputs the file's inputs describe: the amounts as exact texts.
Result<RunInputs, ResultsFileError> runInputs(const Json &inputs, std::size_t days) {
    RunInputs run;
    run.runsText = std::to_string(days);
    const auto price = amount(member(inputs, "price"));
    const auto cost = amount(member(inputs, "cost"));
    if (!price || !cost) {
        return Failure{problem("lacks the price or the cost")};
    }
    run.priceText = exactDecimal(*price);
    run.costText = exactDecimal(*cost);
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        const std::string key = "frequency_" + std::to_string(kClassDemand[cls]);
        const auto frequency = amount(member(inputs, key.c_str()));
        if (!frequency) {
            return Failure{problem("lacks \"" + key + "\"")};
        }
        run.distribution.setFrequency(cls, *frequency);
    }
    const Json *policy = member(inputs, "checked_policy");
    run.annualSelected = policy != nullptr && policy->is_string() &&
                         policy->get<std::string>() == policyKey(OrderPolicy::Annual);
    run.yesterdaySelected = !run.annualSelected;
    return run;
}

}  // namespace

Result<SavedGame, ResultsFileError> readSavedGame(std::string_view bytes) {
    if (bytes.size() > kMaxResultsBytes) {
        return Failure{problem("is larger than 4 MiB")};
    }
    if (!isValidUtf8(bytes)) {
        return Failure{problem("is not UTF-8 text")};
    }
    Json document;
    TextKeepingBuilder builder(document);
    if (!Json::sax_parse(bytes, &builder)) {
        return Failure{problem("is not valid JSON")};
    }
    const Json *version = member(document, "format_version");
    if (version == nullptr || !version->is_number_unsigned() ||
        version->get<std::uint64_t>() != 1) {
        return Failure{problem("is not a debrief of format_version 1")};
    }
    const Json *inputs = member(document, "inputs");
    const Json *days = member(document, "days");
    const Json *seed = inputs != nullptr ? member(*inputs, "seed") : nullptr;
    if (inputs == nullptr || days == nullptr || !days->is_array() || seed == nullptr ||
        !seed->is_number_unsigned()) {
        return Failure{problem("lacks its inputs, its seed or its days")};
    }
    if (days->empty() || days->size() > static_cast<std::size_t>(kMaxGameDays)) {
        return Failure{problem("must hold from 1 to 365 days")};
    }

    auto run = runInputs(*inputs, days->size());
    if (!run) {
        return Failure{run.error()};
    }
    auto parameters = AnalysisParameters::fromInputs(*run);
    if (!parameters) {
        return Failure{problem("has inputs the game refuses: " +
                               std::string(refusalMessage(parameters.error())))};
    }
    const auto gameDays = static_cast<std::int32_t>(days->size());
    if (const auto refusal = checkGame(*parameters, gameDays)) {
        return Failure{
            problem("has inputs the game refuses: " + std::string(refusalMessage(*refusal)))};
    }

    SavedGame game{*parameters,
                   run->annualSelected ? OrderPolicy::Annual : OrderPolicy::Yesterday,
                   seed->get<std::uint64_t>(),
                   {},
                   {}};
    game.demands = gameDemands(parameters->distribution(), gameDays, game.seed);
    for (std::size_t t = 0; t < days->size(); ++t) {
        const Json &day = (*days)[t];
        const auto order = amount(member(day, "order"));
        const auto demand = amount(member(day, "demand"));
        const auto profit = amount(member(day, "daily_profit"));
        const std::string where = " (day " + std::to_string(t + 1) + ")";
        if (!order || *order < Currency{} || *order > Currency::fromCount(kMaxOrder) ||
            order->units() % Currency::kUnitsPerWhole != 0) {
            return Failure{
                problem("has an order that is not a whole number from 0 to 1,000" + where)};
        }
        const auto replayed = simulateDay(static_cast<std::int16_t>(t + 1), *order, game.demands[t],
                                          parameters->price(), parameters->cost(), Currency{});
        if (!demand || !profit || !replayed || *demand != game.demands[t] ||
            *profit != replayed->dailyProfit) {
            return Failure{problem("does not match a replay of its orders" + where)};
        }
        game.orders.push_back(*order);
    }
    return game;
}

std::string resultsFileMessage(std::string_view shownName, const ResultsFileError &error) {
    return "The results file '" + std::string(shownName) + "' " + error.problem;
}

}  // namespace nv
