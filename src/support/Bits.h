#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace quorlix {

// The low bits of value read as a two's complement number of that many bits: 0xFF in 8 bits is
// -1, 0x7F is 127. Bits past the width are ignored; a width of 0 gives 0, and 64 or more reads
// all of value.
constexpr std::int64_t SignExtend(std::uint64_t value, unsigned bits)
{
    if (bits == 0) {
        return 0;
    }
    if (bits >= 64) {
        return static_cast<std::int64_t>(value);
    }
    const std::uint64_t low = value & ((std::uint64_t{ 1 } << bits) - 1);
    const std::uint64_t signBit = std::uint64_t{ 1 } << (bits - 1);
    return static_cast<std::int64_t>(low ^ signBit) - static_cast<std::int64_t>(signBit);
}

// Writes value as four bytes, least significant first. Where the machine is little-endian too
// this is one plain store: a context holds one image per report field, hundreds of thousands of
// them at worst.
inline void PutLe32(std::uint8_t* out, std::uint32_t value)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, &value, sizeof value);
    } else {
        out[0] = static_cast<std::uint8_t>(value);
        out[1] = static_cast<std::uint8_t>(value >> 8);
        out[2] = static_cast<std::uint8_t>(value >> 16);
        out[3] = static_cast<std::uint8_t>(value >> 24);
    }
}

} // namespace quorlix
