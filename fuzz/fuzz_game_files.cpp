// Fuzzes the two files of a game that come from students' machines: the
// orders file and the saved results. No input may crash or hang them; what
// they accept must make sense: orders are whole numbers from 0 to 1,000, one
// to 365 of them, and an accepted results file replays to a debrief.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "engine/analysis/game.h"
#include "io/results_file.h"

namespace {

void check(bool condition, const char *what) {
    if (!condition) {
        std::fprintf(stderr, "%s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    if (const auto orders = nv::parseOrdersFile(bytes)) {
        check(!orders->empty() && orders->size() <= nv::kMaxGameDays, "a bad number of orders");
        for (const nv::Currency order : *orders) {
            check(order >= nv::Currency{} && order <= nv::Currency::fromCount(nv::kMaxOrder) &&
                      order.units() % nv::Currency::kUnitsPerWhole == 0,
                  "an order that is not a whole number from 0 to 1,000");
        }
    } else {
        check(!nv::ordersFileMessage(orders.error()).empty(), "a refusal without a message");
    }

    if (const auto game = nv::readSavedGame(bytes)) {
        check(game->orders.size() == game->demands.size() && !game->orders.empty(),
              "a saved game whose orders and demands differ in number");
        const nv::Debrief debrief = nv::debrief(game->parameters, game->orders, game->demands);
        check(debrief.days.size() == game->orders.size(), "a debrief that lost days");
    }
    return 0;
}
