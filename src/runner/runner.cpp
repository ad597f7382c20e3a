#include "runner/runner.h"

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "engine/simulation.h"
#include "engine/validation.h"
#include "runner/analyze.h"
#include "runner/command_line.h"
#include "runner/debrief.h"
#include "runner/draws.h"
#include "runner/output_buffer.h"
#include "runner/quantity.h"
#include "runner/row_writer.h"
#include "runner/worksheet.h"
#include "support/random_source.h"

namespace nv::runner {

namespace {

// The parts of a window a run also writes to, which the runner has not.
class NoWindow final : public ui::ProgressBar, public ui::CommandButton, public ui::BusyPointer {
public:
    void setValue(float) override {}
    void setEnabled(bool) override {}
    void setBusy() override {}
    void setDefault() override {}
};

int usageFailure(std::ostream &err, const UsageError &error) {
    err << error.message << '\n' << helpHint(error) << '\n';
    return kExitUsage;
}

int refusal(std::ostream &err, std::string_view message) {
    err << message << '\n';
    return kExitRefused;
}

int written(std::ostream &out, std::ostream &err) {
    out.flush();
    if (!out) {
        return refusal(err, "Cannot write the results");
    }
    return kExitCompleted;
}

// Where the day's random numbers come from, once the run is accepted.
Result<std::unique_ptr<UniformSource>, std::string> randomSource(
    const RunCommand &command, const SimulationParameters &parameters,
    const std::optional<std::string> &drawsText) {
    if (const auto *seed = std::get_if<FixedSeed>(&command.random)) {
        return std::unique_ptr<UniformSource>(std::make_unique<SeededSource>(seed->seed));
    }
    if (!drawsText) {
        return std::unique_ptr<UniformSource>(std::make_unique<SeededSource>(clockSeed()));
    }
    auto draws = parseDraws(*drawsText);
    if (!draws) {
        return Failure{drawsErrorMessage(draws.error())};
    }
    // The whole file is read and checked, but a run draws once a day.
    const auto needed = static_cast<std::size_t>(parameters.days);
    if (draws->size() < needed) {
        return Failure{tooFewDrawsMessage(draws->size(), needed)};
    }
    return std::unique_ptr<UniformSource>(
        std::make_unique<SequenceSource>(std::move(draws).value()));
}

int run(const RunCommand &command, std::istream &in, std::ostream &out, std::ostream &err,
        const NumberLocale &locale) {
    // A draws file that cannot be read is a usage error, reported before
    // anything about the run itself.
    std::optional<std::string> drawsText;
    if (const auto *draws = std::get_if<DrawsFile>(&command.random)) {
        auto text = readDrawsText(draws->path, in);
        if (!text) {
            return usageFailure(err, UsageError{text.error()});
        }
        drawsText = std::move(text).value();
    }
    // The run's own checks come before the draws: a refused run reports what
    // the Run command would say, whatever the draws file holds.
    const auto parameters = checkRun(command.inputs);
    if (!parameters) {
        return refusal(err, refusalMessage(parameters.error()));
    }
    auto source = randomSource(command, *parameters, drawsText);
    if (!source) {
        return refusal(err, source.error());
    }

    OutputBuffer buffer(out);
    RowWriter rows(command.format, buffer);
    NoWindow window;
    ui::RunViews views{rows, window, window, window};
    rows.writeHeader();
    runSimulation(*parameters, views, **source, locale);
    rows.finish();
    if (!buffer.flush()) {
        return refusal(err, "Cannot write the results");
    }
    return kExitCompleted;
}

}  // namespace

int runRunner(std::span<const std::string_view> args, std::istream &in, std::ostream &out,
              std::ostream &err, const NumberLocale &locale, bool errIsTerminal) {
    const auto parsed = parseCommandLine(args);
    if (!parsed) {
        return usageFailure(err, parsed.error());
    }
    if (const auto *help = std::get_if<HelpRequest>(&*parsed)) {
        out << help->text;
        return written(out, err);
    }
    if (std::holds_alternative<VersionRequest>(*parsed)) {
        out << versionText() << '\n';
        return written(out, err);
    }
    if (const auto *analyze = std::get_if<AnalyzeCommand>(&*parsed)) {
        return runAnalyze(*analyze, out, err, errIsTerminal);
    }
    if (const auto *game = std::get_if<DebriefCommand>(&*parsed)) {
        return runDebrief(*game, in, out, err);
    }
    if (const auto *quantity = std::get_if<QuantityCommand>(&*parsed)) {
        return runQuantity(*quantity, out, err);
    }
    if (const auto *sweep = std::get_if<SweepCommand>(&*parsed)) {
        return runSweep(*sweep, out, err);
    }
    if (const auto *worksheet = std::get_if<WorksheetCommand>(&*parsed)) {
        return runWorksheet(*worksheet, in, out, err);
    }
    return run(std::get<RunCommand>(*parsed), in, out, err, locale);
}

}  // namespace nv::runner
