#include "diff/DescriptorDiff.h"
#include "diff/DiffText.h"

#include "support/TestDescriptors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace quorlix {
namespace {

using test::HexBytes;

// The three-button mouse, one item per line.
constexpr const char* kMouse = R"(
    05 01        // Usage Page (Generic Desktop)
    09 02        // Usage (Mouse)
    A1 01        // Collection (Application)
    09 01        //   Usage (Pointer)
    A1 00        //   Collection (Physical)
    05 09        //     Usage Page (Button)
    19 01 29 03  //     Usage Minimum (1), Usage Maximum (3)
    15 00 25 01  //     Logical 0 to 1
    95 03 75 01  //     3 x 1 bit
    81 02        //     Input (Data, Variable, Absolute)
    95 01 75 05  //     1 x 5 bits
    81 03        //     Input (Constant): padding
    05 01        //     Usage Page (Generic Desktop)
    09 30 09 31  //     Usage (X), Usage (Y)
    15 81 25 7F  //     Logical -127 to 127
    75 08 95 02  //     2 x 8 bits
    81 06        //     Input (Data, Variable, Relative)
    C0           //   End Collection
    C0           // End Collection
)";

DescriptorDiff Diff(const std::string& oldHex, const std::string& newHex)
{
    const std::vector<std::uint8_t> oldBytes = HexBytes(oldHex);
    const std::vector<std::uint8_t> newBytes = HexBytes(newHex);
    return DiffDescriptors(oldBytes, newBytes);
}

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(DiffDescriptors, SameBytesAreEquivalentWithoutHunks)
{
    const DescriptorDiff diff = Diff(kMouse, kMouse);
    EXPECT_EQ(diff.verdict, DiffVerdict::Equivalent);
    EXPECT_TRUE(diff.changes.empty());
    EXPECT_TRUE(diff.hunks.empty());
    EXPECT_EQ(diff.reason, "the same bytes");
}

TEST(DiffDescriptors, OtherBytesOfTheSameMeaningAreEquivalent)
{
    struct Case
    {
        const char* name;
        const char* from;
        const char* to;
    };
    const Case cases[] = {
        { "globals reordered in their scope", "15 00 25 01  //", "25 01 15 00  //" },
        { "usage page after the usages it names",
          "05 09        //     Usage Page (Button)\n"
          "    19 01 29 03",
          "19 01 29 03 05 09" },
        { "a value in a longer form", "25 01  //", "26 01 00  //" },
        { "a four-byte value", "75 08 95 02", "77 08 00 00 00 95 02" },
        { "a redundant global repeated", "95 01 75 05", "95 01 75 05 75 05" },
        { "buttons as three items of one each",
          "19 01 29 03  //     Usage Minimum (1), Usage "
          "Maximum (3)\n    15 00 25 01  //     Logical "
          "0 to 1\n    95 03 75 01  //     3 x 1 bit\n    "
          "81 02",
          "15 00 25 01 95 01 75 01 09 01 81 02 09 02 81 02 09 03 81 02" },
        { "padding as two constant items", "95 01 75 05  //     1 x 5 bits\n    81 03",
          "95 01 75 02 81 03 75 03 81 01" },
        { "usages as one range", "09 30 09 31", "19 30 29 31" },
        { "Push and Pop around a change", "05 01        //     Usage Page (Generic Desktop)",
          "A4 05 08 B4 05 01" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DescriptorDiff diff = Diff(kMouse, Replace(kMouse, c.from, c.to));
        EXPECT_EQ(diff.verdict, DiffVerdict::Equivalent) << diff.reason;
        EXPECT_TRUE(diff.changes.empty());
        EXPECT_FALSE(diff.hunks.empty());
    }
}

TEST(DiffDescriptors, NamesEachChangeWithItsValuesAndItems)
{
    struct Case
    {
        const char* name;
        const char* from;
        const char* to;
        DiffChangeKind kind;
        bool compatible;
        const char* subject;
        const char* oldValue;
        const char* newValue;
    };
    const Case cases[] = {
        { "logical range", "15 81 25 7F", "15 80 25 7F", DiffChangeKind::LogicalRangeChanged, false,
          "X (Generic Desktop)", "-127 to 127", "-128 to 127" },
        { "data to constant", "81 02        //     Input (Data, Variable, Absolute)", "81 03",
          DiffChangeKind::FlagsChanged, false, "Button 1 (Button)", "data", "constant" },
        { "relative to absolute", "81 06", "81 02", DiffChangeKind::FlagsChanged, false,
          "X (Generic Desktop)", "relative", "absolute" },
        { "null state", "81 06", "81 46", DiffChangeKind::FlagsChanged, false,
          "X (Generic Desktop)", "no null position", "null state" },
        { "a field moved by wider padding", "95 01 75 05", "95 01 75 0D",
          DiffChangeKind::FieldMoved, false, "X (Generic Desktop)", "bit 8", "bit 16" },
        { "a field resized", "75 08 95 02", "75 10 95 02", DiffChangeKind::FieldResized, false,
          "X (Generic Desktop)", "2 x 8 bits", "2 x 16 bits" },
        { "usages changed in place", "09 30 09 31", "09 32 09 33", DiffChangeKind::UsagesChanged,
          false, "X (Generic Desktop)", "X to Y", "Z to Rx" },
        { "physical range", "15 81 25 7F", "15 81 25 7F 35 00 45 0A",
          DiffChangeKind::PhysicalRangeChanged, false, "X (Generic Desktop)", "-127 to 127",
          "0 to 10" },
        { "unit", "15 81 25 7F", "15 81 25 7F 65 11", DiffChangeKind::UnitChanged, false,
          "X (Generic Desktop)", "none", "cm" },
        { "a button added where padding was",
          "29 03  //     Usage Minimum (1), Usage Maximum (3)\n"
          "    15 00 25 01  //     Logical 0 to 1\n"
          "    95 03 75 01  //     3 x 1 bit\n"
          "    81 02        //     Input (Data, Variable, Absolute)\n"
          "    95 01 75 05",
          "29 04 15 00 25 01 95 04 75 01 81 02 95 01 75 04", DiffChangeKind::FieldResized, true,
          "Button 1 (Button)", "3 x 1 bit", "4 x 1 bit" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DescriptorDiff diff = Diff(kMouse, Replace(kMouse, c.from, c.to));
        const auto found =
            std::find_if(diff.changes.begin(), diff.changes.end(),
                         [&](const DiffChange& change) { return change.kind == c.kind; });
        ASSERT_NE(found, diff.changes.end()) << diff.reason;
        EXPECT_EQ(found->compatible, c.compatible);
        EXPECT_EQ(found->subject, c.subject);
        EXPECT_EQ(found->oldValue, c.oldValue);
        EXPECT_EQ(found->newValue, c.newValue);
        EXPECT_EQ(found->type, ReportType::Input);
        EXPECT_GT(found->oldItem.length, 0u);
        EXPECT_GT(found->newItem.length, 0u);
        EXPECT_EQ(diff.verdict, c.compatible ? DiffVerdict::Compatible : DiffVerdict::Incompatible);
    }
}

TEST(DiffDescriptors, ANewReportAndCollectionAreOnlyAdditions)
{
    const std::string feature =
        std::string(kMouse) + "06 00 FF 09 01 A1 01 85 05 09 02 75 08 95 01 B1 02 C0";
    const DescriptorDiff diff = Diff(kMouse, feature);
    EXPECT_EQ(diff.verdict, DiffVerdict::Compatible);
    ASSERT_EQ(diff.changes.size(), 2u);
    EXPECT_EQ(diff.changes[0].kind, DiffChangeKind::ReportAdded);
    EXPECT_EQ(DiffReportName(diff.changes[0]), "feature report 5");
    EXPECT_EQ(diff.changes[0].newValue, "2 bytes");
    EXPECT_EQ(diff.changes[0].newItem.offset, 65u); // the Feature item
    EXPECT_EQ(diff.changes[1].kind, DiffChangeKind::CollectionAdded);
    EXPECT_EQ(diff.changes[1].subject, "Application collection Vendor usage 0x0001 "
                                       "(Vendor-defined page 0xFF00)");

    // The other way round the same report and collection are gone: old readers lose them.
    const DescriptorDiff back = Diff(feature, kMouse);
    EXPECT_EQ(back.verdict, DiffVerdict::Incompatible);
    EXPECT_EQ(back.changes[0].kind, DiffChangeKind::ReportRemoved);
    EXPECT_EQ(back.reason, "feature report 5: report removed");
}

TEST(DiffDescriptors, CollectionsAreMatchedWithinTheirParents)
{
    // The Physical collection and its usage taken away: the fields stay, the collection is gone.
    const std::string flat =
        Replace(Replace(kMouse, "09 01        //   Usage (Pointer)\n    A1 00", ""),
                "C0           //   End Collection", "");
    const DescriptorDiff diff = Diff(kMouse, flat);
    ASSERT_EQ(diff.changes.size(), 1u);
    EXPECT_EQ(diff.changes[0].kind, DiffChangeKind::CollectionRemoved);
    EXPECT_FALSE(diff.changes[0].aboutReport);
    EXPECT_EQ(diff.changes[0].subject, "Physical collection Pointer (Generic Desktop)");
    EXPECT_EQ(diff.changes[0].oldItem.offset, 8u);
    EXPECT_EQ(diff.changes[0].oldValue, "depth 2");
    EXPECT_EQ(diff.verdict, DiffVerdict::Incompatible);
}

TEST(DiffDescriptors, ReportIdsKeyTheReports)
{
    // Numbering the mouse's report makes it another report to a reader.
    const DescriptorDiff diff = Diff(kMouse, Replace(kMouse, "09 01", "85 01 09 01"));
    ASSERT_EQ(diff.changes.size(), 2u);
    EXPECT_EQ(diff.changes[0].kind, DiffChangeKind::ReportRemoved);
    EXPECT_EQ(DiffReportName(diff.changes[0]), "input report");
    EXPECT_EQ(diff.changes[1].kind, DiffChangeKind::ReportAdded);
    EXPECT_EQ(DiffReportName(diff.changes[1]), "input report 1");
    EXPECT_EQ(diff.changes[1].newValue, "4 bytes");
}

TEST(DiffDescriptors, OddInputOnEitherSideIsCompared)
{
    const char* odd[] = { "", "C0", "26 FF", "FE 02 10 AA BB", "05 01 A1 01 A1 01", "81 02" };
    for (const char* a : odd) {
        for (const char* b : odd) {
            SCOPED_TRACE(std::string(a) + " | " + b);
            const DescriptorDiff diff = Diff(a, b);
            EXPECT_EQ(diff.hunks.empty(), std::string(a) == b);
            std::ostringstream out;
            const std::vector<std::uint8_t> oldBytes = HexBytes(a);
            const std::vector<std::uint8_t> newBytes = HexBytes(b);
            WriteDiffText(out, diff, oldBytes, newBytes, "a", "b");
            EXPECT_NE(out.str().find(std::string(DiffVerdictName(diff.verdict)) + ": "),
                      std::string::npos);
        }
    }
}

TEST(WriteDiffText, ShowsChangedItemsWithOffsetsThenMeaningThenVerdict)
{
    const std::vector<std::uint8_t> oldBytes = HexBytes(kMouse);
    const std::vector<std::uint8_t> newBytes = HexBytes(Replace(kMouse, "25 7F", "25 3F"));
    const DescriptorDiff diff = DiffDescriptors(oldBytes, newBytes);
    std::ostringstream out;
    WriteDiffText(out, diff, oldBytes, newBytes, "old.txt", "new.txt");
    EXPECT_EQ(out.str(),
              "--- old.txt\n"
              "+++ new.txt\n"
              "@@ -40,2 +40,2 @@\n"
              "    36  09 31            LOCAL_USAGE(Y)\n"
              "    38  15 81            GLOBAL_LOGICAL_MINIMUM(-127)\n"
              "-   40  25 7F            GLOBAL_LOCAL_MAXIMUM(127)\n"
              "+   40  25 3F            GLOBAL_LOCAL_MAXIMUM(63)\n"
              "    42  75 08            GLOBAL_REPORT_SIZE(8)\n"
              "    44  95 02            GLOBAL_REPORT_COUNT(2)\n"
              "changes in meaning:\n"
              "  ! input report: X (Generic Desktop) logical range changed: -127 to 127 -> -127 "
              "to 63 [old item at 46, new item at 46]\n"
              "incompatible: input report: X (Generic Desktop) logical range changed: -127 to "
              "127 -> -127 to 63\n");
}

} // namespace
} // namespace quorlix
