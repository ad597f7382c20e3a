// Fuzzes the scenario reader with arbitrary bytes: a scenario comes from
// someone else's machine. No input may crash it or hang it; every refusal is
// one message that names the file; every scenario it accepts writes back to
// a text that reads again as the same scenario.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "io/scenario.h"

namespace {

[[noreturn]] void fail(const char *what, const std::string &detail) {
    std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const auto scenario = nv::parseScenario(bytes);
    if (!scenario) {
        const std::string message = nv::scenarioMessage("f.nvscenario", scenario.error());
        if (message.find("'f.nvscenario'") == std::string::npos ||
            message.find('\n') != std::string::npos) {
            fail("a refusal that is not one line naming the file", message);
        }
        return 0;
    }
    const std::string written = nv::scenarioJson(*scenario);
    const auto again = nv::parseScenario(written);
    if (!again) {
        fail("a written scenario does not read back", written);
    }
    if (!(*again == *scenario)) {
        fail("a written scenario reads back as another", written);
    }
    return 0;
}
