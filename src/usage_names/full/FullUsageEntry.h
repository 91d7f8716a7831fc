#pragma once

#include "usage_names/UsageKinds.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace quorlix::full_usages {

// One usage the tables list: its id, kinds and name (UTF-8, exactly as the tables give it).
struct FullUsageEntry
{
    std::uint16_t usageId;
    UsageKinds kinds;
    std::string_view name;
};

// One page the tables define. A page lists its usages, or, when prefix is not empty, names
// every usage from first to last as the prefix, a blank and the id in decimal (Button 3).
struct FullUsagePage
{
    std::uint16_t usagePage;
    std::string_view name;
    std::span<const FullUsageEntry> usages;
    std::string_view prefix = {};
    std::uint16_t first = 0;
    std::uint16_t last = 0;
    UsageKinds kinds = {};
};

// The tables write kinds by the usage tables' own abbreviations.
inline constexpr UsageKinds Sel{ static_cast<std::uint32_t>(UsageKind::Selector) };
inline constexpr UsageKinds OOC{ static_cast<std::uint32_t>(UsageKind::OnOffControl) };
inline constexpr UsageKinds MC{ static_cast<std::uint32_t>(UsageKind::MomentaryControl) };
inline constexpr UsageKinds OSC{ static_cast<std::uint32_t>(UsageKind::OneShotControl) };
inline constexpr UsageKinds RTC{ static_cast<std::uint32_t>(UsageKind::ReTriggerControl) };
inline constexpr UsageKinds LC{ static_cast<std::uint32_t>(UsageKind::LinearControl) };
inline constexpr UsageKinds DV{ static_cast<std::uint32_t>(UsageKind::DynamicValue) };
inline constexpr UsageKinds DF{ static_cast<std::uint32_t>(UsageKind::DynamicFlag) };
inline constexpr UsageKinds SV{ static_cast<std::uint32_t>(UsageKind::StaticValue) };
inline constexpr UsageKinds SF{ static_cast<std::uint32_t>(UsageKind::StaticFlag) };
inline constexpr UsageKinds NAry{ static_cast<std::uint32_t>(UsageKind::NamedArray) };
inline constexpr UsageKinds CA{ static_cast<std::uint32_t>(UsageKind::ApplicationCollection) };
inline constexpr UsageKinds CL{ static_cast<std::uint32_t>(UsageKind::LogicalCollection) };
inline constexpr UsageKinds CP{ static_cast<std::uint32_t>(UsageKind::PhysicalCollection) };
inline constexpr UsageKinds UM{ static_cast<std::uint32_t>(UsageKind::UsageModifier) };
inline constexpr UsageKinds US{ static_cast<std::uint32_t>(UsageKind::UsageSwitch) };
inline constexpr UsageKinds BufferedBytes{ static_cast<std::uint32_t>(UsageKind::BufferedBytes) };

// True when every usage id is greater than the one before it, so a table can be binary-searched.
constexpr bool IsStrictlyAscending(std::span<const FullUsageEntry> table)
{
    for (std::size_t i = 1; i < table.size(); ++i) {
        if (table[i].usageId <= table[i - 1].usageId) {
            return false;
        }
    }
    return true;
}

// The same for the pages' ids.
constexpr bool IsStrictlyAscending(std::span<const FullUsagePage> pages)
{
    for (std::size_t i = 1; i < pages.size(); ++i) {
        if (pages[i].usagePage <= pages[i - 1].usagePage) {
            return false;
        }
    }
    return true;
}

constexpr std::size_t CountListedUsages(std::span<const FullUsagePage> pages)
{
    std::size_t count = 0;
    for (const FullUsagePage& page : pages) {
        count += page.usages.size();
    }
    return count;
}

} // namespace quorlix::full_usages
