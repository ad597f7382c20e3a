// The Compare Rules page's controls, their layout, how it fits the window,
// and the tab order.
#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>

#include "engine/analysis/replications.h"
#include "ui/analysis/chart_widgets.h"
#include "ui/analysis/compare_page.h"
#include "ui/analysis/comparison_job.h"
#include "ui/analysis/page_widgets.h"
#include "ui/toolkit/qt/report_table_model.h"
#include "ui/toolkit/qt/report_table_view.h"

namespace nv::ui {

namespace {

// The comparison report's items each table shows, a column per rule or pair.
ReportTableModel *rulesModel(QObject *parent) {
    return new ReportTableModel(
        {{"expected",
          {"daily_demand", "daily_order", "daily_sales", "daily_leftover", "daily_unmet",
           "daily_profit", "total_profit", "fill_rate", "loss_day_share"}},
         {"simulated",
          {"mean_total_profit", "sd_total_profit", "total_profit_ci95", "mean_lost_sales",
           "mean_leftover", "fill_rate", "loss_day_share"}}},
        parent);
}

ReportTableModel *pairsModel(QObject *parent) {
    return new ReportTableModel({{"pairs",
                                  {"mean_difference", "difference_ci95", "independent_ci95",
                                   "first_win_share", "tie_share"}}},
                                parent);
}

}  // namespace

void ComparePage::createControls() {
    m_rulesModel = rulesModel(this);
    m_pairsModel = pairsModel(this);
    m_job = new ComparisonJob(this);

    m_lblParameters = wrappingLabel(this, "lblParameters", tr("Parameters compared"));

    m_lblReplications =
        named(new QLabel(tr("&Replications:"), this), "lblReplications", tr("Replications"));
    m_spnReplications = named(new QSpinBox(this), "spnReplications", tr("Replications"));
    m_spnReplications->setRange(static_cast<int>(kMinReplications),
                                static_cast<int>(kMaxReplications));
    m_spnReplications->setValue(kDefaultReplications);
    m_spnReplications->setGroupSeparatorShown(true);
    m_spnReplications->setAccelerated(true);
    m_spnReplications->setAccessibleDescription(
        tr("How many runs of the same length to simulate, from 1 to 1,000,000"));
    m_lblReplications->setBuddy(m_spnReplications);

    m_lblSeed = named(new QLabel(tr("&Seed:"), this), "lblSeed", tr("Seed"));
    m_txtSeed = named(new QLineEdit(this), "txtSeed", tr("Seed"));
    m_txtSeed->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{1,20}")), m_txtSeed));
    m_txtSeed->setAccessibleDescription(tr("The same seed and replications give the same results"));
    m_txtSeed->setMinimumWidth(
        m_txtSeed->fontMetrics().horizontalAdvance(QStringLiteral("18446744073709551615")) + 16);
    m_lblSeed->setBuddy(m_txtSeed);
    m_cmdNewSeed = named(new QPushButton(tr("&New Seed"), this), "cmdNewSeed", tr("New Seed"));

    m_cmdRunComparison = named(new QPushButton(tr("Run &Comparison"), this), "cmdRunComparison",
                               tr("Run Comparison"));
    m_cmdRunComparison->setDefault(true);
    m_cmdCancel = named(new QPushButton(tr("Cancel"), this), "cmdCancel", tr("Cancel"));
    m_cmdCancel->setAutoDefault(false);
    m_cmdCancel->setEnabled(false);

    m_pgbComparison = named(new QProgressBar(this), "pgbComparison", tr("Comparison progress"));
    m_pgbComparison->setRange(0, 1);
    m_pgbComparison->setValue(0);
    m_lblStatus = wrappingLabel(this, "lblStatus", tr("Status"));

    m_lblRules = named(new QLabel(tr("&Expectations and replications:"), this), "lblRules",
                       tr("Expectations and replications"));
    m_tblRules = named(reportView(this, m_rulesModel, QStringLiteral("ordering-rules.csv")),
                       "tblRules", tr("Expectations and replications"));
    m_lblRules->setBuddy(m_tblRules);
    m_lblPairs = named(new QLabel(tr("&Pairs of rules (first rule less second):"), this),
                       "lblPairs", tr("Pairs of rules (first rule less second)"));
    m_tblPairs = named(reportView(this, m_pairsModel, QStringLiteral("pairs-of-rules.csv")),
                       "tblPairs", tr("Pairs of rules"));
    m_lblPairs->setBuddy(m_tblPairs);
    m_lblInformation = wrappingLabel(this, "lblInformation", tr("Best fixed order"));

    m_chtProfit = named(new ProfitChart(this), "chtProfit", tr("Cumulative profit by day"));
    m_chtHistogram =
        named(new HistogramChart(this), "chtHistogram", tr("Distribution of total profit"));
    m_cmdSaveChart = named(new QPushButton(tr("Save Chart as &PNG…"), this), "cmdSaveChart",
                           tr("Save Chart as PNG"));
    m_cmdSaveChart->setAutoDefault(false);
    m_cmdSaveChart->setEnabled(false);
    m_cmdNewSeed->setAutoDefault(false);
}

void ComparePage::layoutControls() {
    auto *controls = new QHBoxLayout;
    controls->addWidget(m_lblReplications);
    controls->addWidget(m_spnReplications);
    controls->addSpacing(12);
    controls->addWidget(m_lblSeed);
    controls->addWidget(m_txtSeed);
    controls->addWidget(m_cmdNewSeed);
    controls->addSpacing(12);
    controls->addWidget(m_cmdRunComparison);
    controls->addWidget(m_cmdCancel);
    controls->addStretch(1);

    m_wdgTables = named(new QWidget, "wdgTables", tr("Tables"));
    auto *tables = new QVBoxLayout(m_wdgTables);
    tables->setContentsMargins(0, 0, 0, 0);
    tables->addWidget(m_lblRules);
    tables->addWidget(m_tblRules);
    tables->addSpacing(6);
    tables->addWidget(m_lblPairs);
    tables->addWidget(m_tblPairs);
    tables->addSpacing(6);
    tables->addWidget(m_lblInformation);
    tables->addStretch(1);

    m_charts = new QBoxLayout(QBoxLayout::TopToBottom);
    m_charts->addWidget(m_chtProfit, 1);
    m_charts->addWidget(m_chtHistogram, 1);
    auto *saveRow = new QHBoxLayout;
    saveRow->addStretch(1);
    saveRow->addWidget(m_cmdSaveChart);
    auto *chartsColumn = new QVBoxLayout;
    chartsColumn->addLayout(m_charts, 1);
    chartsColumn->addLayout(saveRow);

    m_body = new QBoxLayout(QBoxLayout::LeftToRight);
    m_body->addWidget(m_wdgTables, 0);
    m_body->addLayout(chartsColumn, 1);

    auto *content = named(new QWidget, "wdgContent", tr("Compare Rules"));
    auto *column = new QVBoxLayout(content);
    column->addWidget(m_lblParameters);
    column->addLayout(controls);
    column->addLayout(m_body, 1);

    m_scrContent = named(new QScrollArea(this), "scrContent", tr("Compare Rules"));
    m_scrContent->setWidgetResizable(true);
    m_scrContent->setFrameShape(QFrame::NoFrame);
    m_scrContent->setFocusPolicy(Qt::NoFocus);
    m_scrContent->setWidget(content);

    auto *progress = new QHBoxLayout;
    progress->addWidget(m_pgbComparison, 1);
    progress->addWidget(m_lblStatus, 2);

    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(m_scrContent, 1);
    page->addLayout(progress);
}

bool ComparePage::chartsBesideTables() const noexcept {
    return m_body->direction() == QBoxLayout::LeftToRight;
}

void ComparePage::arrange() {
    if (m_scrContent == nullptr) {
        return;
    }
    // The width of the scrolling part as if its vertical scroll bar showed, so
    // that the bar's coming and going cannot switch the arrangement to and fro.
    const QMargins margins = m_scrContent->widget()->layout()->contentsMargins();
    const int room = m_scrContent->width() - margins.left() - margins.right() -
                     style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int spacing = m_body->spacing() < 0
                            ? style()->layoutSpacing(QSizePolicy::DefaultType,
                                                     QSizePolicy::DefaultType, Qt::Horizontal)
                            : m_body->spacing();
    const int chart = m_chtProfit->minimumSizeHint().width();
    // Beside the tables only when they need not scroll sideways.
    const bool beside =
        room >= m_wdgTables->sizeHint().width() + spacing + std::max(chart, kChartsBesideWidth);
    const bool chartsInARow = !beside && room >= 2 * chart + spacing;
    m_body->setDirection(beside ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    m_charts->setDirection(chartsInARow ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
}

void ComparePage::resizeEvent(QResizeEvent *event) {
    AnalysisPage::resizeEvent(event);
    arrange();
}

void ComparePage::setFocusOrder() {
    QWidget *const order[] = {m_spnReplications, m_txtSeed,     m_cmdNewSeed, m_cmdRunComparison,
                              m_cmdCancel,       m_tblRules,    m_tblPairs,   m_chtProfit,
                              m_chtHistogram,    m_cmdSaveChart};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
}

}  // namespace nv::ui
