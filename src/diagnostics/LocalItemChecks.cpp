// Checks of usages, usage ranges and Delimiter sets.

#include "diagnostics/DescriptorChecker.h"

#include "diagnostics/FindingTexts.h"

#include <string>

namespace quorlix::checks {

void DescriptorChecker::OnLocalItem(const DescriptorItem& item)
{
    const ItemEffect effect = m_walker.Step(item.decoded);
    switch (item.tag) {
    case kUsage:
    case kUsageMinimum:
    case kUsageMaximum:
        OnUsage(item);
        break;
    case kDelimiter:
        OnDelimiter(item, effect);
        break;
    default:
        if (HidItemName(kLocal, item.tag).empty()) {
            ReportUnknownTag(item);
        }
        break;
    }
}

void DescriptorChecker::OnUsage(const DescriptorItem& item)
{
    const bool extended = item.dataSize == 4;
    const GlobalSetting& page = Setting(kUsagePage);
    if (!extended && !page.set) {
        Add(CheckId::UsagePageMissing, item,
            Join(HidItemName(kLocal, item.tag), " ", HexText(item.value),
                 " comes before any Usage Page, so its page is undefined"),
            "put a Usage Page before it (05 01 for Generic Desktop, 05 0C for Consumer, "
            "...), or write the usage in four bytes with its page");
    }
}

void DescriptorChecker::OnDelimiter(const DescriptorItem& item, ItemEffect effect)
{
    switch (effect) {
    case ItemEffect::DelimiterOpenedInsideSet:
        Add(CheckId::DelimiterBalance, item,
            "Delimiter set opened inside another one; sets do not nest",
            "close the open set (A9 00) before opening this one");
        return;
    case ItemEffect::DelimiterClosedUnopened:
        Add(CheckId::DelimiterBalance, item, "Delimiter closes a set that was never opened",
            "remove this A9 00 or open the set with A9 01 before its usages");
        return;
    case ItemEffect::DelimiterOtherValue:
        Add(CheckId::DelimiterBalance, item,
            "Delimiter " + DecimalText(item.value) + " neither opens (1) nor closes (0) a set",
            "write A9 01 to open a set of alternative usages and A9 00 to close it");
        return;
    default:
        return;
    }
}

namespace {

// A Usage Minimum or Usage Maximum as the range checks read it: its id (the low half of a
// four-byte item), the item, and the page it names.
struct UsageBound
{
    bool set = false;
    std::uint32_t value = 0;
    std::size_t offset = 0;
    std::size_t length = 0;
    std::uint32_t page = 0;
    bool pageKnown = false;
};

UsageBound BoundOf(const WrittenValue& written, std::uint16_t page, bool pageKnown)
{
    const bool extended = written.dataSize == 4;
    return { written.set,    extended ? (written.value & 0xFFFF) : written.value,
             written.offset, written.length,
             page,           pageKnown };
}

} // namespace

void DescriptorChecker::CheckLocalsAtMain(const DescriptorItem& item)
{
    const ItemLocals& locals = m_walker.Locals();
    if (!locals.delimiterOpen && !locals.usageMinimum.set && !locals.usageMaximum.set) {
        return; // nothing below can be found without them
    }
    const std::string mainName = ItemWords(item);
    if (locals.delimiterOpen) {
        Add(CheckId::DelimiterBalance, locals.delimiterOffset, locals.delimiterLength,
            "Delimiter set still open at the " + mainName + " item",
            "close the set with A9 00 before the " + mainName + " item");
    }
    const UsageBound minimum =
        BoundOf(locals.usageMinimum, locals.minimumPage, locals.minimumPageKnown);
    const UsageBound maximum =
        BoundOf(locals.usageMaximum, locals.maximumPage, locals.maximumPageKnown);
    if (minimum.set != maximum.set) {
        const UsageBound& given = minimum.set ? minimum : maximum;
        const bool isMinimum = minimum.set;
        Add(CheckId::UsageRange, given.offset, given.length,
            std::string(isMinimum ? "Usage Minimum " : "Usage Maximum ") + HexText(given.value) +
                " has no " + (isMinimum ? "Usage Maximum" : "Usage Minimum") + " before the " +
                mainName + " item",
            std::string("add the ") +
                (isMinimum ? "Usage Maximum (29 NN)" : "Usage Minimum (19 NN)") +
                " that closes the range, or write a single Usage instead");
        return;
    }
    if (!minimum.set) {
        return;
    }
    if (minimum.pageKnown && maximum.pageKnown && minimum.page != maximum.page) {
        Add(CheckId::UsageRange, maximum.offset, maximum.length,
            "Usage Minimum on page " + HexText(minimum.page) + " and Usage Maximum on page " +
                HexText(maximum.page) + " span two pages",
            "a usage range stays on one page: write both ends on the same page");
        return;
    }
    if (minimum.value > maximum.value) {
        Add(CheckId::UsageRange, maximum.offset, maximum.length,
            "Usage Minimum " + HexText(minimum.value) + " is above Usage Maximum " +
                HexText(maximum.value),
            "swap the two values");
    }
}

} // namespace quorlix::checks
