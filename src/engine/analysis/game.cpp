// A game's demands, its orders, and the debrief of the days played.
#include "engine/analysis/game.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>

#include "engine/analysis/order_quantity.h"
#include "support/lines.h"
#include "support/random_source.h"
#include "support/text_conversion.h"
#include "support/wide_int.h"

namespace nv {

namespace {

constexpr Currency kFirstYesterdayOrder = Currency::fromCount(50);

// The total of a fixed rule's days on the game's demands.
template <class OrderOf>
Currency ruleTotal(const AnalysisParameters &parameters, std::span<const Currency> demands,
                   OrderOf orderOf) {
    Currency total;
    for (std::size_t t = 0; t < demands.size(); ++t) {
        const auto day =
            simulateDay(1, orderOf(t), demands[t], parameters.price(), parameters.cost(), total);
        assert(day.has_value());  // checkGame bounds every order from 0 to 1,000
        total = day ? day->cumulativeProfit : total;
    }
    return total;
}

}  // namespace

std::vector<Currency> gameDemands(const DemandDistribution &distribution, std::int32_t days,
                                  std::uint64_t seed) {
    SeededSource random(seed);
    const DemandSampler sampler(distribution);
    std::vector<Currency> demands;
    demands.reserve(static_cast<std::size_t>(std::max(days, 0)));
    for (std::int32_t day = 0; day < days; ++day) {
        demands.push_back(classDemand(sampler.sampleClass(random.next())));
    }
    return demands;
}

Result<Currency, Refusal> parseOrder(std::string_view text) noexcept {
    const auto value = parseDouble(text);
    if (!value) {
        return Failure{value.error() == ConversionError::NotANumber ? Refusal::OrderNotANumber
                                                                    : Refusal::OrderOutOfRange};
    }
    if (!(*value >= 0 && *value <= kMaxOrder) || std::floor(*value) != *value) {
        return Failure{Refusal::OrderOutOfRange};
    }
    return Currency::fromCount(static_cast<std::int32_t>(*value));
}

Result<std::vector<Currency>, OrdersFileError> parseOrdersFile(std::string_view text) {
    std::vector<Currency> orders;
    LineReader lines(text);
    while (const auto next = lines.next()) {
        const std::string_view row = *next;
        const std::size_t line = lines.number();
        if (isBlankLine(row)) {
            continue;
        }
        if (orders.size() == static_cast<std::size_t>(kMaxGameDays)) {
            return Failure{OrdersFileError{0, Refusal::GameDaysOutOfRange}};
        }
        const auto order = parseOrder(row);
        if (!order) {
            return Failure{OrdersFileError{line, order.error()}};
        }
        orders.push_back(*order);
    }
    if (orders.empty()) {
        return Failure{OrdersFileError{0, Refusal::GameDaysOutOfRange}};
    }
    return orders;
}

std::string ordersFileMessage(const OrdersFileError &error) {
    if (error.line == 0) {
        return "The orders file must hold from 1 to 365 orders, one per line";
    }
    return "Line " + std::to_string(error.line) +
           " of the orders file: " + std::string(refusalMessage(error.refusal));
}

std::optional<Refusal> checkGame(const AnalysisParameters &parameters, std::int32_t days) noexcept {
    if (days < kMinGameDays || days > kMaxGameDays) {
        return Refusal::GameDaysOutOfRange;
    }
    // A day's profit lies within -(1,000 x |cost|) - 1 .. 70 x |price| + 1
    // ten-thousandths (each Currency product rounds by at most one unit).
    const UInt128 revenue = UInt128{70} * magnitude(parameters.price().units()) + 1;
    const UInt128 outlay = UInt128{kMaxOrder} * magnitude(parameters.cost().units()) + 1;
    const auto limit = static_cast<UInt128>(std::numeric_limits<std::int64_t>::max());
    if ((revenue + outlay) * static_cast<UInt128>(days) > limit) {
        return Refusal::AmountsOutOfRange;
    }
    return std::nullopt;
}

Result<Game, Refusal> Game::start(const AnalysisParameters &parameters, std::int32_t days,
                                  std::uint64_t seed) {
    if (const auto refusal = checkGame(parameters, days)) {
        return Failure{*refusal};
    }
    return Game(parameters, days, seed);
}

Game::Game(const AnalysisParameters &parameters, std::int32_t days, std::uint64_t seed)
    : m_price(parameters.price()),
      m_cost(parameters.cost()),
      m_days(days),
      m_seed(seed),
      m_demands(gameDemands(parameters.distribution(), days, seed)) {}

std::optional<DayResult> Game::play(Currency order) {
    if (finished()) {
        return std::nullopt;
    }
    const std::size_t t = m_played.size();
    const Currency before = t == 0 ? Currency{} : m_played.back().cumulativeProfit;
    const auto day =
        simulateDay(static_cast<std::int16_t>(t + 1), order, m_demands[t], m_price, m_cost, before);
    if (!day) {
        return std::nullopt;
    }
    m_orders.push_back(order);
    m_played.push_back(*day);
    return day;
}

Currency gameBestOrder(const AnalysisParameters &parameters) noexcept {
    // A cost of 0 or below leaves no largest best order: the best orders
    // start at the largest demand.
    const auto best = bestOrders(parameters);
    return best ? best->low : classDemand(kDemandClasses - 1);
}

std::optional<double> correlation(std::span<const Currency> x,
                                  std::span<const Currency> y) noexcept {
    const std::size_t n = std::min(x.size(), y.size());
    if (n < 2) {
        return std::nullopt;
    }
    // Exact sums of the ten-thousandths; the co-moments n*Sxy - Sx*Sy are
    // then exact too (orders and demands are at most 1,000 units).
    Int128 sx = 0;
    Int128 sy = 0;
    Int128 sxx = 0;
    Int128 syy = 0;
    Int128 sxy = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const Int128 a = x[i].units();
        const Int128 b = y[i].units();
        sx += a;
        sy += b;
        sxx += a * a;
        syy += b * b;
        sxy += a * b;
    }
    const auto count = static_cast<Int128>(n);
    const Int128 vx = count * sxx - sx * sx;
    const Int128 vy = count * syy - sy * sy;
    const Int128 cxy = count * sxy - sx * sy;
    if (vx == 0 || vy == 0) {
        return std::nullopt;
    }
    const double r =
        static_cast<double>(cxy) / std::sqrt(static_cast<double>(vx) * static_cast<double>(vy));
    return std::clamp(r, -1.0, 1.0);
}

Debrief debrief(const AnalysisParameters &parameters, std::span<const Currency> orders,
                std::span<const Currency> demands) {
    assert(orders.size() == demands.size());
    Debrief d;
    d.bestOrder = gameBestOrder(parameters);
    d.meanDemand = parameters.meanDemand();
    Currency cumulative;
    ExactDecimal orderSum;
    for (std::size_t t = 0; t < orders.size(); ++t) {
        const auto day = simulateDay(static_cast<std::int16_t>(t + 1), orders[t], demands[t],
                                     parameters.price(), parameters.cost(), cumulative);
        assert(day.has_value());
        if (!day) {
            break;
        }
        cumulative = day->cumulativeProfit;
        d.days.push_back(*day);
        d.leftover.push_back(Currency::fromUnits(orders[t].units() - day->sales.units()));
        d.unmet.push_back(Currency::fromUnits(demands[t].units() - day->sales.units()));
        const auto expected = orderFigures(parameters, orders[t]);
        assert(expected.has_value());  // checkGame bounds every order from 0 to 1,000
        if (expected) {
            d.expectedTotal += expected->exact.profit;
        }
        orderSum += ExactDecimal::of(orders[t]);
        if (orders[t] > d.bestOrder) {
            ++d.daysAboveBest;
        }
    }
    d.playerTotal = cumulative;
    d.luck = ExactDecimal::of(d.playerTotal) - d.expectedTotal;
    if (!orders.empty()) {
        d.meanOrder = orderSum.dividedBy(static_cast<std::int64_t>(orders.size()));
    }

    d.yesterdayTotal = ruleTotal(parameters, demands, [&](std::size_t t) {
        return t == 0 ? kFirstYesterdayOrder : demands[t - 1];
    });
    d.annualTotal =
        ruleTotal(parameters, demands, [&](std::size_t) { return parameters.meanDemand(); });
    d.bestTotal = ruleTotal(parameters, demands, [&](std::size_t) { return d.bestOrder; });
    d.perfectTotal = ruleTotal(parameters, demands, [&](std::size_t t) { return demands[t]; });
    if (d.perfectTotal > Currency{}) {
        d.shareOfPerfect = d.playerTotal.toDouble() / d.perfectTotal.toDouble();
    }
    if (orders.size() >= 2) {
        d.chaseCorrelation = correlation(orders.subspan(1), demands.first(demands.size() - 1));
    }
    return d;
}

}  // namespace nv
