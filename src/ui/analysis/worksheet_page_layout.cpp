// The Worksheet page's controls, their layout and the tab order.
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>

#include "ui/analysis/page_widgets.h"
#include "ui/analysis/worksheet_page.h"
#include "ui/toolkit/qt/report_records_model.h"
#include "ui/toolkit/qt/report_table_view.h"

namespace nv::ui {

void WorksheetPage::createControls() {
    m_intervalsModel = new ReportRecordsModel(this);
    m_sheetModel = new ReportRecordsModel(this);

    m_lblParameters = wrappingLabel(this, "lblParameters", tr("Worksheet inputs"));

    m_spnDays = named(new WorksheetDaysBox(this), "spnDays", tr("Days"));
    m_spnDays->setRange(1, kMaxWorksheetDays);
    m_spnDays->setValue(kDefaultWorksheetDays);
    m_spnDays->setGroupSeparatorShown(true);
    m_spnDays->setAccessibleDescription(tr("Days on the sheet, from 1 to 1,000"));

    m_txtSeed = named(new QLineEdit(this), "txtSeed", tr("Seed"));
    // Whatever is typed stays as typed; one that is no seed is refused beside
    // the field when it is applied (worksheet_page_fields.cpp).
    m_txtSeed->setAccessibleDescription(
        tr("The seed the random numbers are drawn from; the same seed gives the same sheet"));
    m_txtSeed->setMaximumWidth(m_txtSeed->fontMetrics().horizontalAdvance(QString(24, u'0')));
    m_lblFieldRefusal = wrappingLabel(this, "lblFieldRefusal", tr("Days and seed"));
    m_lblFieldRefusal->hide();
    m_cmdNewSeed = named(new QPushButton(tr("&New Seed"), this), "cmdNewSeed", tr("New Seed"));
    m_cmdPasteNumbers = named(new QPushButton(tr("Paste Random N&umbers\u2026"), this),
                              "cmdPasteNumbers", tr("Paste Random Numbers"));

    m_tblIntervals =
        named(new ReportTableView(this), "tblIntervals", tr("Random-number intervals"));
    m_tblIntervals->setModel(m_intervalsModel);
    m_tblIntervals->setCsvFileName(QStringLiteral("intervals.csv"));
    // The records carry their own first column: no row numbers.
    m_tblIntervals->verticalHeader()->hide();

    m_chkAnswers = named(new QCheckBox(tr("&Answers"), this), "chkAnswers", tr("Answers"));
    m_chkAnswers->setAccessibleDescription(tr("Shows the answer key instead of the blank sheet"));
    m_cmdCheckAnswers = named(new QPushButton(tr("Chec&k Answers\u2026"), this), "cmdCheckAnswers",
                              tr("Check Answers"));
    m_cmdPasteAnswers = named(new QPushButton(tr("Paste Ans&wers\u2026"), this), "cmdPasteAnswers",
                              tr("Paste Answers"));
    m_lblScore = wrappingLabel(this, "lblScore", tr("Score"));

    m_tblSheet = named(new ReportTableView(this), "tblSheet", tr("Worksheet days"));
    m_tblSheet->setModel(m_sheetModel);
    m_tblSheet->setCsvFileName(QStringLiteral("worksheet.csv"));
    m_tblSheet->verticalHeader()->hide();

    m_cboPaper = named(new QComboBox(this), "cboPaper", tr("Paper"));
    m_cboPaper->addItem(tr("A4"), static_cast<int>(QPageSize::A4));
    m_cboPaper->addItem(tr("Letter"), static_cast<int>(QPageSize::Letter));
    m_cmdPrint = named(new QPushButton(tr("&Print\u2026"), this), "cmdPrint", tr("Print"));
    m_cmdSavePdf =
        named(new QPushButton(tr("Save as PD&F\u2026"), this), "cmdSavePdf", tr("Save as PDF"));
    m_cmdSaveCsv =
        named(new QPushButton(tr("Save as &CSV\u2026"), this), "cmdSaveCsv", tr("Save as CSV"));

    m_lblStatus = wrappingLabel(this, "lblStatus", tr("Status"));

    // Enter in a field applies that field; no button takes it as the default.
    for (QPushButton *button : findChildren<QPushButton *>(Qt::FindDirectChildrenOnly)) {
        button->setAutoDefault(false);
    }
}

void WorksheetPage::layoutControls() {
    auto *content = new QWidget;
    auto *body = new QVBoxLayout(content);
    body->addWidget(m_lblParameters);

    auto *numbers = new QHBoxLayout;
    numbers->addWidget(buddyLabel(content, tr("&Days:"), m_spnDays));
    numbers->addWidget(m_spnDays);
    numbers->addSpacing(12);
    numbers->addWidget(buddyLabel(content, tr("&Seed:"), m_txtSeed));
    numbers->addWidget(m_txtSeed, 1);
    numbers->addWidget(m_cmdNewSeed);
    numbers->addWidget(m_cmdPasteNumbers);
    numbers->addStretch(1);
    body->addLayout(numbers);
    body->addWidget(m_lblFieldRefusal);

    body->addWidget(buddyLabel(content, tr("Random-number &intervals"), m_tblIntervals));
    body->addWidget(m_tblIntervals);

    auto *answers = new QHBoxLayout;
    answers->addWidget(m_chkAnswers);
    answers->addWidget(m_cmdCheckAnswers);
    answers->addWidget(m_cmdPasteAnswers);
    answers->addWidget(m_lblScore, 1);
    body->addLayout(answers);
    body->addWidget(buddyLabel(content, tr("S&heet"), m_tblSheet));
    body->addWidget(m_tblSheet);
    body->addStretch(1);

    auto *scroll = named(new QScrollArea(this), "scrContent", tr("Worksheet"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // Not a stop of its own: Tab goes from the tab bar straight to Days; the
    // control that takes the focus is scrolled into view.
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidget(content);

    auto *output = new QHBoxLayout;
    output->addWidget(buddyLabel(this, tr("Pap&er:"), m_cboPaper));
    output->addWidget(m_cboPaper);
    output->addWidget(m_cmdPrint);
    output->addWidget(m_cmdSavePdf);
    output->addWidget(m_cmdSaveCsv);
    output->addStretch(1);

    auto *page = new QVBoxLayout(this);
    page->addWidget(scroll, 1);
    page->addLayout(output);
    page->addWidget(m_lblStatus);

    QWidget *order[] = {m_spnDays,      m_txtSeed,    m_cmdNewSeed,      m_cmdPasteNumbers,
                        m_tblIntervals, m_chkAnswers, m_cmdCheckAnswers, m_cmdPasteAnswers,
                        m_tblSheet,     m_cboPaper,   m_cmdPrint,        m_cmdSavePdf,
                        m_cmdSaveCsv};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

}  // namespace nv::ui
