// The comparison's worker thread.
#include "ui/analysis/comparison_job.h"

#include <QMetaObject>
#include <chrono>
#include <new>
#include <system_error>

namespace nv::ui {

// Runs on the worker: posts each report to the job's thread and answers with
// the cancel flag.
class ComparisonJob::WorkerProgress final : public AnalysisProgress {
public:
    WorkerProgress(ComparisonJob &job, std::uint64_t generation) noexcept
        : m_job(job), m_generation(generation) {}

    [[nodiscard]] bool report(std::int64_t done, std::int64_t total) noexcept override {
        ComparisonJob *job = &m_job;
        const std::uint64_t generation = m_generation;
        QMetaObject::invokeMethod(
            job,
            [job, generation, done, total] {
                if (job->m_generation == generation && job->m_running) {
                    emit job->progressed(done, total);
                }
            },
            Qt::QueuedConnection);
        return m_job.m_cancel.load(std::memory_order_acquire);
    }

private:
    ComparisonJob &m_job;
    std::uint64_t m_generation;
};

ComparisonJob::ComparisonJob(QObject *parent) : QObject(parent) {}

ComparisonJob::~ComparisonJob() {
    cancel();
    wait();
}

bool ComparisonJob::start(const AnalysisParameters &parameters, const ReplicationOptions &options) {
    if (m_running) {
        return false;
    }
    wait();  // a cancelled worker whose outcome has not been delivered yet
    m_cancel.store(false, std::memory_order_release);
    m_running = true;
    const std::uint64_t generation = ++m_generation;
    try {
        m_thread = std::thread(&ComparisonJob::work, this, parameters, options, generation);
    } catch (const std::system_error &) {
        auto outcome = std::make_shared<ComparisonOutcome>();
        outcome->status = ComparisonStatus::NoThreads;
        outcome->replications = options.replications;
        outcome->seed = options.seed;
        QMetaObject::invokeMethod(
            this, [this, generation, outcome] { deliver(generation, outcome); },
            Qt::QueuedConnection);
    }
    return true;
}

void ComparisonJob::cancel() noexcept {
    m_cancel.store(true, std::memory_order_release);
}

void ComparisonJob::wait() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void ComparisonJob::work(AnalysisParameters parameters, ReplicationOptions options,
                         std::uint64_t generation) {
    const auto started = std::chrono::steady_clock::now();
    auto outcome = std::make_shared<ComparisonOutcome>();
    outcome->replications = options.replications;
    outcome->seed = options.seed;
    try {
        WorkerProgress progress(*this, generation);
        auto summary = runReplications(parameters, options, &progress);
        if (!summary) {
            outcome->status = summary.error() == Refusal::Cancelled ? ComparisonStatus::Cancelled
                                                                    : ComparisonStatus::Refused;
            outcome->failure = summary.error();
        } else {
            ComparisonResults results;
            results.histogram = profitHistogram(*summary, kHistogramBins);
            results.paths = profitPaths(parameters, options.seed, 0);
            results.summary = std::move(summary).value();
            results.seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
            outcome->results = std::move(results);
        }
    } catch (const std::bad_alloc &) {
        outcome->status = ComparisonStatus::OutOfMemory;
        outcome->results.reset();
    } catch (const std::system_error &) {
        // runReplications could not start its own workers.
        outcome->status = ComparisonStatus::NoThreads;
        outcome->results.reset();
    }
    QMetaObject::invokeMethod(
        this, [this, generation, outcome] { deliver(generation, outcome); }, Qt::QueuedConnection);
}

void ComparisonJob::deliver(std::uint64_t generation, std::shared_ptr<ComparisonOutcome> outcome) {
    if (generation != m_generation) {
        return;
    }
    // The worker posted this as its last act; it is ending, or has ended.
    wait();
    m_running = false;
    m_outcome = std::move(outcome);
    emit finished();
}

}  // namespace nv::ui
