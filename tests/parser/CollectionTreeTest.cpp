#include "parser/CollectionTree.h"

#include "parser/ParseItems.h"
#include "support/TestDescriptors.h"

#include <gtest/gtest.h>

namespace quorlix {
namespace {

using test::HexBytes;
using test::TestCallbacks;

class Tree
{
public:
    explicit Tree(std::string_view hex, int failAllocation = 0)
    {
        m_callbacks.FailAllocation(failAllocation);
        const std::vector<std::uint8_t> bytes = HexBytes(hex);
        EXPECT_EQ(ParseItems(m_callbacks.Get(), bytes.data(), bytes.size(), rows, &m_state),
                  ParseResult::Ok);
    }
    ~Tree()
    {
        ReleaseParserState(m_callbacks.Get(), m_state);
        EXPECT_EQ(m_callbacks.LiveBlocks(), 0);
    }
    HidCollection& Root() { return *m_state->rootCollection; }
    HidCollection& TopLevel(std::uint32_t i) { return *Root().children[i]; }
    ParserState& State() { return *m_state; }
    ParserCallbacks& Callbacks() { return m_callbacks.Get(); }

    std::vector<ItemRow> rows;

private:
    TestCallbacks m_callbacks;
    ParserState* m_state = nullptr;
};

TEST(CollectionTree, ReportsAreSharedWithinATopLevelCollectionOnly)
{
    // Two sibling collections add to one Input record; a second top-level collection gets its
    // own record for the same report id; a Feature with that id is a record of its own.
    Tree tree("85 01 75 08 95 01 A1 01 A1 00 81 02 C0 A1 00 81 02 B1 02 C0 C0 "
              "A1 01 81 02 C0");
    HidCollection& first = tree.TopLevel(0);
    ASSERT_EQ(first.childCount, 2u);
    const HidCollection& a = *first.children[0];
    const HidCollection& b = *first.children[1];
    ASSERT_EQ(a.reportListCount, 1u);
    EXPECT_EQ(a.reports[0]->itemCount, 2u);
    EXPECT_EQ(a.reports[0]->bitSize, 16u);
    ASSERT_EQ(b.reportListCount, 1u);
    EXPECT_EQ(b.reports[0]->type, ReportType::Feature);
    ASSERT_EQ(tree.TopLevel(1).reportListCount, 1u);
    EXPECT_EQ(tree.TopLevel(1).reports[0]->itemCount, 1u);
    EXPECT_EQ(tree.TopLevel(1).reports[0]->bitSize, 8u);
}

TEST(CollectionTree, FieldSizesAndMasks)
{
    struct Case
    {
        const char* hex;
        std::uint32_t mask;
        std::uint32_t bitCount;
        std::uint32_t bitSize;
    };
    const Case cases[] = {
        { "75 20 95 02", 0xFFFFFFFF, 32, 64 },
        { "75 21 95 01", 0xFFFFFFFF, 33, 33 },
        { "75 00 95 03", 0, 0, 0 },
        { "76 00 01 95 02", 0xFFFFFFFF, 256, 512 }, // the whole size, not its low 8 bits
        { "75 0C 95 01", 0x0FFF, 12, 12 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hex);
        Tree tree(std::string("A1 01 ") + c.hex + " 81 02 C0");
        const HidReport& report = *tree.TopLevel(0).reports[0];
        EXPECT_EQ(report.items[0].mask, c.mask);
        EXPECT_EQ(report.items[0].bitCount, c.bitCount);
        EXPECT_EQ(report.bitSize, c.bitSize);
    }
}

TEST(CollectionTree, FlagsGiveDataArrayAndRelative)
{
    Tree tree("A1 01 75 01 95 01 81 00 81 07 C0");
    const HidReport& report = *tree.TopLevel(0).reports[0];
    EXPECT_EQ(report.items[0].hasData, 1);
    EXPECT_EQ(report.items[0].isArray, 1);
    EXPECT_EQ(report.items[0].isRelative, 0);
    EXPECT_EQ(report.items[1].hasData, 0);
    EXPECT_EQ(report.items[1].isArray, 0);
    EXPECT_EQ(report.items[1].isRelative, 1);
}

TEST(CollectionTree, ItemsOutsideAnyOpenTopLevelCollection)
{
    // After the last top-level collection closed, a matching record of its subtree is used.
    {
        Tree tree("A1 01 75 08 95 01 81 02 C0 81 02");
        EXPECT_EQ(tree.TopLevel(0).reports[0]->itemCount, 2u);
        EXPECT_EQ(tree.Root().reportListCount, 0u);
    }
    // Without a match, and before any collection, the record goes to the root and stays empty.
    {
        Tree tree("75 08 95 01 81 02 A1 01 C0 B1 02 B1 02");
        EXPECT_EQ(tree.Root().reportListCount, 3u);
        for (std::uint32_t i = 0; i < 3; ++i) {
            EXPECT_EQ(tree.Root().reports[i]->itemCount, 0u);
            EXPECT_EQ(tree.Root().reports[i]->bitSize, 0u);
        }
        EXPECT_EQ(tree.TopLevel(0).reportListCount, 0u);
    }
}

TEST(CollectionTree, RecordsThatCannotGrowGetNoFields)
{
    // Report Count 0xFFFFFFFF would overflow the record's 32-bit size.
    {
        Tree tree("A1 01 75 01 97 FF FF FF FF 81 02 95 02 81 02 C0");
        const HidReport& report = *tree.TopLevel(0).reports[0];
        EXPECT_EQ(report.itemCount, 2u);
        EXPECT_EQ(report.bitSize, 2u);
        // The running total counts 0xFFFFFFFF + 2 bits in full, and the parse says an item
        // lost its fields.
        EXPECT_EQ(tree.rows[5].description, u"Input 536870912.1");
        EXPECT_EQ(tree.State().boundReached, 1);
    }
    // Past the field bound of one parse an item adds nothing, and the state says so.
    {
        Tree tree("A1 01 75 01 97 00 00 02 00 81 02 81 02 95 01 81 02 C0");
        const HidReport& report = *tree.TopLevel(0).reports[0];
        EXPECT_EQ(report.itemCount, kMaxReportFields);
        EXPECT_EQ(tree.State().boundReached, 1);
    }
}

TEST(CollectionTree, AllocationFailureOfAFieldRecordLosesOnlyThatItem)
{
    // Allocations: state, root, root's child list, collection, report list, report, field
    // storage (7th), then again for the second Input.
    Tree tree("A1 01 75 08 95 04 81 02 95 09 81 02 C0", 7);
    const HidReport& report = *tree.TopLevel(0).reports[0];
    EXPECT_EQ(report.itemCount, 9u);
    EXPECT_EQ(report.bitSize, 72u);
    EXPECT_EQ(report.items[0].byteOffset, 0u);
    EXPECT_EQ(tree.rows.size(), 7u);
}

TEST(CollectionTree, FindReportSearchesDepthFirst)
{
    Tree tree("A1 01 85 01 A1 00 A1 00 81 02 C0 C0 A1 00 85 02 81 02 85 01 B1 02 C0 C0");
    HidCollection& top = tree.TopLevel(0);
    HidReport* found = nullptr;
    ASSERT_EQ(FindReport(top, ReportType::Input, 1, &found), ParseResult::Ok);
    EXPECT_EQ(found, top.children[0]->children[0]->reports[0]);
    ASSERT_EQ(FindReport(top, ReportType::Feature, 1, &found), ParseResult::Ok);
    EXPECT_EQ(found, top.children[1]->reports[1]);
    EXPECT_EQ(FindReport(top, ReportType::Output, 1, &found), ParseResult::NoSuchReport);
}

} // namespace
} // namespace quorlix
