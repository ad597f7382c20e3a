// Starts the real newsvendor-run executable as a child process (posix_spawn),
// feeds its standard input through a pipe and reads both output streams to
// the end while it runs, so that no pipe fills up.
//
// Standard error is a pipe, or, with ErrorStream::Terminal, the slave side of
// a pseudo-terminal (so isatty(2) holds in the child); what the child writes
// there is read from the master side.
//
//     Outcome o = runExecutable({"analyze", "--seed", "1"});
//     EXPECT_EQ(o.status, 1);
#pragma once

#include <map>
#include <string>
#include <vector>

namespace nv::runner::testing {

struct Outcome {
    int status = -1;  // the exit status; -1 when it did not exit normally
    std::string out;
    std::string err;
};

enum class ErrorStream { Pipe, Terminal };

// The environment of the child is this process's without its locale
// variables, then those in `locale`.
Outcome runExecutable(const std::vector<std::string> &args, const std::string &input = {},
                      const std::map<std::string, std::string> &locale = {{"LC_ALL", "C"}},
                      ErrorStream errorStream = ErrorStream::Pipe);

}  // namespace nv::runner::testing
