#pragma once

#include <cstdint>
#include <limits>

namespace quorlix {

// A size, count, offset or length in 64 bits that saturates instead of wrapping and remembers
// that it did. Every product and sum of report sizes, counts and offsets goes through it, so a
// hostile Report Count gives the largest value and a flag, never a small wrong number.
class CheckedSize
{
public:
    static constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();

    constexpr CheckedSize() = default;
    constexpr CheckedSize(std::uint64_t value) : m_value(value) {} // NOLINT: a plain value

    constexpr std::uint64_t Value() const { return m_value; }
    constexpr bool Saturated() const { return m_saturated; }

    constexpr CheckedSize& operator+=(CheckedSize other)
    {
        m_saturated = m_saturated || other.m_saturated;
        if (m_value > kMax - other.m_value) {
            return Saturate();
        }
        m_value += other.m_value;
        return *this;
    }

    constexpr CheckedSize& operator*=(CheckedSize other)
    {
        m_saturated = m_saturated || other.m_saturated;
        if (other.m_value != 0 && m_value > kMax / other.m_value) {
            return Saturate();
        }
        m_value *= other.m_value;
        return *this;
    }

    friend constexpr CheckedSize operator+(CheckedSize a, CheckedSize b) { return a += b; }
    friend constexpr CheckedSize operator*(CheckedSize a, CheckedSize b) { return a *= b; }

    // Whole bytes that hold this many bits: a 12-bit report takes 2 bytes.
    constexpr CheckedSize BitsToBytes() const
    {
        CheckedSize bytes(m_value / 8 + (m_value % 8 != 0 ? 1 : 0));
        bytes.m_saturated = m_saturated;
        return bytes;
    }

    // The value in a narrower unsigned type, held at that type's largest value (and flagged)
    // when it does not fit; saturated stays set once a narrowing or an operation overflowed.
    template <typename T>
    constexpr T Narrow(bool& saturated) const
    {
        if (m_saturated || m_value > std::numeric_limits<T>::max()) {
            saturated = true;
        }
        return m_value > std::numeric_limits<T>::max() ? std::numeric_limits<T>::max()
                                                       : static_cast<T>(m_value);
    }

private:
    constexpr CheckedSize& Saturate()
    {
        m_value = kMax;
        m_saturated = true;
        return *this;
    }

    std::uint64_t m_value = 0;
    bool m_saturated = false;
};

} // namespace quorlix
