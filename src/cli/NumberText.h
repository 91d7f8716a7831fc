#pragma once

#include <charconv>
#include <cstdint>
#include <string>

namespace quorlix {

// Number texts written straight into a string, without printf's format parsing: decode writes
// millions of them. append(pointer, length), not append(first, last): the pair of pointers goes
// through the string's general replace, several times the cost of the digits.

inline void AppendDecimal(std::string& out, std::uint64_t value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, static_cast<std::size_t>(result.ptr - buffer));
}

inline void AppendSignedDecimal(std::string& out, std::int64_t value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, static_cast<std::size_t>(result.ptr - buffer));
}

// Lower-case hexadecimal of at least digits digits.
inline void AppendHex(std::string& out, std::uint64_t value, int digits)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
    for (auto width = result.ptr - buffer; width < digits; ++width) {
        out.push_back('0');
    }
    out.append(buffer, static_cast<std::size_t>(result.ptr - buffer));
}

// Seconds with six decimals ("12.034567"), from nanoseconds; negative values keep their sign.
inline void AppendSeconds(std::string& out, std::int64_t nanoseconds)
{
    std::uint64_t magnitude = nanoseconds < 0 ? 0 - static_cast<std::uint64_t>(nanoseconds)
                                              : static_cast<std::uint64_t>(nanoseconds);
    if (nanoseconds < 0) {
        out.push_back('-');
    }
    const std::uint64_t microseconds = magnitude / 1000;
    AppendDecimal(out, microseconds / 1000000);
    out.push_back('.');
    char digits[6];
    std::uint64_t fraction = microseconds % 1000000;
    for (int i = 5; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    out.append(digits, sizeof digits);
}

} // namespace quorlix
