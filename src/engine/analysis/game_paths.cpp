// The cumulative profit paths of a game's player and rules.
#include "engine/analysis/game_paths.h"

#include <cassert>

#include "engine/analysis/game.h"
#include "engine/simulation.h"

namespace nv {

GamePaths gamePaths(const AnalysisParameters &parameters, std::span<const Currency> orders,
                    std::span<const Currency> demands) {
    assert(orders.size() == demands.size());
    const Currency best = gameBestOrder(parameters);
    const auto orderOf = [&](GamePlayer who, std::size_t t) {
        switch (who) {
            case GamePlayer::You:
                return orders[t];
            case GamePlayer::Yesterday:
                return t == 0 ? Currency::fromCount(50) : demands[t - 1];
            case GamePlayer::Annual:
                return parameters.meanDemand();
            case GamePlayer::Best:
                return best;
            case GamePlayer::Perfect:
                return demands[t];
        }
        return Currency{};
    };
    GamePaths paths;
    for (std::size_t who = 0; who < kGamePlayers; ++who) {
        std::vector<Currency> &path = paths.cumulative[who];
        path.reserve(demands.size() + 1);
        path.push_back(Currency{});
        for (std::size_t t = 0; t < demands.size(); ++t) {
            const auto day = simulateDay(1, orderOf(static_cast<GamePlayer>(who), t), demands[t],
                                         parameters.price(), parameters.cost(), path.back());
            assert(day.has_value());  // checkGame bounds every order from 0 to 1,000
            path.push_back(day ? day->cumulativeProfit : path.back());
        }
    }
    return paths;
}

}  // namespace nv
