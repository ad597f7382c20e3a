#include "runner/command_arguments.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <functional>
#include <set>
#include <utility>

#include "runner/command_options.h"

namespace nv::runner {

namespace {

using Names = std::set<std::string, std::less<>>;

// The long names of app's options: those that take a value, and the flags.
std::pair<Names, Names> optionNames(const CLI::App &app) {
    std::pair<Names, Names> names;
    for (const CLI::Option *option : app.get_options()) {
        Names &kind = option->get_items_expected_max() > 0 ? names.first : names.second;
        for (const std::string &name : option->get_lnames()) {
            kind.insert("--" + name);
        }
    }
    return names;
}

}  // namespace

// The arguments as CLI11 wants them (in reverse order), every value of a
// value-taking option an argument of its own; a flag given a value is a
// usage error. Sets missingValue to an option that ends the line without
// its value.
Result<std::vector<std::string>, std::string> normalised(std::span<const std::string_view> args,
                                                         const CLI::App &app,
                                                         std::string &missingValue) {
    const auto [takesValue, flags] = optionNames(app);
    std::vector<std::string> out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const std::size_t equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        if (arg.starts_with("--") && equals != std::string_view::npos) {
            if (takesValue.contains(name)) {
                out.emplace_back(name);
                out.emplace_back(arg.substr(equals + 1));
                continue;
            }
            if (flags.contains(name)) {
                return Failure{"Option " + std::string(name) + " takes no value"};
            }
        }
        // CLI11 would end the options at "--" and a subcommand at "++"
        // and hand what follows to the main App: neither means anything here.
        if (arg == "--") {
            return Failure{std::string("Unknown option '--'")};
        }
        if (arg == "++") {
            return Failure{std::string("Unexpected argument '++'")};
        }
        out.emplace_back(arg);
        if (takesValue.contains(arg)) {
            if (i + 1 < args.size()) {
                out.emplace_back(args[++i]);
            } else {
                missingValue = arg;
            }
        }
    }
    return std::vector<std::string>(out.rbegin(), out.rend());
}

// The first argument CLI11 could not place, as a usage message.
std::optional<std::string> strayArgument(const std::vector<std::string> &extras) {
    if (extras.empty()) {
        return std::nullopt;
    }
    const std::string &arg = extras.front();
    if (arg.size() > 1 && arg.starts_with('-')) {
        return "Unknown option " + quotedText(arg.substr(0, arg.find('=')));
    }
    return "Unexpected argument " + quotedText(arg);
}

// Whether name is one of args, or the value of an "--option=name".
bool named(std::span<const std::string_view> args, std::string_view name) {
    return std::any_of(args.begin(), args.end(), [name](std::string_view arg) {
        return arg == name || (arg.size() > name.size() && arg.ends_with(name) &&
                               arg[arg.size() - name.size() - 1] == '=');
    });
}

}  // namespace nv::runner
