// The options of "quantity" and "sweep": the run's parameter options, a range
// (--from, --to, --step), --vary for a sweep, and --format.
//
// A range value is read as the list fields read an amount (parseCurrency:
// "." as the point, an exponent allowed, rounded to four decimals). Which
// range is bad is decided once every option has been read, as the engine
// decides it (rangePoints, then an order below 0), and given as a usage error
// with the engine's message.
#include <CLI/CLI.hpp>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "runner/command_options.h"
#include "runner/command_reader.h"
#include "support/text_conversion.h"

namespace nv::runner {

namespace {

// --name VALUE as an amount into `amount`.
void addAmountOption(CLI::App &app, const std::string &name, const std::string &valueName,
                     const std::string &description, std::optional<Currency> &amount) {
    addValueOption(app, name, valueName, description,
                   [name, &amount](const std::string &text) -> std::optional<std::string> {
                       const Result<Currency, ConversionError> read = parseCurrency(text);
                       if (read) {
                           amount = *read;
                           return std::nullopt;
                       }
                       if (read.error() == ConversionError::OutOfRange) {
                           return name + " is out of range: " + quotedText(text);
                       }
                       return name + " needs a number, not " + quotedText(text);
                   });
}

// The range's usage error, if any: the engine's refusal of it.
std::optional<std::string> rangeProblem(const AmountRange &range, bool orders) {
    const Result<std::int64_t, Refusal> points = rangePoints(range);
    if (!points) {
        return std::string(refusalMessage(points.error()));
    }
    if (orders && range.from < Currency{}) {
        return std::string(refusalMessage(Refusal::OrderNegative));
    }
    return std::nullopt;
}

// The three range options; absent ones keep the range's values.
struct RangeOptions {
    std::optional<Currency> from;
    std::optional<Currency> to;
    std::optional<Currency> step;

    void add(CLI::App &app, const std::string &valueName, const std::string &defaults) {
        addAmountOption(app, "--from", valueName, "first value" + defaults, from);
        addAmountOption(app, "--to", valueName, "last value (the range ends at or below it)", to);
        addAmountOption(app, "--step", "S", "step between values, above 0", step);
    }
    [[nodiscard]] AmountRange over(AmountRange range) const {
        range.from = from.value_or(range.from);
        range.to = to.value_or(range.to);
        range.step = step.value_or(range.step);
        return range;
    }
};

class QuantityReader final : public CommandReader {
public:
    void addOptions(CLI::App &app) override {
        addRunInputOptions(app, m_command.inputs, PolicyDefault::Yesterday);
        m_range.add(app, "Q", " (orders: defaults 30 to 70 by 1)");
        addFormatOption(app, m_command.format, kAnalysisFormats);
    }

    Result<Command, UsageError> command() override {
        m_command.orders = m_range.over(kDefaultCurveRange);
        if (std::optional<std::string> problem = rangeProblem(m_command.orders, true)) {
            return Failure{UsageError{std::move(*problem)}};
        }
        return Command{m_command};
    }

private:
    QuantityCommand m_command;
    RangeOptions m_range;
};

constexpr std::array<std::pair<std::string_view, SweepInput>, 3> kVaried{
    {{"price", SweepInput::Price}, {"cost", SweepInput::Cost}, {"order", SweepInput::Order}}};

class SweepReader final : public CommandReader {
public:
    void addOptions(CLI::App &app) override {
        addValueOption(app, "--vary", "price|cost|order", "the input to vary (required)",
                       [this](const std::string &text) -> std::optional<std::string> {
                           for (const auto &[word, input] : kVaried) {
                               if (text == word) {
                                   m_varied = input;
                                   return std::nullopt;
                               }
                           }
                           return "Unknown input " + quotedText(text) +
                                  " for --vary: use price, cost or order";
                       });
        m_range.add(app, "X", " (required, as are --to and --step)");
        addRunInputOptions(app, m_command.inputs, PolicyDefault::Yesterday);
        addFormatOption(app, m_command.format, kAnalysisFormats);
    }

    Result<Command, UsageError> command() override {
        const std::array<std::pair<bool, const char *>, 4> required{
            {{m_varied.has_value(), "--vary"},
             {m_range.from.has_value(), "--from"},
             {m_range.to.has_value(), "--to"},
             {m_range.step.has_value(), "--step"}}};
        for (const auto &[given, name] : required) {
            if (!given) {
                return Failure{UsageError{"Option " + std::string(name) + " is required"}};
            }
        }
        m_command.varied = *m_varied;
        m_command.values = m_range.over({});
        if (std::optional<std::string> problem =
                rangeProblem(m_command.values, m_command.varied == SweepInput::Order)) {
            return Failure{UsageError{std::move(*problem)}};
        }
        return Command{m_command};
    }

private:
    SweepCommand m_command;
    std::optional<SweepInput> m_varied;
    RangeOptions m_range;
};

}  // namespace

std::unique_ptr<CommandReader> quantityReader() {
    return std::make_unique<QuantityReader>();
}

std::unique_ptr<CommandReader> sweepReader() {
    return std::make_unique<SweepReader>();
}

}  // namespace nv::runner
