#include "usage_names/FullUsageNames.h"

#include "usage_names/full/FullUsagePages.h"

#include <algorithm>
#include <span>
#include <string_view>

namespace quorlix {
namespace {

using full_usages::FullUsageEntry;
using full_usages::FullUsagePage;
using full_usages::FullUsagePages;

constexpr std::uint16_t kSensorsPage = 0x0020;
constexpr std::uint16_t kSensorModifierMask = 0xF000;
constexpr std::string_view kModifierPrefix = "Modifier: ";

// The longest name a lookup builds is a listed Sensors name with its modifier in parentheses.
static_assert(full_usages::kLongestListedUsageName + 2 + full_usages::kLongestSensorModifierName +
                      1 <=
                  UsageNameText::kCapacity,
              "every built usage name must fit its buffer");
static_assert(full_usages::kLongestPageName <= UsageNameText::kCapacity,
              "every page name must fit its buffer");

const FullUsagePage* FindPage(std::uint16_t usagePage)
{
    const auto found = std::lower_bound(
        std::begin(FullUsagePages), std::end(FullUsagePages), usagePage,
        [](const FullUsagePage& page, std::uint16_t id) { return page.usagePage < id; });
    if (found == std::end(FullUsagePages) || found->usagePage != usagePage) {
        return nullptr;
    }
    return found;
}

const FullUsageEntry* FindUsage(std::span<const FullUsageEntry> usages, std::uint16_t usageId)
{
    const auto found = std::lower_bound(
        usages.begin(), usages.end(), usageId,
        [](const FullUsageEntry& entry, std::uint16_t id) { return entry.usageId < id; });
    if (found == usages.end() || found->usageId != usageId) {
        return nullptr;
    }
    return &*found;
}

FullUsage Unnamed(std::uint16_t usagePage, std::uint16_t usageId)
{
    FullUsage usage;
    if (IsVendorDefinedPage(usagePage)) {
        usage.name.Append("Vendor usage ").AppendHex4(usageId);
        usage.origin = UsageNameOrigin::Vendor;
    } else {
        usage.name.Append("Reserved usage ").AppendHex4(usageId);
        usage.origin = UsageNameOrigin::Reserved;
    }
    return usage;
}

FullUsage Listed(const FullUsageEntry& entry)
{
    return { UsageNameText(entry.name), entry.kinds, UsageNameOrigin::Listed };
}

// A sensor value's minimum, maximum, accuracy and so on share the value's usage id in their low
// twelve bits; the top four bits choose the modifier, which the page lists as "Modifier: ...".
FullUsage SensorUsage(const FullUsagePage& page, std::uint16_t usageId)
{
    const FullUsageEntry* modifier = FindUsage(page.usages, usageId & kSensorModifierMask);
    const auto baseId = static_cast<std::uint16_t>(usageId & ~kSensorModifierMask);
    const FullUsageEntry* base = FindUsage(page.usages, baseId);
    FullUsage usage = base != nullptr ? Listed(*base) : Unnamed(page.usagePage, baseId);
    std::string_view modifierName = modifier != nullptr ? modifier->name : std::string_view{};
    if (modifierName.starts_with(kModifierPrefix)) {
        modifierName.remove_prefix(kModifierPrefix.size());
    }
    usage.name.Append(" (").Append(modifierName).Append(")");
    usage.origin = UsageNameOrigin::SensorModifier;
    return usage;
}

} // namespace

UsageNameText FullUsagePageName(std::uint16_t usagePage)
{
    if (const FullUsagePage* page = FindPage(usagePage)) {
        return UsageNameText(page->name);
    }
    UsageNameText name;
    name.Append(IsVendorDefinedPage(usagePage) ? "Vendor-defined page " : "Reserved page ")
        .AppendHex4(usagePage);
    return name;
}

bool IsDefinedUsagePage(std::uint16_t usagePage)
{
    return FindPage(usagePage) != nullptr;
}

FullUsage LookupFullUsage(std::uint16_t usagePage, std::uint16_t usageId)
{
    const FullUsagePage* page = FindPage(usagePage);
    if (page == nullptr) {
        return Unnamed(usagePage, usageId);
    }
    if (!page->prefix.empty()) {
        if (usageId < page->first || usageId > page->last) {
            return Unnamed(usagePage, usageId);
        }
        FullUsage usage;
        usage.name.Append(page->prefix).Append(" ").AppendDecimal(usageId);
        usage.kinds = page->kinds;
        usage.origin = UsageNameOrigin::Generated;
        return usage;
    }
    if (const FullUsageEntry* entry = FindUsage(page->usages, usageId)) {
        return Listed(*entry);
    }
    if (usagePage == kSensorsPage && (usageId & kSensorModifierMask) != 0) {
        return SensorUsage(*page, usageId);
    }
    return Unnamed(usagePage, usageId);
}

UsageNameText FullUsageName(std::uint16_t usagePage, std::uint16_t usageId)
{
    return LookupFullUsage(usagePage, usageId).name;
}

UsageKinds FullUsageKinds(std::uint16_t usagePage, std::uint16_t usageId)
{
    return LookupFullUsage(usagePage, usageId).kinds;
}

UsageNameText UsageKindsText(UsageKinds kinds)
{
    UsageNameText text;
    for (unsigned bit = 0; bit < kUsageKindCount; ++bit) {
        const auto kind = static_cast<UsageKind>(1u << bit);
        if (!kinds.Has(kind)) {
            continue;
        }
        if (!text.Empty()) {
            text.Append(",");
        }
        text.Append(UsageKindAbbreviation(kind));
    }
    return text;
}

} // namespace quorlix
