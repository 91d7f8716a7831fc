#include "parser/CollectionContext.h"

#include "parser/DeviceDescription.h"
#include "support/TestDescriptors.h"

#include <gtest/gtest.h>

namespace quorlix {
namespace {

using test::HexBytes;

struct Parsed
{
    DeviceDescription description;
    ParseResult result;

    explicit Parsed(std::string_view hex)
    {
        const std::vector<std::uint8_t> bytes = HexBytes(hex);
        ParseOptions options;
        options.debugOut = nullptr;
        result = ParseDescriptor(bytes.data(), bytes.size(), description, options);
    }
    const std::uint8_t* Context(std::uint32_t i) const
    {
        return description.collections[i].context;
    }
};

std::uint32_t Le32(const std::uint8_t* bytes)
{
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (std::uint32_t{ bytes[3] } << 24);
}

TEST(CollectionContext, MouseContextBytes)
{
    Parsed parsed(test::kMouseHex);
    ASSERT_EQ(parsed.description.collectionCount, 1u);
    EXPECT_EQ(parsed.description.collections[0].contextSize, 327u);
    const std::uint8_t* context = parsed.Context(0);
    EXPECT_EQ(Le32(context), 327u);
    const std::uint8_t* raw = context + 4;

    // Top-level block at 0: Application, usage 0x00010002, no reports, one child at 35.
    const std::vector<std::uint8_t> top = HexBytes("01 02 00 01 00 00 00 00 00 00 00 01 00 00 00 "
                                                   "00 00 00 00 00 00 00 00 00 00 00 00 "
                                                   "23 00 00 00 00 00 00 00");
    EXPECT_EQ(std::vector<std::uint8_t>(raw, raw + 35), top);
    // Child block at 35: Physical, usage 0x00010001, one report at 70.
    const std::vector<std::uint8_t> child = HexBytes("00 01 00 01 00 00 00 01 00 00 00 00 00 00 00 "
                                                     "00 00 00 00 00 00 00 00 00 00 00 00 "
                                                     "46 00 00 00 00 00 00 00");
    EXPECT_EQ(std::vector<std::uint8_t>(raw + 35, raw + 70), child);
    // Report block at 70: Input, id 0, 24 bits, six fields (capacity six).
    EXPECT_EQ(std::vector<std::uint8_t>(raw + 70, raw + 84),
              HexBytes("01 00 18 00 00 00 06 00 00 00 06 00 00 00"));
    // Its fifth field: byte 1, shift 0, mask FF, 8 bits, data var relative, -127..127, X.
    EXPECT_EQ(std::vector<std::uint8_t>(raw + 84 + 4 * 34, raw + 84 + 5 * 34),
              HexBytes("01 00 00 00 00 FF 00 00 00 08 01 00 01 81 00 00 00 7F 00 00 00 "
                       "30 00 01 00 30 00 01 00 00 00 00 00 00"));
    // The spare slot and the final byte are zero.
    for (int i = 84 + 6 * 34; i < 323; ++i) {
        EXPECT_EQ(raw[i], 0) << i;
    }
}

TEST(CollectionContext, EmptyTopLevelCollectionTakesThirtySixBytes)
{
    Parsed parsed("09 01 A1 01 C0");
    ASSERT_EQ(parsed.description.collectionCount, 1u);
    EXPECT_EQ(parsed.description.collections[0].contextSize, 36u);
    EXPECT_EQ(GetReportLength(parsed.Context(0), ReportType::Input), 0u);
    EXPECT_EQ(GetFirstReportId(parsed.Context(0), ReportType::Input), 0);
    EXPECT_FALSE(UsesReportIds(parsed.Context(0), ReportType::Input));
}

TEST(CollectionContext, OnlyTheFirstReportOfATypeCounts)
{
    struct Case
    {
        const char* name;
        const char* hex;
        std::uint32_t inputLength;
        std::uint8_t inputId;
    };
    const Case cases[] = {
        { "twelve bits take two bytes", "A1 01 75 0C 95 01 81 02 C0", 2, 0 },
        { "seven bits take one", "A1 01 75 07 95 01 81 02 C0", 1, 0 },
        { "the first report's id, not a later one", "A1 01 75 08 95 01 81 02 85 03 95 04 81 02 C0",
          1, 0 },
        { "own reports before a child's", "A1 01 A1 00 85 02 75 08 95 02 81 02 C0 85 03 81 02 C0",
          2, 3 },
        { "the first child's subtree before the second",
          "A1 01 A1 00 A1 00 85 04 75 08 95 03 81 02 C0 C0 A1 00 85 05 81 02 C0 C0", 3, 4 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Parsed parsed(c.hex);
        ASSERT_EQ(parsed.description.collectionCount, 1u);
        EXPECT_EQ(GetReportLength(parsed.Context(0), ReportType::Input), c.inputLength);
        EXPECT_EQ(GetFirstReportId(parsed.Context(0), ReportType::Input), c.inputId);
        EXPECT_EQ(UsesReportIds(parsed.Context(0), ReportType::Input), c.inputId != 0);
    }
}

TEST(CollectionContext, SizeBeyondSixteenBitsIsKeptWhole)
{
    // 2000 one-bit fields: 48 + 34 * 2000 bytes of report alone, past 65535.
    Parsed parsed("A1 01 75 01 96 D0 07 81 02 C0");
    ASSERT_EQ(parsed.description.collectionCount, 1u);
    const std::uint32_t expected = 4 + 35 + 48 + 34 * 2000 + 1;
    EXPECT_EQ(parsed.description.collections[0].contextSize, expected);
    EXPECT_EQ(Le32(parsed.Context(0)), expected);
    EXPECT_EQ(GetReportLength(parsed.Context(0), ReportType::Input), 250u);
}

} // namespace
} // namespace quorlix
