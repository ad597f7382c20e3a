// Text from the standard library's side as a QString: every std::string and
// std::string_view the engine hands a window is UTF-8.
//
//     label->setText(nv::ui::toQString(nv::refusalMessage(refusal)));
#pragma once

#include <QString>
#include <string_view>

namespace nv::ui {

[[nodiscard]] inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace nv::ui
