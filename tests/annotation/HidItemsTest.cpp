#include "annotation/HidItems.h"

#include "support/TestDescriptors.h"

#include <gtest/gtest.h>

namespace quorlix {
namespace {

using test::HexBytes;

TEST(DecodeItem, FieldsFollowThePrefixAndTheSizeCode)
{
    struct Case
    {
        const char* name;
        const char* hex;
        std::size_t offset;
        ItemType type;
        unsigned tag;
        std::uint32_t dataSize;
        std::uint32_t value;
        std::int32_t signedValue;
        std::size_t length;
        bool truncated;
    };
    const Case cases[] = {
        { "no data", "C0", 0, ItemType::Main, 12, 0, 0, 0, 1, false },
        { "one byte is never sign-extended", "15 FF", 0, ItemType::Global, 1, 1, 0xFF, -1, 2,
          false },
        { "two bytes little-endian", "26 FF 00", 0, ItemType::Global, 2, 2, 0xFF, 255, 3, false },
        { "size code 3 takes four bytes", "27 FF FF 00 00", 0, ItemType::Global, 2, 4, 0xFFFF,
          0xFFFF, 5, false },
        { "four bytes with the sign bit", "17 00 00 00 80", 0, ItemType::Global, 1, 4, 0x80000000u,
          INT32_MIN, 5, false },
        { "an item further on", "05 01 09 02", 2, ItemType::Local, 0, 1, 2, 2, 2, false },
        { "long item skips its own data", "FE 02 10 AA BB", 0, ItemType::Long, 15, 4, 0, 0, 5,
          false },
        { "type 3 with size code 3 is long too", "FF 01 20 AA 00 00 00 00 00", 0, ItemType::Long,
          15, 5, 0, 0, 6, false },
        { "missing data byte reads as zero", "26 34", 0, ItemType::Global, 2, 2, 0x34, 0x34, 3,
          true },
        { "long item cut after its prefix", "FE", 0, ItemType::Long, 15, 2, 0, 0, 3, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::uint8_t> bytes = HexBytes(c.hex);
        const DecodedItem item = DecodeItem(bytes, c.offset);
        EXPECT_EQ(item.offset, c.offset);
        EXPECT_EQ(item.prefix, bytes[c.offset]);
        EXPECT_EQ(item.type, c.type);
        EXPECT_EQ(item.tag, c.tag);
        EXPECT_EQ(item.dataSize, c.dataSize);
        EXPECT_EQ(item.value, c.value);
        EXPECT_EQ(SignedValue(item), c.signedValue);
        EXPECT_EQ(item.length, c.length);
        EXPECT_EQ(item.truncated, c.truncated);
    }
}

TEST(DecodeItem, DataBytesAndLongTag)
{
    const std::vector<std::uint8_t> shortItem = HexBytes("27 78 56 34 12");
    const DecodedItem item = DecodeItem(shortItem, 0);
    EXPECT_EQ(item.sizeCode, SizeCode::FourBytes);
    EXPECT_EQ(item.data, (std::array<std::uint8_t, 4>{ 0x78, 0x56, 0x34, 0x12 }));
    EXPECT_EQ(item.value, 0x12345678u);
    EXPECT_TRUE(IsItem(item, GlobalTag::LogicalMaximum));
    EXPECT_FALSE(IsItem(item, LocalTag::UsageMaximum)); // same tag, other type

    const std::vector<std::uint8_t> longItem = HexBytes("FE 01 42 AA");
    const DecodedItem decodedLong = DecodeItem(longItem, 0);
    EXPECT_EQ(decodedLong.longTag, 0x42);
    EXPECT_EQ(decodedLong.data, (std::array<std::uint8_t, 4>{})); // long items keep no data
}

TEST(HidItems, FlagBits)
{
    const std::uint32_t flags = 0x0102; // Variable, Buffered Bytes
    EXPECT_FALSE(HasFlag(flags, MainItemFlag::Constant));
    EXPECT_TRUE(HasFlag(flags, MainItemFlag::Variable));
    EXPECT_TRUE(HasFlag(flags, MainItemFlag::BufferedBytes));
}

} // namespace
} // namespace quorlix
