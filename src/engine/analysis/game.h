// Playing the newsvendor: the student orders day by day on the demands a run
// with the game's seed would draw, then a debrief compares the decisions with
// the ordering rules on the same days and separates skill from luck.
//
// Demands: day t's demand is the demand the run draws on day t with the same
// seed (SeededSource(seed), one draw a day, sampled as the run samples), so
// `newsvendor-run --seed N --runs DAYS` shows a game's demands in its Demand
// column, and a seed handed out in a scenario gives the whole class the same
// days.
//
// Orders: a whole number of units from 0 to 1,000, read from a text as the
// list fields read theirs ("48", " 60 ", "5e1"); anything else is refused
// with a message. An orders file holds one order per line (LF or CRLF, blank
// lines skipped), at most kMaxGameDays of them.
//
//     auto parameters = nv::AnalysisParameters::fromInputs(inputs);   // as analyze checks
//     auto game = nv::Game::start(*parameters, 30, 12345);
//     game->play(*nv::parseOrder("55"));       // day 1: its outcome
//     nv::Debrief d = nv::debrief(*parameters, game->orders(), game->demands());
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/analysis/analysis_parameters.h"
#include "engine/analysis/exact_decimal.h"
#include "engine/simulation.h"
#include "engine/validation.h"
#include "support/currency.h"
#include "support/result.h"

namespace nv {

inline constexpr std::int32_t kMinGameDays = 1;
inline constexpr std::int32_t kMaxGameDays = 365;
inline constexpr std::int32_t kDefaultGameDays = 30;
inline constexpr std::int32_t kMaxOrder = 1000;

// The demands of the first `days` days of a run seeded with `seed`.
[[nodiscard]] std::vector<Currency> gameDemands(const DemandDistribution &distribution,
                                                std::int32_t days, std::uint64_t seed);

// Refusal::OrderNotANumber or Refusal::OrderOutOfRange (not whole, or
// outside 0..1,000).
[[nodiscard]] Result<Currency, Refusal> parseOrder(std::string_view text) noexcept;

struct OrdersFileError {
    std::size_t line = 0;  // 1-based; 0 for a file with too many or no orders
    Refusal refusal = Refusal::OrderNotANumber;
    friend bool operator==(const OrdersFileError &, const OrdersFileError &) = default;
};

[[nodiscard]] Result<std::vector<Currency>, OrdersFileError> parseOrdersFile(std::string_view text);
// "Line 3 of the orders file: The order must be a number",
// "The orders file has no orders", "The orders file has more than 365 orders".
[[nodiscard]] std::string ordersFileMessage(const OrdersFileError &error);

// The game's own checks, after the analysis's: Refusal::GameDaysOutOfRange
// outside kMinGameDays..kMaxGameDays; Refusal::AmountsOutOfRange when some
// order from 0 to 1,000 could take a day's or the game's profit out of the
// Currency range. nullopt when both pass.
[[nodiscard]] std::optional<Refusal> checkGame(const AnalysisParameters &parameters,
                                               std::int32_t days) noexcept;

// One game in progress.
class Game {
public:
    // checkGame, then the demands of every day are drawn.
    [[nodiscard]] static Result<Game, Refusal> start(const AnalysisParameters &parameters,
                                                     std::int32_t days, std::uint64_t seed);

    // Plays the next day with this order and returns its outcome (the run's
    // day computation); nullopt once every day has been played.
    std::optional<DayResult> play(Currency order);

    [[nodiscard]] std::int32_t days() const noexcept { return m_days; }
    [[nodiscard]] std::uint64_t seed() const noexcept { return m_seed; }
    [[nodiscard]] std::int32_t daysPlayed() const noexcept {
        return static_cast<std::int32_t>(m_played.size());
    }
    [[nodiscard]] bool finished() const noexcept { return daysPlayed() == m_days; }
    [[nodiscard]] const std::vector<DayResult> &played() const noexcept { return m_played; }
    [[nodiscard]] const std::vector<Currency> &orders() const noexcept { return m_orders; }
    // The demands of the days played so far.
    [[nodiscard]] std::span<const Currency> demands() const noexcept {
        return std::span<const Currency>(m_demands).first(m_played.size());
    }

private:
    Game(const AnalysisParameters &parameters, std::int32_t days, std::uint64_t seed);

    Currency m_price;
    Currency m_cost;
    std::int32_t m_days = 0;
    std::uint64_t m_seed = 0;
    std::vector<Currency> m_demands;  // every day's, drawn at the start
    std::vector<Currency> m_orders;
    std::vector<DayResult> m_played;
};

// The debrief of the days played (orders and demands of equal length).
struct Debrief {
    std::vector<DayResult> days;     // the player's days
    std::vector<Currency> leftover;  // per day: order - sales
    std::vector<Currency> unmet;     // per day: demand - sales
    Currency playerTotal;
    ExactDecimal expectedTotal;  // sum of each day's expected profit at its order
    ExactDecimal luck;           // playerTotal - expectedTotal
    // The rules' totals on the same demands: Yesterday's Demand (first order
    // 50), Average Annual Demand, the best fixed order, perfect information.
    Currency yesterdayTotal;
    Currency annualTotal;
    Currency bestTotal;
    Currency perfectTotal;
    std::optional<double> shareOfPerfect;    // none when perfect information earns nothing
    ExactDecimal meanOrder;                  // rounded at its 18th place when it does not end
    Currency bestOrder;                      // the low end of the best orders
    Currency meanDemand;                     // the distribution's mean
    std::optional<double> chaseCorrelation;  // order(t) with demand(t - 1), days 2 on
    std::int32_t daysAboveBest = 0;          // orders above the best order
};

// The best fixed order for the game: the low end of the best orders
// (order_quantity.h); the largest demand when the cost is 0 or below.
[[nodiscard]] Currency gameBestOrder(const AnalysisParameters &parameters) noexcept;

// Precondition: orders.size() == demands.size() (a game's days so far), each
// order within 0..1,000, and checkGame passed for that many days.
[[nodiscard]] Debrief debrief(const AnalysisParameters &parameters,
                              std::span<const Currency> orders, std::span<const Currency> demands);

// Pearson's correlation of x and y; none when fewer than two pairs or either
// series is constant. Exactly +-1 when the two are exactly linear.
[[nodiscard]] std::optional<double> correlation(std::span<const Currency> x,
                                                std::span<const Currency> y) noexcept;

}  // namespace nv
