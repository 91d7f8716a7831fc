#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorlix {

// The C text of the bit helpers a header carries, their names starting with prefix and "_".
std::string BitHelpersText(std::string_view prefix);

// The helpers themselves, compiled from that same text: the bitSize (1 to 32) bits at
// bitOffset of a report, least significant first; the same read as a two's complement
// number; and a store of value's low bitSize bits that leaves the other bits as they are.
std::uint32_t HeaderReadBits(const std::uint8_t* report, std::uint32_t bitOffset,
                             std::uint32_t bitSize);
std::int32_t HeaderReadSignedBits(const std::uint8_t* report, std::uint32_t bitOffset,
                                  std::uint32_t bitSize);
void HeaderWriteBits(std::uint8_t* report, std::uint32_t bitOffset, std::uint32_t bitSize,
                     std::uint32_t value);

} // namespace quorlix
