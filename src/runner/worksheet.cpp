#include "runner/worksheet.h"

#include <algorithm>
#include <limits>
#include <string>

#include "engine/analysis/report_text.h"
#include "engine/worksheet/random_numbers.h"
#include "engine/worksheet/sheet_check.h"
#include "engine/worksheet/worksheet.h"
#include "engine/worksheet/worksheet_report.h"
#include "io/report_csv.h"
#include "io/report_json.h"
#include "io/report_table.h"
#include "runner/draws.h"
#include "runner/runner.h"
#include "support/random_source.h"

namespace nv::runner {

namespace {

constexpr std::string_view kCommand = "newsvendor-run worksheet";

// Reads an input file; a failure is a usage error (status 2) already
// reported on err.
std::optional<std::string> readInput(const std::optional<std::string> &path, std::istream &in,
                                     std::string_view noun, std::ostream &err, bool &failed) {
    if (!path || failed) {
        return std::nullopt;
    }
    auto text = readInputText(*path, in, noun);
    if (!text) {
        const UsageError error{text.error(), std::string(kCommand)};
        err << error.message << '\n' << helpHint(error) << '\n';
        failed = true;
        return std::nullopt;
    }
    return std::move(text).value();
}

std::string formatted(const Report &report, AnalysisFormat format, bool wideDays) {
    switch (format) {
        case AnalysisFormat::Csv:
            return wideDays ? io::recordsCsv(*report.find("", "", "days")) : io::reportCsv(report);
        case AnalysisFormat::Json:
            return io::reportJson(report, kWorksheetFormatVersion);
        case AnalysisFormat::Table:
            break;
    }
    ReportTextStyle style;
    // A blank sheet's cells stay blank for the student's pencil.
    if (wideDays) {
        style.absent.clear();
    }
    return io::reportTable(report, style);
}

}  // namespace

int runWorksheet(const WorksheetCommand &command, std::istream &in, std::ostream &out,
                 std::ostream &err) {
    bool unreadable = false;
    const std::optional<std::string> numbersText =
        readInput(command.randomNumbersPath, in, "random numbers", err, unreadable);
    const std::optional<std::string> checkText =
        readInput(command.checkPath, in, "sheet", err, unreadable);
    if (unreadable) {
        return kExitUsage;
    }

    // Days beyond the 32-bit range are refused as any other out of range.
    constexpr std::int64_t kOutOfRange = std::numeric_limits<std::int32_t>::max();
    const WorksheetInputs inputs{
        command.inputs,
        static_cast<std::int32_t>(std::clamp(command.days, std::int64_t{-1}, kOutOfRange)),
        command.digits};
    const auto plan = WorksheetPlan::fromInputs(inputs);
    if (!plan) {
        err << refusalMessage(plan.error()) << '\n';
        return kExitRefused;
    }
    std::optional<Worksheet> sheet;
    if (numbersText) {
        const auto numbers = readRandomNumbers(*numbersText, plan->table().digits(), plan->days());
        if (!numbers) {
            err << randomNumbersMessage(numbers.error()) << '\n';
            return kExitRefused;
        }
        sheet = Worksheet::fromNumbers(*plan, *numbers);
    } else {
        sheet = Worksheet::fromSeed(*plan, command.seed.value_or(shortClockSeed()));
    }
    // The numbers were read with the table's digits, every one below 10^k.
    if (!sheet) {
        err << "The random numbers do not fit the interval table\n";
        return kExitRefused;
    }

    int status = kExitCompleted;
    if (checkText) {
        const SheetCheck check = checkSheet(*sheet, *checkText);
        out << formatted(checkReport(*sheet, check), command.format, false);
        status = check.right == check.total ? kExitCompleted : kExitRefused;
    } else {
        out << formatted(worksheetReport(*sheet, command.answers), command.format, true);
    }
    out.flush();
    if (!out) {
        err << "Cannot write the results\n";
        return kExitRefused;
    }
    return status;
}

}  // namespace nv::runner
