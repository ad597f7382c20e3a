#include "ui/toolkit/qt/qt_views.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetricsF>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>
#include <cmath>

#include "ui/toolkit/qt/twips.h"

namespace nv::ui {

namespace {
constexpr float kProgressMin = 0.0f;
constexpr float kProgressMax = 100.0f;
}  // namespace

int QtProgressBar::shownValue(float value) noexcept {
    if (std::isnan(value)) {
        return 0;
    }
    const float clamped = value < kProgressMin   ? kProgressMin
                          : value > kProgressMax ? kProgressMax
                                                 : value;
    return static_cast<int>(std::lround(clamped));
}

void QtProgressBar::setValue(float value) {
    m_value = value;
    const int shown = shownValue(value);
    if (shown != m_bar.value()) {
        // QProgressBar may repaint itself in setValue; holding its updates
        // keeps it to the one immediate paint below.
        m_bar.setUpdatesEnabled(false);
        m_bar.setValue(shown);
        m_bar.setUpdatesEnabled(true);
        const bool due = !m_sinceRepaint.isValid() ||
                         m_sinceRepaint.elapsed() >= m_minRepaintIntervalMs ||
                         shown == static_cast<int>(kProgressMax);
        if (due) {
            m_bar.repaint();
            m_sinceRepaint.start();
        }
    }
}

void QtCommandButton::setEnabled(bool enabled) {
    m_button.setEnabled(enabled);
}

QtBusyPointer::~QtBusyPointer() {
    setDefault();
}

void QtBusyPointer::setBusy() {
    if (m_busy) {
        return;
    }
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    m_busy = true;
}

void QtBusyPointer::setDefault() {
    if (!m_busy) {
        return;
    }
    QApplication::restoreOverrideCursor();
    m_busy = false;
}

void QtMessageSink::showInformation(std::string_view text) {
    QMessageBox box(QMessageBox::Information, QString::fromUtf8(kApplicationTitle), toQString(text),
                    QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

double QtTextMeasurer::textWidthTwips(std::string_view text) const {
    return QFontMetricsF(m_widget.font()).horizontalAdvance(toQString(text)) *
           static_cast<double>(kTwipsPerPixel);
}

}  // namespace nv::ui
