// frmCompare: checking the inputs, running the comparison on the worker,
// showing its outcome, saving the charts.
#include "ui/analysis/frm_compare.h"

#include <QDir>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <charconv>
#include <chrono>
#include <string>

#include "engine/analysis/comparison_report.h"
#include "engine/analysis/replications.h"
#include "ui/analysis/analysis_text.h"
#include "ui/analysis/chart_widgets.h"
#include "ui/analysis/comparison_job.h"
#include "ui/toolkit/qt/qt_text.h"
#include "ui/toolkit/qt/report_table_model.h"

namespace nv::ui {

namespace {

// A seed of nine digits from the clock: easy to note down and type again.
[[nodiscard]] std::uint64_t clockSeed() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(now).count();
    return static_cast<std::uint64_t>(micros) % 1'000'000'000U;
}

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
    return FrmCompare::tr(
               "Compared for %1 days at a price of %2 and a cost of %3; demand %4 "
               "with relative frequencies %5.")
        .arg(countText(p.days()), moneyText(p.price().toDouble()), moneyText(p.cost().toDouble()),
             demands.join(QStringLiteral(", ")), frequencies.join(QStringLiteral(", ")));
}

[[nodiscard]] QString informationText(const Expectations &e) {
    const QLocale locale = displayLocale();
    return FrmCompare::tr(
               "Best fixed order: %1 units, the smallest demand whose cumulative frequency "
               "reaches the critical ratio (price \u2212 cost) / price = %2. Knowing each day's "
               "demand in advance would be worth %3 over the %4 days (perfect information less "
               "the best fixed order).")
        .arg(locale.toString(e.fixedOrder, 'f', 0), locale.toString(e.criticalRatio, 'f', 3),
             moneyText(e.valueOfInformation()), countText(e.days));
}

}  // namespace

FrmCompare::FrmCompare(QWidget *parent)
    : QDialog(parent),
      m_chooseFile(&askSaveFileName),
      m_reportError([this](const QString &message) {
          QMessageBox::warning(this, tr("Save Chart as PNG"), message);
      }) {
    setObjectName(QStringLiteral("frmCompare"));
    setWindowTitle(tr("Compare Ordering Rules"));
    setAccessibleName(tr("Compare Ordering Rules"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_QuitOnClose, false);
    createControls();
    layoutControls();
    setFocusOrder();
    resize(1240, 820);

    m_txtSeed->setText(QString::number(clockSeed()));
    connect(m_cmdRunComparison, &QPushButton::clicked, this, &FrmCompare::cmdRunComparison_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &FrmCompare::cmdCancel_Click);
    connect(m_cmdNewSeed, &QPushButton::clicked, this, &FrmCompare::cmdNewSeed_Click);
    connect(m_cmdSaveChart, &QPushButton::clicked, this, &FrmCompare::cmdSaveChart_Click);
    connect(m_job, &ComparisonJob::progressed, this, &FrmCompare::showProgress);
    connect(m_job, &ComparisonJob::finished, this, &FrmCompare::showOutcome);

    m_cmdRunComparison->setEnabled(false);
    setStatus(tr("No run to compare yet."));
}

FrmCompare::~FrmCompare() {
    // Before any member goes: the worker must not outlive what it reports to.
    stopAndWait();
}

void FrmCompare::setRunParameters(const SimulationParameters &run) {
    if (m_run && sameAnalysis(*m_run, run)) {
        return;
    }
    stopAndWait();
    m_run = run;
    m_parameters.reset();
    m_expectations.reset();
    clearResults();
    auto checked = AnalysisParameters::fromRun(run);
    if (!checked) {
        m_lblParameters->clear();
        m_lblInformation->clear();
        setStatus(toQString(refusalMessage(checked.error())));
        setRunning(m_job->running());
        return;
    }
    m_parameters = *checked;
    m_expectations = exactExpectations(*m_parameters);
    m_lblParameters->setText(parametersText(*m_parameters));
    m_lblInformation->setText(informationText(*m_expectations));
    showReports(nullptr);
    setRunning(m_job->running());
    setStatus(
        tr("The exact expectations are shown. Run Comparison to simulate the "
           "replications."));
}

void FrmCompare::cmdRunComparison_Click() {
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

void FrmCompare::cmdCancel_Click() {
    if (m_job->running()) {
        m_job->cancel();
        setStatus(tr("Cancelling\u2026"));
    }
}

void FrmCompare::cmdNewSeed_Click() {
    m_txtSeed->setText(QString::number(clockSeed()));
}

void FrmCompare::cmdSaveChart_Click() {
    if (!m_chtProfit->hasData()) {
        return;
    }
    const QString chosen = m_chooseFile(this, tr("Save Chart as PNG"),
                                        QDir::home().filePath(QStringLiteral("ordering-rules.png")),
                                        tr("PNG images (*.png)"));
    if (chosen.isEmpty()) {
        return;
    }
    const QString path = withDefaultSuffix(chosen, QStringLiteral("png"));
    if (const std::optional<QString> reason = writePngFile(path, chartImage())) {
        m_reportError(saveFailedMessage(path, *reason));
        return;
    }
    setStatus(tr("Chart saved to %1").arg(QDir::toNativeSeparators(path)));
}

QImage FrmCompare::chartImage(const QSize &size) const {
    const int top = size.height() / 2;
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawImage(0, 0, m_chtProfit->renderImage(QSize(size.width(), top)));
    painter.drawImage(0, top,
                      m_chtHistogram->renderImage(QSize(size.width(), size.height() - top)));
    return image;
}

bool FrmCompare::running() const {
    return m_job->running();
}

void FrmCompare::setSaveFileChooser(SaveFileChooser chooser) {
    m_chooseFile = std::move(chooser);
}

void FrmCompare::setErrorReporter(std::function<void(const QString &)> report) {
    m_reportError = std::move(report);
}

void FrmCompare::hideEvent(QHideEvent *event) {
    // Esc, the frame's close button and hide() all end here.
    if (!event->spontaneous()) {
        stopAndWait();
    }
    QDialog::hideEvent(event);
}

void FrmCompare::stopAndWait() {
    if (m_job != nullptr) {
        m_job->cancel();
        m_job->wait();
    }
}

void FrmCompare::setRunning(bool running) {
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

void FrmCompare::showProgress(qint64 done, qint64 total) {
    m_pgbComparison->setRange(0, static_cast<int>(total));
    m_pgbComparison->setValue(static_cast<int>(done));
}

void FrmCompare::showOutcome() {
    const ComparisonOutcome *outcome = m_job->outcome();
    setRunning(false);
    if (outcome == nullptr) {
        return;
    }
    switch (outcome->status) {
        case ComparisonStatus::Finished: {
            const ComparisonResults &results = *outcome->results;
            showReports(&results.summary);
            m_chtProfit->setSeries(
                profitSeries(results.paths),
                tr("Cumulative profit by day (seed %1, replication 1)").arg(outcome->seed));
            m_chtHistogram->setHistogram(
                results.histogram,
                tr("Total profit over %1 replications of %2 days")
                    .arg(countText(outcome->replications), countText(results.summary.days)));
            QStringList finals;
            for (const AnalysisRule rule : kAllAnalysisRules) {
                const auto &days = results.paths.days[ruleIndex(rule)];
                finals << tr("%1 %2").arg(
                    toQString(ruleName(rule)),
                    moneyText(days.empty() ? 0.0 : days.back().cumulativeProfit.toDouble()));
            }
            m_chtProfit->setAccessibleDescription(tr("Cumulative profit after the last day: %1")
                                                      .arg(finals.join(QStringLiteral("; "))));
            m_chtHistogram->setAccessibleDescription(
                tr("%1 bars per rule over the range %2 to %3")
                    .arg(results.histogram.bins())
                    .arg(moneyText(results.histogram.low), moneyText(results.histogram.high)));
            m_cmdSaveChart->setEnabled(true);
            m_pgbComparison->setValue(m_pgbComparison->maximum());
            setStatus(tr("%1 replications of %2 days from seed %3, in %4 s.")
                          .arg(countText(outcome->replications), countText(results.summary.days))
                          .arg(outcome->seed)
                          .arg(displayLocale().toString(results.seconds, 'f', 2)));
            return;
        }
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

void FrmCompare::showReports(const ReplicationSummary *summary) {
    if (!m_run || !m_parameters || !m_expectations) {
        m_rulesModel->clear();
        m_pairsModel->clear();
        return;
    }
    const Report report = comparisonReport(*m_parameters, *m_expectations, summary,
                                           ComparisonReportInputs{m_run->policy, false});
    // Before the replications have run their figures are not there yet:
    // empty cells, not absent ones.
    std::vector<std::string> pending;
    if (summary == nullptr) {
        pending = {"simulated", "pairs"};
    }
    m_rulesModel->setReport(report, pending);
    m_pairsModel->setReport(report, pending);
}

void FrmCompare::clearResults() {
    showReports(nullptr);
    m_chtProfit->setSeries(std::nullopt, tr("Cumulative profit by day"));
    m_chtHistogram->setHistogram(std::nullopt, tr("Distribution of total profit"));
    m_chtProfit->setAccessibleDescription(QString());
    m_chtHistogram->setAccessibleDescription(QString());
    m_cmdSaveChart->setEnabled(false);
    m_pgbComparison->setValue(0);
}

void FrmCompare::setStatus(const QString &status) {
    m_lblStatus->setText(status);
    m_lblStatus->setAccessibleDescription(status);
}

std::optional<std::uint64_t> FrmCompare::seed() const {
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
