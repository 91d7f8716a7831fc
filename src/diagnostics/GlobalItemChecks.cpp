// Checks of global items as they are read, and of Push and Pop.

#include "diagnostics/DescriptorChecker.h"

#include "diagnostics/FindingTexts.h"

#include <algorithm>
#include <string>

namespace quorlix::checks {

void DescriptorChecker::OnGlobalItem(const DescriptorItem& item)
{
    if (item.tag == kPush) {
        // Pushes with no global item between them save the same state, and share it, so
        // that a run of Pushes costs no more memory than its offsets.
        if (!m_globalsSaved) {
            m_savedStates.push_back(m_globals);
            m_globalsSaved = true;
        }
        m_pushed.push_back({ m_savedStates.size() - 1, item.offset });
        return;
    }
    if (item.tag == kPop) {
        OnPop(item);
        return;
    }
    if (item.tag >= kGlobalSettings) {
        ReportUnknownTag(item);
        return;
    }
    CheckGlobalValue(item);
    m_globalsSaved = false;
    GlobalSetting& setting = m_globals.settings[item.tag];
    CheckRedundant(item, setting);
    setting = { item.value, static_cast<std::uint32_t>(item.offset),
                static_cast<std::uint8_t>(item.dataSize),
                static_cast<std::uint8_t>(std::min<std::size_t>(item.length, 255)), true };
}

void DescriptorChecker::OnPop(const DescriptorItem& item)
{
    if (m_pushed.empty()) {
        Add(CheckId::PushPop, item, "Pop with nothing pushed",
            "remove this Pop (B4) or add the Push (A4) it should undo");
        return;
    }
    const std::size_t state = m_pushed.back().state;
    m_pushed.pop_back();
    m_globals = m_savedStates[state];
    // The Pushes sharing a state stand together on the stack, so the state is still saved
    // exactly when the Push below shares it.
    m_globalsSaved = !m_pushed.empty() && m_pushed.back().state == state;
    if (!m_globalsSaved) {
        m_savedStates.pop_back();
    }
}

void DescriptorChecker::CheckRedundant(const DescriptorItem& item, const GlobalSetting& setting)
{
    if (!setting.set) {
        return;
    }
    const bool same = IsSignedGlobal(item.tag)
                          ? SignedItemValue(item.value, item.dataSize) == Signed(setting)
                          : item.value == setting.value;
    if (!same) {
        return;
    }
    const std::int64_t value = IsSignedGlobal(item.tag) ? SignedItemValue(item.value, item.dataSize)
                                                        : static_cast<std::int64_t>(item.value);
    Add(CheckId::RedundantGlobal, item,
        Join(HidItemName(kGlobal, item.tag), " ", DecimalText(value), " is already in force"),
        Join("remove this item (", ItemBytesText(item.prefix, item.value, item.dataSize), ")"));
}

// Checks a global value on its own, as it is read.
void DescriptorChecker::CheckGlobalValue(const DescriptorItem& item)
{
    switch (item.tag) {
    case kUsagePage:
        OnUsagePage(item);
        break;
    case kUnitExponent:
        CheckUnitExponent(item);
        break;
    case kReportId:
        if (item.value == 0 || item.value > 255) {
            Add(CheckId::ReportIdZero, item,
                "Report ID " + DecimalText(item.value) +
                    (item.value == 0 ? " is reserved: it stands for a report without an id"
                                     : " does not fit the one byte a report id takes"),
                "use an id from 1 to 255, for example 85 01");
        }
        break;
    default:
        break;
    }
}

void DescriptorChecker::OnUsagePage(const DescriptorItem& item)
{
    if (item.value == 0) {
        Add(CheckId::UsagePageZero, item,
            "Usage Page 0 is undefined: no usage on it means anything to a host",
            "write the page the usages belong to, for example 05 01 for Generic Desktop or "
            "06 00 FF for a vendor-defined page");
    }
    const GlobalSetting& current = Setting(kUsagePage);
    if (m_local.shortUsage && current.set && current.value != item.value) {
        Add(CheckId::UsagePageAfterUsage, item,
            "Usage Page changes from " + HexText(current.value) + " to " + HexText(item.value) +
                " after Usages of the same main item; hosts disagree on which page those "
                "Usages take",
            "put the Usage Page before the Usages it is for, or write those Usages in four "
            "bytes with their page");
    }
}

void DescriptorChecker::CheckUnitExponent(const DescriptorItem& item)
{
    const std::int64_t value = SignedItemValue(item.value, item.dataSize);
    if (value >= -8 && value <= 7) {
        return;
    }
    if (item.dataSize == 1 && value >= 8 && value <= 15) {
        const std::int64_t nibble = value - 16;
        Add(CheckId::UnitExponentRange, item,
            "Unit Exponent " + HexText(item.value) + " is " + DecimalText(nibble) +
                " as a 4-bit exponent but " + DecimalText(value) +
                " as a signed number; hosts differ on which they take",
            "write " + ShortestItemText(kGlobal, kUnitExponent, nibble, true) + ", which is " +
                DecimalText(nibble) + " either way");
        return;
    }
    Add(CheckId::UnitExponentRange, item,
        "Unit Exponent " + DecimalText(value) +
            " is outside -8..7, the range a unit exponent "
            "has; hosts differ on what they make of it",
        "write the exponent as a signed byte in -8..7, for example 55 FE for -2");
}

} // namespace quorlix::checks
