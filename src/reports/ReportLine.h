#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorlix {

enum class ReportLineKind : std::uint8_t
{
    Nothing, // blank, a comment, or a hid-recorder line that is no event
    Report,  // bytes to decode
    Invalid, // neither: error says why
};

// One line of report input, as read by ReadReportLine.
struct ReportLine
{
    ReportLineKind kind = ReportLineKind::Nothing;
    std::vector<std::uint8_t> bytes;
    bool isEvent = false; // a hid-recorder "E:" line
    double seconds = 0;   // its time stamp
    std::string error;    // lower-case, no final period
};

// The longest line taken as one report: far above the hex text of the longest report the
// decoder takes, so that a line of that length is an error, not a wait for memory.
inline constexpr std::size_t kMaxReportLineLength = 256 * 1024;

// Reads one line of report input into line (whose storage is reused): hex bytes written as
// pairs with blanks, commas or colons between them or none ("01 05 FB", "0105fb", "0x01,0x05"),
// or a hid-recorder event "E: <seconds> <count> <hex bytes>", whose count must match. "#"
// comments, blank lines and the recorder's other lines ("R:", "N:", "P:", "I:", "D:") are
// Nothing.
void ReadReportLine(std::string_view text, ReportLine& line);

} // namespace quorlix
