#include "runner/runner_text.h"

#include <array>
#include <cstdint>

#include "support/utf8.h"

namespace nv::runner {

namespace {

void appendEscaped(std::string &out, std::uint8_t byte) {
    static constexpr std::array<char, 16> kHex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                  '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0F];
}

}  // namespace

std::string displayText(std::string_view text, std::size_t maxCodePoints) {
    std::string out;
    std::size_t shown = 0;
    while (!text.empty()) {
        if (shown == maxCodePoints) {
            out += "...";
            break;
        }
        const std::size_t length = utf8SequenceLength(text);
        const auto lead = static_cast<std::uint8_t>(text.front());
        const bool c1Control =
            length == 2 && lead == 0xC2 && static_cast<std::uint8_t>(text[1]) < 0xA0;
        if (c1Control) {
            // U+0080..U+009F: terminal controls too.
            appendEscaped(out, lead);
            appendEscaped(out, static_cast<std::uint8_t>(text[1]));
            text.remove_prefix(2);
        } else if (length == 0 || lead < 0x20 || lead == 0x7F) {
            appendEscaped(out, lead);
            text.remove_prefix(1);
        } else {
            out.append(text.substr(0, length));
            text.remove_prefix(length);
        }
        ++shown;
    }
    return out;
}

}  // namespace nv::runner
