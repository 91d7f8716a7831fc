// Checks of usages, usage ranges and Delimiter sets.

#include "diagnostics/DescriptorChecker.h"

#include "diagnostics/FindingTexts.h"

#include <string>

namespace quorlix::checks {

void DescriptorChecker::OnLocalItem(const DescriptorItem& item)
{
    switch (item.tag) {
    case kUsage:
    case kUsageMinimum:
    case kUsageMaximum:
        OnUsage(item);
        break;
    case kDelimiter:
        OnDelimiter(item);
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
    m_local.anyUsage = true;
    if (!extended) {
        m_local.shortUsage = true;
    }
    if (item.tag == kUsage) {
        return;
    }
    UsageBound bound;
    bound.set = true;
    bound.value = extended ? (item.value & 0xFFFF) : item.value;
    bound.dataSize = static_cast<std::uint8_t>(item.dataSize);
    bound.offset = item.offset;
    bound.length = item.length;
    bound.page = extended ? item.value >> 16 : page.value;
    bound.pageKnown = extended || page.set;
    (item.tag == kUsageMinimum ? m_local.minimum : m_local.maximum) = bound;
}

void DescriptorChecker::OnDelimiter(const DescriptorItem& item)
{
    if (item.value == 1) {
        if (m_local.delimiterOpen) {
            Add(CheckId::DelimiterBalance, item,
                "Delimiter set opened inside another one; sets do not nest",
                "close the open set (A9 00) before opening this one");
            return;
        }
        m_local.delimiterOpen = true;
        m_local.delimiterOffset = item.offset;
        m_local.delimiterLength = item.length;
        return;
    }
    if (item.value == 0) {
        if (!m_local.delimiterOpen) {
            Add(CheckId::DelimiterBalance, item, "Delimiter closes a set that was never opened",
                "remove this A9 00 or open the set with A9 01 before its usages");
        }
        m_local.delimiterOpen = false;
        return;
    }
    Add(CheckId::DelimiterBalance, item,
        "Delimiter " + DecimalText(item.value) + " neither opens (1) nor closes (0) a set",
        "write A9 01 to open a set of alternative usages and A9 00 to close it");
}

void DescriptorChecker::CheckLocalsAtMain(const DescriptorItem& item)
{
    if (!m_local.delimiterOpen && !m_local.minimum.set && !m_local.maximum.set) {
        return; // nothing below can be found without them
    }
    const std::string mainName = ItemWords(item);
    if (m_local.delimiterOpen) {
        Add(CheckId::DelimiterBalance, m_local.delimiterOffset, m_local.delimiterLength,
            "Delimiter set still open at the " + mainName + " item",
            "close the set with A9 00 before the " + mainName + " item");
    }
    const UsageBound& minimum = m_local.minimum;
    const UsageBound& maximum = m_local.maximum;
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
