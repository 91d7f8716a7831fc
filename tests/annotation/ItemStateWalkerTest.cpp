#include "annotation/ItemStateWalker.h"

#include "support/TestDescriptors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorlix {
namespace {

using test::HexBytes;

// Walks hex and gives the effect of each item, the walker left as after the last item.
std::vector<ItemEffect> Walk(const std::string& hex, ItemStateWalker& walker)
{
    const std::vector<std::uint8_t> bytes = HexBytes(hex);
    std::vector<ItemEffect> effects;
    for (std::size_t position = 0; position < bytes.size();) {
        const DecodedItem item = DecodeItem(bytes, position);
        effects.push_back(walker.Step(item));
        position += item.length;
    }
    return effects;
}

TEST(ItemStateWalker, PushAndPopSaveEveryGlobal)
{
    ItemStateWalker walker;
    Walk("05 01 15 81 75 08 85 02 A4 05 09 15 00 75 01 85 03 B4", walker);
    const ItemGlobals& globals = walker.Globals();
    EXPECT_EQ(globals.UsagePage(), 1u);
    EXPECT_EQ(globals[GlobalTag::LogicalMinimum].Signed(), -127);
    EXPECT_EQ(globals[GlobalTag::LogicalMinimum].offset, 2u); // the item that set it
    EXPECT_EQ(globals.ReportSize(), 8u);
    EXPECT_EQ(globals.ReportId(), 2u);
    EXPECT_EQ(walker.PushDepth(), 0u);
}

TEST(ItemStateWalker, OddItemsChangeNothingAndSaySo)
{
    struct Case
    {
        const char* name;
        const char* hex;
        ItemEffect last;
    };
    const Case cases[] = {
        { "Pop with nothing saved", "75 08 B4", ItemEffect::PopWithNothingSaved },
        { "a set opened inside a set", "A9 01 A9 01", ItemEffect::DelimiterOpenedInsideSet },
        { "a set closed that was never opened", "A9 00", ItemEffect::DelimiterClosedUnopened },
        { "a Delimiter of neither 0 nor 1", "A9 02", ItemEffect::DelimiterOtherValue },
        { "a reserved global tag", "75 08 F4", ItemEffect::None },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ItemStateWalker walker;
        EXPECT_EQ(Walk(c.hex, walker).back(), c.last);
        EXPECT_EQ(walker.Globals().ReportSize(), std::string(c.hex).starts_with("75") ? 8u : 0u);
    }
}

TEST(ItemStateWalker, LocalsLastUntilTheStepAfterTheirMainItem)
{
    ItemStateWalker walker;
    Walk("05 09 19 01 29 03 09 07 81 02", walker);
    // After the Input item its usages are still readable, with their page completed.
    ASSERT_EQ(walker.Locals().usages.size(), 2u);
    const UsageSpan range = walker.Completed(walker.Locals().usages[0]);
    EXPECT_EQ(range.first, 0x90001u);
    EXPECT_EQ(range.last, 0x90003u);
    Walk("75 01", walker);
    EXPECT_TRUE(walker.Locals().usages.empty());
}

TEST(ItemStateWalker, UnknownMainItemKeepsOrClearsTheLocalsAsAsked)
{
    ItemWalkOptions clears;
    clears.unknownMainItem = UnknownMainItem::ClearsLocals;
    ItemStateWalker designed;
    ItemStateWalker strict(clears);
    Walk("09 30 D0 75 08", designed);
    Walk("09 30 D0 75 08", strict);
    EXPECT_EQ(designed.Locals().usages.size(), 1u);
    EXPECT_TRUE(strict.Locals().usages.empty());
}

TEST(ItemStateWalker, DelimiterSetsGiveTheirFirstUsageEach)
{
    ItemStateWalker walker;
    Walk("A9 01 0B 01 00 09 00 09 C0 A9 00 A9 01 19 02 29 04 09 C2 A9 00 09 33", walker);
    const std::vector<UsageSpan>& usages = walker.Locals().usages;
    ASSERT_EQ(usages.size(), 3u);
    EXPECT_EQ(usages[0].first, 0x90001u);
    EXPECT_TRUE(usages[0].hasPage);
    EXPECT_EQ(usages[1].first, 2u);
    EXPECT_EQ(usages[1].last, 4u);
    EXPECT_EQ(usages[2].first, 0x33u);
    EXPECT_EQ(walker.Locals().alternativeUsages, 2u);
}

TEST(ItemStateWalker, TopLevelCollectionsAreNumberedWithTheirUsage)
{
    ItemStateWalker walker;
    Walk("05 01 09 02 A1 01 09 01 A1 00 C0 C0 C0 09 06 A1 01", walker);
    EXPECT_EQ(walker.TopLevelNumber(), 2u);
    EXPECT_EQ(walker.TopLevelUsage(), 0x10006u);
    EXPECT_EQ(walker.CollectionDepth(), 1u); // the extra End Collection closed nothing
}

} // namespace
} // namespace quorlix
