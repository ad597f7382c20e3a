// How command_line.cpp reads one command: a reader adds its options to the
// command's CLI::App (command_options.h) and, after a successful parse, gives
// the command they describe or a usage error found only once every option has
// been read (a missing option, a range that holds no points).
//
//     std::unique_ptr<CommandReader> reader = quantityReader();
//     reader->addOptions(app);
//     app.parse(args);
//     Result<Command, UsageError> command = reader->command();
#pragma once

#include <memory>

#include "runner/command_line.h"

namespace CLI {
class App;
}  // namespace CLI

namespace nv::runner {

class CommandReader {
public:
    virtual ~CommandReader() = default;
    virtual void addOptions(CLI::App &app) = 0;
    // A usage error's command is set by the caller.
    [[nodiscard]] virtual Result<Command, UsageError> command() = 0;
};

// quantity_options.cpp: "quantity" and "sweep".
[[nodiscard]] std::unique_ptr<CommandReader> quantityReader();
[[nodiscard]] std::unique_ptr<CommandReader> sweepReader();

}  // namespace nv::runner
