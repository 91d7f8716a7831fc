#pragma once

#include <cstdint>

namespace quorlix {

inline constexpr char kUpperHexDigits[] = "0123456789ABCDEF";
inline constexpr char kLowerHexDigits[] = "0123456789abcdef";

// The upper-case digit of a nibble; only the low four bits count.
constexpr char UpperHexDigit(unsigned nibble)
{
    return kUpperHexDigits[nibble & 0x0Fu];
}

// The lower-case digit of a nibble; only the low four bits count.
constexpr char LowerHexDigit(unsigned nibble)
{
    return kLowerHexDigits[nibble & 0x0Fu];
}

// The value of a hex digit in either case, or -1 for any other character.
constexpr int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace quorlix
