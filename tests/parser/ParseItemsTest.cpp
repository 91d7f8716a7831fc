#include "parser/ParseItems.h"

#include "parser/HidCollection.h"
#include "support/TestDescriptors.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace quorlix {
namespace {

using test::HexBytes;
using test::TestCallbacks;

struct Walk
{
    TestCallbacks callbacks;
    std::vector<ItemRow> rows;
    ParserState* state = nullptr;
    ParseResult result = ParseResult::Ok;

    explicit Walk(std::string_view hex, int failAllocation = 0)
    {
        callbacks.FailAllocation(failAllocation);
        const std::vector<std::uint8_t> bytes = HexBytes(hex);
        result = ParseItems(callbacks.Get(), bytes.data(), bytes.size(), rows, &state);
    }
    ~Walk()
    {
        ReleaseParserState(callbacks.Get(), state);
        EXPECT_EQ(callbacks.LiveBlocks(), 0) << "every block of the parse is released";
    }
};

std::string Utf8(const std::u16string& text)
{
    return std::string(text.begin(), text.end());
}

TEST(ParseItems, MouseGivesOneRowPerItemWithItsTexts)
{
    Walk walk(test::kMouseHex);
    ASSERT_EQ(walk.result, ParseResult::Ok);
    ASSERT_EQ(walk.rows.size(), 26u);

    struct Expected
    {
        int offset;
        const char* name;
        const char* description;
    };
    const Expected expected[] = {
        { 0, "GLOBAL_USAGE_PAGE", "" },
        { 2, "LOCAL_USAGE", "" },
        { 4, "MAIN_COLLECTION(Applicatior)", "" },
        { 6, "LOCAL_USAGE", "" },
        { 8, "MAIN_COLLECTION(Physical)", "" },
        { 10, "GLOBAL_USAGE_PAGE", "" },
        { 12, "LOCAL_USAGE_MINIMUM(1)", "" },
        { 14, "LOCAL_USAGE_MAXIMUM(3)", "" },
        { 16, "GLOBAL_LOGICAL_MINIMUM(0)", "" },
        { 18, "GLOBAL_LOCAL_MAXIMUM(1)", "" },
        { 20, "GLOBAL_REPORT_COUNT(3)", "" },
        { 22, "GLOBAL_REPORT_SIZE(1)", "" },
        { 24,
          "MAIN_INPUT(data var absolute NoWrap linear PreferredState NoNullPosition NonVolatile )",
          "Input 0.3" },
        { 26, "GLOBAL_REPORT_COUNT(1)", "" },
        { 28, "GLOBAL_REPORT_SIZE(5)", "" },
        { 30,
          "MAIN_INPUT(const var absolute NoWrap linear PreferredState NoNullPosition NonVolatile )",
          "Input 1.0" },
        { 32, "GLOBAL_USAGE_PAGE", "" },
        { 34, "LOCAL_USAGE", "" },
        { 36, "LOCAL_USAGE", "" },
        { 38, "GLOBAL_LOGICAL_MINIMUM(-127)", "" },
        { 40, "GLOBAL_LOCAL_MAXIMUM(127)", "" },
        { 42, "GLOBAL_REPORT_SIZE(8)", "" },
        { 44, "GLOBAL_REPORT_COUNT(2)", "" },
        { 46,
          "MAIN_INPUT(data var relative NoWrap linear PreferredState NoNullPosition NonVolatile )",
          "Input 3.0" },
        { 48, "MAIN_COLLECTION_END", "" },
        { 49, "MAIN_COLLECTION_END", "" },
    };
    for (std::size_t i = 0; i < walk.rows.size(); ++i) {
        SCOPED_TRACE(i);
        const ItemRow& row = walk.rows[i];
        EXPECT_EQ(row.offset, expected[i].offset);
        // Usage names are checked with the usage tables; here only the item name leads.
        EXPECT_EQ(Utf8(row.name).rfind(expected[i].name, 0), 0u) << Utf8(row.name);
        EXPECT_EQ(Utf8(row.description), expected[i].description);
    }
    EXPECT_EQ(walk.rows[1].data, (std::array<std::uint8_t, 4>{ 0x02, 0, 0, 0 }));
    EXPECT_EQ(walk.rows[25].prefix, 0xC0);
}

TEST(ParseItems, MouseBuildsTheTreeWithOneSixFieldReport)
{
    Walk walk(test::kMouseHex);
    const HidCollection& root = *walk.state->rootCollection;
    EXPECT_EQ(root.type, 2);
    EXPECT_EQ(root.reportListCount, 0u);
    ASSERT_EQ(root.childCount, 1u);
    const HidCollection& application = *root.children[0];
    EXPECT_EQ(application.type, 1);
    EXPECT_EQ(application.usage, 0x00010002u);
    EXPECT_EQ(application.reportListCount, 0u);
    ASSERT_EQ(application.childCount, 1u);
    const HidCollection& physical = *application.children[0];
    EXPECT_EQ(physical.type, 0);
    EXPECT_EQ(physical.usage, 0x00010001u);
    EXPECT_EQ(physical.parent, &application);
    ASSERT_EQ(physical.reportListCount, 1u);

    const HidReport& report = *physical.reports[0];
    EXPECT_EQ(report.type, ReportType::Input);
    EXPECT_EQ(report.reportId, 0);
    EXPECT_EQ(report.bitSize, 24u);
    ASSERT_EQ(report.itemCount, 6u);
    EXPECT_EQ(report.itemCapacity, 6u);

    struct Field
    {
        std::uint32_t byteOffset, shift, bitCount, mask, hasData, isRelative, usage;
        std::uint32_t logicalMinimum, logicalMaximum;
    };
    const Field fields[] = {
        { 0, 0, 1, 0x01, 1, 0, 0x00090001, 0, 1 },
        { 0, 1, 1, 0x01, 1, 0, 0x00090002, 0, 1 },
        { 0, 2, 1, 0x01, 1, 0, 0x00090003, 0, 1 },
        { 0, 3, 5, 0x1F, 0, 0, 0x00090000, 0, 1 },
        { 1, 0, 8, 0xFF, 1, 1, 0x00010030, 129, 127 },
        { 2, 0, 8, 0xFF, 1, 1, 0x00010031, 129, 127 },
    };
    for (std::uint32_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        const HidReportItem& item = report.items[i];
        EXPECT_EQ(item.byteOffset, fields[i].byteOffset);
        EXPECT_EQ(item.shift, fields[i].shift);
        EXPECT_EQ(item.bitCount, fields[i].bitCount);
        EXPECT_EQ(item.mask, fields[i].mask);
        EXPECT_EQ(item.hasData, fields[i].hasData);
        EXPECT_EQ(item.isArray, 0);
        EXPECT_EQ(item.isRelative, fields[i].isRelative);
        EXPECT_EQ(item.usageMinimum, fields[i].usage);
        EXPECT_EQ(item.usageMaximum, fields[i].usage);
        EXPECT_EQ(item.logicalMinimum, fields[i].logicalMinimum);
        EXPECT_EQ(item.logicalMaximum, fields[i].logicalMaximum);
    }
}

TEST(ParseItems, ItemLengthsFollowSizeCodeAndLongItems)
{
    struct Case
    {
        const char* name;
        const char* hex;
        std::vector<int> offsets;
    };
    const Case cases[] = {
        { "size codes 0, 1, 2, 3 take 0, 1, 2, 4 data bytes",
          "C0 15 00 16 00 80 27 FF FF 00 00 C0",
          { 0, 1, 3, 6, 11 } },
        { "long item FE counts its data-size byte plus two", "FE 02 10 AA BB C0", { 0, 5 } },
        { "any type 3 prefix is a long item", "0C 03 01 02 03 C0", { 0, 4 } },
        { "a truncated last item is still one row", "05 01 27 FF", { 0, 2 } },
        { "a truncated long item is still one row", "FE 40", { 0 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Walk walk(c.hex);
        ASSERT_EQ(walk.result, ParseResult::Ok);
        std::vector<int> offsets;
        for (const ItemRow& row : walk.rows) {
            offsets.push_back(row.offset);
        }
        EXPECT_EQ(offsets, c.offsets);
    }
}

TEST(ParseItems, RowDataHoldsOnlyTheItemsOwnBytes)
{
    Walk walk("27 FF FF 00 00 FE 02 10 AA BB 26 34");
    ASSERT_EQ(walk.rows.size(), 3u);
    EXPECT_EQ(walk.rows[0].data, (std::array<std::uint8_t, 4>{ 0xFF, 0xFF, 0, 0 }));
    EXPECT_EQ(walk.rows[1].prefix, 0xFE);
    EXPECT_EQ(walk.rows[1].data, (std::array<std::uint8_t, 4>{}));
    EXPECT_TRUE(walk.rows[1].name.empty());
    // The missing second byte of the last item reads as zero.
    EXPECT_EQ(walk.rows[2].data, (std::array<std::uint8_t, 4>{ 0x34, 0, 0, 0 }));
    EXPECT_EQ(walk.state->globals.logicalMaximum, 0x34u);
}

TEST(ParseItems, DebugLinesOfOddItems)
{
    struct Case
    {
        const char* name;
        const char* hex;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        { "long item names its tag byte",
          "FE 02 10 AA BB",
          { "Unsupported ITEM_TYPE_LONG Tag 10\n" } },
        { "reserved global tag is silent", "C4", {} },
        { "delimiter is an unknown local tag", "A9 01", { "Unknown Local Item Tag a\n" } },
        { "local tag 6", "69 01", { "Unknown Local Item Tag 6\n" } },
        { "main tag 0",
          "00",
          { "[HIDPARSE] Unknown ReportType Tag 0 Type 0 Size 0 CurrentItemSize 0\n" } },
        { "usage page shows the whole value",
          "06 00 FF",
          { "[HIDPARSE] ITEM_TAG_GLOBAL_USAGE_PAGE ff00\n" } },
        { "logical maximum's line keeps its name",
          "25 7F",
          { "[HIDPARSE] ITEM_TAG_GLOBAL_LOCAL_MAXIMUM 7f\n" } },
        { "usage maximum shows size and code",
          "2A FF 00",
          { "[HIDPARSE] ITEM_TAG_LOCAL_USAGE_MAXIMUM Data ff ItemSize 2 2\n" } },
        { "push and pop",
          "A4 B4",
          { "[HIDPARSE] ITEM_TAG_GLOBAL_PUSH\n", "[HIDPARSE] ITEM_TAG_GLOBAL_POP\n" } },
        { "usage passes no line", "09 30", {} },
        { "collection without usage", "A1 01 A1 02", { "HIDPARSE] No usage set\n" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Walk walk(c.hex);
        EXPECT_EQ(walk.callbacks.DebugLines(), c.lines);
    }
}

TEST(ParseItems, PushStackLeftAtTheEndIsReleasedNewestFirst)
{
    Walk walk("A4 A4");
    // Allocations: state, root, then one block per Push.
    const std::span<const void* const> allocated = walk.callbacks.AllocatedBlocks();
    ASSERT_EQ(allocated.size(), 4u);
    const void* older = allocated[2];
    const void* newer = allocated[3];
    const std::span<const void* const> released = walk.callbacks.ReleasedBlocks();
    ASSERT_GE(released.size(), 2u);
    EXPECT_EQ(released[0], newer);
    EXPECT_EQ(released[1], older);

    // Each block's line comes before it goes, naming that block.
    char newerLine[64];
    char olderLine[64];
    std::snprintf(newerLine, sizeof newerLine, "[HIDPARSE] Freeing GlobalState %p\n", newer);
    std::snprintf(olderLine, sizeof olderLine, "[HIDPARSE] Freeing GlobalState %p\n", older);
    EXPECT_EQ(
        walk.callbacks.DebugLines(),
        (std::vector<std::string>{ "[HIDPARSE] ITEM_TAG_GLOBAL_PUSH\n",
                                   "[HIDPARSE] ITEM_TAG_GLOBAL_PUSH\n", newerLine, olderLine }));
    EXPECT_EQ(walk.state->pushStack, nullptr);
}

TEST(ParseItems, APushWhoseBlockCannotBeAllocatedSaysABoundWasReached)
{
    // Allocations: state, root, the Push's block (3rd). The values still come back at the Pop:
    // they are the walker's, and only the block was refused.
    Walk walk("75 08 A4 75 01 B4 A1 01 95 01 81 02 C0", 3);
    ASSERT_EQ(walk.result, ParseResult::Ok);
    EXPECT_EQ(walk.state->boundReached, 1);
    EXPECT_EQ(walk.state->rootCollection->children[0]->reports[0]->bitSize, 8u);
}

TEST(ParseItems, EmptyDescriptorAndFailedStartAppendNoRow)
{
    {
        Walk walk("");
        EXPECT_EQ(walk.result, ParseResult::EmptyDescriptor);
        EXPECT_TRUE(walk.rows.empty());
        EXPECT_EQ(walk.callbacks.Allocations(), 0);
    }
    for (int failing = 1; failing <= 2; ++failing) { // the state, the root
        SCOPED_TRACE(failing);
        Walk walk("05 01", failing);
        EXPECT_EQ(walk.result, ParseResult::NoMemory);
        EXPECT_TRUE(walk.rows.empty());
        EXPECT_EQ(walk.state, nullptr);
    }
}

TEST(ParseItems, EndCollectionBeyondTheRootKeepsTheRootCurrent)
{
    // More ends than collections, then a new collection: it still joins the root.
    Walk walk("C0 C0 09 02 A1 01 C0 C0 A1 02 C0");
    ASSERT_EQ(walk.rows.size(), 8u);
    const HidCollection& root = *walk.state->rootCollection;
    EXPECT_EQ(root.childCount, 2u);
}

TEST(ParseItems, DeepNestingParsesAndReleasesWithoutRecursion)
{
    std::string hex;
    for (int i = 0; i < 30000; ++i) {
        hex += "A1 02 ";
    }
    Walk walk(hex);
    ASSERT_EQ(walk.rows.size(), 30000u);
    const HidCollection* collection = walk.state->rootCollection;
    int depth = 0;
    while (collection->childCount == 1) {
        collection = collection->children[0];
        ++depth;
    }
    EXPECT_EQ(depth, 30000);
}

TEST(ParseItems, AllocationFailuresInsideTheLoopStillGiveEveryRow)
{
    // Whatever allocation fails, every item keeps its row and nothing leaks.
    for (int failing = 4; failing <= 16; ++failing) {
        SCOPED_TRACE(failing);
        Walk walk(std::string(test::kMouseHex) + " A4 A4 B4", failing);
        ASSERT_EQ(walk.result, ParseResult::Ok);
        EXPECT_EQ(walk.rows.size(), 29u);
    }
}

} // namespace
} // namespace quorlix
