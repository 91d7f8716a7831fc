#include "annotation/ItemTexts.h"

#include "annotation/RowColumns.h"
#include "parser/ParseItems.h"
#include "support/TestDescriptors.h"

#include <gtest/gtest.h>

namespace quorlix {
namespace {

using test::HexBytes;
using test::TestCallbacks;

// The rows of a descriptor, walked by the real item loop.
std::vector<ItemRow> Rows(std::string_view hex)
{
    TestCallbacks callbacks;
    std::vector<ItemRow> rows;
    ParserState* state = nullptr;
    const std::vector<std::uint8_t> bytes = HexBytes(hex);
    EXPECT_EQ(ParseItems(callbacks.Get(), bytes.data(), bytes.size(), rows, &state),
              ParseResult::Ok);
    ReleaseParserState(callbacks.Get(), state);
    return rows;
}

std::u16string LastName(std::string_view hex)
{
    return Rows(hex).back().name;
}

struct NameCase
{
    const char* hex;
    std::u16string name;
};

TEST(ItemTexts, GlobalAndLocalValues)
{
    const NameCase cases[] = {
        { "15 00", u"GLOBAL_LOGICAL_MINIMUM(0)" },
        { "15 81", u"GLOBAL_LOGICAL_MINIMUM(-127)" },
        { "15 7F", u"GLOBAL_LOGICAL_MINIMUM(127)" },
        { "16 00 80", u"GLOBAL_LOGICAL_MINIMUM(-32768)" },
        { "16 01 80", u"GLOBAL_LOGICAL_MINIMUM(-32767)" },
        { "16 FF 00", u"GLOBAL_LOGICAL_MINIMUM(255)" },
        { "17 00 00 00 80", u"GLOBAL_LOGICAL_MINIMUM(-2147483648)" },
        { "14", u"GLOBAL_LOGICAL_MINIMUM()" },
        { "25 7F", u"GLOBAL_LOCAL_MAXIMUM(127)" },
        { "25 FF", u"GLOBAL_LOCAL_MAXIMUM(-1/255)" },
        { "25 80", u"GLOBAL_LOCAL_MAXIMUM(-128/128)" },
        { "26 FF 00", u"GLOBAL_LOCAL_MAXIMUM(255)" },
        { "26 FF 7F", u"GLOBAL_LOCAL_MAXIMUM(32767)" },
        { "26 00 80", u"GLOBAL_LOCAL_MAXIMUM(-32768/32768)" },
        { "26 FF FF", u"GLOBAL_LOCAL_MAXIMUM(-1/65535)" },
        { "27 FF FF FF FF", u"GLOBAL_LOCAL_MAXIMUM(-1)" },
        { "24", u"GLOBAL_LOCAL_MAXIMUM()" },
        { "35 81", u"GLOBAL_PHYSICAL_MINIMUM(129)" },
        { "36 00 80", u"GLOBAL_PHYSICAL_MINIMUM(32768)" },
        { "34", u"GLOBAL_PHYSICAL_MINIMUM(0)" },
        { "47 FF FF FF FF", u"GLOBAL_PHYSICAL_MAXIMUM(-1)" },
        { "55 0F", u"GLOBAL_UNIT_EXPONENT(15)" },
        { "65 11", u"GLOBAL_REPORT_UNIT(17)" },
        { "75 08", u"GLOBAL_REPORT_SIZE(8)" },
        { "85 01", u"GLOBAL_REPORT_ID(1)" },
        { "86 01 01", u"GLOBAL_REPORT_ID(257)" },
        { "95 03", u"GLOBAL_REPORT_COUNT(3)" },
        { "A4", u"GLOBAL_PUSH" },
        { "B4", u"GLOBAL_POP" },
        { "C4", u"" },
        { "F7 01 02 03 04", u"" },
        { "19 E0", u"LOCAL_USAGE_MINIMUM(224)" },
        { "29 E7", u"LOCAL_USAGE_MAXIMUM(231)" },
        { "2A FF 00", u"LOCAL_USAGE_MAXIMUM(255)" },
        { "1B 01 00 07 00", u"LOCAL_USAGE_MINIMUM(458753)" },
        { "39 05", u"LOCAL_DESIGNATOR_INDEX" },
        { "49 01", u"LOCAL_DESIGNATOR_MINIMUM(1)" },
        { "59 02", u"LOCAL_DESIGNATOR_MAXIMUM(2)" },
        { "79 04", u"LOCAL_STRING_INDEX(4)" },
        { "89 01", u"LOCAL_STRING_MINIMUM(1)" },
        { "99 03", u"LOCAL_STRING_MAXIMUM(3)" },
        { "A8", u"" },
        { "69 01", u"" },
        { "FE 02 10 AA BB", u"" },
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.hex);
        const std::vector<ItemRow> rows = Rows(c.hex);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].name, c.name);
        EXPECT_TRUE(rows[0].description.empty());
    }
}

TEST(ItemTexts, UsagePagesAndUsagesAreNamed)
{
    const NameCase cases[] = {
        { "05 01", u"GLOBAL_USAGE_PAGE(Generic Desktop Controls)" },
        { "04", u"GLOBAL_USAGE_PAGE(Undefined)" },
        { "05 14", u"GLOBAL_USAGE_PAGE(Reserved or Other)" },
        { "07 0C 00 00 00", u"GLOBAL_USAGE_PAGE(Consumer)" },
        { "05 01 09 39", u"LOCAL_USAGE(Hat switch)" },
        { "05 01 0B 30 00 01 00", u"LOCAL_USAGE()" },
        { "06 01 01 09 30", u"LOCAL_USAGE()" },
        { "09 30", u"LOCAL_USAGE()" },
        { "05 09 09 01", u"LOCAL_USAGE(\tButton 1 (primary/trigger))" },
        // Pop restores the page that names the usage.
        { "05 01 A4 05 09 B4 09 30", u"LOCAL_USAGE(X)" },
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.hex);
        EXPECT_EQ(LastName(c.hex), c.name);
    }
}

TEST(ItemTexts, MainItemsShowKindsFlagsAndRunningPositions)
{
    const std::u16string dataVar =
        u"(data var absolute NoWrap linear PreferredState NoNullPosition NonVolatile )";
    const NameCase cases[] = {
        { "A1 00", u"MAIN_COLLECTION(Physical)" },
        { "A1 01", u"MAIN_COLLECTION(Applicatior)" },
        { "A1 02", u"MAIN_COLLECTION(Logical)" },
        { "A1 03", u"MAIN_COLLECTION(Report)" },
        { "A1 04", u"MAIN_COLLECTION(NamedArray )" },
        { "A1 05", u"MAIN_COLLECTION(Usage Switch)" },
        { "A1 06", u"MAIN_COLLECTION(Usage Modifier)" },
        { "A1 07", u"MAIN_COLLECTION(\u81EA\u5B9A\u4E49)" },
        { "A1 FF", u"MAIN_COLLECTION(\u81EA\u5B9A\u4E49)" },
        { "A0", u"MAIN_COLLECTION(Physical)" },
        { "A2 01 FF", u"MAIN_COLLECTION(Applicatior)" },
        { "C1 05", u"MAIN_COLLECTION_END" },
        { "80", u"MAIN_INPUT(data array absolute NoWrap linear PreferredState NoNullPosition "
                u"NonVolatile )" },
        { "B1 A2",
          u"MAIN_FEATURE(data var absolute NoWrap linear NoPreferred NoNullPosition Volatile )" },
        { "82 02 01", u"MAIN_INPUT" + dataVar },
        { "00", u"(data array absolute NoWrap linear PreferredState NoNullPosition NonVolatile )" },
        { "01 FF", u"(const var relative Wrap no Linear NoPreferred NullState Volatile )" },
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.hex);
        EXPECT_EQ(LastName(c.hex), c.name);
    }
}

TEST(ItemTexts, RunningPositionsCountEachTypeOverTheWholeDescriptor)
{
    const std::vector<ItemRow> rows = Rows("81 02 75 01 95 03 81 02 75 05 95 01 81 01 "
                                           "75 01 95 05 91 02 75 10 95 02 B1 02 "
                                           "75 08 95 01 A1 01 81 02 C0 85 02 81 02 00");
    std::vector<std::u16string> descriptions;
    for (const ItemRow& row : rows) {
        if (!row.description.empty()) {
            descriptions.push_back(row.description);
        }
    }
    const std::vector<std::u16string> expected = { u"Input 0.0",  u"Input 0.3",   u"Input 1.0",
                                                   u"Output 0.5", u"Feature 4.0", u"Input 2.0",
                                                   u"Input 3.0" };
    EXPECT_EQ(descriptions, expected);
    EXPECT_EQ(rows[6].name,
              u"MAIN_INPUT(const array absolute NoWrap linear PreferredState NoNullPosition "
              u"NonVolatile )");
}

TEST(RowColumns, BytesAndOffsetAsTheListShowsThem)
{
    const std::vector<ItemRow> rows = Rows("05 01 27 FF FF 00 00 C0 FE 02 10 AA BB 26 34");
    ASSERT_EQ(rows.size(), 5u);
    const char16_t* bytes[] = { u"05 01", u"27 FF FF 00 00", u"C0", u"FE 00 00", u"26 34 00" };
    const char16_t* offsets[] = { u"0", u"2", u"7", u"8", u"13" };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(BytesColumnText(rows[i]), bytes[i]);
        EXPECT_EQ(OffsetColumnText(rows[i]), offsets[i]);
    }
}

} // namespace
} // namespace quorlix
