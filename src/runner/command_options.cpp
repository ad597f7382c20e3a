#include "runner/command_options.h"

#include <CLI/CLI.hpp>
#include <cstddef>
#include <filesystem>
#include <limits>
#include <memory>

#include "engine/demand_distribution.h"
#include "io/scenario.h"
#include "runner/runner_text.h"

namespace nv::runner {

namespace {

// The five --freq texts into distribution; a usage message for a bad count.
std::optional<std::string> readFrequencies(DemandDistribution &distribution,
                                           std::string_view value) {
    std::array<std::string_view, kDemandClasses> texts{};
    std::size_t count = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = value.find(',', start);
        if (count < texts.size()) {
            texts[count] = value.substr(start, comma - start);
        }
        ++count;
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    if (count != kDemandClasses) {
        return "--freq needs five frequencies separated by commas, not " + std::to_string(count);
    }
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        distribution.setFrequency(cls, storedFrequency(texts[cls]));
    }
    return std::nullopt;
}

// The value of a text of decimal digits only (nullopt when it is empty or
// holds anything else); above limit it is nullopt, or limit when saturate.
std::optional<std::uint64_t> digitsValue(std::string_view text, std::uint64_t limit,
                                         bool saturate) noexcept {
    if (text.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (limit - digit) / 10) {
            if (!saturate) {
                return std::nullopt;
            }
            value = limit;
        } else {
            value = value * 10 + digit;
        }
    }
    return value;
}

// Which of the run-input options one App was given: a scenario's values,
// whenever --scenario comes, fill only the others.
struct GivenInputs {
    bool runs = false;
    bool price = false;
    bool cost = false;
    bool frequencies = false;
    bool policy = false;
    std::optional<std::uint64_t> scenarioSeed;
};

void takeScenario(const Scenario &scenario, RunInputs &inputs, const GivenInputs &given,
                  PolicyDefault policyDefault) {
    if (!given.runs) {
        inputs.runsText = scenario.runs;
    }
    if (!given.price) {
        inputs.priceText = scenario.price;
    }
    if (!given.cost) {
        inputs.costText = scenario.cost;
    }
    if (!given.frequencies) {
        inputs.distribution = scenarioRunInputs(scenario).distribution;
    }
    // A null policy selects none, unless the command checks with a default.
    if (!given.policy && (scenario.policy || policyDefault == PolicyDefault::None)) {
        inputs.yesterdaySelected = scenario.policy == OrderPolicy::Yesterday;
        inputs.annualSelected = scenario.policy == OrderPolicy::Annual;
    }
}

// The scenario's seed, once the whole command line is read, as if --seed had
// been given: unless the App has no --seed, or --seed or --draws was given.
void useScenarioSeed(CLI::App &app, const GivenInputs &given) {
    CLI::Option *seed = app.get_option_no_throw("--seed");
    const CLI::Option *draws = app.get_option_no_throw("--draws");
    if (!given.scenarioSeed || seed == nullptr || seed->count() > 0 ||
        (draws != nullptr && draws->count() > 0)) {
        return;
    }
    seed->add_result(std::to_string(*given.scenarioSeed));
    seed->run_callback();
}

template <class Format>
void addFormat(CLI::App &app, Format &format, FormatWords<Format> words) {
    std::string names;
    for (const auto &[word, value] : words) {
        names += (names.empty() ? "" : ", ") + std::string(word);
    }
    const std::size_t lastComma = names.rfind(", ");
    const std::string choices = names.substr(0, lastComma) + " or " + names.substr(lastComma + 2);
    addValueOption(
        app, "--format", "WORD", choices + " (default " + std::string(words[0].first) + ")",
        [&format, words, choices](const std::string &text) -> std::optional<std::string> {
            for (const auto &[word, value] : words) {
                if (text == word) {
                    format = value;
                    return std::nullopt;
                }
            }
            return "Unknown format " + quotedText(text) + ": use " + choices;
        });
}

}  // namespace

CLI::Option *addValueOption(CLI::App &app, const std::string &name, const std::string &valueName,
                            const std::string &description,
                            std::function<std::optional<std::string>(const std::string &)> store) {
    auto given = std::make_shared<bool>(false);
    CLI::Option *option = app.add_option_function<std::string>(
        name,
        [name, given, store = std::move(store)](const std::string &value) {
            if (*given) {
                throw OptionError("Option " + name + " is given twice");
            }
            *given = true;
            if (std::optional<std::string> message = store(value)) {
                throw OptionError(*message);
            }
        },
        description);
    // Read when met, so the first problem from the left is the one reported.
    option->type_name(valueName)->trigger_on_parse();
    return option;
}

void addRunInputOptions(CLI::App &app, RunInputs &inputs, PolicyDefault policyDefault,
                        ScenarioUse use) {
    auto given = std::make_shared<GivenInputs>();
    const auto text = [given](std::string &field, bool GivenInputs::*flag) {
        return [&field, given, flag](const std::string &value) -> std::optional<std::string> {
            field = value;
            (*given).*flag = true;
            return std::nullopt;
        };
    };
    addValueOption(app, "--runs", "TEXT",
                   "Number of Runs: the number of simulated days\n(default 250)",
                   text(inputs.runsText, &GivenInputs::runs));
    addValueOption(app, "--price", "TEXT", "unit selling price (default 4.60)",
                   text(inputs.priceText, &GivenInputs::price));
    addValueOption(app, "--cost", "TEXT", "unit purchase cost (default 2.20)",
                   text(inputs.costText, &GivenInputs::cost));
    addValueOption(app, "--freq", "T30,T40,T50,T60,T70",
                   "relative frequencies of the daily demands 30, 40,\n"
                   "50, 60 and 70, adding to 1 (default: all 0)",
                   [&inputs, given](const std::string &value) {
                       given->frequencies = true;
                       return readFrequencies(inputs.distribution, value);
                   });
    const std::string policyHelp = policyDefault == PolicyDefault::None
                                       ? "yesterday: order yesterday's demand; annual: order\n"
                                         "the mean daily demand (default: none selected)"
                                       : "check the inputs as a run with this policy would\n"
                                         "(default yesterday); every rule is compared\n"
                                         "either way";
    addValueOption(app, "--policy", "yesterday|annual", policyHelp,
                   [&inputs, given](const std::string &value) -> std::optional<std::string> {
                       if (value != "yesterday" && value != "annual") {
                           return "Unknown order policy " + quotedText(value) +
                                  ": use yesterday or annual";
                       }
                       inputs.yesterdaySelected = value == "yesterday";
                       inputs.annualSelected = value == "annual";
                       given->policy = true;
                       return std::nullopt;
                   });
    addValueOption(app, "--scenario", "FILE",
                   "the values above, and the seed if it has one,\n"
                   "from the scenario FILE (.nvscenario); options\n"
                   "given beside it override them",
                   [&inputs, given, policyDefault,
                    use](const std::string &path) -> std::optional<std::string> {
                       if (path.empty()) {
                           return "Option --scenario needs a file name";
                       }
                       const auto scenario = readScenarioFile(path);
                       if (!scenario) {
                           // Named as the desktop program names it: the file's name.
                           const std::string name = std::filesystem::path(path).filename().string();
                           return scenarioMessage(displayText(name), scenario.error());
                       }
                       takeScenario(*scenario, inputs, *given, policyDefault);
                       if (use.runSeed) {
                           given->scenarioSeed = scenario->seed;
                       }
                       if (use.opened != nullptr) {
                           *use.opened = *scenario;
                       }
                       return std::nullopt;
                   });
    app.parse_complete_callback([&app, given] { useScenarioSeed(app, *given); });
}

void addSeedOption(CLI::App &app, std::optional<std::uint64_t> &seed) {
    addValueOption(app, "--seed", "N",
                   "seed of the random numbers, 0 to\n"
                   "18446744073709551615 (default: from the clock)",
                   [&seed](const std::string &value) -> std::optional<std::string> {
                       seed = parseSeed(value);
                       if (!seed) {
                           return "Bad seed " + quotedText(value) +
                                  ": use a whole number from 0 to 18446744073709551615";
                       }
                       return std::nullopt;
                   });
}

void addReplicationsOption(CLI::App &app, std::int64_t &replications) {
    addValueOption(app, "--replications", "R",
                   "the number of replications, 1 to 1,000,000\n(default 1000)",
                   [&replications](const std::string &value) -> std::optional<std::string> {
                       const std::optional<std::int64_t> read = parseReplications(value);
                       if (!read) {
                           return "Bad number of replications " + quotedText(value) +
                                  ": use a whole number from 1 to 1000000";
                       }
                       replications = *read;
                       return std::nullopt;
                   });
}

void addFormatOption(CLI::App &app, OutputFormat &format, FormatWords<OutputFormat> words) {
    addFormat(app, format, words);
}

void addFormatOption(CLI::App &app, AnalysisFormat &format, FormatWords<AnalysisFormat> words) {
    addFormat(app, format, words);
}

std::optional<std::uint64_t> parseSeed(std::string_view text) noexcept {
    return digitsValue(text, std::numeric_limits<std::uint64_t>::max(), false);
}

std::optional<std::int64_t> parseReplications(std::string_view text) noexcept {
    const bool negative = text.starts_with('-');
    if (negative) {
        text.remove_prefix(1);
    }
    constexpr auto kLimit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    const std::optional<std::uint64_t> magnitude = digitsValue(text, kLimit, true);
    if (!magnitude) {
        return std::nullopt;
    }
    const auto value = static_cast<std::int64_t>(*magnitude);
    return negative ? -value : value;
}

std::string quotedText(std::string_view text) {
    return "'" + displayText(text) + "'";
}

}  // namespace nv::runner
