// Checks of each report as a whole, made once every field has been seen.

#include "diagnostics/DescriptorChecker.h"

#include "diagnostics/FindingTexts.h"

#include <algorithm>
#include <string>

namespace quorlix::checks {

void DescriptorChecker::TallyReport(const DescriptorItem& item)
{
    const GlobalSetting& id = Setting(kReportId);
    if (id.set) {
        m_anyReportWithId = true;
    } else if (!m_reportWithoutId) {
        m_reportWithoutId = true;
        m_withoutIdOffset = item.offset;
        m_withoutIdLength = item.length;
        m_withoutIdType = item.tag;
    }
    const unsigned reportId = id.set ? (id.value & 0xFF) : 0;
    ReportTally& tally = m_reports[ReportSlot(item.tag)][reportId];
    const std::string report =
        std::string(ReportTypeWord(item.tag)) + " report " +
        (reportId == 0 ? std::string("without an id") : DecimalText(reportId));
    // A report id names one report of the device: hosts join the fields of every top-level
    // collection that uses it into one report, which neither collection describes.
    const std::uint64_t collection = m_walker.TopLevelNumber();
    if (!tally.used) {
        tally.firstCollection = collection;
    } else if (reportId != 0 && collection != tally.firstCollection && !tally.sharedReported) {
        tally.sharedReported = true;
        Add(CheckId::ReportIdShared, item,
            report + " is also used by an earlier top-level collection; hosts read the two as "
                     "one report of both collections' fields",
            "give each top-level collection report ids of its own");
    }
    const bool wasSaturated = tally.bits.Saturated();
    tally.bits += CheckedSize(Setting(kReportSize).value) * Setting(kReportCount).value;
    if (tally.bits.Saturated() && !wasSaturated) {
        Add(CheckId::SizeOverflow, item,
            report + " grows past 2^64 bits here: no length of it can be counted",
            "lower the Report Size or the Report Count to the sizes the device sends");
    }
    tally.lastOffset = item.offset;
    tally.lastLength = item.length;
    tally.used = true;
}

void DescriptorChecker::FinishReports()
{
    for (unsigned slot = 0; slot < 3; ++slot) {
        for (unsigned id = 0; id < 256; ++id) {
            const ReportTally& tally = m_reports[slot][id];
            const unsigned spare = static_cast<unsigned>(tally.bits.Value() % 8);
            if (!tally.used || spare == 0 || tally.bits.Saturated()) {
                continue;
            }
            const unsigned tag = slot == 0 ? kInput : slot == 1 ? kOutput : kFeature;
            const unsigned padding = 8 - spare;
            const std::string mainBytes =
                ItemBytesText(static_cast<std::uint8_t>((tag << 4) | 1), 3, 1);
            Add(CheckId::ReportNotByteAligned, tally.lastOffset, tally.lastLength,
                std::string(ReportTypeWord(tag)) + " report " +
                    (id == 0 ? std::string("without an id") : DecimalText(id)) + " is " +
                    std::to_string(tally.bits.Value()) + " bits long, not a whole number of bytes",
                "add " + DecimalText(padding) + " bit" + std::string(Plural(padding)) +
                    " of constant padding at its end, for example 75 " +
                    ItemBytesText(static_cast<std::uint8_t>(padding), 0, 0) + " 95 01 " +
                    mainBytes);
        }
    }
}

} // namespace quorlix::checks
