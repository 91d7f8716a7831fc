#include "reports/ReportText.h"

#include "reports/ReportTestSupport.h"
#include "support/TestDescriptors.h"

#include <gtest/gtest.h>

namespace quorlix {
namespace {

using test::HexBytes;
using test::RealDescriptor;

TEST(ReportText, DecodedReportsReadAsLinesAndAsOneLine)
{
    struct Case
    {
        const char* name;
        const char* descriptor;
        const char* report;
        const char* text;
        const char* line;
    };
    const Case cases[] = {
        { "mouse with id", "arduino-mouse", "01 05 FB 02 FF",
          "input report 1 (5 bytes)\n"
          "  Button 1: raw 1, logical 1\n"
          "  Button 2: raw 0, logical 0\n"
          "  Button 3: raw 1, logical 1\n"
          "  X: raw 251, logical -5\n"
          "  Y: raw 2, logical 2\n"
          "  Wheel: raw 255, logical -1\n",
          "input report 1 (5 bytes): Button 1=1, Button 2=0, Button 3=1, X=-5, Y=2, Wheel=-1" },
        { "keyboard with two keys", "hid-example-keyboard", "02 00 04 05 00 00 00 00",
          "input report (8 bytes)\n"
          "  Keyboard LeftControl: raw 0, logical 0\n"
          "  Keyboard LeftShift: raw 1, logical 1\n"
          "  Keyboard LeftAlt: raw 0, logical 0\n"
          "  Keyboard Left GUI: raw 0, logical 0\n"
          "  Keyboard RightControl: raw 0, logical 0\n"
          "  Keyboard RightShift: raw 0, logical 0\n"
          "  Keyboard RightAlt: raw 0, logical 0\n"
          "  Keyboard Right GUI: raw 0, logical 0\n"
          "  array: Keyboard A, Keyboard B\n",
          "input report (8 bytes): Keyboard LeftControl=0, Keyboard LeftShift=1, "
          "Keyboard LeftAlt=0, Keyboard Left GUI=0, Keyboard RightControl=0, "
          "Keyboard RightShift=0, Keyboard RightAlt=0, Keyboard Right GUI=0, "
          "array=Keyboard A, Keyboard B" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ReportModel model = BuildReportModel(RealDescriptor(c.descriptor));
        DecodedReport decoded;
        ASSERT_TRUE(DecodeReport(model, ReportType::Input, HexBytes(c.report), decoded));
        EXPECT_EQ(DecodedReportText(decoded), c.text);
        EXPECT_EQ(DecodedReportLine(decoded), c.line);
    }
}

TEST(ReportText, PhysicalValuesCarryTheirUnitAndNullSaysSo)
{
    const ReportModel model = BuildReportModel(RealDescriptor("stadia-usb"));
    DecodedReport decoded;
    ASSERT_TRUE(
        DecodeReport(model, ReportType::Input, HexBytes("03 02 00 00 80 80 80 80 00 00"), decoded));
    EXPECT_EQ(EntryText(decoded, decoded.entries[0]),
              "Hat Switch: raw 2, logical 2, physical 90 deg");
    EXPECT_EQ(DecodedReportLine(decoded).substr(0, 48),
              "input report 3 (10 bytes): Hat Switch=2 (90 deg)");

    ASSERT_TRUE(
        DecodeReport(model, ReportType::Input, HexBytes("03 0F 00 00 80 80 80 80 00 00"), decoded));
    EXPECT_EQ(EntryText(decoded, decoded.entries[0]), "Hat Switch: raw 15, logical null");

    EXPECT_EQ(PhysicalText(-0.05), "-0.05");
    EXPECT_EQ(PhysicalText(1e6), "1e+06");
    EXPECT_EQ(PhysicalText(1.0 / 3), "0.333333");
}

} // namespace
} // namespace quorlix
