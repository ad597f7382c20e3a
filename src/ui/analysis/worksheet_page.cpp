// The Worksheet page: the sheet for the inputs, its numbers, printing,
// saving and checking a student's sheet.
#include "ui/analysis/worksheet_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

#include "engine/worksheet/random_numbers.h"
#include "engine/worksheet/sheet_check.h"
#include "engine/worksheet/worksheet_report.h"
#include "io/report_csv.h"
#include "support/random_source.h"
#include "ui/analysis/worksheet_print.h"
#include "ui/analysis/worksheet_text_dialog.h"
#include "ui/toolkit/qt/qt_text.h"
#include "ui/toolkit/qt/report_records_model.h"
#include "ui/toolkit/qt/report_table_model.h"
#include "ui/toolkit/qt/report_table_view.h"

namespace nv::ui {

namespace {

// The largest student file read: far more than 1,000 days of amounts.
constexpr qint64 kMaxSheetBytes = qint64{4} << 20;

QString parametersText(const Worksheet &sheet) {
    const AnalysisParameters &p = sheet.plan().parameters();
    const ReportTextStyle style = windowTextStyle();
    QString frequencies;
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        frequencies += (cls == 0 ? QString() : QStringLiteral(", ")) +
                       toQString(reportText(p.distribution().frequency(cls).value_or(Currency{}),
                                            ReportKind::Ratio, style));
    }
    return WorksheetPage::tr("Price %1, cost %2, relative frequencies %3, %4")
        .arg(toQString(reportText(p.price(), ReportKind::Money, style)),
             toQString(reportText(p.cost(), ReportKind::Money, style)), frequencies,
             sheet.plan().policy() == OrderPolicy::Annual
                 ? WorksheetPage::tr("Average Annual Demand")
                 : WorksheetPage::tr("Yesterday's Demand"));
}

QString wrongText(const SheetCell &cell) {
    const QString right = toQString(
        reportText(cell.answer, isMoneyColumn(cell.column) ? ReportKind::Money : ReportKind::Units,
                   windowTextStyle()));
    if (!cell.written || cell.written->empty()) {
        return WorksheetPage::tr("Wrong: nothing written; %1 is right").arg(right);
    }
    return WorksheetPage::tr("Wrong: %1 written; %2 is right").arg(toQString(*cell.written), right);
}

}  // namespace

WorksheetPage::WorksheetPage(QWidget *parent)
    : AnalysisPage(parent), m_chooseFile(&askSaveFileName) {
    setObjectName(QStringLiteral("pgeWorksheet"));
    setAccessibleName(tr("Worksheet"));
    createControls();
    layoutControls();
    m_cboPaper->setCurrentIndex(defaultPaper() == QPageSize::Letter ? 1 : 0);
    m_seed = shortClockSeed();
    m_txtSeed->setText(QString::number(m_seed));
    m_chooseOpen = &askOpenFileName;
    m_askText = &WorksheetTextDialog::ask;
    m_reportError = [this](const QString &message) {
        QMessageBox::warning(this, tr("Worksheet"), message);
    };

    connectFields();
    connect(m_cmdNewSeed, &QPushButton::clicked, this, &WorksheetPage::cmdNewSeed_Click);
    connect(m_cmdPasteNumbers, &QPushButton::clicked, this, &WorksheetPage::cmdPasteNumbers_Click);
    connect(m_chkAnswers, &QCheckBox::toggled, this, &WorksheetPage::showSheet);
    connect(m_cmdCheckAnswers, &QPushButton::clicked, this, &WorksheetPage::cmdCheckAnswers_Click);
    connect(m_cmdPasteAnswers, &QPushButton::clicked, this, &WorksheetPage::cmdPasteAnswers_Click);
    connect(m_cmdPrint, &QPushButton::clicked, this, &WorksheetPage::cmdPrint_Click);
    connect(m_cmdSavePdf, &QPushButton::clicked, this, &WorksheetPage::cmdSavePdf_Click);
    connect(m_cmdSaveCsv, &QPushButton::clicked, this, &WorksheetPage::cmdSaveCsv_Click);
    rebuild();
}

void WorksheetPage::setRunInputs(const RunInputs &inputs, std::int32_t days,
                                 std::optional<std::uint64_t> seed) {
    m_inputs = inputs;
    m_haveInputs = true;
    m_pasted.reset();
    m_seed = seed.value_or(shortClockSeed());
    m_txtSeed->setText(QString::number(m_seed));
    clearFieldRefusal();
    const QSignalBlocker blocker(m_spnDays);
    m_spnDays->setValue(days);
    rebuild();
}

QPageSize::PageSizeId WorksheetPage::paper() const {
    return static_cast<QPageSize::PageSizeId>(m_cboPaper->currentData().toInt());
}

void WorksheetPage::addToScenario(Scenario &scenario) const {
    if (m_sheet && m_sheet->seed()) {
        scenario.worksheetDays = m_sheet->plan().days();
        scenario.worksheetSeed = *m_sheet->seed();
    }
}

void WorksheetPage::rebuild() {
    m_sheet.reset();
    m_lblScore->clear();
    setStatus(QString());
    if (!m_haveInputs) {
        setStatus(tr("Open the worksheet from the parameter window's Analyze menu."));
        showSheet();
        return;
    }
    const auto plan = WorksheetPlan::fromInputs(WorksheetInputs{m_inputs, m_spnDays->value(), {}});
    if (!plan) {
        setStatus(toQString(refusalMessage(plan.error())));
    } else if (m_pasted) {
        const auto numbers = readRandomNumbers(*m_pasted, plan->table().digits(), plan->days());
        if (!numbers) {
            setStatus(toQString(randomNumbersMessage(numbers.error())));
        } else {
            m_sheet = Worksheet::fromNumbers(*plan, *numbers);
        }
    } else {
        m_sheet = Worksheet::fromSeed(*plan, m_seed);
    }
    for (QWidget *needsSheet :
         std::initializer_list<QWidget *>{m_cmdCheckAnswers, m_cmdPasteAnswers, m_cmdPrint,
                                          m_cmdSavePdf, m_cmdSaveCsv, m_chkAnswers}) {
        needsSheet->setEnabled(m_sheet.has_value());
    }
    m_lblParameters->setText(m_sheet ? parametersText(*m_sheet) : QString());
    if (m_sheet && m_pasted) {
        setStatus(tr("Pasted random numbers of %1 digits").arg(m_sheet->plan().table().digits()));
    }
    showSheet();
}

void WorksheetPage::showSheet() {
    if (!m_sheet) {
        m_intervalsModel->clear();
        m_sheetModel->clear();
        return;
    }
    const Report report = worksheetReport(*m_sheet, m_chkAnswers->isChecked());
    m_intervalsModel->setItem(*report.find("", "", "intervals"), QStringLiteral("\u2014"),
                              tr("no random numbers"));
    m_sheetModel->setItem(*report.find("", "", "days"), QString(), tr("blank"));
    m_lblScore->clear();
}

void WorksheetPage::setStatus(const QString &text) {
    m_lblStatus->setText(text);
}

void WorksheetPage::cmdNewSeed_Click() {
    m_pasted.reset();
    m_seed = shortClockSeed();
    m_txtSeed->setText(QString::number(m_seed));
    clearFieldRefusal();
    rebuild();
}

void WorksheetPage::cmdPasteNumbers_Click() {
    const TextCheck check = [this](const QString &text) { return numbersRefusal(text); };
    if (const std::optional<QString> text = m_askText(
            this, tr("Paste Random Numbers"), tr("&Random numbers, one per line:"), check)) {
        pasteNumbers(*text);
    }
}

std::optional<TextRefusal> WorksheetPage::numbersRefusal(const QString &text) const {
    if (!m_haveInputs) {
        return TextRefusal{tr("There is no worksheet to take the numbers"), 0};
    }
    const auto plan = WorksheetPlan::fromInputs(WorksheetInputs{m_inputs, m_spnDays->value(), {}});
    if (!plan) {
        return TextRefusal{toQString(refusalMessage(plan.error())), 0};
    }
    const auto numbers =
        readRandomNumbers(text.toStdString(), plan->table().digits(), plan->days());
    if (numbers) {
        return std::nullopt;
    }
    const RandomNumbersError &error = numbers.error();
    return TextRefusal{
        toQString(randomNumbersMessage(error)),
        error.kind == RandomNumbersError::Kind::NotANumber ? static_cast<int>(error.line) : 0};
}

bool WorksheetPage::pasteNumbers(const QString &text) {
    m_pasted = text.toStdString();
    rebuild();
    if (!m_sheet) {
        m_pasted.reset();
        const QString refused = m_lblStatus->text();
        rebuild();
        setStatus(refused);
        return false;
    }
    m_txtSeed->clear();
    clearFieldRefusal();
    return true;
}

bool WorksheetPage::checkAnswers(const QString &csvText, const QString &source) {
    if (!m_sheet) {
        return false;
    }
    // Amounts are read as the sheet shows them (a decimal comma where the
    // locale writes one), and as plain text writes them.
    const SheetCheck check = checkSheet(*m_sheet, csvText.toStdString(), windowTextStyle().locale);
    m_chkAnswers->setChecked(true);
    showSheet();
    for (const SheetCell &cell : check.cells) {
        if (!cell.right) {
            const auto column = std::find(kSheetColumns.begin(), kSheetColumns.end(), cell.column) -
                                kSheetColumns.begin();
            m_sheetModel->setMark(cell.day - 1, 2 + static_cast<int>(column), wrongText(cell));
        }
    }
    const double share = check.total > 0 ? 100.0 * check.right / check.total : 0.0;
    const QString score = tr("%1 of %2 cells right (%3%)")
                              .arg(check.right)
                              .arg(check.total)
                              .arg(QLocale().toString(share, 'f', 1));
    m_lblScore->setText(tr("Score: %1").arg(score));
    setStatus(source.isEmpty() ? tr("Checked the pasted answers: %1").arg(score)
                               : tr("Checked %1: %2").arg(QDir::toNativeSeparators(source), score));
    return true;
}

void WorksheetPage::cmdCheckAnswers_Click() {
    const QString path =
        m_chooseOpen(this, tr("Check Answers"), QString(), tr("CSV files (*.csv);;All files (*)"));
    if (path.isEmpty()) {
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_reportError(tr("The file could not be read.\n\n%1\n\n%2").arg(path, file.errorString()));
        return;
    }
    checkAnswers(QString::fromUtf8(file.read(kMaxSheetBytes)), path);
}

void WorksheetPage::cmdPasteAnswers_Click() {
    if (const std::optional<QString> text = m_askText(
            this, tr("Paste Answers"),
            tr("The student's sheet as CSV, with the header\n%1:").arg(toQString(kSheetHeader)),
            TextCheck())) {
        checkAnswers(*text);
    }
}

void WorksheetPage::cmdPrint_Click() {
    if (!m_sheet) {
        return;
    }
    QPrinter printer;
    printer.setPageSize(QPageSize(paper()));
    printer.setDocName(tr("Hand simulation worksheet"));
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, 2 * worksheetPartPages(*m_sheet, paper()));
    if (dialog.exec() == QDialog::Accepted && !printWorksheet(printer, *m_sheet)) {
        m_reportError(tr("The worksheet could not be printed."));
    }
}

void WorksheetPage::cmdSavePdf_Click() {
    if (!m_sheet) {
        return;
    }
    const auto saved = saveToChosenFile(
        this, m_chooseFile, m_reportError,
        {tr("Save as PDF"), QStringLiteral("worksheet.pdf"), tr("PDF files (*.pdf)"),
         QStringLiteral("pdf")},
        [this](const QString &path) { return writeWorksheetPdf(path, *m_sheet, paper()); });
    if (saved) {
        setStatus(tr("Saved %1").arg(*saved));
    }
}

void WorksheetPage::cmdSaveCsv_Click() {
    if (!m_sheet) {
        return;
    }
    const Report report = worksheetReport(*m_sheet, m_chkAnswers->isChecked());
    const QByteArray bytes =
        QByteArray::fromStdString(io::recordsCsv(*report.find("", "", "days")));
    const auto saved = saveToChosenFile(
        this, m_chooseFile, m_reportError,
        {tr("Save as CSV"),
         m_chkAnswers->isChecked() ? QStringLiteral("answer-key.csv")
                                   : QStringLiteral("worksheet.csv"),
         tr("CSV files (*.csv)"), QStringLiteral("csv")},
        [&bytes](const QString &path) { return writeFileAtomically(path, bytes); });
    if (saved) {
        setStatus(tr("Saved %1").arg(*saved));
    }
}

}  // namespace nv::ui
