#include "UsageNameLookup.h"

#include "AlphanumericDisplayUsageNames.h"
#include "ButtonUsageNames.h"
#include "ConsumerUsageNames.h"
#include "DigitizerUsageNames.h"
#include "GameUsageNames.h"
#include "GenericDesktopUsageNames.h"
#include "GenericDeviceUsageNames.h"
#include "LedUsageNames.h"
#include "MedicalInstrumentUsageNames.h"
#include "SimulationUsageNames.h"
#include "TelephonyUsageNames.h"
#include "UsageNameEntry.h"
#include "UsagePageNames.h"

#include <algorithm>
#include <span>

namespace quorlix {

namespace {

constexpr std::uint16_t kGenericDesktopPage = 0x0001;

struct PageUsageNames
{
    std::uint16_t usagePage;
    std::span<const UsageNameEntry> names;
};

// The pages whose names are searched. Generic Desktop is read by index instead, and every page
// missing here has no usage names, whatever its page name says.
constexpr PageUsageNames kPageUsageNames[] = {
    { 0x0002, SimulationUsageNames },
    { 0x0005, GameUsageNames },
    { 0x0006, GenericDeviceUsageNames },
    { 0x0008, LedUsageNames },
    { 0x0009, ButtonUsageNames },
    { 0x000B, TelephonyUsageNames },
    { 0x000C, ConsumerUsageNames },
    { 0x000D, DigitizerUsageNames },
    { 0x0014, AlphanumericDisplayUsageNames },
    { 0x0040, MedicalInstrumentUsageNames },
};

// The name at usage - firstId, or nothing outside the table.
std::optional<std::u16string_view> NameByIndex(std::span<const UsageNameEntry> table,
                                               std::uint32_t usage)
{
    const std::uint32_t firstId = table.front().usageId;
    if (usage < firstId || usage - firstId >= table.size()) {
        return std::nullopt;
    }
    return table[usage - firstId].name;
}

std::optional<std::u16string_view> LookupGenericDesktopUsageName(std::uint32_t usage)
{
    if (const auto name = NameByIndex(GenericDesktopLowUsageNames, usage)) {
        return name;
    }
    if (usage >= kGenericDesktopReservedFirst && usage <= kGenericDesktopReservedLast) {
        return kGenericDesktopReservedName;
    }
    return NameByIndex(GenericDesktopHighUsageNames, usage);
}

// Binary search; the tables' ascending ids are checked where they are defined.
std::optional<std::u16string_view> SearchUsageName(std::span<const UsageNameEntry> table,
                                                   std::uint32_t usage)
{
    const auto found = std::lower_bound(
        table.begin(), table.end(), usage,
        [](const UsageNameEntry& entry, std::uint32_t id) { return entry.usageId < id; });
    if (found == table.end() || found->usageId != usage) {
        return std::nullopt;
    }
    return found->name;
}

} // namespace

std::u16string_view LookupUsagePageName(std::uint16_t usagePage)
{
    if (usagePage >= std::size(UsagePageNames)) {
        return kReservedOrOtherPageName;
    }
    return UsagePageNames[usagePage];
}

bool HasOwnUsagePageName(std::uint16_t usagePage)
{
    return usagePage < std::size(UsagePageNames);
}

std::optional<std::u16string_view> LookupUsageName(std::uint16_t usagePage, std::uint32_t usage)
{
    // The usage is compared in all 32 bits: an extended usage whose high half holds a page is
    // never split, so it finds no name.
    if (usagePage == kGenericDesktopPage) {
        return LookupGenericDesktopUsageName(usage);
    }
    for (const PageUsageNames& page : kPageUsageNames) {
        if (page.usagePage == usagePage) {
            return SearchUsageName(page.names, usage);
        }
    }
    return std::nullopt;
}

} // namespace quorlix
