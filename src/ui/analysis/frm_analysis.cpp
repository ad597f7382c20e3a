// frmAnalysis: the pages, moving between them, the owner, fitting the screen.
#include "ui/analysis/frm_analysis.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QHideEvent>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>

#include "ui/analysis/analysis_page.h"
#include "ui/analysis/compare_page.h"
#include "ui/analysis/play_page.h"
#include "ui/analysis/quantity_page.h"
#include "ui/analysis/worksheet_page.h"
#include "ui/toolkit/qt/screen_fit.h"

namespace nv::ui {

namespace {

constexpr Qt::WindowFlags kWindowFlags = Qt::Window | Qt::WindowTitleHint |
                                         Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                                         Qt::WindowCloseButtonHint;

}  // namespace

FrmAnalysis::FrmAnalysis(QWidget *parent) : QDialog(parent, kWindowFlags) {
    setObjectName(QStringLiteral("frmAnalysis"));
    setWindowTitle(tr("Analysis"));
    setAccessibleName(tr("Analysis"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setSizeGripEnabled(true);

    m_tabPages = new QTabWidget(this);
    m_tabPages->setObjectName(QStringLiteral("tabPages"));
    m_tabPages->setAccessibleName(tr("Analyses"));
    m_tabPages->tabBar()->setAccessibleName(tr("Analyses"));
    m_tabPages->setDocumentMode(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_tabPages);

    const auto shortcut = [this](const char *name, const QList<QKeySequence> &keys,
                                 void (FrmAnalysis::*go)()) {
        auto *action = new QAction(this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, go);
        addAction(action);
    };
    shortcut("actNextPage",
             {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)},
             &FrmAnalysis::nextPage);
    shortcut(
        "actPreviousPage",
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)},
        &FrmAnalysis::previousPage);

    m_comparePage = new ComparePage;
    addPage(m_comparePage);
    m_quantityPage = new QuantityPage;
    addPage(m_quantityPage);
    m_worksheetPage = new WorksheetPage;
    addPage(m_worksheetPage);
    m_playPage = new PlayPage;
    addPage(m_playPage);
}

FrmAnalysis::~FrmAnalysis() {
    // Before the pages go: no worker may outlive what it reports to.
    stopAllWork();
}

AnalysisPage *FrmAnalysis::currentPage() const {
    return qobject_cast<AnalysisPage *>(m_tabPages->currentWidget());
}

int FrmAnalysis::addPage(AnalysisPage *page) {
    return m_tabPages->addTab(page, page->title());
}

void FrmAnalysis::showPage(AnalysisPage &page, QWidget *owner) {
    setOwner(owner);
    m_tabPages->setCurrentWidget(&page);
    if (!m_placed) {
        const QWidget *anchor = owner != nullptr ? owner : QApplication::activeWindow();
        QScreen *screen = anchor != nullptr ? anchor->screen() : QGuiApplication::primaryScreen();
        if (screen != nullptr) {
            fitToScreen(*this, *screen, kPreferredSize);
        }
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
}

void FrmAnalysis::showComparison(const SimulationParameters &checked, QWidget *owner) {
    m_comparePage->setRunParameters(checked);
    showPage(*m_comparePage, owner);
}

void FrmAnalysis::showComparison(const RunInputs &inputs, QWidget *owner) {
    m_comparePage->setRunInputs(inputs);
    showPage(*m_comparePage, owner);
}

void FrmAnalysis::showOrderQuantity(const RunInputs &inputs, QWidget *owner) {
    m_quantityPage->setRunInputs(inputs);
    showPage(*m_quantityPage, owner);
}

void FrmAnalysis::showPlay(const RunInputs &inputs, std::optional<std::uint64_t> seed,
                           QWidget *owner) {
    m_playPage->setRunInputs(inputs, seed);
    showPage(*m_playPage, owner);
}

void FrmAnalysis::showWorksheet(const RunInputs &inputs, std::int32_t days,
                                std::optional<std::uint64_t> seed, QWidget *owner) {
    m_worksheetPage->setRunInputs(inputs, days, seed);
    showPage(*m_worksheetPage, owner);
}

void FrmAnalysis::nextPage() {
    const int count = m_tabPages->count();
    m_tabPages->setCurrentIndex((m_tabPages->currentIndex() + 1) % count);
}

void FrmAnalysis::previousPage() {
    const int count = m_tabPages->count();
    m_tabPages->setCurrentIndex((m_tabPages->currentIndex() + count - 1) % count);
}

void FrmAnalysis::hideEvent(QHideEvent *event) {
    // Esc, the frame's close button and hide() all end here; a new owner
    // hides the window only for a moment.
    if (!event->spontaneous() && !m_changingOwner) {
        stopAllWork();
    }
    QDialog::hideEvent(event);
}

void FrmAnalysis::setOwner(QWidget *owner) {
    if (parentWidget() == owner) {
        return;
    }
    const QScopedValueRollback changing(m_changingOwner, true);
    const QRect placed = geometry();
    setParent(owner, kWindowFlags);
    if (m_placed) {
        setGeometry(placed);
    }
}

void FrmAnalysis::stopAllWork() {
    for (int i = 0; i < m_tabPages->count(); ++i) {
        if (auto *page = qobject_cast<AnalysisPage *>(m_tabPages->widget(i))) {
            page->stopWork();
        }
    }
}

}  // namespace nv::ui
