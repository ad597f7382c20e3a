// The Play page's controls, their layout and the tab order.
#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QSpinBox>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include "engine/analysis/game.h"
#include "ui/analysis/page_widgets.h"
#include "ui/analysis/play_page.h"
#include "ui/analysis/series_chart.h"
#include "ui/toolkit/qt/report_records_model.h"
#include "ui/toolkit/qt/report_table_model.h"
#include "ui/toolkit/qt/report_table_view.h"

namespace nv::ui {

namespace {

// A style may draw the default button as it draws a focused one: this one
// adds the focus rectangle inside while it has the focus.
class FocusShowingButton final : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override {
        QPushButton::paintEvent(event);
        if (!isDefault() || !hasFocus()) {
            return;
        }
        QStylePainter painter(this);
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(4, 4, -4, -4);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
};

QPushButton *button(QWidget *parent, const QString &text, const char *objectName,
                    const QString &accessibleName) {
    auto *b = named(new FocusShowingButton(text, parent), objectName, accessibleName);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

void PlayPage::createControls() {
    m_historyModel = new ReportRecordsModel(this);
    m_daysModel = new ReportRecordsModel(this);
    m_debriefModel =
        new ReportTableModel({{"player",
                               {"total_profit", "expected_total_profit", "luck", "share_of_perfect",
                                "mean_order", "chase_correlation", "days_above_best"}},
                              {"rules", {"yesterday", "annual", "best", "perfect"}}},
                             this);
    m_debriefModel->setValueTitle(tr("On your days"));

    m_lblParameters = wrappingLabel(this, "lblParameters", tr("Inputs of the game"));

    m_wdgStart = named(new QWidget(this), "wdgStart", tr("Start a game"));
    m_spnDays = named(new QSpinBox(m_wdgStart), "spnDays", tr("Days"));
    m_spnDays->setRange(kMinGameDays, kMaxGameDays);
    m_spnDays->setValue(kDefaultGameDays);
    m_spnDays->setAccessibleDescription(tr("How many days to play, from 1 to 365"));
    m_txtSeed = named(new QLineEdit(m_wdgStart), "txtSeed", tr("Seed"));
    m_txtSeed->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{1,20}")), m_txtSeed));
    m_txtSeed->setAccessibleDescription(
        tr("The same seed gives the same demands: a class with one seed plays the same days"));
    m_txtSeed->setMinimumWidth(
        m_txtSeed->fontMetrics().horizontalAdvance(QStringLiteral("18446744073709551615")) + 16);
    m_cmdNewSeed = button(m_wdgStart, tr("&New Seed"), "cmdNewSeed", tr("New Seed"));
    m_cmdStart = button(m_wdgStart, tr("S&tart Game"), "cmdStart", tr("Start Game"));

    m_wdgPlay = named(new QWidget(this), "wdgPlay", tr("The game"));
    m_lblDay = wrappingLabel(m_wdgPlay, "lblDay", tr("Day"));
    m_lblDay->setWordWrap(false);
    m_txtOrder = named(new QLineEdit(m_wdgPlay), "txtOrder", tr("Order (units)"));
    m_txtOrder->setAccessibleDescription(
        tr("Type today's order, a whole number of units from 0 to 1,000, and press Enter"));
    m_txtOrder->setMaxLength(32);
    m_txtOrder->setMinimumWidth(
        m_txtOrder->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 16);
    m_cmdOrder = button(m_wdgPlay, tr("Or&der"), "cmdOrder", tr("Order"));
    m_cmdFinish = button(m_wdgPlay, tr("&Finish Now"), "cmdFinish", tr("Finish Now"));
    m_lblRefusal = wrappingLabel(m_wdgPlay, "lblRefusal", tr("Order refused"));
    m_lblOutcome = wrappingLabel(m_wdgPlay, "lblOutcome", tr("The day's outcome"));
    m_tblHistory =
        named(reportView(m_wdgPlay, m_historyModel, QStringLiteral("game-days.csv"), false),
              "tblHistory", tr("Your days so far"));
    m_chtGame = named(new SeriesChart(m_wdgPlay), "chtGame", tr("Your orders and the demands"));
    m_chtGame->setEmptyText(tr("Your orders and the demands show here."));

    m_wdgDebrief = named(new QWidget(this), "wdgDebrief", tr("Debrief"));
    m_lblFindings = wrappingLabel(m_wdgDebrief, "lblFindings", tr("Findings"));
    m_lblFindings->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                           Qt::TextSelectableByKeyboard);
    // A focused label shows only a thin text cursor: a frame shows the focus.
    m_lblFindings->setStyleSheet(
        QStringLiteral("QLabel { border: 1px solid transparent; padding: 2px; }"
                       "QLabel:focus { border-color: palette(highlight); }"));
    m_tblDebrief =
        named(reportView(m_wdgDebrief, m_debriefModel, QStringLiteral("game-debrief.csv"), true),
              "tblDebrief", tr("Your game and the rules"));
    m_chtProfit = named(new SeriesChart(m_wdgDebrief), "chtProfit",
                        tr("Cumulative profit: you and the rules"));
    m_chtOrders = named(new SeriesChart(m_wdgDebrief), "chtOrders",
                        tr("Your orders, the best order and the demands"));
    m_tblDays = named(reportView(m_wdgDebrief, m_daysModel, QStringLiteral("game-days.csv"), false),
                      "tblDays", tr("Your days"));

    m_cmdSaveResults =
        button(this, tr("Sa&ve Results\u2026"), "cmdSaveResults", tr("Save Results"));
    m_cmdOpenResults =
        button(this, tr("&Open Results\u2026"), "cmdOpenResults", tr("Open Results"));
    m_cmdPlayAgain = button(this, tr("Play &Again"), "cmdPlayAgain", tr("Play Again"));
    m_lblStatus = wrappingLabel(this, "lblStatus", tr("Status"));
}

void PlayPage::layoutControls() {
    const auto buddy = [](QWidget *parent, const QString &text, const char *name, QWidget *to) {
        auto *label = named(new QLabel(text, parent), name, to->accessibleName());
        label->setBuddy(to);
        return label;
    };
    auto *start = new QHBoxLayout(m_wdgStart);
    start->setContentsMargins(0, 0, 0, 0);
    start->addWidget(buddy(m_wdgStart, tr("&Days:"), "lblDays", m_spnDays));
    start->addWidget(m_spnDays);
    start->addSpacing(12);
    start->addWidget(buddy(m_wdgStart, tr("&Seed:"), "lblSeed", m_txtSeed));
    start->addWidget(m_txtSeed);
    start->addWidget(m_cmdNewSeed);
    start->addSpacing(12);
    start->addWidget(m_cmdStart);
    start->addStretch(1);

    auto *orderRow = new QHBoxLayout;
    orderRow->addWidget(m_lblDay);
    orderRow->addSpacing(12);
    orderRow->addWidget(buddy(m_wdgPlay, tr("Order (&units):"), "lblOrder", m_txtOrder));
    orderRow->addWidget(m_txtOrder);
    orderRow->addWidget(m_cmdOrder);
    orderRow->addSpacing(12);
    orderRow->addWidget(m_cmdFinish);
    orderRow->addSpacing(12);
    orderRow->addWidget(m_lblRefusal, 1);
    // The history scrolls inside its own frame, beside the chart, so the
    // order field stays in view however many days have been played.
    m_tblHistory->setMaximumHeight(kHistoryHeight);
    auto *playBody = new QHBoxLayout;
    playBody->addWidget(m_tblHistory, 0, Qt::AlignTop);
    playBody->addWidget(m_chtGame, 1);
    auto *play = new QVBoxLayout(m_wdgPlay);
    play->setContentsMargins(0, 0, 0, 0);
    play->addLayout(orderRow);
    play->addWidget(m_lblOutcome);
    play->addLayout(playBody, 1);

    auto *charts = new QVBoxLayout;
    charts->addWidget(m_chtProfit, 1);
    charts->addWidget(m_chtOrders, 1);
    auto *debriefBody = new QHBoxLayout;
    debriefBody->addWidget(m_tblDebrief, 0, Qt::AlignTop);
    debriefBody->addLayout(charts, 1);
    auto *debrief = new QVBoxLayout(m_wdgDebrief);
    debrief->setContentsMargins(0, 0, 0, 0);
    debrief->addWidget(m_lblFindings);
    debrief->addLayout(debriefBody, 1);
    debrief->addWidget(buddy(m_wdgDebrief, tr("&Your days:"), "lblYourDays", m_tblDays));
    debrief->addWidget(m_tblDays, 0, Qt::AlignLeft);

    auto *content = named(new QWidget, "wdgContent", title());
    auto *column = new QVBoxLayout(content);
    column->addWidget(m_lblParameters);
    column->addWidget(m_wdgStart);
    column->addWidget(m_wdgPlay, 1);
    column->addWidget(m_wdgDebrief, 1);
    column->addStretch(0);

    m_scrContent = named(new QScrollArea(this), "scrContent", title());
    m_scrContent->setWidgetResizable(true);
    m_scrContent->setFrameShape(QFrame::NoFrame);
    m_scrContent->setFocusPolicy(Qt::NoFocus);
    m_scrContent->setWidget(content);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_lblStatus, 1);
    bottom->addWidget(m_cmdSaveResults);
    bottom->addWidget(m_cmdOpenResults);
    bottom->addWidget(m_cmdPlayAgain);
    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(m_scrContent, 1);
    page->addLayout(bottom);
}

void PlayPage::setFocusOrder() {
    QWidget *const order[] = {
        m_spnDays,   m_txtSeed,    m_cmdNewSeed,     m_cmdStart,       m_txtOrder,    m_cmdOrder,
        m_cmdFinish, m_tblHistory, m_chtGame,        m_lblFindings,    m_tblDebrief,  m_chtProfit,
        m_chtOrders, m_tblDays,    m_cmdSaveResults, m_cmdOpenResults, m_cmdPlayAgain};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
}

}  // namespace nv::ui
