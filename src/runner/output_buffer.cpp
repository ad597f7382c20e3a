#include "runner/output_buffer.h"

#include <algorithm>
#include <cstring>
#include <streambuf>

namespace nv::runner {

OutputBuffer::OutputBuffer(std::ostream &out, std::size_t capacity)
    : m_out(out),
      m_capacity(std::max<std::size_t>(capacity, 1)),
      m_data(std::make_unique_for_overwrite<char[]>(m_capacity)) {}

void OutputBuffer::writeHeld() {
    if (m_ok && m_size > 0) {
        m_out.write(m_data.get(), static_cast<std::streamsize>(m_size));
        m_ok = static_cast<bool>(m_out);
    }
    m_size = 0;
}

void OutputBuffer::appendLong(std::string_view text) {
    while (!text.empty()) {
        if (m_size == m_capacity) {
            writeHeld();
        }
        const std::size_t taken = std::min(text.size(), m_capacity - m_size);
        std::memcpy(m_data.get() + m_size, text.data(), taken);
        m_size += taken;
        text.remove_prefix(taken);
    }
}

bool OutputBuffer::flush() {
    writeHeld();
    if (m_ok) {
        m_out.flush();
        m_ok = static_cast<bool>(m_out);
    }
    return m_ok;
}

}  // namespace nv::runner
