#pragma once

#include "reports/DecodeReport.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorlix {

// The full name of a 32-bit usage (page in the high half): never empty, with vendor, reserved
// and numbered fallbacks ("Button 3").
std::string ReportUsageName(std::uint32_t usage);

// A physical value as text: up to six significant digits ("-0.05", "2.54", "1e+06").
std::string PhysicalText(double value);

// The report's heading: "input report 1 (4 bytes)", or "input report (3 bytes)" when reports of
// that type are not numbered.
std::string ReportHeading(const DecodedReport& decoded);

// One entry as a line's text without indent or line end: "X: raw 251, logical -5", with
// ", physical 2.54 cm" where the field gives physical limits or a unit, "logical null" for the
// null state, and "array: Keyboard a and A, Keyboard LeftShift" or "array: none".
std::string EntryText(const DecodedReport& decoded, const DecodedEntry& entry);

// A decoded report as lines ending in "\n": the heading, then each entry indented by two
// blanks.
std::string DecodedReportText(const DecodedReport& decoded);

// A decoded report on one line without its line end: "input report 1 (4 bytes): Button 1=1,
// X=-5, Hat Switch=null, array=none", physical values in parentheses after the logical ones.
std::string DecodedReportLine(const DecodedReport& decoded);

// Usage names and report headings already made, for a caller that writes many reports of the
// same fields: direct-mapped tables, so its memory is fixed.
class UsageNameCache
{
public:
    // The usage's full name, as ReportUsageName gives it.
    std::string_view Name(std::uint32_t usage);
    // The same after ", " and before "=": what a line writes before a Variable element's value.
    std::string_view Entry(std::uint32_t usage);
    // The report's heading, as ReportHeading gives it.
    std::string_view Heading(const DecodedReport& decoded);

private:
    static constexpr std::size_t kSlots = 1024;
    static constexpr std::size_t kHeadingSlots = 64;
    struct HeadingSlot
    {
        const Report* report = nullptr;
        ReportType type = ReportType::Input;
        std::uint8_t reportId = 0;
        std::uint64_t length = 0;
        std::string text;
    };
    std::array<std::uint32_t, kSlots> m_usages{};
    std::array<bool, kSlots> m_filled{};
    std::array<std::string, kSlots> m_entries; // ", NAME="
    std::array<HeadingSlot, kHeadingSlots> m_headings;
};

// The same line appended to out, whose storage a caller decoding many reports keeps; names
// come through cache when one is given.
void AppendDecodedReportLine(std::string& out, const DecodedReport& decoded,
                             UsageNameCache* cache = nullptr);

} // namespace quorlix
