#include "forms/DescriptorInput.h"

#include "forms/FormsTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

using namespace std::string_view_literals;

namespace quorlix {
namespace {

using test::HexOf;
using test::ReadText;

TEST(HexTextForm, PlainHexTextReadsByTheDesignedRule)
{
    struct Case
    {
        const char* name;
        std::string_view text;
        const char* bytes;
    };
    const Case cases[] = {
        { "C array line", "0x05, 0x01,  // USAGE_PAGE (Generic Desktop)\n"sv, "05 01" },
        { "plain dump", "05 01 09 02\n"sv, "05 01 09 02" },
        { "no separators needed", "050109\n"sv, "05 01 09" },
        { "digits in either case", "0X1F 0x1f\n"sv, "1F 1F" },
        { "a lone digit takes the next character as a low 0", "0x5, 0x1\n"sv, "50 10" },
        { "prefixes back to back", "0x0A0x0B\n"sv, "0A 0B" },
        { "letters a to f outside a comment", "USAGE_PAGE 05\n"sv, "A0 E0 A0 E0 05" },
        { "comment marker eaten as a low digit", "0x5// Usage\n"sv, "50 A0 E0" },
        { "block comments are data", "/* c */ 05\n"sv, "C0 05" },
        { "lone last digit of the file", "05 1"sv, "05" },
        { "prefix as the last two characters of the file", "0x"sv, "00" },
        { "upper-case X removes the digit before it", "05 1X2A\n"sv, "05 2A" },
        { "skipped separators and other scripts",
          "{\t0x05;\xEF\xBC\x8C"
          "0x01 }\r\n"sv,
          "05 01" },
        { "CR LF lines", "0x05, 0x01,\r\n0x09, 0x02,\r\n"sv, "05 01 09 02" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DescriptorInput input;
        EXPECT_EQ(ReadText(c.text, InputForm::HexText, input).status, InputStatus::Ok);
        EXPECT_EQ(input.form, InputForm::HexText);
        EXPECT_EQ(HexOf(input.bytes), c.bytes);
        EXPECT_EQ(input.descriptors, 1u);
        // Auto gives the same bytes, unless the reading took words or code as digits: then
        // what it read is not the descriptor, and auto refuses, naming the way to read it so.
        const bool warned = !input.warnings.empty();
        const InputOutcome automatic = ReadText(c.text, InputForm::Auto, input);
        if (warned) {
            EXPECT_EQ(automatic.status, InputStatus::Refused);
            EXPECT_NE(DescribeInputOutcome(automatic).find("--input hex-text"), std::string::npos);
            EXPECT_TRUE(input.bytes.empty());
        } else {
            EXPECT_EQ(automatic.status, InputStatus::Ok);
            EXPECT_EQ(HexOf(input.bytes), c.bytes);
        }
    }
}

TEST(HexTextForm, NothingToReadIsNoBytes)
{
    for (const std::string_view text : { ""sv, "// 05 01\n"sv, "zzz\n"sv, "05\0 01"sv }) {
        DescriptorInput input;
        const InputOutcome outcome = ReadText(text, InputForm::HexText, input);
        EXPECT_EQ(outcome.status, text == "05\0 01"sv ? InputStatus::Ok : InputStatus::NoBytes);
    }
    DescriptorInput input;
    EXPECT_EQ(DescribeInputOutcome(ReadText("// only\n", InputForm::Auto, input)), "no hex digits");
}

TEST(HexTextForm, EachByteKnowsTheLineAndColumnOfItsFirstDigit)
{
    DescriptorInput input;
    ASSERT_EQ(ReadText("0x05, 0x01,\n\t09 02\n", InputForm::HexText, input).status,
              InputStatus::Ok);
    ASSERT_EQ(input.positions.size(), 4u);
    EXPECT_EQ(input.positions[0].line, 1u);
    EXPECT_EQ(input.positions[0].column, 3u);
    EXPECT_EQ(input.positions[1].column, 9u);
    EXPECT_EQ(input.positions[2].line, 2u);
    EXPECT_EQ(input.positions[2].column, 2u);
    EXPECT_EQ(input.positions[3].column, 5u);
}

TEST(HexTextForm, LineOfAnyLengthIsReadWhole)
{
    // A Wireshark hex stream of 700 bytes: before the mend the pair at characters 1023 and 1024
    // was split, losing a nibble and shifting every later byte.
    std::string stream;
    std::string expected;
    for (int i = 0; i < 700; ++i) {
        constexpr char kDigits[] = "0123456789abcdef";
        stream += kDigits[(i % 256) >> 4];
        stream += kDigits[i % 16];
        expected += static_cast<char>(i % 256);
    }
    DescriptorInput input;
    ASSERT_EQ(ReadText(stream + "\n", InputForm::Auto, input).status, InputStatus::Ok);
    EXPECT_EQ(HexOf(input.bytes), HexOf(expected));

    // A comment longer than 1023 characters stays a comment to its end.
    const std::string comment = "//" + std::string(1021, 'z') + "05 01\n09\n";
    ASSERT_EQ(ReadText(comment, InputForm::Auto, input).status, InputStatus::Ok);
    EXPECT_EQ(HexOf(input.bytes), "09");
}

TEST(HexTextForm, WarnsWhereTextWasTakenAsData)
{
    struct Case
    {
        const char* name;
        std::string_view text;
        std::size_t warnings;
        std::uint32_t line;
        std::uint32_t column;
        const char* message;
    };
    const Case cases[] = {
        { "a declaration before the bytes", "static const uint8_t desc[] = {\n0x05, 0x01,\n};\n"sv,
          1, 1, 3, "the letters of \"static\" were taken as hex digits, 6 places in all" },
        { "a lone digit before a comma", "0x05,\n0x5, 0x1\n"sv, 1, 2, 3,
          "a lone digit took the character after it as its low digit (\"5,\"), 2 places in all" },
        { "the maker's name", "Ferrowan\n05 01\n"sv, 1, 1, 1,
          "the letters of \"Ferrowan\" were taken as hex digits, 2 places in all" },
        { "both kinds, each counted once", "Usage 0x5,\n"sv, 2, 1, 3,
          "the letters of \"Usage\" were taken as hex digits, 2 places in all" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DescriptorInput input;
        ASSERT_EQ(ReadText(c.text, InputForm::HexText, input).status, InputStatus::Ok);
        ASSERT_EQ(input.warnings.size(), c.warnings);
        EXPECT_EQ(input.warnings[0].line, c.line);
        EXPECT_EQ(input.warnings[0].column, c.column);
        EXPECT_EQ(input.warnings[0].message, c.message);
    }
    // Hex words and plain dumps are data as meant: no warning.
    for (const std::string_view text :
         { "05 01 A1 01 DEADBEEF\n"sv, "0x0A0x0B, 0X1F\n"sv, "050109\n"sv, "05h 01h\n"sv }) {
        DescriptorInput input;
        ASSERT_EQ(ReadText(text, InputForm::HexText, input).status, InputStatus::Ok);
        EXPECT_TRUE(input.warnings.empty()) << text;
    }
}

} // namespace
} // namespace quorlix
