#pragma once

#include <cassert>
#include <optional>
#include <type_traits>
#include <utility>
#include <variant>

namespace quorlix {

// The error of an Expected, wrapped so that a value and an error of the same type stay apart:
// `return Unexpected(FixupError{ FixupErrorKind::SameBytes });`.
template <typename E>
struct Unexpected
{
    // A constructor rather than an aggregate, so that the error's type is deduced the same way
    // by every compiler the project builds with.
    explicit Unexpected(E value) : error(std::move(value)) {}

    E error;
};

// What an operation that can fail gives back: its value, or the layer's error with what the
// message needs. Each layer names its own error type and one function that words it; callers
// test the result before they read it, and a result nobody looks at is a compile warning.
template <typename T, typename E>
class [[nodiscard]] Expected
{
public:
    Expected(T value) : m_content(std::in_place_index<0>, std::move(value)) {}
    Expected(Unexpected<E> error) : m_content(std::in_place_index<1>, std::move(error.error)) {}

    bool HasValue() const { return m_content.index() == 0; }
    explicit operator bool() const { return HasValue(); }

    T& Value()
    {
        assert(HasValue() && "the value of a failed result");
        return *std::get_if<0>(&m_content);
    }
    const T& Value() const
    {
        assert(HasValue() && "the value of a failed result");
        return *std::get_if<0>(&m_content);
    }
    T& operator*() { return Value(); }
    const T& operator*() const { return Value(); }
    T* operator->() { return &Value(); }
    const T* operator->() const { return &Value(); }

    const E& Error() const
    {
        assert(!HasValue() && "the error of a result that has a value");
        return *std::get_if<1>(&m_content);
    }

private:
    std::variant<T, E> m_content;
};

// An operation that gives nothing but can fail.
template <typename E>
class [[nodiscard]] Expected<void, E>
{
public:
    Expected() = default;
    Expected(Unexpected<E> error) : m_error(std::move(error.error)) {}

    bool HasValue() const { return !m_error.has_value(); }
    explicit operator bool() const { return HasValue(); }

    const E& Error() const
    {
        assert(!HasValue() && "the error of a result that has a value");
        return *m_error;
    }

private:
    std::optional<E> m_error;
};

} // namespace quorlix
