// Opening a window on a screen of any size: the size the window would like,
// but never more than a share of the screen's available area (the desktop
// less its panels), frame included, and centred in it. A window opened this
// way lies wholly on its screen at any resolution and scale factor; what its
// content needs beyond that, the window's layout scrolls.
//
//     nv::ui::fitToScreen(window, *anchor->screen(), QSize(1280, 860));
//     window.show();
#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QScreen;
class QWidget;

namespace nv::ui {

inline constexpr double kScreenShare = 0.9;

// The window's geometry (without its frame): `wanted`, at least `minimum`,
// but with `frame` around it never more than `share` of `available` unless
// the minimum asks for it, and never more than `available`; centred.
[[nodiscard]] QRect fittedGeometry(const QSize &wanted, const QSize &minimum,
                                   const QRect &available, const QMargins &frame,
                                   double share = kScreenShare);

// Puts the window on `screen` at its fitted geometry, with the frame the
// window system tells for it (some tell it only once the window is mapped;
// their frame then comes on top, still inside the available area).
void fitToScreen(QWidget &window, QScreen &screen, const QSize &wanted,
                 double share = kScreenShare);

}  // namespace nv::ui
