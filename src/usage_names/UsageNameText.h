#pragma once

#include "support/HexDigits.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorlix {

// A name built in place, UTF-8, in a fixed buffer: a lookup that makes a name from a number
// ("Button 12", "Reserved usage 0x0042") returns one of these and never allocates. The
// longest name the tables can make fits with room to spare (checked where the tables are).
class UsageNameText
{
public:
    static constexpr std::size_t kCapacity = 128;

    constexpr UsageNameText() = default;
    constexpr explicit UsageNameText(std::string_view text) { Append(text); }

    // Appends as much of text as fits.
    constexpr UsageNameText& Append(std::string_view text)
    {
        const std::size_t count = std::min(text.size(), kCapacity - m_size);
        for (std::size_t i = 0; i < count; ++i) {
            m_text[m_size + i] = text[i];
        }
        m_size += count;
        return *this;
    }

    // Appends "0x" and four upper-case hexadecimal digits.
    constexpr UsageNameText& AppendHex4(std::uint16_t value)
    {
        const char digits[] = { '0',
                                'x',
                                UpperHexDigit(value >> 12),
                                UpperHexDigit(value >> 8),
                                UpperHexDigit(value >> 4),
                                UpperHexDigit(value) };
        return Append(std::string_view(digits, sizeof digits));
    }

    // Appends an unsigned number in decimal.
    constexpr UsageNameText& AppendDecimal(std::uint32_t value)
    {
        char digits[10];
        std::size_t count = 0;
        do {
            digits[sizeof digits - 1 - count] = static_cast<char>('0' + value % 10);
            value /= 10;
            ++count;
        } while (value != 0);
        return Append(std::string_view(digits + sizeof digits - count, count));
    }

    constexpr std::string_view View() const { return std::string_view(m_text, m_size); }
    constexpr operator std::string_view() const { return View(); }
    constexpr std::size_t Size() const { return m_size; }
    constexpr bool Empty() const { return m_size == 0; }

    friend constexpr bool operator==(const UsageNameText& a, std::string_view b)
    {
        return a.View() == b;
    }

private:
    char m_text[kCapacity]{};
    std::size_t m_size = 0;
};

} // namespace quorlix
