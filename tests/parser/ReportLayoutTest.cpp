#include "parser/ReportLayout.h"

#include "support/TestDescriptors.h"

#include <gtest/gtest.h>

namespace quorlix {
namespace {

using test::HexBytes;

LayoutTexts Layout(std::string_view hex)
{
    DeviceDescription description;
    const std::vector<std::uint8_t> bytes = HexBytes(hex);
    ParseOptions options;
    options.debugOut = nullptr;
    (void)ParseDescriptor(bytes.data(), bytes.size(), description, options);
    LayoutTexts texts;
    BuildLayoutTexts(description, texts, nullptr);
    return texts;
}

std::u16string Wide(std::string_view ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

TEST(ReportLayout, MouseDetailAndSummaryTexts)
{
    const LayoutTexts texts = Layout(test::kMouseHex);
    const std::string header = "----Col_1---USAGE_PAGE:1----USAGE:2-----\r\n"
                               "\tReportID=0(0)\r\n"
                               "\tReportContentSize=3 Bytes(24 Bits)\r\n"
                               "\tReportType=1(InputReport)\r\n";
    EXPECT_EQ(texts.summary, Wide(header));
    const std::string fields =
        "[0]\tByteoffset=0\r\n\tBitCount=1\r\n\tShift=0\r\n\tUsageMinimum=00090001\r\n"
        "\tUsageMaximum=00090001\r\n"
        "[1]\tByteoffset=0\r\n\tBitCount=1\r\n\tShift=1\r\n\tUsageMinimum=00090002\r\n"
        "\tUsageMaximum=00090002\r\n"
        "[2]\tByteoffset=0\r\n\tBitCount=1\r\n\tShift=2\r\n\tUsageMinimum=00090003\r\n"
        "\tUsageMaximum=00090003\r\n"
        "[3]\tByteoffset=0\r\n\tBitCount=5\r\n\tShift=3\r\n\tUsageMinimum=00090000\r\n"
        "\tUsageMaximum=00090000\r\n"
        "[4]\tByteoffset=1\r\n\tBitCount=8\r\n\tShift=0\r\n\tUsageMinimum=00010030\r\n"
        "\tUsageMaximum=00010030\r\n"
        "[5]\tByteoffset=2\r\n\tBitCount=8\r\n\tShift=0\r\n\tUsageMinimum=00010031\r\n"
        "\tUsageMaximum=00010031\r\n";
    EXPECT_EQ(texts.detail, Wide(header + fields));
    EXPECT_FALSE(texts.truncated);
}

TEST(ReportLayout, HeadersOfReportIdsTypesAndSizes)
{
    const LayoutTexts texts =
        Layout("09 01 A1 01 85 1A 75 0C 95 01 91 02 A1 00 B1 02 C0 C0 A1 02 C0");
    EXPECT_EQ(texts.summary, Wide("----Col_1---USAGE_PAGE:0----USAGE:1-----\r\n"
                                  "\tReportID=26(1A)\r\n\tReportContentSize=2 Bytes(12 Bits)\r\n"
                                  "\tReportType=2(OutputReport)\r\n"
                                  "\tReportID=26(1A)\r\n\tReportContentSize=2 Bytes(12 Bits)\r\n"
                                  "\tReportType=4(FeatuerReport)\r\n"
                                  "----Col_2---USAGE_PAGE:0----USAGE:0-----\r\n"));
}

TEST(ReportLayout, DepthFirstOwnReportsBeforeChildren)
{
    const LayoutTexts texts = Layout("A1 01 A1 00 85 02 75 08 95 01 81 02 C0 85 01 81 02 C0");
    const std::u16string& summary = texts.summary;
    EXPECT_LT(summary.find(u"ReportID=1(1)"), summary.find(u"ReportID=2(2)"));
}

TEST(ReportLayout, NumbersAtTheirExtremesReadAsPrintfWritesThem)
{
    // A 2^31-bit field pushes the report's bit size past the signed range, and it still shows
    // in full, as does the field's size; id 255 shows as FF, a four-byte usage with all bits
    // set as eight lower-case digits.
    const LayoutTexts texts = Layout("A1 01          // Collection (Application), no usage\n"
                                     "85 FF          // Report ID 255\n"
                                     "0B FF FF FF FF // Usage 0xFFFFFFFF\n"
                                     "77 00 00 00 80 // Report Size 2^31\n"
                                     "95 01 81 02    // Report Count 1, Input\n"
                                     "75 10 81 02    // Report Size 16, Input\n"
                                     "C0");
    const std::string header = "----Col_1---USAGE_PAGE:0----USAGE:0-----\r\n"
                               "\tReportID=255(FF)\r\n"
                               "\tReportContentSize=268435458 Bytes(2147483664 Bits)\r\n"
                               "\tReportType=1(InputReport)\r\n";
    EXPECT_EQ(texts.summary, Wide(header));
    EXPECT_EQ(
        texts.detail,
        Wide(
            header +
            "[0]\tByteoffset=0\r\n\tBitCount=2147483648\r\n\tShift=0\r\n\tUsageMinimum=ffffffff\r\n"
            "\tUsageMaximum=ffffffff\r\n"
            "[1]\tByteoffset=268435456\r\n\tBitCount=16\r\n\tShift=0\r\n"
            "\tUsageMinimum=00000000\r\n\tUsageMaximum=00000000\r\n"));
}

TEST(ReportLayout, TextsStopAtTheirBound)
{
    // 262144 one-bit fields, as many as a parse keeps, write more than the bound allows.
    const LayoutTexts texts = Layout("A1 01 75 01 97 00 00 04 00 81 02 C0");
    EXPECT_TRUE(texts.truncated);
    EXPECT_LE(texts.detail.size(), kMaxLayoutTextChars);
    EXPECT_EQ(texts.detail.substr(texts.detail.size() - 2), u"\r\n");
}

} // namespace
} // namespace quorlix
