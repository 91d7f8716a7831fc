#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace quorlix {

// One named usage of a page's pair table.
struct UsageNameEntry
{
    std::uint32_t usageId;
    std::u16string_view name;
};

// True when every id is greater than the one before it, so a table can be binary-searched.
constexpr bool IsStrictlyAscending(std::span<const UsageNameEntry> table)
{
    for (std::size_t i = 1; i < table.size(); ++i) {
        if (table[i].usageId <= table[i - 1].usageId) {
            return false;
        }
    }
    return true;
}

// True when entry i holds id firstId + i, so a table can be read by index.
constexpr bool IsRunFrom(std::span<const UsageNameEntry> table, std::uint32_t firstId)
{
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].usageId != firstId + i) {
            return false;
        }
    }
    return true;
}

} // namespace quorlix
