// Checks of the Input, Output and Feature fields: their sizes and their ranges.

#include "diagnostics/DescriptorChecker.h"

#include "diagnostics/FindingTexts.h"

#include <string>
#include <utility>

namespace quorlix::checks {

void DescriptorChecker::OnDataItem(const DescriptorItem& item)
{
    m_anyReports = true;
    const std::string name(ReportTypeWord(item.tag));
    if (m_openApplications == 0) {
        Add(CheckId::MainOutsideCollection, item,
            name + " item with no Application collection open",
            "put it inside a Collection (Application), A1 01 ... C0, with a Usage before it");
    }
    const GlobalSetting& size = Setting(kReportSize);
    const GlobalSetting& count = Setting(kReportCount);
    // A constant field of no bits is harmless padding, so only data fields must not be empty.
    const bool constant = (item.value & 1) != 0;
    if (!size.set || (size.value == 0 && !constant)) {
        Add(CheckId::ReportSizeMissing, item,
            name + (size.set ? " item with Report Size 0" : " item with no Report Size in force"),
            "put a Report Size before it, for example 75 08 for 8-bit fields");
    }
    if (!count.set || (count.value == 0 && !constant)) {
        Add(CheckId::ReportCountMissing, item,
            name +
                (count.set ? " item with Report Count 0" : " item with no Report Count in force"),
            "put a Report Count before it, for example 95 01 for one field");
    }
    TallyReport(item);
    if (constant) {
        return;
    }
    CheckLogicalGiven(item);
    CheckFieldWidth(item);
    const std::int64_t logicalMaximum = CheckLogical(item);
    CheckPhysical();
    CheckFieldSize(item, logicalMaximum);
}

void DescriptorChecker::CheckLogicalGiven(const DescriptorItem& item)
{
    const bool minimum = Setting(kLogicalMinimum).set;
    const bool maximum = Setting(kLogicalMaximum).set;
    if (minimum && maximum) {
        return;
    }
    const char* missing = minimum   ? "no Logical Maximum"
                          : maximum ? "no Logical Minimum"
                                    : "neither Logical Minimum nor Logical Maximum";
    // Hosts hand a vendor-defined field over as bytes, and read a missing minimum as 0, which
    // is what a descriptor giving only the maximum means; both still break the HID rules, but
    // nothing reads them wrongly, so they are notes.
    const GlobalSetting& page = Setting(kUsagePage);
    bool vendorField = page.set;
    for (const UsageSpan& span : m_walker.Locals().usages) {
        vendorField = vendorField && (m_walker.Completed(span).first >> 16) >= 0xFF00;
    }
    vendorField = vendorField && page.value >= 0xFF00;
    const bool softened = vendorField || (maximum && !minimum);
    Add(CheckId::LogicalLimitsMissing, item,
        Join(ReportTypeWord(item.tag), " item with ", missing,
             " in force: a data field must say which values it sends",
             vendorField ? " (hosts pass this vendor-defined field on as bytes)"
             : softened  ? " (hosts take 0)"
                         : ""),
        minimum ? "put a Logical Maximum before it, for example 25 01 for a 1-bit field"
        : maximum
            ? "put a Logical Minimum before it, for example 15 00"
            : "put both before it, for example 15 00 25 01 for a 1-bit field or 15 00 26 FF 00 "
              "for a byte");
    if (softened && !m_findings.empty() &&
        m_findings.back().check == CheckId::LogicalLimitsMissing &&
        m_findings.back().offset == item.offset) {
        m_findings.back().severity = Severity::Note;
    }
}

void DescriptorChecker::CheckFieldWidth(const DescriptorItem& item)
{
    const GlobalSetting& size = Setting(kReportSize);
    if (size.value <= 32 || AlreadyBlamed(size.offset, kBlamedFieldWidth)) {
        return;
    }
    (void)item;
    Add(CheckId::FieldTooWide, size.offset, size.length,
        "Report Size " + DecimalText(size.value) +
            " for a data field: hosts hand values of at most 32 bits to applications",
        "split the value into fields of at most 32 bits, or send it as bytes (Report Size 8 "
        "with a Report Count)");
}

// Reports the logical limits in force, once per item that set them, and gives the maximum
// as the writer most likely meant it.
std::int64_t DescriptorChecker::CheckLogical(const DescriptorItem& item)
{
    (void)item;
    const GlobalSetting& minimum = Setting(kLogicalMinimum);
    const GlobalSetting& maximum = Setting(kLogicalMaximum);
    const std::int64_t minimumValue = Signed(minimum);
    const std::int64_t signedMaximum = Signed(maximum);
    const bool signSlip = minimumValue >= 0 && signedMaximum < 0;
    const std::int64_t meantMaximum =
        signSlip ? static_cast<std::int64_t>(maximum.value) : signedMaximum;
    if (signSlip && !AlreadyBlamed(maximum.offset, kBlamedLogicalSign)) {
        ReportSignSlip(CheckId::LogicalSign, "Logical", maximum);
    }
    if (minimumValue > meantMaximum) {
        const GlobalSetting& later = LaterSet(minimum, maximum);
        if (!AlreadyBlamed(later.offset, kBlamedLogicalRange)) {
            Add(CheckId::LogicalRange, later.offset, later.length,
                "Logical Minimum " + DecimalText(minimumValue) + " is above Logical Maximum " +
                    DecimalText(signedMaximum) + " (both read signed, as the HID rules read them)",
                "write a Logical Minimum at or below the Logical Maximum; values of 128 or "
                "more need a wider item, such as 26 FF 00 for 255");
        }
    }
    return meantMaximum;
}

void DescriptorChecker::ReportSignSlip(CheckId check, const char* kind,
                                       const GlobalSetting& maximum)
{
    const std::string item = std::string(kind) + " Maximum";
    const std::string raw = HexText(maximum.value);
    const std::string words(DataSizeWords(maximum.dataSize));
    const std::string asSigned = DecimalText(Signed(maximum));
    const std::string meant = DecimalText(maximum.value);
    std::string message = item + " " + raw + " in " + words + " reads as " + asSigned +
                          " by the HID rules, not " + meant;
    if (check == CheckId::LogicalSign) {
        message += " (Linux reads a Logical Maximum unsigned when the Logical Minimum is not "
                   "negative and takes " +
                   meant + "; Windows reads it signed and takes " + asSigned + ")";
    } else {
        message += " (hosts that read it unsigned take " + meant + ", the others " + asSigned + ")";
    }
    const std::string wider = ShortestItemText(
        kGlobal, check == CheckId::LogicalSign ? kLogicalMaximum : kPhysicalMaximum,
        static_cast<std::int64_t>(maximum.value), true);
    Add(check, maximum.offset, maximum.length, std::move(message),
        wider.empty() ? "no item holds " + meant +
                            " as a positive signed value: narrow the field or the range"
                      : "write " + wider + " for " + meant);
}

void DescriptorChecker::CheckPhysical()
{
    const GlobalSetting& minimum = Setting(kPhysicalMinimum);
    const GlobalSetting& maximum = Setting(kPhysicalMaximum);
    const std::int64_t minimumValue = Signed(minimum);
    const std::int64_t signedMaximum = Signed(maximum);
    const bool signSlip = minimumValue >= 0 && signedMaximum < 0;
    if (signSlip && !AlreadyBlamed(maximum.offset, kBlamedPhysicalSign)) {
        ReportSignSlip(CheckId::PhysicalSign, "Physical", maximum);
    }
    const std::int64_t meantMaximum =
        signSlip ? static_cast<std::int64_t>(maximum.value) : signedMaximum;
    // A Physical Maximum alone is common and every host pairs it with a minimum of 0; a
    // Physical Minimum alone pairs with a maximum of 0, which is never what was meant.
    if (minimum.set && !maximum.set) {
        if (minimumValue != 0 && !AlreadyBlamed(minimum.offset, kBlamedPhysicalRange)) {
            Add(CheckId::PhysicalRange, minimum.offset, minimum.length,
                "Physical Minimum " + DecimalText(minimumValue) +
                    " is given without a Physical Maximum, which then counts as 0",
                "give the Physical Maximum too (45 NN or 46 NN NN), or neither");
        }
        return;
    }
    if (minimumValue > meantMaximum) {
        const GlobalSetting& later = LaterSet(minimum, maximum);
        if (!AlreadyBlamed(later.offset, kBlamedPhysicalRange)) {
            Add(CheckId::PhysicalRange, later.offset, later.length,
                "Physical Minimum " + DecimalText(minimumValue) + " is above Physical Maximum " +
                    DecimalText(signedMaximum),
                "write a Physical Minimum at or below the Physical Maximum");
        }
    }
}

void DescriptorChecker::CheckFieldSize(const DescriptorItem& item, std::int64_t logicalMaximum)
{
    const std::uint32_t size = Setting(kReportSize).value;
    const std::int64_t minimum = Signed(Setting(kLogicalMinimum));
    if (size == 0 || size > 32 || minimum > logicalMaximum) {
        return;
    }
    std::int64_t low = 0;
    std::int64_t high = 0;
    if (minimum >= 0) {
        high = (std::int64_t{ 1 } << size) - 1;
    } else {
        low = -(std::int64_t{ 1 } << (size - 1));
        high = (std::int64_t{ 1 } << (size - 1)) - 1;
    }
    if (minimum >= low && logicalMaximum <= high) {
        return;
    }
    unsigned needed = 1;
    while (needed < 64) {
        const bool fits = minimum >= 0
                              ? logicalMaximum <= (std::int64_t{ 1 } << needed) - 1
                              : minimum >= -(std::int64_t{ 1 } << (needed - 1)) &&
                                    logicalMaximum <= (std::int64_t{ 1 } << (needed - 1)) - 1;
        if (fits) {
            break;
        }
        ++needed;
    }
    Add(CheckId::SizeTooSmall, item,
        "logical range " + DecimalText(minimum) + ".." + DecimalText(logicalMaximum) + " needs " +
            DecimalText(needed) + " bits" + (minimum < 0 ? " (signed)" : "") +
            " but Report Size is " + DecimalText(size),
        "write Report Size " + DecimalText(needed) + " (" +
            ShortestItemText(kGlobal, kReportSize, needed, false) +
            ") or narrow the logical range to what " + DecimalText(size) + " bit" +
            std::string(Plural(size)) + " hold");
}

} // namespace quorlix::checks
