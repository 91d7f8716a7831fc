// Checks of global items as they are read, and of Push and Pop.

#include "diagnostics/DescriptorChecker.h"

#include "diagnostics/FindingTexts.h"

#include <algorithm>
#include <string>

namespace quorlix::checks {

void DescriptorChecker::OnGlobalItem(const DescriptorItem& item)
{
    if (item.tag == kPush) {
        m_walker.Step(item.decoded);
        m_pushOffsets.push_back(item.offset);
        return;
    }
    if (item.tag == kPop) {
        OnPop(item);
        return;
    }
    if (item.tag >= kGlobalSettings) {
        m_walker.Step(item.decoded);
        ReportUnknownTag(item);
        return;
    }
    // The checks compare with the value in force before the item, and read the local items as
    // the walker leaves them after it.
    const GlobalSetting before = Setting(item.tag);
    m_walker.Step(item.decoded);
    CheckGlobalValue(item, before);
    CheckRedundant(item, before);
}

void DescriptorChecker::OnPop(const DescriptorItem& item)
{
    if (m_walker.Step(item.decoded) == ItemEffect::PopWithNothingSaved) {
        Add(CheckId::PushPop, item, "Pop with nothing pushed",
            "remove this Pop (B4) or add the Push (A4) it should undo");
        return;
    }
    m_pushOffsets.pop_back();
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
void DescriptorChecker::CheckGlobalValue(const DescriptorItem& item, const GlobalSetting& before)
{
    switch (item.tag) {
    case kUsagePage:
        OnUsagePage(item, before);
        break;
    case kUnitExponent:
        CheckUnitExponent(item);
        break;
    case kUnit:
        CheckUnitSystem(item);
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

void DescriptorChecker::OnUsagePage(const DescriptorItem& item, const GlobalSetting& current)
{
    if (item.value == 0) {
        Add(CheckId::UsagePageZero, item,
            "Usage Page 0 is undefined: no usage on it means anything to a host",
            "write the page the usages belong to, for example 05 01 for Generic Desktop or "
            "06 00 FF for a vendor-defined page");
    }
    if (m_walker.Locals().shortUsage && current.set && current.value != item.value) {
        Add(CheckId::UsagePageAfterUsage, item,
            "Usage Page changes from " + HexText(current.value) + " to " + HexText(item.value) +
                " after Usages of the same main item; hosts disagree on which page those "
                "Usages take",
            "put the Usage Page before the Usages it is for, or write those Usages in four "
            "bytes with their page");
    }
}

void DescriptorChecker::CheckUnitSystem(const DescriptorItem& item)
{
    // 0 is no unit, 1 to 4 the SI and English systems, 0xF vendor-defined; the rest are
    // reserved, and hosts then read the unit as none or as nonsense.
    const unsigned system = item.value & 0x0F;
    if (system <= 4 || system == 0x0F) {
        return;
    }
    Add(CheckId::UnitSystemReserved, item,
        Join("Unit ", HexText(item.value), " names unit system ", DecimalText(system),
             ", which HID reserves: hosts show no unit or a wrong one"),
        "write the system in the low nibble as 1 (SI linear), 2 (SI rotation), 3 (English "
        "linear), 4 (English rotation) or 0 for no unit, for example 65 11 for centimetres");
}

void DescriptorChecker::CheckUnitExponent(const DescriptorItem& item)
{
    const std::int64_t value = SignedItemValue(item.value, item.dataSize);
    if (value >= -8 && value <= 7) {
        return;
    }
    // One byte of 0x08 to 0x0F is the exponent's own four-bit form, -8 to -1: the form HID's
    // unit table and shipping touch screens use, and the one hosts read.
    if (item.dataSize == 1 && value >= 8 && value <= 15) {
        return;
    }
    Add(CheckId::UnitExponentRange, item,
        "Unit Exponent " + DecimalText(value) +
            " is outside -8..7, the range a unit exponent "
            "has; hosts differ on what they make of it",
        "write the exponent as a signed byte in -8..7, for example 55 FE for -2");
}

} // namespace quorlix::checks
