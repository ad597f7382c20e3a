// The Compare Rules page: checking the inputs, running the comparison on the
// worker, showing its outcome, saving the charts.
#include "ui/analysis/compare_page.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <charconv>
#include <string>

#include "engine/analysis/comparison_report.h"
#include "engine/analysis/replications.h"
#include "support/random_source.h"
#include "ui/analysis/analysis_text.h"
#include "ui/analysis/chart_widgets.h"
#include "ui/analysis/comparison_job.h"
#include "ui/toolkit/qt/qt_text.h"
#include "ui/toolkit/qt/report_table_model.h"
#include "ui/toolkit/qt/report_table_view.h"

namespace nv::ui {

namespace {

// What the analysis reads of a run: the order policy it ran with plays no part.
[[nodiscard]] bool sameAnalysis(const SimulationParameters &a, const SimulationParameters &b) {
    return a.days == b.days && a.price == b.price && a.cost == b.cost &&
           a.distribution == b.distribution;
}

[[nodiscard]] QString parametersText(const AnalysisParameters &p) {
    const QLocale locale = displayLocale();
    QStringList demands;
    QStringList frequencies;
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        demands << locale.toString(static_cast<qlonglong>(kClassDemand[cls]));
        // Two decimals, more only when the frequency has them (0.125).
        QString frequency = locale.toString(p.probability(cls), 'f', 4);
        while (frequency.size() > 4 && frequency.endsWith(locale.zeroDigit())) {
            frequency.chop(1);
        }
        frequencies << frequency;
    }
    return ComparePage::tr(
               "Compared for %1 days at a price of %2 and a cost of %3; demand %4 "
               "with relative frequencies %5.")
        .arg(countText(p.days()), moneyText(p.price().toDouble()), moneyText(p.cost().toDouble()),
             demands.join(QStringLiteral(", ")), frequencies.join(QStringLiteral(", ")));
}

[[nodiscard]] QString informationText(const Expectations &e) {
    const QLocale locale = displayLocale();
    return ComparePage::tr(
               "Best fixed order: %1 units, the smallest demand whose cumulative frequency "
               "reaches the critical ratio (price \u2212 cost) / price = %2. Knowing each day's "
               "demand in advance would be worth %3 over the %4 days (perfect information less "
               "the best fixed order).")
        .arg(locale.toString(e.fixedOrder, 'f', 0), locale.toString(e.criticalRatio, 'f', 3),
             moneyText(e.valueOfInformation()), countText(e.days));
}

}  // namespace

ComparePage::ComparePage(QWidget *parent)
    : AnalysisPage(parent),
      m_chooseFile(&askSaveFileName),
      m_reportError([this](const QString &message) {
          QMessageBox::warning(this, tr("Save Chart as PNG"), message);
      }) {
    setObjectName(QStringLiteral("pageCompare"));
    setAccessibleName(title());
    createControls();
    layoutControls();
    setFocusOrder();

    m_txtSeed->setText(QString::number(shortClockSeed()));
    connect(m_cmdRunComparison, &QPushButton::clicked, this, &ComparePage::cmdRunComparison_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &ComparePage::cmdCancel_Click);
    connect(m_cmdNewSeed, &QPushButton::clicked, this, &ComparePage::cmdNewSeed_Click);
    connect(m_cmdSaveChart, &QPushButton::clicked, this, &ComparePage::cmdSaveChart_Click);
    connect(m_job, &ComparisonJob::progressed, this, &ComparePage::showProgress);
    connect(m_job, &ComparisonJob::finished, this, &ComparePage::showOutcome);
    reportSavedTables({m_tblRules, m_tblPairs});

    m_cmdRunComparison->setEnabled(false);
    setStatus(tr("No run to compare yet."));
}

ComparePage::~ComparePage() {
    // Before any member goes: the worker must not outlive what it reports to.
    stopWork();
}

void ComparePage::stopWork() {
    if (m_job != nullptr) {
        m_job->cancel();
        m_job->wait();
    }
}

void ComparePage::setRunParameters(const SimulationParameters &run) {
    if (m_run && sameAnalysis(*m_run, run)) {
        return;
    }
    auto checked = AnalysisParameters::fromRun(run);
    if (!checked) {
        clearRun(toQString(refusalMessage(checked.error())));
        m_run = run;
        return;
    }
    stopWork();
    m_run = run;
    m_parameters = *checked;
    m_expectations = exactExpectations(*m_parameters);
    clearResults();
    m_lblParameters->setText(parametersText(*m_parameters));
    m_lblInformation->setText(informationText(*m_expectations));
    setRunning(m_job->running());
    setStatus(
        tr("The exact expectations are shown. Run Comparison to simulate the "
           "replications."));
}

void ComparePage::setRunInputs(const RunInputs &inputs) {
    auto checked = checkRun(inputs);
    if (!checked) {
        clearRun(toQString(refusalMessage(checked.error())));
        return;
    }
    setRunParameters(*checked);
}

void ComparePage::clearRun(const QString &status) {
    stopWork();
    m_run.reset();
    m_parameters.reset();
    m_expectations.reset();
    clearResults();
    m_lblParameters->clear();
    m_lblInformation->clear();
    setRunning(false);
    setStatus(status);
}

void ComparePage::cmdRunComparison_Click() {
    if (!m_parameters || m_job->running()) {
        return;
    }
    const std::optional<std::uint64_t> chosenSeed = seed();
    if (!chosenSeed) {
        setStatus(tr("Seed must be a whole number from 0 to 18,446,744,073,709,551,615"));
        m_txtSeed->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_spnReplications->interpretText();
    ReplicationOptions options;
    options.replications = m_spnReplications->value();
    options.seed = *chosenSeed;
    clearResults();
    m_pgbComparison->setRange(0, static_cast<int>(options.replications));
    m_pgbComparison->setValue(0);
    if (!m_job->start(*m_parameters, options)) {
        return;
    }
    setRunning(true);
    setStatus(tr("Running %1 replications of %2 days\u2026")
                  .arg(countText(options.replications), countText(m_parameters->days())));
}

void ComparePage::cmdCancel_Click() {
    if (m_job->running()) {
        m_job->cancel();
        setStatus(tr("Cancelling\u2026"));
    }
}

void ComparePage::cmdNewSeed_Click() {
    m_txtSeed->setText(QString::number(shortClockSeed()));
}

void ComparePage::cmdSaveChart_Click() {
    if (!m_chtProfit->hasData()) {
        return;
    }
    const std::optional<QString> saved =
        saveToChosenFile(this, m_chooseFile, m_reportError,
                         {tr("Save Chart as PNG"), QStringLiteral("ordering-rules.png"),
                          tr("PNG images (*.png)"), QStringLiteral("png")},
                         [this](const QString &path) { return writePngFile(path, chartImage()); });
    if (saved) {
        setStatus(tr("Chart saved to %1").arg(QDir::toNativeSeparators(*saved)));
    }
}

QImage ComparePage::chartImage(const QSize &size) const {
    return captionedChartsImage(*m_chtProfit, *m_chtHistogram, chartCaption(), size);
}

QString ComparePage::chartCaption() const {
    if (!m_parameters) {
        return {};
    }
    QString caption = parametersText(*m_parameters);
    const ComparisonOutcome *outcome = m_job->outcome();
    if (outcome != nullptr && outcome->status == ComparisonStatus::Finished) {
        caption += QLatin1Char(' ') + tr("%1 replications from seed %2.")
                                          .arg(countText(outcome->replications))
                                          .arg(outcome->seed);
    }
    return caption;
}

bool ComparePage::running() const {
    return m_job->running();
}

void ComparePage::setSaveFileChooser(SaveFileChooser chooser) {
    m_chooseFile = std::move(chooser);
}

void ComparePage::setErrorReporter(ErrorReporter report) {
    m_reportError = std::move(report);
}

void ComparePage::setRunning(bool running) {
    const bool hadFocus = m_cmdCancel->hasFocus() || m_cmdRunComparison->hasFocus();
    m_cmdRunComparison->setEnabled(!running && m_parameters.has_value());
    m_cmdCancel->setEnabled(running);
    m_spnReplications->setEnabled(!running);
    m_txtSeed->setEnabled(!running);
    m_cmdNewSeed->setEnabled(!running);
    if (hadFocus) {
        (running ? m_cmdCancel : m_cmdRunComparison)->setFocus(Qt::OtherFocusReason);
    }
}

void ComparePage::showProgress(qint64 done, qint64 total) {
    m_pgbComparison->setRange(0, static_cast<int>(total));
    m_pgbComparison->setValue(static_cast<int>(done));
}

void ComparePage::showOutcome() {
    const ComparisonOutcome *outcome = m_job->outcome();
    setRunning(false);
    if (outcome == nullptr) {
        return;
    }
    switch (outcome->status) {
        case ComparisonStatus::Finished:
            showFinished();
            return;
        case ComparisonStatus::Cancelled:
            clearResults();
            setStatus(tr("Cancelled"));
            return;
        case ComparisonStatus::Refused:
            clearResults();
            setStatus(toQString(refusalMessage(outcome->failure)));
            return;
        case ComparisonStatus::OutOfMemory:
            clearResults();
            setStatus(tr("There is not enough memory for %1 replications; choose fewer.")
                          .arg(countText(outcome->replications)));
            return;
        case ComparisonStatus::NoThreads:
            clearResults();
            setStatus(
                tr("The comparison could not start a thread; close other programs and "
                   "try again."));
            return;
    }
}

void ComparePage::showFinished() {
    const ComparisonOutcome &outcome = *m_job->outcome();
    const ComparisonResults &results = *outcome.results;
    showReports(&results.summary);
    m_chtProfit->setSeries(
        profitSeries(results.paths),
        tr("Cumulative profit by day (seed %1, replication 1)").arg(outcome.seed));
    m_chtHistogram->setHistogram(
        results.histogram,
        tr("Total profit over %1 replications of %2 days")
            .arg(countText(outcome.replications), countText(results.summary.days)));
    QStringList finals;
    for (const AnalysisRule rule : kAllAnalysisRules) {
        const auto &days = results.paths.days[ruleIndex(rule)];
        finals << tr("%1 %2").arg(
            toQString(ruleName(rule)),
            moneyText(days.empty() ? 0.0 : days.back().cumulativeProfit.toDouble()));
    }
    m_chtProfit->setAccessibleDescription(
        tr("Cumulative profit after the last day: %1").arg(finals.join(QStringLiteral("; "))));
    m_chtHistogram->setAccessibleDescription(
        tr("The total profit of each rule over the range %1 to %2, in %3 steps")
            .arg(moneyText(results.histogram.low), moneyText(results.histogram.high))
            .arg(results.histogram.bins()));
    m_cmdSaveChart->setEnabled(true);
    m_pgbComparison->setValue(m_pgbComparison->maximum());
    setStatus(tr("%1 replications of %2 days from seed %3, in %4 s.")
                  .arg(countText(outcome.replications), countText(results.summary.days))
                  .arg(outcome.seed)
                  .arg(displayLocale().toString(results.seconds, 'f', 2)));
}

void ComparePage::showReports(const ReplicationSummary *summary) {
    if (!m_run || !m_parameters || !m_expectations) {
        m_rulesModel->clear();
        m_pairsModel->clear();
        arrange();
        return;
    }
    const Report report = comparisonReport(*m_parameters, *m_expectations, summary,
                                           ComparisonReportInputs{m_run->policy, false});
    // Before the replications have run their figures are not there yet.
    std::vector<std::string> pending;
    if (summary == nullptr) {
        pending = {"simulated", "pairs"};
    }
    m_rulesModel->setReport(report, pending);
    m_pairsModel->setReport(report, pending);
    arrange();
}

void ComparePage::clearResults() {
    showReports(nullptr);
    m_chtProfit->setSeries(std::nullopt, tr("Cumulative profit by day"));
    m_chtHistogram->setHistogram(std::nullopt, tr("Distribution of total profit"));
    m_chtProfit->setAccessibleDescription(QString());
    m_chtHistogram->setAccessibleDescription(QString());
    m_cmdSaveChart->setEnabled(false);
    m_pgbComparison->setValue(0);
}

void ComparePage::setStatus(const QString &status) {
    // Its text is its accessible name: a screen reader hears the change.
    m_lblStatus->setText(status);
}

std::optional<std::uint64_t> ComparePage::seed() const {
    const std::string digits = m_txtSeed->text().trimmed().toStdString();
    std::uint64_t value = 0;
    const char *end = digits.data() + digits.size();
    const auto [last, error] = std::from_chars(digits.data(), end, value);
    if (digits.empty() || error != std::errc() || last != end) {
        return std::nullopt;
    }
    return value;
}

}  // namespace nv::ui
