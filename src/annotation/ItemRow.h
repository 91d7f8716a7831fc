#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quorlix {

// One descriptor item as the item list shows it.
struct ItemRow
{
    std::int32_t offset = 0;            // bytes from the descriptor's first byte
    std::uint8_t prefix = 0;            // size code in bits 0-1, type in 2-3, tag in 4-7
    std::array<std::uint8_t, 4> data{}; // the item's data bytes; those it lacks stay 0
    std::u16string name;                // item name with its value, kind or flags
    std::u16string description;         // running report position of Input, Output, Feature
};

} // namespace quorlix
