#include "codegen/BitHelpers.h"

#include "support/TestDescriptors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorlix {
namespace {

using test::HexBytes;

// These run the very C text every header carries, compiled into the codegen library.

TEST(HeaderBitHelpers, ReadTakesTheBitsAtEveryShift)
{
    // An 11-bit value 0x5A3 after k bits that are all ones, for k = 1 to 7.
    struct Case
    {
        std::uint32_t shift;
        const char* report;
    };
    const Case cases[] = {
        { 1, "47 0B" }, { 2, "8F 16" },    { 3, "1F 2D" },    { 4, "3F 5A" },
        { 5, "7F B4" }, { 6, "FF 68 01" }, { 7, "FF D1 02" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.report);
        const std::vector<std::uint8_t> report = HexBytes(c.report);
        EXPECT_EQ(HeaderReadBits(report.data(), c.shift, 11), 0x5A3u);
    }
    const std::vector<std::uint8_t> full = HexBytes("FF 01 02 03 04");
    EXPECT_EQ(HeaderReadBits(full.data(), 8, 32), 0x04030201u);
}

TEST(HeaderBitHelpers, SignedReadsAreTwosComplementOfTheirWidth)
{
    const std::vector<std::uint8_t> report = HexBytes("0F 80 FF FF FF 7F");
    EXPECT_EQ(HeaderReadSignedBits(report.data(), 4, 12), -2048);
    EXPECT_EQ(HeaderReadSignedBits(report.data(), 0, 4), -1);
    EXPECT_EQ(HeaderReadSignedBits(report.data(), 16, 32), 0x7FFFFFFF);
    EXPECT_EQ(HeaderReadSignedBits(report.data(), 4, 4), 0);
}

TEST(HeaderBitHelpers, WriteChangesOnlyItsOwnBits)
{
    std::vector<std::uint8_t> ones = HexBytes("FF FF FF");
    HeaderWriteBits(ones.data(), 3, 11, 0);
    EXPECT_EQ(ones, HexBytes("07 C0 FF"));
    std::vector<std::uint8_t> zeros = HexBytes("00 00 00");
    HeaderWriteBits(zeros.data(), 5, 11, 0xFFFFF5A3); // bits above the 11 are left out
    EXPECT_EQ(zeros, HexBytes("60 B4 00"));
}

TEST(HeaderBitHelpers, TheTextCarriesThePrefixInEveryName)
{
    const std::string text = BitHelpersText("kbd");
    EXPECT_NE(text.find("static inline uint32_t kbd_read_bits(const uint8_t *report"),
              std::string::npos);
    EXPECT_NE(text.find("= kbd_read_bits(report, bitOffset, bitSize);"), std::string::npos);
    EXPECT_NE(text.find("static inline void kbd_write_bits("), std::string::npos);
    EXPECT_EQ(text.find("PREFIX"), std::string::npos);
}

} // namespace
} // namespace quorlix
