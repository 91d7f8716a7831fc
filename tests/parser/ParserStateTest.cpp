#include "parser/ParseItems.h"

#include "parser/HidCollection.h"
#include "support/TestDescriptors.h"

#include <gtest/gtest.h>

namespace quorlix {
namespace {

using test::HexBytes;
using test::TestCallbacks;

// Runs the items and hands the final state to check.
template <typename Check>
void WithState(std::string_view hex, Check check)
{
    TestCallbacks callbacks;
    std::vector<ItemRow> rows;
    ParserState* state = nullptr;
    const std::vector<std::uint8_t> bytes = HexBytes(hex);
    ASSERT_EQ(ParseItems(callbacks.Get(), bytes.data(), bytes.size(), rows, &state),
              ParseResult::Ok);
    check(*state);
    ReleaseParserState(callbacks.Get(), state);
    EXPECT_EQ(callbacks.LiveBlocks(), 0);
}

TEST(ParserState, PushAndPopRestoreTheWholeGlobalBlock)
{
    struct Case
    {
        const char* hex;
        std::uint16_t usagePage;
        std::uint8_t reportId;
        std::uint32_t reportSize;
    };
    const Case cases[] = {
        { "05 01 A4 05 09 B4", 1, 0, 0 },
        { "85 01 A4 85 02 B4", 0, 1, 0 },
        { "B4", 0, 0, 0 },
        { "75 08 A4 75 01 A4 75 02 B4 B4 B4", 0, 0, 8 }, // the third Pop finds nothing
        { "75 08 A4 75 01 A4 75 02 B4", 0, 0, 1 },
        { "05 01 A4 05 0C", 0x0C, 0, 0 }, // a Push left open keeps the later values
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hex);
        WithState(c.hex, [&](const ParserState& state) {
            EXPECT_EQ(state.globals.usagePage, c.usagePage);
            EXPECT_EQ(state.globals.reportId, c.reportId);
            EXPECT_EQ(state.globals.reportSize, c.reportSize);
        });
    }
}

TEST(ParserState, ValuesAreStoredUnsignedAndCutToTheirWidth)
{
    WithState("15 81 26 FF FF 66 01 10 55 0F 86 02 01 07 0C 00 01 00",
              [](const ParserState& state) {
                  EXPECT_EQ(state.globals.logicalMinimum, 129u);
                  EXPECT_EQ(state.globals.logicalMaximum, 0xFFFFu);
                  EXPECT_EQ(state.globals.unit, 0x01);
                  EXPECT_EQ(state.globals.unitExponent, 0x0F);
                  EXPECT_EQ(state.globals.reportId, 0x02);
                  EXPECT_EQ(state.globals.usagePage, 0x000C);
              });
}

// The usages a variable Input item gives its fields show how the state completed them.
std::vector<std::uint32_t> FieldUsages(std::string_view hex)
{
    std::vector<std::uint32_t> usages;
    WithState(std::string("A1 01 ") + std::string(hex), [&](const ParserState& state) {
        const HidCollection& top = *state.rootCollection->children[0];
        if (top.reportListCount == 0) {
            return;
        }
        const HidReport& report = *top.reports[0];
        for (std::uint32_t i = 0; i < report.itemCount; ++i) {
            usages.push_back(report.items[i].usageMinimum);
            usages.push_back(report.items[i].usageMaximum);
        }
    });
    return usages;
}

TEST(ParserState, UsagesAreCompletedWithTheCurrentPage)
{
    struct Case
    {
        const char* name;
        const char* hex;
        std::vector<std::uint32_t> usages; // minimum and maximum of each field
    };
    const Case cases[] = {
        { "one-byte usage takes the page", "05 01 09 30 95 01 81 02", { 0x10030, 0x10030 } },
        { "four-byte usage keeps its own page",
          "05 01 0B 30 00 0C 00 95 01 81 02",
          { 0xC0030, 0xC0030 } },
        { "array field takes minimum and maximum",
          "05 09 19 01 29 03 95 01 81 00",
          { 0x90001, 0x90003 } },
        { "four-byte minimum keeps the two-byte maximum as it is",
          "05 09 1B 01 00 07 00 2A 03 00 95 01 81 00",
          { 0x70001, 0x00003 } },
        { "two-byte minimum gives the page to a four-byte maximum too",
          "05 09 1A 01 00 2B 03 00 07 00 95 01 81 00",
          { 0x90001, 0x90003 } },
        { "without minimum or maximum both are page and id 0",
          "05 09 09 01 95 01 81 00",
          { 0x90000, 0x90000 } },
        { "an unknown main item keeps the usages",
          "05 01 09 30 00 95 01 81 02",
          { 0x10030, 0x10030 } },
        { "usages after an unknown main item take the page in force at the next one",
          "05 01 09 30 00 05 09 09 01 95 02 81 02",
          { 0x10030, 0x10030, 0x90001, 0x90001 } },
        { "each usage of a Delimiter set is listed as its own",
          "05 09 A9 01 09 01 09 02 A9 00 95 02 81 02",
          { 0x90001, 0x90001, 0x90002, 0x90002 } },
        { "a maximum after an unknown main item gets no page: the minimum's had one already",
          "05 09 19 01 00 2A 03 00 95 01 81 00",
          { 0x90001, 0x00003 } },
        { "variable fields past the list count from the minimum",
          "05 01 09 30 95 03 81 02",
          { 0x10030, 0x10030, 0x10001, 0x10001, 0x10002, 0x10002 } },
        { "and stop at a given maximum",
          "05 09 19 01 29 02 95 03 81 02",
          { 0x90001, 0x90001, 0x90002, 0x90002, 0x90002, 0x90002 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FieldUsages(c.hex), c.usages);
    }
}

TEST(ParserState, UsageListGrowsAndKeepsEveryUsage)
{
    std::string hex = "05 09 ";
    for (int i = 1; i <= 11; ++i) {
        char item[8];
        std::snprintf(item, sizeof item, "09 %02X ", i);
        hex += item;
    }
    hex += "95 0B 81 02";
    const std::vector<std::uint32_t> usages = FieldUsages(hex);
    ASSERT_EQ(usages.size(), 22u);
    EXPECT_EQ(usages[0], 0x90001u);
    EXPECT_EQ(usages[20], 0x9000Bu);

    WithState("09 01 09 02 09 03 09 04 09 05 09 06 09 07 09 08 09 09 09 0A 09 0B",
              [](const ParserState& state) {
                  EXPECT_EQ(state.usageCount, 11u);
                  EXPECT_EQ(state.usages, nullptr); // the list is released at the end
              });
}

TEST(ParserState, MainItemsClearTheLocalItems)
{
    WithState("09 30 19 01 29 05 39 02 79 04 A1 01", [](const ParserState& state) {
        EXPECT_EQ(state.usageCount, 0u);
        EXPECT_EQ(state.usageMinimumSet, 0);
        EXPECT_EQ(state.usageMaximumSet, 0);
        EXPECT_EQ(state.designatorIndexSet, 0);
        EXPECT_EQ(state.stringIndexSet, 0);
    });
    WithState("09 30 19 01 00", [](const ParserState& state) {
        EXPECT_EQ(state.usageCount, 1u);
        EXPECT_EQ(state.usageMinimumSet, 1);
    });
}

} // namespace
} // namespace quorlix
