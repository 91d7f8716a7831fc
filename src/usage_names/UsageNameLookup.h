#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorlix {

// The name of a usage page: one of the first fourteen pages, or "Reserved or Other". Never empty.
std::u16string_view LookupUsagePageName(std::uint16_t usagePage);

// True for the pages with a name of their own; every other page shares "Reserved or Other".
bool HasOwnUsagePageName(std::uint16_t usagePage);

// The name of a usage on the given page, compared in all 32 bits, or nothing when the page has
// no table or the table has no entry for it.
std::optional<std::u16string_view> LookupUsageName(std::uint16_t usagePage, std::uint32_t usage);

} // namespace quorlix
