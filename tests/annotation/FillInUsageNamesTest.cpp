#include "annotation/FillInUsageNames.h"

#include "annotation/RowUsageTracker.h"
#include "parser/ParseItems.h"
#include "support/TestDescriptors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorlix {
namespace {

using test::HexBytes;
using test::TestCallbacks;

// The rows of a descriptor, walked by the real item loop, then filled in with full names.
std::vector<ItemRow> FilledRows(std::string_view hex)
{
    TestCallbacks callbacks;
    std::vector<ItemRow> rows;
    ParserState* state = nullptr;
    const std::vector<std::uint8_t> bytes = HexBytes(hex);
    EXPECT_EQ(ParseItems(callbacks.Get(), bytes.data(), bytes.size(), rows, &state),
              ParseResult::Ok);
    ReleaseParserState(callbacks.Get(), state);
    FillInUsageNames(rows);
    return rows;
}

TEST(FillInUsageNames, FillsOnlyWhereTheClassicTablesHaveNoName)
{
    struct Case
    {
        const char* name;
        const char* hex;
        std::u16string lastRow;
    };
    const Case cases[] = {
        // Classic names stay, spelling, tabs and blanks included.
        { "classic page", "05 01", u"GLOBAL_USAGE_PAGE(Generic Desktop Controls)" },
        { "classic usage", "05 01 09 05", u"LOCAL_USAGE(Game Pad)" },
        { "classic usage with tabs", "05 0D 09 20", u"LOCAL_USAGE(\tStylus \t)" },
        { "classic reserved range", "05 01 09 0A", u"LOCAL_USAGE(Reserved)" },
        { "classic Button name", "05 09 09 01", u"LOCAL_USAGE(\tButton 1 (primary/trigger))" },
        // The rest comes from the full tables.
        { "page past the classic fourteen", "05 20", u"GLOBAL_USAGE_PAGE(Sensors)" },
        { "page named but usages not", "05 07 09 04", u"LOCAL_USAGE(Keyboard A)" },
        { "usage past the classic table", "05 01 09 80", u"LOCAL_USAGE(System Control)" },
        { "generated Button name", "05 09 09 08", u"LOCAL_USAGE(Button 8)" },
        { "vendor page", "06 00 FF", u"GLOBAL_USAGE_PAGE(Vendor-defined page 0xFF00)" },
        { "vendor usage", "06 00 FF 09 01", u"LOCAL_USAGE(Vendor usage 0x0001)" },
        { "reserved page", "05 10", u"GLOBAL_USAGE_PAGE(Reserved page 0x0010)" },
        { "reserved usage", "05 84 09 06", u"LOCAL_USAGE(Reserved usage 0x0006)" },
        { "usage before any page", "09 01", u"LOCAL_USAGE(Reserved usage 0x0001)" },
        { "sensor modifier", "05 20 0A 53 24",
          u"LOCAL_USAGE(Data Field: Acceleration Axis X (Maximum))" },
        { "non-ASCII name", "05 82 09 56", u"LOCAL_USAGE(Horizontal Moir\u00E9)" },
        // A four-byte usage is named on the page in its high half.
        { "extended usage", "05 01 0B E9 00 0C 00", u"LOCAL_USAGE(Volume Increment)" },
        { "extended usage with page 0", "05 84 0B 04 00 00 00",
          u"LOCAL_USAGE(Reserved usage 0x0004)" },
        // Pop brings back the page saved by Push; a Pop with nothing saved changes nothing.
        { "pop restores the page", "05 20 A4 05 84 B4 09 01", u"LOCAL_USAGE(Sensor)" },
        { "pop without push", "05 84 B4 09 04", u"LOCAL_USAGE(UPS)" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FilledRows(c.hex).back().name, c.lastRow);
    }
}

TEST(FillInUsageNames, LeavesEveryOtherRowAsItWas)
{
    const std::vector<ItemRow> rows = FilledRows("05 84 19 01 29 03 A1 01 B1 02 C0");
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[1].name, u"LOCAL_USAGE_MINIMUM(1)");
    EXPECT_EQ(rows[2].name, u"LOCAL_USAGE_MAXIMUM(3)");
    EXPECT_EQ(rows[3].name, u"MAIN_COLLECTION(Applicatior)");
    EXPECT_EQ(rows[4].description, u"Feature 0.0");
    EXPECT_EQ(rows[5].name, u"MAIN_COLLECTION_END");
}

TEST(RowUsageTracker, TellsWhatEachRowNamesWithThePageInForce)
{
    TestCallbacks callbacks;
    std::vector<ItemRow> rows;
    ParserState* state = nullptr;
    const std::vector<std::uint8_t> bytes = HexBytes("05 85     // Battery System\n"
                                                     "A4        // Push\n"
                                                     "06 00 FF  // vendor page\n"
                                                     "1A 34 12  // Usage Minimum 0x1234\n"
                                                     "B4        // Pop\n"
                                                     "2B 02 00 84 00  // Usage Maximum, page 0x84\n"
                                                     "75 08     // Report Size");
    ASSERT_EQ(ParseItems(callbacks.Get(), bytes.data(), bytes.size(), rows, &state),
              ParseResult::Ok);
    ReleaseParserState(callbacks.Get(), state);

    struct Expected
    {
        RowUsageKind kind;
        std::uint16_t usagePage;
        std::uint16_t usageId;
    };
    const Expected expected[] = {
        { RowUsageKind::Page, 0x0085, 0 }, { RowUsageKind::None, 0, 0 },
        { RowUsageKind::Page, 0xFF00, 0 }, { RowUsageKind::UsageMinimum, 0xFF00, 0x1234 },
        { RowUsageKind::None, 0, 0 },      { RowUsageKind::UsageMaximum, 0x0084, 0x0002 },
        { RowUsageKind::None, 0, 0 },
    };
    ASSERT_EQ(rows.size(), std::size(expected));
    RowUsageTracker tracker;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        const RowUsage named = tracker.Next(rows[i]);
        EXPECT_EQ(named.kind, expected[i].kind);
        if (named.kind != RowUsageKind::None) {
            EXPECT_EQ(named.usage.usagePage, expected[i].usagePage);
            EXPECT_EQ(named.usage.usageId, expected[i].usageId);
        }
    }
    EXPECT_EQ(tracker.CurrentPage(), 0x0085);
}

TEST(AppendUtf8, WidensEveryLengthOfSequenceAndMarksBrokenBytes)
{
    std::u16string text = u">";
    AppendUtf8(text, "a\xC3\xA9\xE8\x87\xAA\xF0\x9F\x98\x80");
    EXPECT_EQ(text, u">a\u00E9\u81EA\U0001F600");
    text.clear();
    AppendUtf8(text, "\xFF"
                     "b\xC3");
    EXPECT_EQ(text, u"\uFFFDb\uFFFD");
}

} // namespace
} // namespace quorlix
