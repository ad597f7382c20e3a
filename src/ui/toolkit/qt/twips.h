// Twips, the unit the fixed window layouts and the grid's column widths are
// designed in: 15 to a logical pixel.
//
//     button->setGeometry(nv::ui::twipsRect(6840, 3960, 975, 375));   // 456, 264, 65 x 25
//     nv::ui::twipsToPixels(2094);                                     // 140
#pragma once

#include <QRect>
#include <QSize>

namespace nv::ui {

inline constexpr int kTwipsPerPixel = 15;

// To the nearest pixel (15 is odd: there is never a tie).
[[nodiscard]] constexpr int twipsToPixels(int twips) noexcept {
    constexpr int half = kTwipsPerPixel / 2;
    return (twips < 0 ? twips - half : twips + half) / kTwipsPerPixel;
}

[[nodiscard]] constexpr QRect twipsRect(int left, int top, int width, int height) noexcept {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

[[nodiscard]] constexpr QSize twipsSize(int width, int height) noexcept {
    return {twipsToPixels(width), twipsToPixels(height)};
}

}  // namespace nv::ui
