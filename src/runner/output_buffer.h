// The runner's one writer to standard output: text is collected in a large
// buffer and handed to the stream one buffer-full at a time, so a long run
// costs a few writes, not one per line.
//
// A write that fails (a full disk, a closed pipe that does not stop the
// process) is remembered; later text is dropped and ok() stays false.
//
//     nv::runner::OutputBuffer buffer(std::cout);
//     buffer.append("Day\tDemand\n");
//     if (!buffer.flush()) { /* "Cannot write the results" */ }
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <ostream>
#include <string_view>

namespace nv::runner {

class OutputBuffer {
public:
    static constexpr std::size_t kDefaultCapacity = std::size_t{1} << 18;

    explicit OutputBuffer(std::ostream &out, std::size_t capacity = kDefaultCapacity);
    OutputBuffer(const OutputBuffer &) = delete;
    OutputBuffer &operator=(const OutputBuffer &) = delete;
    ~OutputBuffer() = default;

    void append(std::string_view text) {
        if (text.size() > m_capacity - m_size) {
            appendLong(text);
            return;
        }
        std::memcpy(m_data.get() + m_size, text.data(), text.size());
        m_size += text.size();
    }
    void append(char c) {
        if (m_size == m_capacity) {
            writeHeld();
        }
        m_data[m_size++] = c;
    }

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
