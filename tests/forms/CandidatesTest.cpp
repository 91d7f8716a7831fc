#include "forms/DescriptorInput.h"
#include "forms/FormsTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace quorlix {
namespace {

using test::HexOf;
using test::ReadText;

// A firmware file in the shape many are: a device descriptor, a configuration written with
// macros, then the report descriptor; and a second report descriptor for another interface.
constexpr const char* kFirmware = R"(#include "usb.h"
static const uint8_t device_desc[] = { 0x12, 0x01, 0x00, 0x02, 0x00, 0x00 };
static const uint8_t config_desc[CONFIG_SIZE] = {
    0x09, USB_DESC_TYPE_CONFIGURATION, LOBYTE(CONFIG_SIZE), HIBYTE(CONFIG_SIZE),
};
__ALIGN_BEGIN static uint8_t mouse_report_desc[] __ALIGN_END = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0xC0
};
)";

constexpr const char* kSecond = R"(
const uint8_t kbd_report_desc[] = { 0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x81, 0x02, 0xC0 };
)";

TEST(Candidates, AutoTakesTheOnlyReportDescriptorAndListsTheOthers)
{
    DescriptorInput input;
    const InputOutcome outcome = ReadText(kFirmware, InputForm::Auto, input);
    ASSERT_EQ(outcome.status, InputStatus::Ok) << DescribeInputOutcome(outcome);
    EXPECT_EQ(input.form, InputForm::CSource);
    EXPECT_EQ(HexOf(input.bytes), "05 01 09 02 A1 01 75 08 95 01 81 02 C0");
    EXPECT_EQ(input.positions.front().line, 7u);
    EXPECT_EQ(input.index, 2u);
    ASSERT_EQ(input.candidates.size(), 3u);
    EXPECT_EQ(DescribeCandidate(input.candidates[0]),
              "0  device_desc  line 2  6 bytes  not a report descriptor");
    EXPECT_EQ(DescribeCandidate(input.candidates[1]),
              "1  config_desc  line 3  unreadable: USB_DESC_TYPE_CONFIGURATION at 4:11 is an "
              "identifier; its value is unknown");
    EXPECT_EQ(input.candidates[2].name, "mouse_report_desc");
    EXPECT_EQ(input.candidates[2].length, 13u);
    EXPECT_TRUE(input.candidates[2].reportDescriptor);
    EXPECT_FALSE(input.choice.empty());
}

TEST(Candidates, SeveralReportDescriptorsAreRefusedUntilOneIsChosen)
{
    const std::string text = std::string(kFirmware) + kSecond;
    DescriptorInput input;
    const InputOutcome refused = ReadText(text, InputForm::Auto, input);
    ASSERT_EQ(refused.status, InputStatus::Ambiguous);
    EXPECT_TRUE(input.bytes.empty());
    EXPECT_EQ(input.candidates.size(), 4u); // kept, so a chooser can offer them
    const std::string message = DescribeInputOutcome(refused);
    EXPECT_NE(message.find("2 of them parse as a report descriptor"), std::string::npos) << message;
    EXPECT_NE(message.find("3  kbd_report_desc  line 10  9 bytes  report descriptor"),
              std::string::npos)
        << message;

    ASSERT_EQ(
        ReadDescriptorContent(text, {}, { InputForm::Auto, {}, "kbd_report_desc" }, input).status,
        InputStatus::Ok);
    EXPECT_EQ(HexOf(input.bytes), "05 01 09 06 A1 01 81 02 C0");
    ASSERT_EQ(ReadText(text, InputForm::CSource, input, 2).status, InputStatus::Ok);
    EXPECT_EQ(input.bytes.size(), 13u);
    // An index reads what it names, report descriptor or not.
    ASSERT_EQ(ReadText(text, InputForm::Auto, input, 0).status, InputStatus::Ok);
    EXPECT_EQ(HexOf(input.bytes), "12 01 00 02 00 00");

    const InputOutcome unnamed =
        ReadDescriptorContent(text, {}, { InputForm::Auto, {}, "nothing" }, input);
    EXPECT_EQ(unnamed.status, InputStatus::NoSuchName);
    const InputOutcome unreadable = ReadText(text, InputForm::Auto, input, 1);
    EXPECT_EQ(unreadable.status, InputStatus::Malformed);
    EXPECT_NE(DescribeInputOutcome(unreadable).find("USB_DESC_TYPE_CONFIGURATION at 4:11"),
              std::string::npos);
}

TEST(Candidates, MacrosAloneAreRefusedByTheirNameAndPlace)
{
    constexpr const char* kMacros = R"(uint8_t const desc_hid_report[] =
{
  TUD_HID_REPORT_DESC_KEYBOARD( HID_REPORT_ID(1) ),
  TUD_HID_REPORT_DESC_MOUSE   ( HID_REPORT_ID(2) )
};
static char const *strings[] = { (const char[]) { 0x09, 0x04 }, "Vendor" };
)";
    DescriptorInput input;
    const InputOutcome outcome = ReadText(kMacros, InputForm::Auto, input);
    ASSERT_NE(outcome.status, InputStatus::Ok);
    EXPECT_NE(DescribeInputOutcome(outcome).find(
                  "TUD_HID_REPORT_DESC_KEYBOARD(...) at 3:3 is a macro; its bytes are unknown"),
              std::string::npos)
        << DescribeInputOutcome(outcome);
}

TEST(Candidates, ParsingAsAReportDescriptor)
{
    struct Case
    {
        const char* bytes;
        bool parses;
    };
    const Case cases[] = {
        { "05 01 09 02 A1 01 81 02 C0", true },
        { "06 00 FF 0A 01 00 A1 01 FE 02 00 11 22 C0", true }, // a long item inside
        { "09 04", false },                                    // no main item
        { "05 01 09 02 A1 01 81 02", false },                  // a collection left open
        { "05 01 81 02 C0", false },                           // an End Collection too many
        { "05 01 09 02 A1 01 81 02 C0 26 FF", false },         // the last item cut short
        { "12 01 00 02 00 00 00 40", false },                  // a device descriptor
        { "A1 01 05 01 C0", false },                           // no usage before it
        { "", false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        DescriptorInput input;
        std::string bytes;
        if (*c.bytes != '\0') {
            ASSERT_EQ(ReadText(c.bytes, InputForm::HexText, input).status, InputStatus::Ok);
            bytes = input.bytes;
        }
        EXPECT_EQ(ParsesAsReportDescriptor(bytes), c.parses);
    }
}

TEST(Candidates, EveryLiteralOfAnArrayIsReadUpToTheEndOfTheText)
{
    // The last literal has nothing after it: no comma, no brace, no line feed.
    const struct
    {
        const char* text;
        const char* bytes;
    } cases[] = {
        { "0x05, 0x01, 0x09, 0x02, 5, 1", "05 01 09 02 05 01" },
        { "5, 1", "05 01" },
        { "{ 0x05, 0x01 }", "05 01" },
        { "0x05,0x01,\n0xc0", "05 01 C0" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        DescriptorInput input;
        ASSERT_EQ(ReadText(c.text, InputForm::CSource, input).status, InputStatus::Ok);
        EXPECT_EQ(HexOf(input.bytes), c.bytes);
    }
}

TEST(Candidates, AReportDescriptorAfterUsbDescriptorsIsFoundByItsLength)
{
    // Device, configuration, interface, HID (report length 9), endpoint, then the report.
    const std::string blob = "uint8_t all[] = {\n"
                             " 0x12, 1, 0, 2, 0, 0, 0, 64, 0xEB, 3, 0, 0x24, 0, 1, 0, 0, 0, 1,\n"
                             " 9, 2, 34, 0, 1, 1, 0, 0x80, 50,\n"
                             " 9, 4, 0, 0, 1, 3, 1, 2, 0,\n"
                             " 9, 0x21, 0x10, 1, 0, 1, 0x22, LENGTH, 0,\n"
                             " 7, 5, 0x81, 3, 8, 0, 10,\n"
                             " 0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x81, 0x02, 0xC0 };\n";
    const auto withLength = [&](const char* length) {
        std::string text = blob;
        text.replace(text.find("LENGTH"), 6, length);
        return text;
    };
    DescriptorInput input;
    const InputOutcome found = ReadText(withLength("9"), InputForm::Auto, input);
    ASSERT_EQ(found.status, InputStatus::Ok) << DescribeInputOutcome(found);
    EXPECT_EQ(HexOf(input.bytes), "05 01 09 02 A1 01 81 02 C0");
    EXPECT_EQ(input.positions.front().line, 7u);
    EXPECT_NE(input.choice.find("as its HID descriptor says"), std::string::npos);
    // A length that does not lead to a report descriptor: refused, never the whole array.
    for (const char* length : { "8", "10", "200" }) {
        SCOPED_TRACE(length);
        const InputOutcome refused = ReadText(withLength(length), InputForm::Auto, input);
        EXPECT_EQ(refused.status, InputStatus::Malformed);
        EXPECT_NE(DescribeInputOutcome(refused).find("holds USB descriptors"), std::string::npos);
        EXPECT_TRUE(input.bytes.empty());
    }
    // --input hex-text reads the whole text by its lenient rule, as it always has.
    ASSERT_EQ(ReadText(withLength("200"), InputForm::HexText, input).status, InputStatus::Ok);
    EXPECT_EQ(input.bytes.size(), 64u);
    // This program's own dump of such a chain ("total = N" and a byte a line) holds exactly the
    // bytes it was given, and reads back as them under auto (found by fuzz_hex_text).
    const std::string chain("\x12\x01\x00\x02\x00\x00\x00\x40\xEB\x03\x00\x24\x00\x01\x00\x00"
                            "\x00\x01\x09\x02\x22\x00\x01\x01\x00\x80\x32\x09\x04\x00\x00\x01"
                            "\x03\x01\x02\x00\x09\x21\x10\x01\x00\x01\x22\xC8\x00\x07\x05\x81"
                            "\x03\x08\x00\x0A\x05\x01\x09\x02\xA1\x01\x81\x02\xC0",
                            59);
    ASSERT_EQ(ReadText(chain, InputForm::Auto, input).status, InputStatus::Malformed);
    std::string dump = "total = " + std::to_string(chain.size()) + "\n";
    for (std::size_t i = 0; i < chain.size(); ++i) {
        static constexpr char kDigits[] = "0123456789ABCDEF";
        const auto byte = static_cast<unsigned char>(chain[i]);
        dump += std::string("0x") + kDigits[byte >> 4] + kDigits[byte & 15] + ",//" +
                std::to_string(i) + "\n";
    }
    const InputOutcome dumped = ReadText(dump, InputForm::Auto, input);
    ASSERT_EQ(dumped.status, InputStatus::Ok) << DescribeInputOutcome(dumped);
    EXPECT_EQ(input.form, InputForm::Saved);
    EXPECT_EQ(input.bytes, chain);
    // A report descriptor that starts as a configuration descriptor would (09 02 is Usage
    // (Mouse)) and does not parse, its End Collection missing, is read as it is for check to
    // say what is wrong.
    const InputOutcome broken = ReadText("09 02 A1 01 05 01 09 30 81 02\n", InputForm::Auto, input);
    ASSERT_EQ(broken.status, InputStatus::Ok) << DescribeInputOutcome(broken);
    EXPECT_EQ(HexOf(input.bytes), "09 02 A1 01 05 01 09 30 81 02");
}

TEST(Candidates, WhatPeoplePasteAroundTheBytesIsNoPartOfThem)
{
    const struct
    {
        const char* name;
        const char* text;
        InputForm form;
    } cases[] = {
        { "prompt above usbhid-dump",
          "$ sudo usbhid-dump -d 1d50:615e\n"
          "005:013:000:DESCRIPTOR         1744574422.718624\n"
          " 05 01 09 02 A1 01 81 02 C0\n\n",
          InputForm::UsbhidDump },
        { "prompt above lsusb",
          "# lsusb -v -s 3:2\n\nBus 003 Device 002: ID 045e:0040 Mouse\n"
          "      Report Descriptor: (length is 9)\n"
          "        Item(Global): Usage Page, data= [ 0x01 ] 1\n"
          "        Item(Local ): Usage, data= [ 0x02 ] 2\n"
          "        Item(Main  ): Collection, data= [ 0x01 ] 1\n"
          "        Item(Main  ): Input, data= [ 0x02 ] 2\n"
          "        Item(Main  ): End Collection, data=none\n",
          InputForm::Lsusb },
        { "indented hexdump -C",
          "  00000000  05 01 09 02 a1 01 81 02  c0                       "
          "|.........|\n  00000009\n",
          InputForm::HexDump },
        { "Java casts",
          "static final byte[] DESC = {\n  (byte) 0x05, (byte) 0x01, (byte)0x09, "
          "(byte) 0x02,\n  (byte) 0xA1, (byte) 0x01, (byte) 0x81, (byte) 0x02, "
          "(byte) 0xC0 };\n",
          InputForm::CSource },
        { "Kotlin toByte",
          "val desc = byteArrayOf(0x05.toByte(), 0x01, 0x09, 0x02, "
          "0xA1.toByte(), 0x01, 0x81.toByte(), 0x02, 0xC0.toByte())\n",
          InputForm::CSource },
        { "CircuitPython bytes",
          "import usb_hid\nDESC = bytes((\n    0x05, 0x01,  # Usage Page\n"
          "    0x09, 0x02, 0xA1, 0x01, 0x81, 0x02, 0xC0,\n))\n",
          InputForm::CSource },
        { "Python tuple",
          "DESC = (\n    0x05, 0x01,  # Usage Page\n    0x09, 0x02, 0xA1, 0x01,\n"
          "    0x81, 0x02, 0xC0,\n)\nsize = (1 + 2)\nif a == (3, 4): pass\n",
          InputForm::CSource },
        { "Python fromhex", "DESC = bytearray.fromhex(\"05 01 09 02 a1 01 81 02 c0\")\n",
          InputForm::CSource },
        { "Python bytes literals over lines",
          "DESC = (b\"\\x05\\x01\\t\\x02\"\n        b'\\xa1\\x01\\x81\\x02\\xc0')\n",
          InputForm::CSource },
        { "C# array",
          "static readonly byte[] Desc = new byte[] { 0x05, 0x01, 0x09, 0x02, "
          "0xA1, 0x01, 0x81, 0x02, 0xC0 };\n",
          InputForm::CSource },
        { "Go slice",
          "var desc = []byte{\n\t0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x81, 0x02, 0xC0,\n}\n",
          InputForm::CSource },
        { "TypeScript decimals", "const desc: number[] = [5, 1, 9, 2, 161, 1, 129, 2, 192];\n",
          InputForm::CSource },
        { "JSON", "{\"descriptor\": [5, 1, 9, 2, 161, 1, 129, 2, 192]}\n", InputForm::CSource },
        { "literals without braces", "0x5, 0x1, 0x9, 0x2, 0xa1, 0x1, 0x81, 0x2, 0xc0\n",
          InputForm::CSource },
        { "decimals without braces", "5, 1, 9, 2, 161, 1, 129, 2, 192\n", InputForm::CSource },
        { "IAR DC8 listing",
          "// const U8 desc[] = {\ndesc:\n        DATA\n        DC8 5, 1, 9, 2, 161, 1\n"
          "        DC8 129, 2, 192\n",
          InputForm::CSource },
        { "GNU assembler",
          "desc:\n  .byte 0x05, 0x01, 0x09, 0x02 ; usage\n  .byte 0xa1, 0x01, 0x81, 0x02, 0xc0\n",
          InputForm::CSource },
        { "item listing",
          "05 01        Usage Page (Generic Desktop)\n09 02        Usage (Mouse)\n"
          "A1 01        Collection (Application)\n81 02        Input (Data,Var,Abs)\n"
          "C0           End Collection\n",
          InputForm::HexText },
        { "mail quoting", "> 05 01 09 02\n> a1 01 81 02 c0\n", InputForm::HexText },
        { "Markdown fence and prose",
          "Here is what my device sends:\n\n```\n05 01 09 02 a1 01\n81 02 c0\n```\n\nThanks!\n",
          InputForm::HexText },
        { "prose around an indented dump",
          "The descriptor reads\n\n    00000000: 0501 0902 a101 8102 c0    .........\n\n"
          "Any idea why?\n",
          InputForm::HexDump },
        { "CR line ends",
          "uint8_t d[] = {\r  0x05, 0x01, 0x09, 0x02,\r  0xa1, 0x01, 0x81, 0x02, 0xc0 };\r",
          InputForm::CSource },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DescriptorInput input;
        const InputOutcome outcome = ReadText(c.text, InputForm::Auto, input);
        ASSERT_EQ(outcome.status, InputStatus::Ok) << DescribeInputOutcome(outcome);
        EXPECT_EQ(input.form, c.form);
        EXPECT_EQ(HexOf(input.bytes), "05 01 09 02 A1 01 81 02 C0");
        EXPECT_TRUE(input.warnings.empty());
    }
    DescriptorInput input;
    EXPECT_EQ(ReadText("<?xml version=\"1.0\"?>\n<descriptor><usage_page>desktop</usage_page>"
                       "</descriptor>\n",
                       InputForm::Auto, input)
                  .status,
              InputStatus::Refused);
}

// A candidate's name is what the array is assigned to on its own statement, never a word of a
// comment above it or of code before it.
TEST(Candidates, NamesComeFromTheDeclarationOnly)
{
    const std::string brackets = "/// See <https://example.org/hid.pdf>\n"
                                 "pub const BOOT_MOUSE: &[u8] = &[\n    0x05, 0x01, 0x09, 0x02, "
                                 "0xA1, 0x01, 0x81, 0x02, 0xC0,\n];\n"
                                 "def report():\n    x = 1\n    return [0x05, 0x01, 0x09, 0x06, "
                                 "0xA1, 0x01, 0x81, 0x02, 0xC0]\n";
    DescriptorInput input;
    EXPECT_EQ(ReadText(brackets, InputForm::Auto, input).status, InputStatus::Ambiguous);
    ASSERT_EQ(input.candidates.size(), 2u);
    EXPECT_EQ(input.candidates[0].name, "BOOT_MOUSE");
    EXPECT_EQ(input.candidates[1].name, "");
    // The brace on a line of its own takes the declaration on the line above.
    const std::string brace = "/* size = 9 */\nstatic const uint8_t kbd[] =\n{ 0x05, 0x01, 0x09, "
                              "0x06, 0xA1, 0x01, 0x81, 0x02, 0xC0 };\n";
    ASSERT_EQ(ReadText(brace, InputForm::Auto, input).status, InputStatus::Ok);
    EXPECT_EQ(input.candidates.at(0).name, "kbd");
}

// Dumps whose groups are words in the writing machine's byte order read as the bytes swapped;
// they are refused, naming the option that writes bytes in order, and never read.
TEST(Candidates, WordOrderDumpsAreRefusedNamingTheByteOrderOption)
{
    const struct
    {
        const char* name;
        const char* text;
        const char* option;
    } cases[] = {
        { "od -x", "0000000 0105 0209 01a1 0281 00c0\n0000012\n", "od -An -tx1" },
        { "od -An -x", " 0105 0209 01a1 0281 00c0\n", "od -An -tx1" },
        { "hexdump", "0000000 0105 0209 01a1 0281 00c0\n000000a\n", "hexdump -C" },
        { "xxd -e", "00000000: 02090105 028101a1 000000c0             ..........\n", "xxd -g1" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DescriptorInput input;
        const InputOutcome outcome = ReadText(c.text, InputForm::Auto, input);
        EXPECT_EQ(outcome.status, InputStatus::Malformed);
        EXPECT_NE(DescribeInputOutcome(outcome).find(c.option), std::string::npos)
            << DescribeInputOutcome(outcome);
        EXPECT_TRUE(input.bytes.empty());
    }
    // xxd's own groups of two bytes are in order.
    DescriptorInput input;
    ASSERT_EQ(
        ReadText("00000000: 0501 0902 a101 8102 c0  .........\n", InputForm::Auto, input).status,
        InputStatus::Ok);
    EXPECT_EQ(HexOf(input.bytes), "05 01 09 02 A1 01 81 02 C0");
}

// UTF-16 without a byte-order mark, in either order, holding a character outside ASCII (as a
// comment's accented name does) is text, not a binary descriptor.
TEST(Candidates, Utf16WithoutAMarkIsReadAsText)
{
    const std::string source = "// Ren\xE9\nconst uint8_t d[] = { 0x05, 0x01, 0x09, 0x02, 0xA1, "
                               "0x01, 0x81, 0x02, 0xC0 };\n";
    for (const bool bigEndian : { false, true }) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        std::string units;
        for (const char c : source) {
            units.push_back(bigEndian ? '\0' : c);
            units.push_back(bigEndian ? c : '\0');
        }
        DescriptorInput input;
        const InputOutcome outcome = ReadText(units, InputForm::Auto, input);
        ASSERT_EQ(outcome.status, InputStatus::Ok) << DescribeInputOutcome(outcome);
        EXPECT_EQ(input.form, InputForm::CSource);
        EXPECT_EQ(HexOf(input.bytes), "05 01 09 02 A1 01 81 02 C0");
    }
}

TEST(Candidates, PlainDumpsApartAreTwoDescriptorsOnlyWhenEachIsOne)
{
    DescriptorInput input;
    const char* two = "05 01 09 02 a1 01 81 02 c0\n\n05 01 09 06 a1 01 81 02 c0\n";
    EXPECT_EQ(ReadText(two, InputForm::Auto, input).status, InputStatus::Ambiguous);
    ASSERT_EQ(input.candidates.size(), 2u);
    EXPECT_EQ(input.candidates[1].line, 3u);
    ASSERT_EQ(ReadText(two, InputForm::Auto, input, 1).status, InputStatus::Ok);
    EXPECT_EQ(HexOf(input.bytes), "05 01 09 06 A1 01 81 02 C0");
    // One descriptor with a blank line inside its dump stays whole, and hex-text as designed
    // reads everything as one.
    ASSERT_EQ(ReadText("05 01 09 02 a1 01\n\n81 02 c0\n", InputForm::Auto, input).status,
              InputStatus::Ok);
    EXPECT_EQ(input.bytes.size(), 9u);
    ASSERT_EQ(ReadText(two, InputForm::HexText, input).status, InputStatus::Ok);
    EXPECT_EQ(input.bytes.size(), 18u);
}

// Words beside bytes are never read as bytes: a listing line whose bytes do not make its item,
// prose that is no dump, and a Python string of other bytes are refused.
TEST(Candidates, TextThatOnlyLooksLikeBytesIsRefused)
{
    const char* cases[] = {
        "x = bytes((",        // a call opened at the very end of the text
        "char d[2] = { };\n", // an array's size is no byte
        "d[0] = 5;\nd[1] = 1;\n",
        "05 01        Usage Page (Generic Desktop)\n26 FF        Logical Maximum (255)\n",
        "Here is my descriptor, can anyone help\nwith it?\n",
        "print(b\"hello\")\n",
        "Report below:\n\n```\nAdd 0a 0b\n```\n",
    };
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        DescriptorInput input;
        EXPECT_EQ(ReadText(text, InputForm::Auto, input).status, InputStatus::Refused);
        EXPECT_TRUE(input.bytes.empty());
    }
}

// Arrays that all turn out empty hold no descriptor: that is said as such, never as a choice
// among none (found by fuzz_forms).
TEST(Candidates, ArraysThatAreAllEmptyHoldNoBytes)
{
    for (const char* text : { "bytes(()bytes(()", "x = bytes(())\ny = bytes(())\n" }) {
        SCOPED_TRACE(text);
        DescriptorInput input;
        const InputOutcome outcome = ReadText(text, InputForm::CSource, input);
        EXPECT_EQ(outcome.status, InputStatus::NoBytes) << outcome.message;
        EXPECT_TRUE(input.bytes.empty());
        EXPECT_TRUE(input.candidates.empty());
    }
}

} // namespace
} // namespace quorlix
