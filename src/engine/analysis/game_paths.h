// A game's days as paths for its charts: the cumulative profit of the player
// and of each ordering rule after every day, on the same demands (the totals
// of the debrief are the paths' last values).
//
// The rules order as the debrief says: Yesterday's Demand (the first day 50),
// Average Annual Demand (the mean demand), the best fixed order (the low end
// of the best orders) and perfect information (the day's demand).
//
//     nv::GamePaths paths = nv::gamePaths(parameters, game.orders(), game.demands());
//     double afterDay3 = paths.cumulative[nv::GamePlayer::You][3].toDouble();
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <vector>

#include "engine/analysis/analysis_parameters.h"
#include "support/currency.h"

namespace nv {

// Whose path: the player's first, then the rules in the debrief's order.
enum class GamePlayer { You, Yesterday, Annual, Best, Perfect };
inline constexpr std::size_t kGamePlayers = 5;

struct GamePaths {
    // cumulative[who][d]: the total after day d; [who][0] is 0, before day 1.
    std::array<std::vector<Currency>, kGamePlayers> cumulative{};

    [[nodiscard]] const std::vector<Currency> &of(GamePlayer who) const noexcept {
        return cumulative[static_cast<std::size_t>(who)];
    }
};

// Precondition: as for debrief (game.h): equal lengths, orders 0..1,000 and
// checkGame passed for that many days.
[[nodiscard]] GamePaths gamePaths(const AnalysisParameters &parameters,
                                  std::span<const Currency> orders,
                                  std::span<const Currency> demands);

}  // namespace nv
