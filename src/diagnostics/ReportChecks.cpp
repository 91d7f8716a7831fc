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
    ReportTally& tally = m_reports[ReportSlot(item.tag)][id.set ? (id.value & 0xFF) : 0];
    const std::uint64_t bits =
        static_cast<std::uint64_t>(Setting(kReportSize).value) * Setting(kReportCount).value;
    tally.bits = std::min<std::uint64_t>(tally.bits + bits, UINT64_MAX / 2);
    tally.lastOffset = item.offset;
    tally.lastLength = item.length;
    tally.used = true;
}

void DescriptorChecker::FinishReports()
{
    for (unsigned slot = 0; slot < 3; ++slot) {
        for (unsigned id = 0; id < 256; ++id) {
            const ReportTally& tally = m_reports[slot][id];
            const unsigned spare = static_cast<unsigned>(tally.bits % 8);
            if (!tally.used || spare == 0) {
                continue;
            }
            const unsigned tag = slot == 0 ? kInput : slot == 1 ? kOutput : kFeature;
            const unsigned padding = 8 - spare;
            const std::string mainBytes =
                ItemBytesText(static_cast<std::uint8_t>((tag << 4) | 1), 3, 1);
            Add(CheckId::ReportNotByteAligned, tally.lastOffset, tally.lastLength,
                std::string(ReportTypeWord(tag)) + " report " +
                    (id == 0 ? std::string("without an id") : DecimalText(id)) + " is " +
                    DecimalText(static_cast<std::int64_t>(tally.bits)) +
                    " bits long, not a whole number of bytes",
                "add " + DecimalText(padding) + " bit" + std::string(Plural(padding)) +
                    " of constant padding at its end, for example 75 " +
                    ItemBytesText(static_cast<std::uint8_t>(padding), 0, 0) + " 95 01 " +
                    mainBytes);
        }
    }
}

} // namespace quorlix::checks
