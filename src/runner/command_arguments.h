// The arguments of a command line prepared for CLI11 and read back from it:
// "--name=VALUE" split for options that take a value, the order CLI11 wants,
// stray arguments as usage messages. command_line.cpp uses them.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "support/result.h"

namespace CLI {
class App;
}  // namespace CLI

namespace nv::runner {

// The arguments as CLI11 wants them (in reverse order), every value of a
// value-taking option of app an argument of its own; a flag given a value,
// "--" and "++" are usage errors. Sets missingValue to an option that ends
// the line without its value.
[[nodiscard]] Result<std::vector<std::string>, std::string> normalised(
    std::span<const std::string_view> args, const CLI::App &app, std::string &missingValue);

// The first argument CLI11 could not place, as a usage message.
[[nodiscard]] std::optional<std::string> strayArgument(const std::vector<std::string> &extras);

// Whether name is one of args, or the value of an "--option=name".
[[nodiscard]] bool named(std::span<const std::string_view> args, std::string_view name);

}  // namespace nv::runner
