#include "diff/ItemAlignment.h"

#include "support/TestDescriptors.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorlix {
namespace {

using test::HexBytes;

std::vector<ItemHunk> Align(const char* oldHex, const char* newHex)
{
    const std::vector<std::uint8_t> oldBytes = HexBytes(oldHex);
    const std::vector<std::uint8_t> newBytes = HexBytes(newHex);
    const std::vector<ItemSpan> oldItems = SplitItems(oldBytes);
    const std::vector<ItemSpan> newItems = SplitItems(newBytes);
    return AlignItems(oldBytes, oldItems, newBytes, newItems);
}

TEST(AlignItems, GivesTheFewestItemsOutAndIn)
{
    struct Case
    {
        const char* name;
        const char* oldHex;
        const char* newHex;
        std::vector<ItemHunk> hunks;
    };
    const Case cases[] = {
        { "equal", "05 01 09 02", "05 01 09 02", {} },
        { "one item replaced", "05 01 09 02 A1 01", "05 01 09 03 A1 01", { { 1, 1, 1, 1 } } },
        { "items compared whole, not by byte", "26 FF 00", "26 FF 01", { { 0, 1, 0, 1 } } },
        { "inserted in the middle", "05 01 C0", "05 01 09 02 C0", { { 1, 0, 1, 1 } } },
        { "removed at the end", "05 01 C0", "05 01", { { 1, 1, 1, 0 } } },
        { "two runs apart",
          "05 01 09 02 A1 01 C0",
          "05 02 09 02 A1 01 C1",
          { { 0, 1, 0, 1 }, { 3, 1, 3, 1 } } },
        { "a truncated last item", "05 01 26 FF", "05 01 26", { { 1, 1, 1, 1 } } },
        { "long items by their bytes",
          "FE 03 10 AA BB CC 05 01",
          "FE 03 10 AA BB CD 05 01",
          { { 0, 1, 0, 1 } } },
        { "moved item",
          "09 30 09 31 09 32",
          "09 31 09 32 09 30",
          { { 0, 1, 0, 0 }, { 3, 0, 2, 1 } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<ItemHunk> hunks = Align(c.oldHex, c.newHex);
        ASSERT_EQ(hunks.size(), c.hunks.size());
        for (std::size_t i = 0; i < hunks.size(); ++i) {
            EXPECT_EQ(hunks[i].oldFirst, c.hunks[i].oldFirst);
            EXPECT_EQ(hunks[i].oldCount, c.hunks[i].oldCount);
            EXPECT_EQ(hunks[i].newFirst, c.hunks[i].newFirst);
            EXPECT_EQ(hunks[i].newCount, c.hunks[i].newCount);
        }
    }
}

TEST(AlignItems, PastTheBoundTheMiddleIsOneHunk)
{
    // 1100 different items on each side between a common start and end: more than the bound.
    std::vector<std::uint8_t> oldBytes{ 0x05, 0x01 };
    std::vector<std::uint8_t> newBytes{ 0x05, 0x01 };
    for (int i = 0; i < 1100; ++i) {
        oldBytes.insert(oldBytes.end(), { 0x09, static_cast<std::uint8_t>(i) });
        newBytes.insert(newBytes.end(), { 0x19, static_cast<std::uint8_t>(i) });
        // A long item now and then, compared by its bytes.
        if (i % 100 == 0) {
            oldBytes.insert(oldBytes.end(), { 0xFE, 0x03, 0x10, 0xAA, 0xBB, 0xCC });
            newBytes.insert(newBytes.end(), { 0xFE, 0x03, 0x10, 0xAA, 0xBB, 0xCD });
        }
    }
    oldBytes.push_back(0xC0);
    newBytes.push_back(0xC0);
    const std::vector<ItemSpan> oldItems = SplitItems(oldBytes);
    const std::vector<ItemSpan> newItems = SplitItems(newBytes);
    const std::vector<ItemHunk> hunks = AlignItems(oldBytes, oldItems, newBytes, newItems);
    ASSERT_EQ(hunks.size(), 1u);
    EXPECT_EQ(hunks[0].oldFirst, 1u);
    EXPECT_EQ(hunks[0].oldCount, 1111u);
    EXPECT_EQ(hunks[0].newCount, 1111u);
}

} // namespace
} // namespace quorlix
