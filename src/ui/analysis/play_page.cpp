// The Play page: starting a game, playing its days, the debrief, saving and
// opening results.
#include "ui/analysis/play_page.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <charconv>
#include <chrono>

#include "engine/analysis/game_paths.h"
#include "engine/analysis/game_report.h"
#include "ui/analysis/analysis_text.h"
#include "ui/analysis/chart_painting.h"
#include "ui/analysis/series_chart.h"
#include "ui/toolkit/qt/qt_text.h"
#include "ui/toolkit/qt/report_records_model.h"
#include "ui/toolkit/qt/report_table_model.h"
#include "ui/toolkit/qt/report_table_view.h"

namespace nv::ui {

namespace {

const QColor kPlayerColour{0, 0, 0};
const QColor kDemandColour{140, 140, 140};
const QColor kPerfectColour{148, 103, 189};

// A seed of nine digits from the clock: easy to note down and hand out.
[[nodiscard]] std::uint64_t clockSeed() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(now).count();
    return static_cast<std::uint64_t>(micros) % 1'000'000'000U;
}

[[nodiscard]] QString unitsText(Currency units) {
    return countText(units.units() / Currency::fromCount(1).units());
}

}  // namespace

QString PlayPage::parametersText(const AnalysisParameters &p) {
    const QLocale locale = displayLocale();
    QStringList classes;
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        QString frequency = locale.toString(p.probability(cls), 'f', 4);
        while (frequency.size() > 4 && frequency.endsWith(locale.zeroDigit())) {
            frequency.chop(1);
        }
        classes << tr("%1 (%2)").arg(countText(kClassDemand[cls]), frequency);
    }
    return tr("You sell a perishable item at %1 and buy it at %2 a unit; what is not sold by "
              "the end of the day is lost. Each day's demand is one of %3 units (relative "
              "frequency in brackets), independent of the days before.")
        .arg(moneyText(p.price().toDouble()), moneyText(p.cost().toDouble()),
             classes.join(QStringLiteral(", ")));
}

namespace {

[[nodiscard]] std::vector<double> values(std::span<const Currency> amounts) {
    std::vector<double> out;
    out.reserve(amounts.size());
    for (const Currency amount : amounts) {
        out.push_back(amount.toDouble());
    }
    return out;
}

}  // namespace

PlayPage::PlayPage(QWidget *parent)
    : AnalysisPage(parent),
      m_chooseSave(&askSaveFileName),
      m_chooseOpen(&askOpenFileName),
      m_reportError([this](const QString &message) {
          QMessageBox::warning(this, tr("Play the Newsvendor"), message);
      }),
      m_askDiscard(&askInMessageBox) {
    setObjectName(QStringLiteral("pagePlay"));
    setAccessibleName(title());
    createControls();
    layoutControls();
    setFocusOrder();

    m_txtSeed->setText(QString::number(clockSeed()));
    connect(m_cmdStart, &QPushButton::clicked, this, &PlayPage::cmdStart_Click);
    connect(m_cmdOrder, &QPushButton::clicked, this, &PlayPage::cmdOrder_Click);
    connect(m_txtOrder, &QLineEdit::returnPressed, this, &PlayPage::cmdOrder_Click);
    connect(m_cmdFinish, &QPushButton::clicked, this, &PlayPage::cmdFinish_Click);
    connect(m_cmdNewSeed, &QPushButton::clicked, this, &PlayPage::cmdNewSeed_Click);
    connect(m_cmdSaveResults, &QPushButton::clicked, this, &PlayPage::cmdSaveResults_Click);
    connect(m_cmdOpenResults, &QPushButton::clicked, this, &PlayPage::cmdOpenResults_Click);
    connect(m_cmdPlayAgain, &QPushButton::clicked, this, &PlayPage::cmdPlayAgain_Click);
    reportSavedTables({m_tblHistory, m_tblDebrief, m_tblDays});
    setStage(Stage::Start);
    m_cmdStart->setEnabled(false);
    setStatus(tr("No inputs to play with yet."));
}

PlayPage::~PlayPage() = default;

void PlayPage::setRunInputs(const RunInputs &inputs, std::optional<std::uint64_t> seed) {
    if (m_stage == Stage::Playing && m_inputs == inputs && (!seed || *seed == m_seed)) {
        return;  // the game in progress goes on
    }
    if (!confirmDiscard(Next::AnotherGame)) {
        return;
    }
    m_inputs = inputs;
    m_game.reset();
    m_orders.clear();
    m_demands.clear();
    if (seed) {
        m_txtSeed->setText(QString::number(*seed));
    } else if (m_parameters.has_value() || m_txtSeed->text().isEmpty()) {
        m_txtSeed->setText(QString::number(clockSeed()));
    }
    auto checked = AnalysisParameters::fromInputs(inputs);
    setStage(Stage::Start);
    if (!checked) {
        m_parameters.reset();
        m_lblParameters->clear();
        m_cmdStart->setEnabled(false);
        setStatus(toQString(refusalMessage(checked.error())));
        return;
    }
    m_parameters = *checked;
    m_policy = inputs.annualSelected ? OrderPolicy::Annual : OrderPolicy::Yesterday;
    m_lblParameters->setText(parametersText(*m_parameters));
    m_cmdStart->setEnabled(true);
    setStatus(tr("Choose the number of days and the seed, then Start Game."));
}

void PlayPage::cmdStart_Click() {
    if (!m_parameters) {
        return;
    }
    const std::optional<std::uint64_t> chosen = seed();
    if (!chosen) {
        announce(*m_lblStatus,
                 tr("Seed must be a whole number from 0 to 18,446,744,073,709,551,615"));
        m_txtSeed->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_spnDays->interpretText();
    auto started = Game::start(*m_parameters, m_spnDays->value(), *chosen);
    if (!started) {
        setStatus(toQString(refusalMessage(started.error())));
        return;
    }
    m_game = std::move(started).value();
    m_seed = *chosen;
    m_orders.clear();
    m_demands.clear();
    m_lblOutcome->clear();
    m_lblRefusal->clear();
    showHistory();
    setStage(Stage::Playing);
    m_txtOrder->clear();
    m_txtOrder->setFocus(Qt::OtherFocusReason);
    setStatus(tr("A game of %1 days from seed %2. Type each day's order and press Enter.")
                  .arg(countText(m_game->days()))
                  .arg(m_seed));
}

void PlayPage::cmdOrder_Click() {
    if (m_stage != Stage::Playing || !m_game) {
        return;
    }
    m_txtOrder->setFocus(Qt::OtherFocusReason);
    const auto order = parseOrder(m_txtOrder->text().toStdString());
    if (!order) {
        setRefusal(toQString(refusalMessage(order.error())));
        m_txtOrder->selectAll();
        return;
    }
    const std::optional<DayResult> day = m_game->play(*order);
    if (!day) {
        return;
    }
    m_lblRefusal->clear();
    showDay(*day);
    showHistory();
    if (m_game->finished()) {
        showDebrief();
        return;
    }
    m_txtOrder->selectAll();
}

void PlayPage::cmdFinish_Click() {
    if (m_stage != Stage::Playing || !m_game) {
        return;
    }
    if (m_game->daysPlayed() == 0) {
        setRefusal(tr("Play at least one day before finishing."));
        m_txtOrder->setFocus(Qt::OtherFocusReason);
        return;
    }
    showDebrief();
}

void PlayPage::cmdNewSeed_Click() {
    if (m_stage != Stage::Start) {
        if (!confirmDiscard(Next::AnotherGame)) {
            return;
        }
        backToStart();
    }
    m_txtSeed->setText(QString::number(clockSeed()));
}

void PlayPage::cmdPlayAgain_Click() {
    if (!confirmDiscard(Next::AnotherGame)) {
        return;
    }
    backToStart();
    m_txtSeed->setText(QString::number(m_seed));
    setStatus(tr("The same seed plays the same days again; New Seed gives other days."));
}

void PlayPage::backToStart() {
    m_game.reset();
    setStage(Stage::Start);
    m_cmdStart->setEnabled(m_parameters.has_value());
    m_cmdStart->setFocus(Qt::OtherFocusReason);
}

void PlayPage::setStage(Stage stage) {
    m_stage = stage;
    m_wdgStart->setVisible(stage == Stage::Start);
    m_wdgPlay->setVisible(stage == Stage::Playing);
    m_wdgDebrief->setVisible(stage == Stage::Debrief);
    m_cmdStart->setDefault(stage == Stage::Start);
    m_cmdSaveResults->setEnabled(stage == Stage::Debrief);
    m_cmdPlayAgain->setEnabled(stage == Stage::Debrief && m_parameters.has_value());
}

void PlayPage::showDay(const DayResult &day) {
    const Currency leftover = Currency::fromUnits(day.order.units() - day.sales.units());
    const Currency unmet = Currency::fromUnits(day.demand.units() - day.sales.units());
    announce(*m_lblOutcome,
             tr("Day %1: you ordered %2 and the demand was %3. You sold %4, %5 left over, "
                "%6 unmet. Profit %7; total %8.")
                 .arg(countText(day.day), unitsText(day.order), unitsText(day.demand),
                      unitsText(day.sales), unitsText(leftover), unitsText(unmet),
                      moneyText(day.dailyProfit.toDouble()),
                      moneyText(day.cumulativeProfit.toDouble())));
}

void PlayPage::showHistory() {
    if (!m_game || !m_parameters) {
        return;
    }
    const std::span<const Currency> orders(m_game->orders());
    const Debrief d = debrief(*m_parameters, orders, m_game->demands());
    m_historyModel->setReport(debriefReport(*m_parameters, d, {m_policy, m_seed}), "", "days");
    m_tblHistory->setMinimumWidth(m_tblHistory->sizeHint().width() +
                                  style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    m_tblHistory->scrollToBottom();
    const int next = m_game->daysPlayed() + 1;
    m_lblDay->setText(next <= m_game->days()
                          ? tr("Day %1 of %2").arg(countText(next), countText(m_game->days()))
                          : tr("All %1 days played").arg(countText(m_game->days())));
    SeriesChartData chart{
        {{tr("Your order"), ruleColour(AnalysisRule::Yesterday), values(orders), 1, 2.0,
          Qt::SolidLine, true},
         {tr("Demand"), kDemandColour, values(m_game->demands()), 1, 2.0, Qt::DashLine, true}},
        ChartValueKind::Units,
        tr("Day"),
        tr("Units")};
    m_chtGame->setData(orders.empty() ? std::nullopt : std::optional(std::move(chart)),
                       tr("Your orders and the demands so far"));
}

void PlayPage::showDebrief() {
    if (m_game) {
        m_orders = m_game->orders();
        m_demands.assign(m_game->demands().begin(), m_game->demands().end());
    }
    if (!m_parameters || m_orders.empty()) {
        return;
    }
    const Debrief d = debrief(*m_parameters, m_orders, m_demands);
    const Report report = debriefReport(*m_parameters, d, {m_policy, m_seed});
    m_debriefModel->setReport(report);
    m_daysModel->setReport(report, "", "days");
    QStringList findings;
    for (const std::string &finding : debriefFindings(d, windowTextStyle().locale)) {
        findings << toQString(finding);
    }
    m_lblFindings->setText(findings.join(QLatin1Char('\n')));
    m_debriefSaved = false;

    const GamePaths paths = gamePaths(*m_parameters, m_orders, m_demands);
    const auto path = [&](GamePlayer who) { return values(paths.of(who)); };
    m_chtProfit->setData(
        SeriesChartData{{{tr("Yesterday's Demand"), ruleColour(AnalysisRule::Yesterday),
                          path(GamePlayer::Yesterday)},
                         {tr("Average Annual Demand"), ruleColour(AnalysisRule::Annual),
                          path(GamePlayer::Annual), 0, 4.0},
                         {tr("Best fixed order"), ruleColour(AnalysisRule::FixedFractile),
                          path(GamePlayer::Best)},
                         {tr("Perfect information"), kPerfectColour, path(GamePlayer::Perfect), 0,
                          2.0, Qt::DashLine},
                         {tr("You"), kPlayerColour, path(GamePlayer::You), 0, 3.0}},
                        ChartValueKind::Money,
                        tr("Day"),
                        tr("Cumulative profit ($)")},
        tr("Cumulative profit: you and the rules on the same days"));
    const std::size_t days = m_orders.size();
    m_chtOrders->setData(
        SeriesChartData{
            {{tr("Demand"), kDemandColour, values(m_demands), 1, 2.0, Qt::DashLine, true},
             {tr("Best order"), ruleColour(AnalysisRule::FixedFractile),
              std::vector<double>(days, d.bestOrder.toDouble()), 1, 2.0},
             {tr("Your order"), ruleColour(AnalysisRule::Yesterday), values(m_orders), 1, 2.5,
              Qt::SolidLine, true}},
            ChartValueKind::Units,
            tr("Day"),
            tr("Units")},
        tr("Your orders, the best order and the demands"));
    m_chtProfit->setAccessibleDescription(
        tr("Total profit: you %1, Yesterday's Demand %2, Average Annual Demand %3, best fixed "
           "order %4, perfect information %5")
            .arg(moneyText(d.playerTotal.toDouble()), moneyText(d.yesterdayTotal.toDouble()),
                 moneyText(d.annualTotal.toDouble()), moneyText(d.bestTotal.toDouble()),
                 moneyText(d.perfectTotal.toDouble())));
    m_chtOrders->setAccessibleDescription(findings.size() > 3 ? findings[3] : QString());
    setStage(Stage::Debrief);
    m_lblFindings->setFocus(Qt::OtherFocusReason);
    announce(*m_lblStatus, tr("The debrief of your %1 days from seed %2: %3")
                               .arg(countText(static_cast<std::int64_t>(days)))
                               .arg(m_seed)
                               .arg(findings.value(0)));
}

void PlayPage::setStatus(const QString &text) {
    m_lblStatus->setText(text);
}

void PlayPage::setRefusal(const QString &text) {
    announce(*m_lblRefusal, text);
}

void PlayPage::announce(QLabel &label, const QString &text) {
    // Qt has no live region: the label's text is its accessible name, whose
    // change QLabel reports, and an alert asks a screen reader to read it
    // wherever the reader stands.
    label.setText(text);
    QAccessibleEvent alert(&label, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

std::optional<std::uint64_t> PlayPage::seed() const {
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
