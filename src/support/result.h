// Result<T, E>: a value or an error, for the core's failure reports.
//
// The core never throws; an operation that can fail returns a Result (or a
// std::optional where there is only one way to fail).
//
//     Result<int, ConversionError> r = parseInt16("12");
//     if (r) use(*r); else report(r.error());
#pragma once

#include <utility>
#include <variant>

namespace nv {

template <class E>
struct Failure {
    E error;
};

template <class E>
Failure(E) -> Failure<E>;

template <class T, class E>
class [[nodiscard]] Result {
public:
    constexpr Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}  // NOLINT
    constexpr Result(Failure<E> failure)                                            // NOLINT
        : m_state(std::in_place_index<1>, std::move(failure.error)) {}

    [[nodiscard]] constexpr bool ok() const noexcept { return m_state.index() == 0; }
    constexpr explicit operator bool() const noexcept { return ok(); }

    // Precondition: ok().
    [[nodiscard]] constexpr const T &value() const & { return *std::get_if<0>(&m_state); }
    [[nodiscard]] constexpr T &value() & { return *std::get_if<0>(&m_state); }
    [[nodiscard]] constexpr T &&value() && { return std::move(*std::get_if<0>(&m_state)); }
    constexpr const T &operator*() const & { return value(); }
    constexpr const T *operator->() const { return &value(); }

    // Precondition: !ok().
    [[nodiscard]] constexpr const E &error() const { return *std::get_if<1>(&m_state); }

private:
    std::variant<T, E> m_state;
};

}  // namespace nv
