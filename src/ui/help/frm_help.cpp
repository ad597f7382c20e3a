// The user guide's window.
#include "ui/help/frm_help.h"

#include <QGuiApplication>
#include <QKeySequence>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/toolkit/qt/screen_fit.h"

namespace nv::ui {

namespace {
constexpr QSize kPreferredSize{720, 640};
}  // namespace

const QUrl &FrmHelp::guideUrl() {
    static const QUrl url(QStringLiteral("qrc:/help/user_guide.html"));
    return url;
}

FrmHelp::FrmHelp(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(tr("Newsvendor Simulation User Guide"));
    setAccessibleName(tr("Newsvendor Simulation User Guide"));
    setAttribute(Qt::WA_QuitOnClose, false);

    m_txtGuide = new QTextBrowser(this);
    m_txtGuide->setObjectName(QStringLiteral("txtGuide"));
    m_txtGuide->setAccessibleName(tr("User Guide"));
    // The guide's links lead within the guide; nothing opens outside.
    m_txtGuide->setOpenExternalLinks(false);
    m_txtGuide->setSource(guideUrl());

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_txtGuide);

    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

void FrmHelp::showGuide(const QWidget *anchor) {
    m_txtGuide->setSource(guideUrl());
    m_txtGuide->scrollToAnchor(QString());
    if (!m_placed) {
        QScreen *screen = anchor != nullptr ? anchor->screen() : QGuiApplication::primaryScreen();
        fitToScreen(*this, *screen, kPreferredSize);
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
    m_txtGuide->setFocus(Qt::OtherFocusReason);
}

}  // namespace nv::ui
