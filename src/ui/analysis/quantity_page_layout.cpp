// The Order Quantity page's controls, their layout and the tab order.
#include <QBoxLayout>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>

#include "ui/analysis/page_widgets.h"
#include "ui/analysis/payoff_table_model.h"
#include "ui/analysis/quantity_charts.h"
#include "ui/analysis/quantity_page.h"
#include "ui/analysis/quantity_value_box.h"
#include "ui/toolkit/qt/report_table_view.h"

namespace nv::ui {

void QuantityPage::createControls() {
    m_scrContent = named(new QScrollArea(this), "scrContent", tr("Order Quantity"));
    auto *content = new QWidget;
    content->setObjectName(QStringLiteral("wgtContent"));
    m_lblParameters = wrappingLabel(content, "lblParameters", tr("Inputs shown"));

    m_cboVary = named(new QComboBox(content), "cboVary", tr("Vary"));
    m_cboVary->addItems({tr("Price"), tr("Cost")});
    m_lblVary = buddyLabel(content, tr("&Vary:"), m_cboVary);
    m_lblVary->setObjectName(QStringLiteral("lblVary"));
    m_spnValue = named(new QuantityValueBox(content), "spnValue", tr("Value"));
    m_spnValue->setDecimals(2);
    m_spnValue->setPrefix(QStringLiteral("$"));
    m_spnValue->setSingleStep(0.05);
    m_spnValue->setKeyboardTracking(false);
    m_lblValue = buddyLabel(content, tr("Val&ue:"), m_spnValue);
    m_lblValue->setObjectName(QStringLiteral("lblValue"));
    m_lblValueMessage = wrappingLabel(content, "lblValueMessage", tr("Value not taken"));
    m_lblValueMessage->setVisible(false);
    m_sldValue = named(new QSlider(Qt::Horizontal, content), "sldValue", tr("Value slider"));
    m_sldValue->setSingleStep(5);
    m_sldValue->setPageStep(50);
    m_sldValue->setMinimumWidth(200);
    m_cmdReset = named(new QPushButton(tr("&Reset"), content), "cmdReset", tr("Reset"));
    // Enter belongs to the field it is pressed in, never to a button.
    m_cmdReset->setAutoDefault(false);
    m_lblBest = wrappingLabel(content, "lblBest", tr("Best order"));

    m_chtCurve = named(new OrderCurveChart(content), "chtCurve",
                       tr("Expected daily profit by order quantity"));
    m_lblCursor = wrappingLabel(content, "lblCursor", tr("Order under the cursor"));
    m_chtCumulative = named(new CumulativeChart(content), "chtCumulative",
                            tr("Cumulative frequency of demand and the critical ratio"));

    m_payoffModel = new PayoffTableModel(PayoffTableModel::Table::Profit, this);
    m_regretModel = new PayoffTableModel(PayoffTableModel::Table::OpportunityLoss, this);
    m_tblPayoff = named(new ReportTableView(content), "tblPayoff", tr("Payoff table"));
    m_tblPayoff->setModel(m_payoffModel);
    m_tblPayoff->setCsvFileName(QStringLiteral("payoff-table.csv"));
    m_lblPayoff = buddyLabel(content, tr("&Payoff table: profit per day ($)"), m_tblPayoff);
    m_lblPayoff->setObjectName(QStringLiteral("lblPayoff"));
    m_tblRegret = named(new ReportTableView(content), "tblRegret", tr("Opportunity loss table"));
    m_tblRegret->setModel(m_regretModel);
    m_tblRegret->setCsvFileName(QStringLiteral("opportunity-loss-table.csv"));
    m_lblRegret = buddyLabel(
        content, tr("Opportunity &loss table: the best profit for the demand less the order's ($)"),
        m_tblRegret);
    m_lblRegret->setObjectName(QStringLiteral("lblRegret"));
    m_lblEvpi = wrappingLabel(content, "lblEvpi", tr("Expected value of perfect information"));

    m_chtSweep = named(new SweepChart(content), "chtSweep",
                       tr("Expected daily profit as the input changes"));
    m_cmdSaveChart = named(new QPushButton(tr("Save Chart as P&NG\u2026"), content), "cmdSaveChart",
                           tr("Save Chart as PNG"));
    m_cmdSaveChart->setAutoDefault(false);
    m_lblStatus = wrappingLabel(this, "lblStatus", tr("Status"));
    m_scrContent->setWidget(content);
}

void QuantityPage::layoutControls() {
    QWidget *content = m_scrContent->widget();
    // The message about a value not taken goes right under the value box.
    auto *whatIf = new QGridLayout;
    whatIf->addWidget(m_lblVary, 0, 0);
    whatIf->addWidget(m_cboVary, 0, 1);
    whatIf->setColumnMinimumWidth(2, 12);
    whatIf->addWidget(m_lblValue, 0, 3);
    whatIf->addWidget(m_spnValue, 0, 4);
    whatIf->addWidget(m_sldValue, 0, 5);
    whatIf->setColumnStretch(5, 1);
    whatIf->addWidget(m_cmdReset, 0, 6);
    whatIf->addWidget(m_lblValueMessage, 1, 4, 1, 3);

    auto *left = new QVBoxLayout;
    left->addWidget(m_chtCurve, 3);
    left->addWidget(m_lblCursor);
    left->addWidget(m_chtCumulative, 2);

    auto *right = new QVBoxLayout;
    right->addWidget(m_lblPayoff);
    right->addWidget(m_tblPayoff);
    right->addWidget(m_lblRegret);
    right->addWidget(m_tblRegret);
    right->addWidget(m_lblEvpi);
    right->addWidget(m_chtSweep, 1);

    auto *body = new QHBoxLayout;
    // The tables need more width than the charts.
    body->addLayout(left, 2);
    body->addLayout(right, 3);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdSaveChart);

    auto *column = new QVBoxLayout(content);
    column->addWidget(m_lblParameters);
    column->addLayout(whatIf);
    column->addWidget(m_lblBest);
    column->addLayout(body, 1);
    column->addLayout(buttons);

    m_scrContent->setWidgetResizable(true);
    m_scrContent->setFrameShape(QFrame::NoFrame);
    content->setMinimumHeight(760);
    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(m_scrContent, 1);
    page->addWidget(m_lblStatus);

    QWidget *order[] = {m_cboVary,       m_spnValue,  m_sldValue,  m_cmdReset, m_chtCurve,
                        m_chtCumulative, m_tblPayoff, m_tblRegret, m_chtSweep, m_cmdSaveChart};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

}  // namespace nv::ui
