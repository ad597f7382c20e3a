// The runner's one writer to standard output: text is collected in a large
// buffer and handed to the stream one buffer-full at a time, so a long run
// costs a few writes, not one per line.
//
// A write that fails (a full disk, a closed pipe that does not stop the
// process) is remembered; later text is dropped and ok() stays false.
//
//     nv::runner::OutputBuffer buffer(std::cout);
//     buffer.append("Day\tDemand\n");
//     if (char *room = buffer.room(3)) { std::memcpy(room, "1\t2", 3); buffer.commit(3); }
//     if (!buffer.flush()) { /* "Cannot write the results" */ }
#pragma once

#include <cstddef>
#include <memory>
#include <ostream>
#include <string_view>

#include "support/copy_bytes.h"

namespace nv::runner {

class OutputBuffer {
public:
    static constexpr std::size_t kDefaultCapacity = std::size_t{1} << 16;

    explicit OutputBuffer(std::ostream &out, std::size_t capacity = kDefaultCapacity);
    OutputBuffer(const OutputBuffer &) = delete;
    OutputBuffer &operator=(const OutputBuffer &) = delete;
    ~OutputBuffer() = default;

    void append(std::string_view text) {
        if (text.size() > m_capacity - m_size) {
            appendLong(text);
            return;
        }
        copyBytes(m_data.get() + m_size, text.data(), text.size());
        m_size += text.size();
    }
    void append(char c) {
        if (m_size == m_capacity) {
            writeHeld();
        }
        m_data[m_size++] = c;
    }

    // Room for n more bytes (what is held is written out first when they do
    // not fit), for the caller to fill and then commit; nullptr when n is
    // more than the whole buffer.
    [[nodiscard]] char *room(std::size_t n) {
        if (n > m_capacity - m_size) {
            if (n > m_capacity) {
                return nullptr;
            }
            writeHeld();
        }
        return m_data.get() + m_size;
    }
    // The first n bytes of the room are text now.
    void commit(std::size_t n) noexcept { m_size += n; }

    // Writes what is held and flushes the stream; whether every write so
    // far has succeeded.
    [[nodiscard]] bool flush();
    [[nodiscard]] bool ok() const noexcept { return m_ok; }

private:
    void appendLong(std::string_view text);
    void writeHeld();

    std::ostream &m_out;
    std::size_t m_capacity;
    std::unique_ptr<char[]> m_data;
    std::size_t m_size = 0;
    bool m_ok = true;
};

}  // namespace nv::runner
