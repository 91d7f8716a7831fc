#include "codegen/CHeader.h"

#include "support/TestDescriptors.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace quorlix {
namespace {

using test::HexBytes;

std::string Header(std::string_view hex, std::string_view prefix = "t")
{
    const std::vector<std::uint8_t> bytes = HexBytes(hex);
    std::ostringstream out;
    EXPECT_TRUE(WriteCHeader(out, bytes, prefix));
    return out.str();
}

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

TEST(WriteCHeader, RefusesAnEmptyDescriptorOrABadPrefixWritingNothing)
{
    const std::vector<std::uint8_t> mouse = HexBytes(test::kMouseHex);
    std::ostringstream out;
    EXPECT_FALSE(WriteCHeader(out, {}, "mouse"));
    EXPECT_FALSE(WriteCHeader(out, mouse, "mouse_"));
    EXPECT_FALSE(WriteCHeader(out, mouse, "2mouse"));
    EXPECT_EQ(out.str(), "");
}

TEST(WriteCHeader, RepeatedUsagesTakeNumberedNamesInOrder)
{
    const std::string header = Header("05 01 15 00 25 01 75 08 95 01 "
                                      "09 30 81 02 "  // X at bit 0
                                      "09 30 81 02 "  // X again at bit 8
                                      "09 30 81 02"); // and at bit 16
    EXPECT_TRUE(Has(header, "#define T_INPUT_X_OFFSET 0\n"));
    EXPECT_TRUE(Has(header, "#define T_INPUT_X_2_OFFSET 8\n"));
    EXPECT_TRUE(Has(header, "#define T_INPUT_X_3_OFFSET 16\n"));
    EXPECT_TRUE(Has(header, "static inline uint32_t t_input_x_3_get(const uint8_t *report)\n"));
}

TEST(WriteCHeader, ThousandsOfRepeatsOfOneNameAreNumberedInOneGo)
{
    // Numbering each repeat from _2 upwards took quadratic time: a 256 KiB descriptor of
    // repeated button ranges ran for many minutes.
    std::string hex = "05 01 75 01 95 01";
    for (int i = 0; i < 20000; ++i) {
        hex += " 09 30 81 02";
    }
    const std::string header = Header(hex);
    EXPECT_TRUE(Has(header, "#define T_INPUT_X_19999_OFFSET 19998\n"));
    EXPECT_TRUE(Has(header, "#define T_INPUT_X_20000_OFFSET 19999\n"));
    EXPECT_FALSE(Has(header, "T_INPUT_X_20001"));
}

TEST(WriteCHeader, ElementsSharingAUsageShareAnIndexedName)
{
    // Usage X, then Y for the two elements past the list's end: X alone, Y with two.
    const std::string header = Header("05 01 09 30 09 31 15 81 25 7F 75 08 95 03 81 02");
    EXPECT_TRUE(Has(header, "#define T_INPUT_X_COUNT 1\n"));
    EXPECT_TRUE(Has(header, "#define T_INPUT_Y_OFFSET 8\n#define T_INPUT_Y_SIZE 8\n"
                            "#define T_INPUT_Y_COUNT 2\n"));
    EXPECT_TRUE(Has(header, "static inline int32_t t_input_y_get(const uint8_t *report, "
                            "uint32_t element)\n{\n    if (element >= T_INPUT_Y_COUNT) {\n"
                            "        return 0;\n    }\n"));
}

TEST(WriteCHeader, AccessorsReadTheirOwnElement)
{
    // After 4 bits of padding, X and then two Y of 8 bits each: each accessor names the
    // offset and size of its own field, and an element steps by the element's size.
    const std::string header = Header("75 04 95 01 81 03 05 01 09 30 09 31 75 08 95 03 81 02");
    EXPECT_TRUE(Has(header, "#define T_INPUT_X_OFFSET 4\n#define T_INPUT_X_SIZE 8\n"));
    EXPECT_TRUE(Has(header, "#define T_INPUT_Y_OFFSET 12\n#define T_INPUT_Y_SIZE 8\n"));
    EXPECT_TRUE(Has(header, "    return t_read_bits(report, T_INPUT_X_OFFSET, T_INPUT_X_SIZE);\n"));
    EXPECT_TRUE(Has(header, "    return t_read_bits(report, T_INPUT_Y_OFFSET + element * "
                            "T_INPUT_Y_SIZE, T_INPUT_Y_SIZE);\n"));
    EXPECT_TRUE(Has(header, "    t_write_bits(report, T_INPUT_Y_OFFSET + element * "
                            "T_INPUT_Y_SIZE, T_INPUT_Y_SIZE, value);\n"));
}

TEST(WriteCHeader, AReportIdOfSeveralTopLevelCollectionsIsOneReport)
{
    const std::string header = Header("05 01 09 02 A1 01 85 01 09 30 75 04 95 01 81 02 C0 "
                                      "09 02 A1 01 85 01 09 31 75 08 81 02 C0");
    EXPECT_TRUE(Has(header, "/* Input report 1: 3 bytes, the report id in byte 0. */\n"
                            "/* Several top-level collections use this report id"));
    EXPECT_TRUE(Has(header, "#define T_INPUT_1_Y_OFFSET 12\n"));
}

TEST(WriteCHeader, ManyElementsKeepTheFirstUsageAsTheirName)
{
    // 100 buttons, each its own usage: too many to name one by one.
    const std::string header = Header("05 09 19 01 29 64 15 00 25 01 75 01 95 64 81 02");
    EXPECT_TRUE(Has(header, "/* Button 1 and the usages after it, logical 0 to 1 */\n"
                            "#define T_INPUT_BUTTON_1_OFFSET 0\n#define T_INPUT_BUTTON_1_SIZE 1\n"
                            "#define T_INPUT_BUTTON_1_COUNT 100\n"));
    EXPECT_FALSE(Has(header, "BUTTON_2"));
}

TEST(WriteCHeader, PaddingHasNoNameAndWideFieldsNoAccessors)
{
    const std::string header = Header("75 04 95 01 81 03 "             // 4 bits of padding
                                      "05 01 09 30 75 40 95 01 81 02 " // a 64-bit X
                                      "85 03 09 31 75 08 B1 02");      // Feature 3: Y
    EXPECT_FALSE(Has(header, "INPUT_FIELD"));
    EXPECT_TRUE(Has(header, "#define T_INPUT_X_OFFSET 4\n#define T_INPUT_X_SIZE 64\n"
                            "#define T_INPUT_X_COUNT 1\n/* No accessors"));
    EXPECT_FALSE(Has(header, "t_input_x_get"));
    EXPECT_TRUE(Has(header, "/* Input report: 9 bytes, not numbered. */\n"
                            "#define T_INPUT_ID 0\n#define T_INPUT_LENGTH 9\n"));
    EXPECT_TRUE(Has(header, "/* Feature report 3: 2 bytes, the report id in byte 0. */\n"
                            "#define T_FEATURE_3_ID 3\n#define T_FEATURE_3_LENGTH 2\n"));
    EXPECT_TRUE(Has(header, "#define T_FEATURE_3_Y_OFFSET 8\n"));
}

TEST(WriteCHeader, ArraysAreNamedAfterTheirPage)
{
    const std::string header = Header("05 07 19 00 29 65 15 00 25 65 75 08 95 06 81 00 " // keys
                                      "75 08 95 01 81 00");                              // no usage
    EXPECT_TRUE(Has(header, "/* Keyboard/Keypad array: each element a usage index, logical 0 "
                            "to 101 */\n#define T_INPUT_KEYBOARD_KEYPAD_ARRAY_OFFSET 0\n"));
    EXPECT_TRUE(Has(header, "#define T_INPUT_KEYBOARD_KEYPAD_ARRAY_COUNT 6\n"));
    EXPECT_TRUE(Has(header, "#define T_INPUT_ARRAY_OFFSET 48\n"));
}

TEST(WriteCHeader, EachItemIsOneLineOfTheArrayWithItsText)
{
    // A truncated last item keeps only the bytes the descriptor has.
    const std::string header = Header("05 01 09 30 26 FF", "pad");
    EXPECT_TRUE(Has(header, "static const uint8_t pad_report_descriptor[6] = {\n"
                            "    0x05, 0x01,                   /* GLOBAL_USAGE_PAGE(Generic "
                            "Desktop Controls) */\n"
                            "    0x09, 0x30,                   /* LOCAL_USAGE(X) */\n"
                            "    0x26, 0xFF,                   /* GLOBAL_LOCAL_MAXIMUM(255) */\n"
                            "};\n"));
}

} // namespace
} // namespace quorlix
