// newsvendor-run: the headless front end. Everything but the process's own
// streams, arguments and locale lives in runRunner.
#include <unistd.h>

#include <iostream>
#include <string_view>
#include <vector>

#include "runner/runner.h"
#include "runner/user_locale.h"

int main(int argc, char **argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string_view> args;
    for (int i = 1; i < argc; ++i) {
        args.emplace_back(argv[i]);
    }
    return nv::runner::runRunner(args, std::cin, std::cout, std::cerr,
                                 nv::runner::userNumberLocale(), isatty(STDERR_FILENO) == 1);
}
