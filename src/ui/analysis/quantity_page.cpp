// The Order Quantity page: checking the inputs, the what-if control,
// recomputing the lesson and the sweep, the cursor's read-out, saving.
#include "ui/analysis/quantity_page.h"

#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <algorithm>
#include <cmath>

#include "engine/analysis/quantity_report.h"
#include "ui/analysis/analysis_text.h"
#include "ui/analysis/payoff_table_model.h"
#include "ui/analysis/quantity_charts.h"
#include "ui/toolkit/qt/qt_text.h"
#include "ui/toolkit/qt/report_table_view.h"

namespace nv::ui {

namespace {

QString unitsText(Currency amount) {
    return displayLocale().toString(amount.toDouble(), 'g', 15);
}

QString bestText(const BestOrders &best) {
    return best.low == best.high ? QuantityPage::tr("%1 units").arg(unitsText(best.low))
                                 : QuantityPage::tr("any order from %1 to %2 units")
                                       .arg(unitsText(best.low), unitsText(best.high));
}

// The inputs with the price or the cost replaced, checked again.
Result<AnalysisParameters, Refusal> withValue(const AnalysisParameters &given, SweepInput input,
                                              Currency value) {
    SimulationParameters run;
    run.distribution = given.distribution();
    // These days passed the run's checks, so they fit 16 bits.
    run.days = static_cast<std::int16_t>(given.days());
    run.price = input == SweepInput::Price ? value : given.price();
    run.cost = input == SweepInput::Cost ? value : given.cost();
    return AnalysisParameters::fromRun(run);
}

QString percentText(double share) {
    return displayLocale().toString(share * 100, 'f', 1) + QStringLiteral("%");
}

Currency inputOf(const AnalysisParameters &p, SweepInput input) {
    return input == SweepInput::Cost ? p.cost() : p.price();
}

// Where the best order comes from: the critical ratio, or, with the cost at
// or above the price, that no order earns a profit.
QString bestSentence(const AnalysisParameters &p, const QuantityLesson &l) {
    const QString price = moneyText(p.price().toDouble());
    if (p.cost() < p.price()) {
        return QuantityPage::tr(
                   "Best order: %1, where the cumulative frequency reaches the "
                   "critical ratio (price \u2212 cost) / price = %2.")
            .arg(bestText(l.best), displayLocale().toString(l.criticalRatio, 'f', 4));
    }
    if (p.cost() > p.price()) {
        return QuantityPage::tr(
                   "No order can earn a profit: the cost %1 is above the price %2, "
                   "so the best order is 0 units.")
            .arg(moneyText(p.cost().toDouble()), price);
    }
    return QuantityPage::tr(
               "No order can earn a profit: the cost equals the price %1, so the "
               "best order is 0 units; any order up to %2 units breaks even.")
        .arg(price, unitsText(l.best.high));
}

}  // namespace

QuantityPage::QuantityPage(QWidget *parent)
    : AnalysisPage(parent),
      m_chooseFile(&askSaveFileName),
      m_reportError([this](const QString &message) {
          QMessageBox::warning(this, tr("Save Chart as PNG"), message);
      }) {
    setObjectName(QStringLiteral("pageQuantity"));
    setAccessibleName(title());
    createControls();
    layoutControls();

    connect(m_cboVary, &QComboBox::currentIndexChanged, this,
            [this](int index) { setVaried(index == 1 ? SweepInput::Cost : SweepInput::Price); });
    connect(m_spnValue, &QDoubleSpinBox::valueChanged, this, &QuantityPage::spnValue_Changed);
    connect(m_spnValue, &QuantityValueBox::refused, this, &QuantityPage::spnValue_Refused);
    // A value typed again as it stands changes nothing but is taken.
    connect(m_spnValue, &QAbstractSpinBox::editingFinished, this,
            [this] { showValueMessage(QString()); });
    connect(m_sldValue, &QSlider::valueChanged, this, &QuantityPage::sldValue_Changed);
    connect(m_cmdReset, &QPushButton::clicked, this, &QuantityPage::cmdReset_Click);
    connect(m_cmdSaveChart, &QPushButton::clicked, this, &QuantityPage::cmdSaveChart_Click);
    connect(m_chtCurve, &OrderCurveChart::cursorMoved, this, &QuantityPage::showCursor);
    reportSavedTables({m_tblPayoff, m_tblRegret});
    clearFigures(tr("No inputs yet."));
}

QuantityPage::~QuantityPage() {
    // The box may still lose the focus as the window goes; nothing here is
    // left to tell.
    m_spnValue->disconnect(this);
}

void QuantityPage::setRunInputs(const RunInputs &inputs) {
    auto checked = AnalysisParameters::fromInputs(inputs);
    if (!checked) {
        m_given.reset();
        m_lblParameters->clear();
        showValueMessage(QString());
        clearFigures(QString::fromUtf8(refusalMessage(checked.error())));
        return;
    }
    m_given = *checked;
    setControlRange();
}

// The given inputs with the what-if value in place of the varied one, which
// also names its given value when the two differ.
QString QuantityPage::parametersText(double value) const {
    QString price = moneyText(m_given->price().toDouble());
    QString cost = moneyText(m_given->cost().toDouble());
    QString &varied = m_varied == SweepInput::Cost ? cost : price;
    const QString shown = moneyText(value);
    if (shown != varied) {
        varied = tr("%1 (given %2)").arg(shown, varied);
    }
    return tr("For a price of %1, a cost of %2 and demand 30, 40, 50, 60, 70 with mean %3 units.")
        .arg(price, cost, unitsText(m_given->meanDemand()));
}

void QuantityPage::setVaried(SweepInput input) {
    m_varied = input;
    {
        const QSignalBlocker blocker(m_cboVary);
        m_cboVary->setCurrentIndex(input == SweepInput::Cost ? 1 : 0);
    }
    setControlRange();
}

void QuantityPage::cmdReset_Click() {
    setControlRange();
}

// The control back at the given value of the varied input, over a range from
// one cent to twice the larger of price and cost (so either can pass the
// other); then everything recomputed.
void QuantityPage::setControlRange() {
    const bool enabled = m_given.has_value();
    for (QWidget *control : std::initializer_list<QWidget *>{m_spnValue, m_sldValue, m_cmdReset}) {
        control->setEnabled(enabled);
    }
    if (!enabled) {
        return;
    }
    const double given = inputOf(*m_given, m_varied).toDouble();
    const double top = sweepTop();
    {
        const QSignalBlocker spinBlocker(m_spnValue);
        const QSignalBlocker sliderBlocker(m_sldValue);
        m_spnValue->setRange(0.01, top);
        m_spnValue->setValue(given);
        m_sldValue->setRange(1, static_cast<int>(std::lround(top * 100)));
        m_sldValue->setValue(static_cast<int>(std::lround(given * 100)));
    }
    recompute();
}

double QuantityPage::sweepTop() const {
    const double larger = std::max(m_given->price(), m_given->cost()).toDouble();
    return std::max(1.0, std::round(2 * larger * 100) / 100);
}

void QuantityPage::spnValue_Changed(double value) {
    if (m_syncing) {
        return;
    }
    m_syncing = true;
    m_sldValue->setValue(static_cast<int>(std::lround(value * 100)));
    m_syncing = false;
    recompute();
}

void QuantityPage::sldValue_Changed(int cents) {
    if (m_syncing) {
        return;
    }
    m_syncing = true;
    m_spnValue->setValue(cents / 100.0);
    m_syncing = false;
    recompute();
}

void QuantityPage::spnValue_Refused(double typed) {
    const QString input = m_varied == SweepInput::Cost ? tr("cost") : tr("price");
    showValueMessage(tr("%1 is not taken: the %2 goes from %3 to %4.")
                         .arg(moneyText(typed), input, moneyText(m_spnValue->minimum()),
                              moneyText(m_spnValue->maximum())));
}

// Beside the value box, and its description, so the box itself says why.
void QuantityPage::showValueMessage(const QString &text) {
    m_lblValueMessage->setText(text);
    m_lblValueMessage->setVisible(!text.isEmpty());
    m_spnValue->setAccessibleDescription(text);
}

void QuantityPage::recompute() {
    if (!m_given) {
        return;
    }
    showValueMessage(QString());
    m_lblParameters->setText(parametersText(m_spnValue->value()));
    const std::optional<Currency> value = Currency::fromDouble(m_spnValue->value());
    auto shown = value ? withValue(*m_given, m_varied, *value)
                       : Result<AnalysisParameters, Refusal>(Failure{Refusal::AmountsOutOfRange});
    auto lesson = shown ? quantityLesson(*shown, kCurveOrders)
                        : Result<QuantityLesson, Refusal>(Failure{shown.error()});
    if (!lesson) {
        clearFigures(QString::fromUtf8(refusalMessage(lesson.error())));
        return;
    }
    m_shown = *shown;
    m_lesson = std::move(*lesson);
    const QuantityLesson &l = *m_lesson;
    const Report report = quantityReport(*m_shown, l, {OrderPolicy::Yesterday, kCurveOrders});
    m_payoffModel->setReport(report);
    m_regretModel->setReport(report);

    const auto annual = orderFigures(*m_shown, m_shown->meanDemand());
    m_chtCurve->setCurve(CurveData{l.curve, l.best, annual.value_or(OrderFigures{}), l.rules});
    std::array<double, kDemandClasses> probabilities{};
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        probabilities[cls] = m_shown->probability(cls);
    }
    m_chtCumulative->setDistribution(probabilities, l.criticalRatio, l.best);

    const Currency step = Currency::fromUnits(
        std::max<std::int64_t>(1, std::llround(sweepTop() * 1e4) / kSweepPoints));
    const AmountRange sweepValues{step, Currency::fromUnits(step.units() * kSweepPoints), step};
    auto sweep = quantitySweep(*m_given, m_varied, sweepValues);
    m_chtSweep->setSweep(sweep ? std::move(*sweep) : std::vector<SweepPoint>{}, m_varied,
                         m_spnValue->value());

    m_lblBest->setText(bestSentence(*m_shown, l) + QLatin1Char(' ') +
                       tr("Expected profit per day: best order %1, Average Annual Demand %2, "
                          "Yesterday's Demand %3, perfect information %4.")
                           .arg(moneyText(l.rules.best), moneyText(l.rules.annual),
                                moneyText(l.rules.yesterday), moneyText(l.rules.perfect)));
    m_lblEvpi->setText(tr("Expected value of perfect information: %1 per day (the smallest "
                          "expected opportunity loss; perfect information less the best order).")
                           .arg(moneyText(l.evpi)));
    const QString ratio = displayLocale().toString(l.criticalRatio, 'f', 4);
    m_chtCumulative->setAccessibleDescription(
        m_shown->cost() < m_shown->price()
            ? tr("The cumulative frequency of demand reaches the critical ratio %1 at %2.")
                  .arg(ratio, bestText(l.best))
            : tr("The critical ratio %1 is not above 0: no order can earn a profit, so the best "
                 "order is 0 units.")
                  .arg(ratio));
    const QString varied = m_varied == SweepInput::Cost ? tr("the cost") : tr("the price");
    if (sweep) {
        m_chtSweep->setAccessibleDescription(
            tr("Expected daily profit of Yesterday's Demand, Average Annual Demand, the best order "
               "and perfect information for %1 from %2 to %3; the shown value is %4.")
                .arg(varied, moneyText(sweepValues.from.toDouble()),
                     moneyText(sweepValues.to.toDouble()), moneyText(m_spnValue->value())));
    }
    m_cmdSaveChart->setEnabled(true);
    setStatus(sweep ? QString() : QString::fromUtf8(refusalMessage(sweep.error())));
}

void QuantityPage::clearFigures(const QString &status) {
    m_shown.reset();
    m_lesson.reset();
    m_payoffModel->clear();
    m_regretModel->clear();
    m_chtCurve->setCurve(std::nullopt);
    m_chtCumulative->setDistribution(std::nullopt, 0, {});
    m_chtSweep->setSweep({}, m_varied, 0);
    m_lblBest->clear();
    m_lblEvpi->clear();
    m_cmdSaveChart->setEnabled(false);
    setStatus(status);
}

void QuantityPage::showCursor() {
    const OrderFigures *f = m_chtCurve->cursorFigures();
    if (f == nullptr) {
        m_lblCursor->clear();  // the cleared curve has described itself
        return;
    }
    const QString text =
        tr("Order %1 units: expected profit %2 per day, sales %3, leftover %4, unmet "
           "demand %5 units, fill rate %6, probability of a loss %7, standard deviation "
           "of the profit %8.")
            .arg(unitsText(f->order), moneyText(f->exact.profit),
                 displayLocale().toString(f->sales, 'f', 2),
                 displayLocale().toString(f->leftover, 'f', 2),
                 displayLocale().toString(f->unmet, 'f', 2), percentText(f->fillRate),
                 percentText(f->lossProbability), moneyText(f->profitSd));
    m_lblCursor->setText(text);
    m_chtCurve->setAccessibleDescription(text);
}

void QuantityPage::cmdSaveChart_Click() {
    if (!m_lesson) {
        return;
    }
    const std::optional<QString> saved =
        saveToChosenFile(this, m_chooseFile, m_reportError,
                         {tr("Save Chart as PNG"), QStringLiteral("order-quantity.png"),
                          tr("PNG images (*.png)"), QStringLiteral("png")},
                         [this](const QString &path) { return writePngFile(path, chartImage()); });
    if (saved) {
        setStatus(tr("Chart saved to %1").arg(QDir::toNativeSeparators(*saved)));
    }
}

QImage QuantityPage::chartImage(const QSize &size) const {
    return captionedChartsImage({m_chtCurve, m_chtCumulative, m_chtSweep},
                                m_lblParameters->text() + QLatin1Char(' ') + m_lblBest->text(),
                                size);
}

void QuantityPage::setSaveFileChooser(SaveFileChooser chooser) {
    m_chooseFile = std::move(chooser);
}

void QuantityPage::setErrorReporter(ErrorReporter report) {
    m_reportError = std::move(report);
}

void QuantityPage::setStatus(const QString &text) {
    m_lblStatus->setText(text);
}

}  // namespace nv::ui
