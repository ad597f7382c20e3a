#include "runner/runner.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>
#include <system_error>
#include <variant>
#include <vector>

#include "engine/results_table.h"
#include "engine/simulation.h"
#include "engine/validation.h"
#include "runner/analyze.h"
#include "runner/draws.h"
#include "runner/runner_options.h"
#include "runner/runner_output.h"
#include "support/utf8.h"
#include "support/random_source.h"
#include "ui/toolkit/memory_grid.h"

namespace nv::runner {

namespace {

// The width of column 5 never reaches the output; any fixed measure serves.
class FixedMeasurer final : public ui::TextMeasurer {
public:
    [[nodiscard]] double textWidthTwips(std::string_view text) const override {
        return 120.0 * static_cast<double>(text.size());
    }
};

struct ReadFailure {
    std::string message;
};

std::string tooLargeMessage(std::string_view what) {
    return std::string(what) + " is larger than " + std::to_string(kMaxDrawsBytes >> 20) + " MiB";
}

Result<std::string, ReadFailure> readStream(std::istream &in) {
    std::string text;
    char buffer[1 << 16];
    while (in) {
        in.read(buffer, sizeof buffer);
        const auto got = static_cast<std::size_t>(in.gcount());
        if (text.size() + got > kMaxDrawsBytes) {
            return Failure{ReadFailure{tooLargeMessage("The draws on standard input")}};
        }
        text.append(buffer, got);
    }
    if (in.bad()) {
        return Failure{ReadFailure{"Cannot read the draws from standard input"}};
    }
    return text;
}

Result<std::string, ReadFailure> readFile(const std::string &path) {
    const std::string shown = "'" + displayText(path) + "'";
    errno = 0;
    const std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(path.c_str(), "rb"),
                                                                &std::fclose);
    const auto failure = [&](int error) {
        std::string message = "Cannot read the draws file " + shown;
        if (error != 0) {
            message += ": " + std::generic_category().message(error);
        }
        return Failure{ReadFailure{std::move(message)}};
    };
    if (!file) {
        return failure(errno);
    }
    std::string text;
    char buffer[1 << 16];
    while (true) {
        errno = 0;
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        if (text.size() + got > kMaxDrawsBytes) {
            return Failure{ReadFailure{tooLargeMessage("The draws file " + shown)}};
        }
        text.append(buffer, got);
        if (got < sizeof buffer) {
            if (std::ferror(file.get()) != 0) {
                return failure(errno);
            }
            break;
        }
    }
    return text;
}

int usageFailure(std::ostream &err, std::string_view message) {
    err << message << '\n' << usageText();
    return kExitUsage;
}

int refusal(std::ostream &err, std::string_view message) {
    err << message << '\n';
    return kExitRefused;
}

int run(const RunCommand &command, std::istream &in, std::ostream &out, std::ostream &err,
        const NumberLocale &locale) {
    // The draws file is read first: one that cannot be read is a usage error,
    // reported before anything about the run itself.
    std::optional<std::string> drawsText;
    if (const auto *draws = std::get_if<DrawsFile>(&command.random)) {
        auto text = draws->path == "-" ? readStream(in) : readFile(draws->path);
        if (!text) {
            return usageFailure(err, text.error().message);
        }
        drawsText = std::move(text).value();
    }

    ui::MemoryRunViews views;
    prepareResultsTable(views.grid, FixedMeasurer{});

    // The run's own checks come before the draws: a refused run reports what
    // the Run command would say, whatever the draws file holds.
    const auto checked = checkRun(command.inputs);
    std::unique_ptr<UniformSource> source;
    SequenceSource *sequence = nullptr;
    if (const auto *seed = std::get_if<FixedSeed>(&command.random)) {
        source = std::make_unique<SeededSource>(seed->seed);
    } else if (drawsText) {
        std::vector<float> draws;
        if (checked) {
            auto parsed = parseDraws(*drawsText);
            if (!parsed) {
                return refusal(err, drawsErrorMessage(parsed.error()));
            }
            const auto needed = static_cast<std::size_t>(std::max<int>(checked->days, 0));
            if (parsed->size() < needed) {
                return refusal(err, tooFewDrawsMessage(parsed->size(), needed));
            }
            draws = std::move(parsed).value();
        }
        auto owned = std::make_unique<SequenceSource>(std::move(draws));
        sequence = owned.get();
        source = std::move(owned);
    } else {
        source = std::make_unique<SeededSource>(clockSeed());
    }

    ui::RecordingMessages messages;
    auto runViews = views.views();
    if (startRun(command.inputs, runViews, messages, *source, locale) == RunOutcome::Refused) {
        for (const std::string &message : messages.messages()) {
            err << message << '\n';
        }
        if (messages.messages().empty() && !checked) {
            err << refusalMessage(checked.error()) << '\n';
        }
        return kExitRefused;
    }
    if (sequence != nullptr && sequence->overrun()) {
        // Cannot happen when the run draws once a day, as checked above; a
        // grid built from made-up draws must not be printed as a result.
        return refusal(err, tooFewDrawsMessage(sequence->size(), sequence->used()));
    }

    writeGrid(views.grid.rows(), command.format, out);
    out.flush();
    if (!out) {
        err << "Cannot write the results\n";
        return kExitRefused;
    }
    return kExitCompleted;
}

}  // namespace

int runRunner(std::span<const std::string_view> args, std::istream &in, std::ostream &out,
              std::ostream &err, const NumberLocale &locale, bool errIsTerminal) {
    const auto parsed = parseCommandLine(args);
    if (!parsed) {
        err << parsed.error().message << '\n' << usageText(parsed.error().topic);
        return kExitUsage;
    }
    if (const auto *help = std::get_if<HelpRequest>(&*parsed)) {
        out << usageText(help->topic);
        out.flush();
        return out ? kExitCompleted : kExitRefused;
    }
    if (const auto *analyze = std::get_if<AnalyzeCommand>(&*parsed)) {
        return runAnalyze(*analyze, out, err, errIsTerminal);
    }
    return run(std::get<RunCommand>(*parsed), in, out, err, locale);
}

}  // namespace nv::runner
