// frmAnalysis: the pages, moving between them, the owner, fitting the screen.
#include "ui/analysis/frm_analysis.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QHideEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

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

// A button that becomes the dialog's default when the focus passes it would
// answer Enter in whatever field the focus moves to next.
void noAutoDefaults(const QWidget &root) {
    for (QPushButton *button : root.findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
    }
}

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

    connect(m_tabPages, &QTabWidget::currentChanged, this, &FrmAnalysis::givePageInputs);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        // A click shows what it clicked already; scrolling would move it away.
        if (now != nullptr && now->window() == this &&
            QGuiApplication::mouseButtons() == Qt::NoButton) {
            // After the layout the focus change may have started has settled.
            QTimer::singleShot(0, this, [this, focus = QPointer<QWidget>(now)] {
                if (focus != nullptr && focus->hasFocus()) {
                    scrollIntoView(focus);
                }
            });
        }
    });
}

FrmAnalysis::~FrmAnalysis() {
    // Before the pages go: no worker may outlive what it reports to.
    stopAllWork();
}

AnalysisPage *FrmAnalysis::currentPage() const {
    return qobject_cast<AnalysisPage *>(m_tabPages->currentWidget());
}

int FrmAnalysis::addPage(AnalysisPage *page) {
    noAutoDefaults(*page);
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
    // A run's record is no RunInputs: the other pages ask the defaults.
    m_inputs.reset();
    m_pagesGiven.insert(m_comparePage, std::nullopt);
    showPage(*m_comparePage, owner);
}

void FrmAnalysis::showComparison(const RunInputs &inputs, QWidget *owner) {
    m_comparePage->setRunInputs(inputs);
    m_inputs = inputs;
    m_pagesGiven.insert(m_comparePage, inputs);
    showPage(*m_comparePage, owner);
}

void FrmAnalysis::showOrderQuantity(const RunInputs &inputs, QWidget *owner) {
    m_quantityPage->setRunInputs(inputs);
    m_inputs = inputs;
    m_pagesGiven.insert(m_quantityPage, inputs);
    showPage(*m_quantityPage, owner);
}

void FrmAnalysis::showPlay(const RunInputs &inputs, std::optional<std::uint64_t> seed,
                           QWidget *owner) {
    m_playPage->setRunInputs(inputs, seed);
    m_inputs = inputs;
    m_pagesGiven.insert(m_playPage, inputs);
    showPage(*m_playPage, owner);
}

void FrmAnalysis::showWorksheet(const RunInputs &inputs, std::int32_t days,
                                std::optional<std::uint64_t> seed, QWidget *owner) {
    m_worksheetPage->setRunInputs(inputs, days, seed);
    m_inputs = inputs;
    m_pagesGiven.insert(m_worksheetPage, inputs);
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

void FrmAnalysis::setPageDefaults(std::function<PageDefaults()> defaults) {
    m_pageDefaults = std::move(defaults);
}

void FrmAnalysis::givePageInputs(int index) {
    const QWidget *page = m_tabPages->widget(index);
    const auto given = m_pagesGiven.constFind(page);
    if (page == nullptr ||
        (given != m_pagesGiven.cend() && (!m_inputs || given.value() == m_inputs))) {
        return;
    }
    const PageDefaults defaults = m_pageDefaults ? m_pageDefaults() : PageDefaults{};
    const std::optional<RunInputs> inputs = m_inputs ? m_inputs : defaults.inputs;
    if (!inputs) {
        return;
    }
    if (page == m_comparePage) {
        m_comparePage->setRunInputs(*inputs);
    } else if (page == m_quantityPage) {
        m_quantityPage->setRunInputs(*inputs);
    } else if (page == m_playPage) {
        m_playPage->setRunInputs(*inputs, defaults.playSeed);
    } else if (page == m_worksheetPage) {
        m_worksheetPage->setRunInputs(*inputs, defaults.worksheetDays, defaults.worksheetSeed);
    } else {
        return;
    }
    m_pagesGiven.insert(page, inputs);
}

void FrmAnalysis::reject() {
    for (int i = 0; i < m_tabPages->count(); ++i) {
        auto *page = qobject_cast<AnalysisPage *>(m_tabPages->widget(i));
        if (page != nullptr && !page->confirmDiscardWork()) {
            return;
        }
    }
    QDialog::reject();
}

void FrmAnalysis::showEvent(QShowEvent *event) {
    // Pages may have made buttons since they were added.
    noAutoDefaults(*this);
    QDialog::showEvent(event);
}

void FrmAnalysis::keyPressEvent(QKeyEvent *event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = event->modifiers() == Qt::NoModifier ||
                       (event->key() == Qt::Key_Enter && event->modifiers() == Qt::KeypadModifier);
    if (!enter || !plain) {
        QDialog::keyPressEvent(event);
        return;
    }
    // QDialog would press whichever button is the default now.
    event->accept();
    QWidget *focus = focusWidget();
    QPushButton *button = qobject_cast<QPushButton *>(focus);
    if (button == nullptr) {
        button = pageDefaultButton(focus);
    }
    if (button != nullptr && button->isEnabled()) {
        button->click();
    }
}

QPushButton *FrmAnalysis::pageDefaultButton(QWidget *focus) const {
    QWidget *page = focus;
    while (page != nullptr && qobject_cast<AnalysisPage *>(page) == nullptr) {
        page = page->parentWidget();
    }
    if (page == nullptr) {
        return nullptr;
    }
    for (QPushButton *button : page->findChildren<QPushButton *>()) {
        if (button->isDefault() && !button->autoDefault() && button->isVisible()) {
            return button;
        }
    }
    return nullptr;
}

void FrmAnalysis::scrollIntoView(QWidget *focus) {
    // Along one scroll bar: the whole control when it fits, else its start.
    const auto bring = [](QScrollBar *bar, int start, int length, int shown) {
        if (start < bar->value() || length > shown) {
            bar->setValue(start);
        } else if (start + length > bar->value() + shown) {
            bar->setValue(start + length - shown);
        }
    };
    // Every scrolling part it lies in, the innermost first.
    for (QWidget *parent = focus->parentWidget(); parent != nullptr && parent != this;
         parent = parent->parentWidget()) {
        auto *scroll = qobject_cast<QScrollArea *>(parent);
        if (scroll == nullptr || scroll->widget() == nullptr) {
            continue;
        }
        const QRect area(focus->mapTo(scroll->widget(), QPoint(0, 0)), focus->size());
        const QSize shown = scroll->viewport()->size();
        bring(scroll->verticalScrollBar(), area.top(), area.height(), shown.height());
        bring(scroll->horizontalScrollBar(), area.left(), area.width(), shown.width());
    }
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
