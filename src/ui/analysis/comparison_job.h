// One comparison at a time on a worker thread, so the window stays
// responsive: the paired replications, then the histogram of their totals and
// the profit paths of replication 0 (the chart's demand stream).
//
// Threads: start() runs the work on a new std::thread (runReplications spreads
// it further over the cores). The worker never touches a widget: it posts its
// progress and its outcome to this object's thread (the GUI thread) as queued
// calls, so progressed() and finished() are emitted there. cancel() sets an
// atomic flag that the worker's progress callback returns, so the work stops
// after the current block of replications and the outcome is Cancelled, never
// a partial summary. wait() joins the worker; the destructor cancels and
// waits, and posted calls that have not been delivered are dropped with this
// object, so destroying it while the work runs is safe.
//
//     nv::ui::ComparisonJob job;
//     connect(&job, &ComparisonJob::progressed, bar, ...);
//     connect(&job, &ComparisonJob::finished, this, [&] { show(*job.outcome()); });
//     job.start(parameters, options);
#pragma once

#include <QObject>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <thread>

#include "engine/analysis/analysis_parameters.h"
#include "engine/analysis/replications.h"

namespace nv::ui {

struct ComparisonResults {
    ReplicationSummary summary;
    Histogram histogram;  // kHistogramBins bins, common to all rules
    ProfitPaths paths;    // replication 0 of the seed
    double seconds = 0;   // wall time of the whole work
};

enum class ComparisonStatus {
    Finished,     // results holds everything
    Cancelled,    // cancel() stopped it; no results
    Refused,      // the analysis refused (failure says why)
    OutOfMemory,  // the totals of every replication did not fit in memory
    NoThreads,    // the system refused to start a thread
};

struct ComparisonOutcome {
    ComparisonStatus status = ComparisonStatus::Finished;
    Refusal failure = Refusal::ReplicationsOutOfRange;  // Refused only
    std::int64_t replications = 0;
    std::uint64_t seed = 0;
    std::optional<ComparisonResults> results;  // Finished only
};

class ComparisonJob final : public QObject {
    Q_OBJECT

public:
    static constexpr std::size_t kHistogramBins = 20;

    explicit ComparisonJob(QObject *parent = nullptr);
    ~ComparisonJob() override;
    ComparisonJob(const ComparisonJob &) = delete;
    ComparisonJob &operator=(const ComparisonJob &) = delete;

    // Starts the work; false, and nothing started, while a comparison runs.
    bool start(const AnalysisParameters &parameters, const ReplicationOptions &options);
    // Asks the running comparison to stop (safe at any time, also twice).
    void cancel() noexcept;
    // Joins the worker thread, if there is one. finished() still comes
    // through the event loop, unless this object is destroyed first.
    void wait();
    // From start() until finished() has been emitted.
    [[nodiscard]] bool running() const noexcept { return m_running; }
    // The last comparison's outcome (nullptr before the first one ends).
    [[nodiscard]] const ComparisonOutcome *outcome() const noexcept { return m_outcome.get(); }

signals:
    // `done` of `total` replications are complete.
    void progressed(qint64 done, qint64 total);
    // The comparison has ended; outcome() tells how.
    void finished();

private:
    class WorkerProgress;
    void work(AnalysisParameters parameters, ReplicationOptions options, std::uint64_t generation);
    void deliver(std::uint64_t generation, std::shared_ptr<ComparisonOutcome> outcome);

    std::thread m_thread;
    std::atomic<bool> m_cancel{false};
    // Which start() a posted call belongs to; calls of an earlier one are dropped.
    std::uint64_t m_generation = 0;
    bool m_running = false;
    std::shared_ptr<const ComparisonOutcome> m_outcome;
};

}  // namespace nv::ui
