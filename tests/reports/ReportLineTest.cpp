#include "reports/ReportLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorlix {
namespace {

TEST(ReadReportLine, HexAndRecorderEventsGiveBytes)
{
    struct Case
    {
        const char* name;
        std::string text;
        ReportLineKind kind;
        std::vector<std::uint8_t> bytes;
        bool isEvent;
    };
    const Case cases[] = {
        { "blank-separated pairs",
          "01 05 FB",
          ReportLineKind::Report,
          { 0x01, 0x05, 0xFB },
          false },
        { "one run of digits", "0105fb\r", ReportLineKind::Report, { 0x01, 0x05, 0xFB }, false },
        { "C-style with commas",
          "0x01, 0x05,0xFB",
          ReportLineKind::Report,
          { 0x01, 0x05, 0xFB },
          false },
        { "colons", "01:05:fb", ReportLineKind::Report, { 0x01, 0x05, 0xFB }, false },
        { "a recorder event",
          "E: 0.008012 3 00 05 fb",
          ReportLineKind::Report,
          { 0x00, 0x05, 0xFB },
          true },
        { "blank line", "   \t", ReportLineKind::Nothing, {}, false },
        { "comment", "# a mouse", ReportLineKind::Nothing, {}, false },
        { "the recorder's descriptor line", "R: 3 05 01 c0", ReportLineKind::Nothing, {}, false },
        { "the recorder's name line",
          "N: Logitech USB Optical Mouse",
          ReportLineKind::Nothing,
          {},
          false },
        { "odd digits", "01 5 FB", ReportLineKind::Invalid, {}, false },
        { "a letter", "01 0G", ReportLineKind::Invalid, {}, false },
        { "event count that does not match",
          "E: 0.1 4 00 05 fb",
          ReportLineKind::Invalid,
          {},
          true },
        { "event without count", "E: 0.1", ReportLineKind::Invalid, {}, true },
        { "line too long",
          std::string(kMaxReportLineLength + 2, '0'),
          ReportLineKind::Invalid,
          {},
          false },
    };
    ReportLine line;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReadReportLine(c.text, line);
        EXPECT_EQ(line.kind, c.kind);
        EXPECT_EQ(line.isEvent, c.isEvent);
        if (c.kind == ReportLineKind::Report) {
            EXPECT_EQ(line.bytes, c.bytes);
        }
        EXPECT_EQ(line.error.empty(), c.kind != ReportLineKind::Invalid);
    }
}

TEST(ReadReportLine, ErrorsSayWhatIsWrong)
{
    ReportLine line;
    ReadReportLine("E: 0.5 4 00 05 fb", line);
    EXPECT_EQ(line.error, "the event counts 4 bytes but holds 3");
    EXPECT_DOUBLE_EQ(line.seconds, 0.5);
    ReadReportLine("01 5 FB", line);
    EXPECT_EQ(line.error, "not a hex report: \"5\" has an odd number of digits");
    ReadReportLine("hello", line);
    EXPECT_EQ(line.error, "not a hex report: 'h' is no hex digit");
    // A byte of a multi-byte character is named by its value, never cut out of it.
    ReadReportLine("01 \xC3\xA9", line);
    EXPECT_EQ(line.error, "not a hex report: byte 0xC3 is no hex digit");
}

} // namespace
} // namespace quorlix
