// Opening a window on a screen of any size.
#include "ui/toolkit/qt/screen_fit.h"

#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <cmath>

namespace nv::ui {

QRect fittedGeometry(const QSize &wanted, const QSize &minimum, const QRect &available,
                     const QMargins &frame, double share) {
    const QSize frameSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QSize room(static_cast<int>(std::floor(available.width() * share)),
                     static_cast<int>(std::floor(available.height() * share)));
    const QSize client = wanted.boundedTo(room - frameSize)
                             .expandedTo(minimum)
                             .boundedTo(available.size() - frameSize)
                             .expandedTo(QSize(1, 1));
    const QSize outer = client + frameSize;
    const QPoint corner = available.topLeft() + QPoint((available.width() - outer.width()) / 2,
                                                       (available.height() - outer.height()) / 2);
    return {corner + QPoint(frame.left(), frame.top()), client};
}

void fitToScreen(QWidget &window, QScreen &screen, const QSize &wanted, double share) {
    window.setScreen(&screen);
    // The native window, so the window system can tell its frame (when it
    // knows it before the window is mapped).
    (void)window.winId();
    const QWindow *handle = window.windowHandle();
    const QMargins frame = handle != nullptr ? handle->frameMargins() : QMargins();
    window.setGeometry(fittedGeometry(wanted,
                                      window.minimumSizeHint().expandedTo(window.minimumSize()),
                                      screen.availableGeometry(), frame, share));
}

}  // namespace nv::ui
