// Saved game results: the debrief's json, as "Save Results…" and
// `newsvendor-run debrief --format json` write it, read back so that a teacher
// can open a student's file and see the debrief again.
//
// A results file comes from a student's machine, so nothing in it is taken on
// trust: the reader takes the inputs, the seed and the orders, and the game is
// replayed; a file whose recorded days differ from the replay (edited by hand,
// or written by another version) is refused.
//
//     auto game = nv::readSavedGame(bytes);
//     if (!game) show(nv::resultsFileMessage("alice.json", game.error()));
//     nv::Debrief d = nv::debrief(game->parameters, game->orders, game->demands);
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/analysis/analysis_parameters.h"
#include "engine/simulation_parameters.h"
#include "support/currency.h"
#include "support/result.h"

namespace nv {

inline constexpr std::size_t kMaxResultsBytes = std::size_t{4} << 20;

struct SavedGame {
    AnalysisParameters parameters;
    OrderPolicy checkedPolicy = OrderPolicy::Yesterday;
    std::uint64_t seed = 0;
    std::vector<Currency> orders;
    std::vector<Currency> demands;  // the replay's, equal to the file's
};

// What is wrong with a results file, in words that follow its name:
// "is not valid JSON", "lacks \"days\"", "does not match a replay of its
// orders (day 3)", "has inputs the game refuses: Price must be a number".
struct ResultsFileError {
    std::string problem;
    friend bool operator==(const ResultsFileError &, const ResultsFileError &) = default;
};

[[nodiscard]] Result<SavedGame, ResultsFileError> readSavedGame(std::string_view bytes);

// "The results file 'alice.json' does not match a replay of its orders (day 3)"
[[nodiscard]] std::string resultsFileMessage(std::string_view shownName,
                                             const ResultsFileError &error);

}  // namespace nv
