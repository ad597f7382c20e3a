// Scenario files (.nvscenario): the inputs a teacher hands out, so that every
// student starts from the same texts and, with a seed, sees the same demands.
//
// A scenario is one UTF-8 JSON object:
//
//     {
//       "format": "newsvendor-scenario",
//       "format_version": 1,
//       "title": "Week 3: bell-shaped demand",
//       "notes": "Shown when the scenario is opened.",
//       "runs": "250",
//       "price": "4.60",
//       "cost": "2.20",
//       "frequencies": ["0.10", "0.20", "0.40", "0.20", "0.10"],
//       "policy": "yesterday",
//       "seed": 12345
//     }
//
// - runs, price, cost and the five frequencies are texts, exactly as the
//   fields hold them (a run converts them as always); required.
// - policy is "yesterday", "annual" or null; required.
// - title, notes (texts), seed (a whole number 0..18446744073709551615),
//   worksheet_days (1..1000) and worksheet_seed (like seed) are optional; a
//   null counts as absent.
// - format must be "newsvendor-scenario"; format_version a whole number from
//   1 up to kScenarioFormatVersion. Unknown keys are ignored.
// - The file is at most kMaxScenarioBytes (1 MiB); a UTF-8 byte-order mark is
//   allowed.
//
// Reading never throws: a file that cannot be used gives a ScenarioError,
// which scenarioMessage turns into one message naming the file:
//
//     auto scenario = nv::readScenarioFile("week3.nvscenario");
//     if (!scenario) show(nv::scenarioMessage("week3.nvscenario", scenario.error()));
//     std::string text = nv::scenarioJson(*scenario);   // what Save writes
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "engine/demand_distribution.h"
#include "engine/simulation_parameters.h"
#include "support/result.h"

namespace nv {

inline constexpr std::string_view kScenarioFormat = "newsvendor-scenario";
inline constexpr std::int64_t kScenarioFormatVersion = 1;
inline constexpr std::size_t kMaxScenarioBytes = std::size_t{1} << 20;
inline constexpr std::string_view kScenarioExtension = ".nvscenario";

struct Scenario {
    std::optional<std::string> title;
    std::optional<std::string> notes;
    std::string runs = "250";
    std::string price = "4.60";
    std::string cost = "2.20";
    std::array<std::string, kDemandClasses> frequencies;
    std::optional<OrderPolicy> policy;  // nullopt: no order policy selected
    std::optional<std::uint64_t> seed;
    std::optional<std::int32_t> worksheetDays;
    std::optional<std::uint64_t> worksheetSeed;

    friend bool operator==(const Scenario &, const Scenario &) = default;
};

enum class ScenarioProblem {
    Unreadable,  // detail: the system's reason
    TooLarge,
    NotUtf8,
    NotJson,  // detail: where the parser stopped
    NotAnObject,
    WrongFormat,   // "format" missing or not "newsvendor-scenario"
    NewerVersion,  // detail: the version found
    MissingKey,    // detail: the key
    WrongType,     // detail: the key
};

struct ScenarioError {
    ScenarioProblem problem = ScenarioProblem::NotJson;
    std::string detail;

    friend bool operator==(const ScenarioError &, const ScenarioError &) = default;
};

// The scenario in a file's bytes.
[[nodiscard]] Result<Scenario, ScenarioError> parseScenario(std::string_view bytes);

// Reads at most kMaxScenarioBytes + 1 bytes of the file, then parses them.
[[nodiscard]] Result<Scenario, ScenarioError> readScenarioFile(const std::filesystem::path &path);

// One message naming the file (as the caller shows it) and the problem, e.g.
// "The scenario 'week3.nvscenario' lacks the key \"price\"".
[[nodiscard]] std::string scenarioMessage(std::string_view shownName, const ScenarioError &error);

// The scenario as a file's text: the keys in the order above, absent optional
// keys left out, two-space indents, a final line end.
[[nodiscard]] std::string scenarioJson(const Scenario &scenario);

// The inputs of a run the scenario describes: the three texts, the
// frequencies as the boxes store them, the policy's option.
[[nodiscard]] RunInputs scenarioRunInputs(const Scenario &scenario);

}  // namespace nv
