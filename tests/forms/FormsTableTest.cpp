#include "forms/DescriptorInput.h"

#include "forms/FormsTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

using namespace std::string_view_literals;

namespace quorlix {
namespace {

using test::HexOf;
using test::ReadText;

const std::string kDescriptors = QUORLIX_TEST_DATA_DIR "/descriptors/";
const std::string kForms = QUORLIX_TEST_DATA_DIR "/forms/";

// The corpus dumps are read independently of the code under test: blank-separated hex bytes.
std::string PlainDump(const std::string& name)
{
    std::ifstream in(kDescriptors + name + ".txt");
    std::string bytes;
    unsigned value = 0;
    while (in >> std::hex >> value) {
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

TEST(FormsTable, EachFormGivesTheOriginalBytesUnderAutoAndUnderItsOwnName)
{
    struct Case
    {
        const char* file;
        const char* descriptor;
        InputForm form;
        std::size_t descriptors;
    };
    const Case cases[] = {
        { "dualshock4-usb.bin", "dualshock4-usb", InputForm::Binary, 1 },
        { "dualshock4-usb.c.txt", "dualshock4-usb", InputForm::CSource, 1 },
        { "dualshock4-usb-utf16le-bom.c.txt", "dualshock4-usb", InputForm::CSource, 1 },
        { "dualshock4-usb-utf16le.c.txt", "dualshock4-usb", InputForm::CSource, 1 },
        { "dualshock4-usb-utf16be-bom.c.txt", "dualshock4-usb", InputForm::CSource, 1 },
        { "dualshock4-usb-utf8-bom.c.txt", "dualshock4-usb", InputForm::CSource, 1 },
        { "arduino-mouse.py.txt", "arduino-mouse", InputForm::CSource, 1 },
        { "dualshock4-usb.hid-recorder.txt", "dualshock4-usb", InputForm::HidRecorder, 1 },
        { "two-devices.hid-recorder.txt", "arduino-mouse", InputForm::HidRecorder, 2 },
        { "ms-natural-ergonomic-4000.usbhid-dump.txt", "ms-natural-ergonomic-4000-kbd",
          InputForm::UsbhidDump, 2 },
        { "synaptics-touchpad-i2c.xxd.txt", "synaptics-touchpad-i2c", InputForm::HexDump, 1 },
        { "synaptics-touchpad-i2c.hexdump-C.txt", "synaptics-touchpad-i2c", InputForm::HexDump, 1 },
        { "synaptics-touchpad-i2c.od.txt", "synaptics-touchpad-i2c", InputForm::HexDump, 1 },
        { "synaptics-touchpad-i2c.wireshark-dump.txt", "synaptics-touchpad-i2c", InputForm::HexDump,
          1 },
        // od -An and a Wireshark hex stream are plain hex text, which reads them exactly.
        { "synaptics-touchpad-i2c.od-An.txt", "synaptics-touchpad-i2c", InputForm::HexText, 1 },
        { "synaptics-touchpad-i2c.wireshark-stream.txt", "synaptics-touchpad-i2c",
          InputForm::HexText, 1 },
        { "logitech-unifying-4071.lsusb.txt", "logitech-unifying-4071", InputForm::Lsusb, 1 },
        { "hid-example-keyboard.saved-plain.txt", "hid-example-keyboard", InputForm::Saved, 1 },
        { "hid-example-keyboard.saved-c.txt", "hid-example-keyboard", InputForm::Saved, 1 },
        { "hid-example-keyboard.txt-hex.txt", "hid-example-keyboard", InputForm::Saved, 1 },
        // The firmware arrays of the corpus, "//" comments and all, are hex text.
        { "../descriptors/source-form/arduino-mouse.c.txt", "arduino-mouse", InputForm::HexText,
          1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string expected = HexOf(PlainDump(c.descriptor));
        ASSERT_FALSE(expected.empty());
        for (const InputForm asked : { InputForm::Auto, c.form }) {
            DescriptorInput input;
            const InputOutcome outcome = ReadDescriptorInput(kForms + c.file, { asked, 0 }, input);
            ASSERT_EQ(outcome.status, InputStatus::Ok) << DescribeInputOutcome(outcome);
            EXPECT_EQ(input.form, c.form);
            EXPECT_EQ(HexOf(input.bytes), expected);
            EXPECT_EQ(input.descriptors, c.descriptors);
            EXPECT_TRUE(input.warnings.empty());
            // Every text form tells where each byte came from; binary has no places.
            EXPECT_EQ(input.positions.size(), c.form == InputForm::Binary ? 0 : input.bytes.size());
        }
    }
}

TEST(FormsTable, IndexPicksAnotherDescriptorAndItsEvents)
{
    DescriptorInput input;
    ASSERT_EQ(
        ReadDescriptorInput(kForms + "two-devices.hid-recorder.txt", { InputForm::Auto, 1 }, input)
            .status,
        InputStatus::Ok);
    EXPECT_EQ(HexOf(input.bytes), HexOf(PlainDump("hid-example-keyboard")));
    EXPECT_EQ(input.index, 1u);
    ASSERT_EQ(input.events.size(), 2u);
    EXPECT_EQ(HexOf(input.events[0].bytes), "00 00 04 00 00 00 00 00");
    EXPECT_EQ(input.events[1].seconds, 0.002);
    EXPECT_EQ(input.events[1].line, 78u);

    ASSERT_EQ(ReadDescriptorInput(kForms + "ms-natural-ergonomic-4000.usbhid-dump.txt",
                                  { InputForm::Auto, 1 }, input)
                  .status,
              InputStatus::Ok);
    EXPECT_EQ(HexOf(input.bytes), HexOf(PlainDump("ms-natural-ergonomic-4000-consumer")));

    const InputOutcome beyond = ReadDescriptorInput(
        kForms + "ms-natural-ergonomic-4000.usbhid-dump.txt", { InputForm::Auto, 2 }, input);
    EXPECT_EQ(beyond.status, InputStatus::NoSuchIndex);
    EXPECT_EQ(DescribeInputOutcome(beyond),
              "no descriptor at index 2: the file holds 2 descriptors (--index 0 to 1)\n"
              "  0  interface 0  line 1  60 bytes  report descriptor\n"
              "  1  interface 1  line 5  86 bytes  report descriptor");
    EXPECT_EQ(input.candidates.size(), 2u);
    EXPECT_TRUE(input.bytes.empty());
    EXPECT_EQ(ReadText("05 01\n", InputForm::Auto, input, 1).status, InputStatus::NoSuchIndex);
}

TEST(FormsTable, EventsOfTheOnlyDeviceAreKept)
{
    DescriptorInput input;
    ASSERT_EQ(ReadDescriptorInput(kForms + "dualshock4-usb.hid-recorder.txt", {}, input).status,
              InputStatus::Ok);
    ASSERT_EQ(input.events.size(), 2u);
    EXPECT_EQ(input.events[1].seconds, 0.004012);
    EXPECT_EQ(HexOf(input.events[1].bytes), "01 7F 80 80 80 08 00 04 00 00");
}

TEST(FormsTable, BytesKnowTheirPlaceInEveryTextForm)
{
    struct Case
    {
        const char* name;
        std::string_view text;
        std::size_t byte;
        std::uint32_t line;
        std::uint32_t column;
    };
    const Case cases[] = {
        { "c-source literal", "uint8_t d[] = {\n  0x05, 1 /* x */, 161 };\n"sv, 2, 2, 20 },
        { "hid-recorder pair", "# x\nR: 2 05 01\n"sv, 1, 2, 9 },
        { "xxd group", "00000000: 0501 0902  ....\n"sv, 3, 1, 18 },
        { "lsusb data", "Item(Global): Logical Maximum, data= [ 0xff 0x00 ] 255\n"sv, 2, 1, 45 },
        { "lsusb prefix", "  Item(Main  ): End Collection, data=none\n"sv, 0, 1, 3 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DescriptorInput input;
        ASSERT_EQ(ReadText(c.text, InputForm::Auto, input).status, InputStatus::Ok);
        ASSERT_GT(input.positions.size(), c.byte);
        EXPECT_EQ(input.positions[c.byte].line, c.line);
        EXPECT_EQ(input.positions[c.byte].column, c.column);
    }
}

TEST(FormsTable, DumpsRepeatTheLinesAStarStandsFor)
{
    // od and hexdump -C write "*" for lines equal to the one before; the next offset says how
    // many there were.
    const std::string zeros = "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00";
    const std::string expected = zeros + " " + zeros + " " + zeros + " 05 01";
    struct Case
    {
        const char* name;
        std::string text;
    };
    const Case cases[] = {
        { "od -tx1", "0000000 " + zeros + "\n*\n0000060 05 01\n0000062\n" },
        { "hexdump -C", "00000000  00 00 00 00 00 00 00 00  00 00 00 00 00 00 00 00  "
                        "|................|\n*\n00000030  05 01  |..|\n00000032\n" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DescriptorInput input;
        ASSERT_EQ(ReadText(c.text, InputForm::Auto, input).status, InputStatus::Ok);
        EXPECT_EQ(input.form, InputForm::HexDump);
        EXPECT_EQ(HexOf(input.bytes), expected);
    }
}

TEST(FormsTable, WhatAFormCannotHoldIsAnErrorNamingItsPlace)
{
    struct Case
    {
        const char* name;
        std::string_view text;
        InputForm form;
        const char* message;
    };
    const Case cases[] = {
        { "a recorded count that disagrees", "# d\nN: x\nR: 3 05 01\n"sv, InputForm::Auto,
          "hid-recorder line 3: R: says 3 bytes, the line holds 2" },
        { "a recorded byte that is none", "R: 2 05 0g\n"sv, InputForm::HidRecorder,
          "hid-recorder line 1: \"0g\" at 1:9 is not a hex byte" },
        { "no R: line", "N: mouse\n"sv, InputForm::HidRecorder,
          "no R: line in this hid-recorder text" },
        { "a macro in the initializer",
          "static const uint8_t d[] = {\n    0x05, 0x01,\n    HID_USAGE_PAGE(HID_PAGE_DESKTOP),\n};\n"sv,
          InputForm::Auto, "HID_USAGE_PAGE(...) at 3:5 is a macro; its bytes are unknown" },
        { "a macro first", "const char d[] = { HID_USAGE_PAGE (1), 0x09 };\n"sv, InputForm::Auto,
          "HID_USAGE_PAGE(...) at 1:20 is a macro; its bytes are unknown" },
        { "a value over 255", "{ 0x05, 0x1FF }\n"sv, InputForm::Auto,
          "0x1FF at 1:9 is over 255; one element is one byte" },
        { "a named constant", "{ 0x85, REPORT_ID }\n"sv, InputForm::Auto,
          "REPORT_ID at 1:9 is an identifier; its value is unknown" },
        { "an initializer that never closes", "x = [0x05, 0x01,\n"sv, InputForm::Auto,
          "the initializer opened at 1:5 never closes" },
        { "a brace opened after the last element, with no initializer before it", "0{"sv,
          InputForm::CSource, "the initializer opened at 1:2 never closes" },
        { "a conditional inside", "{ 0x05,\n#if MOUSE\n 0x01 }\n"sv, InputForm::Auto,
          "the preprocessor line at 2:1 is inside the initializer; its bytes are unknown" },
        { "8 in an octal literal", "{ 5, 018 }\n"sv, InputForm::CSource,
          "\"018\" at 1:6 is not a number" },
        { "an empty binary file", ""sv, InputForm::Binary, "empty binary file" },
        { "a dump with a line missing",
          "00000000: 0501 0902 a101 8502 0901 a100 0509 1901  ................\n"
          "00000020: 0501 0930 0931 1581 257f 7508 9502 8106  ...0.1..%.u.....\n"sv,
          InputForm::Auto,
          "hexdump line 2: the offset 00000020 does not follow the 16 bytes before it" },
        { "no dump at all", "hello\n"sv, InputForm::HexDump,
          "hexdump line 1: not a dump of xxd, hexdump -C, od or Wireshark" },
        { "an lsusb length that disagrees",
          "Report Descriptor: (length is 3)\n  Item(Global): Usage Page, data= [ 0x01 ] 1\n"sv,
          InputForm::Auto, "lsusb line 1: the length is 3, the items make 2 bytes" },
        { "an lsusb item of unknown name", "  Item(Global): Page Usage, data= [ 0x01 ] 1\n"sv,
          InputForm::Auto,
          "lsusb line 1: \"Page Usage\" at 1:17 is no item name known here; its tag is unknown" },
        { "lsusb run without root",
          "Bus 001 Device 004: ID 046d:c077 Mouse\n      HID Device Descriptor:\n"
          "          wDescriptorLength      46\n         Report Descriptors: \n"
          "           ** UNAVAILABLE **\n"sv,
          InputForm::Auto,
          "no Report Descriptor items in this lsusb text (lsusb shows them only when run as root "
          "with the driver detached); the kernel gives the bytes in "
          "/sys/bus/hid/devices/*/report_descriptor" },
        { "a long item's row in a saved analysis",
          "Quorlix\r\nFerrowan x\r\n\r\n-----\r\n\r\n"
          "FE 00               \t\t//0   \tLONG\t\r\n"
          "C0                  \t\t//3   \tEND\t\r\n"sv,
          InputForm::Auto,
          "saved line 7: the row at offset 3 follows 2 bytes; the rows do not hold every byte" },
        { "a dump whose total disagrees", "total = 2\r\n0x05,//0\r\n"sv, InputForm::Auto,
          "saved line 1: total = 2, the lines hold 1 bytes" },
        { "a usbhid-dump block of other text",
          "001:005:000:DESCRIPTOR         1700000000.123456\n 05 01 zz\n"sv, InputForm::Auto,
          "usbhid-dump line 2: \"zz\" at 2:8 is not a hex byte" },
        { "UTF-16 of an odd length", "\xFF\xFE\x30\x00\x35"sv, InputForm::HexText,
          "UTF-16 text of an odd number of bytes" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DescriptorInput input;
        const InputOutcome outcome = ReadText(c.text, c.form, input);
        EXPECT_NE(outcome.status, InputStatus::Ok);
        EXPECT_EQ(DescribeInputOutcome(outcome), c.message);
        EXPECT_TRUE(input.bytes.empty());
        EXPECT_TRUE(input.positions.empty());
    }
}

TEST(FormsTable, AutoReadsBinaryOnlyBySignsTextNeverShows)
{
    DescriptorInput input;
    // A path under /sys is a kernel attribute, binary whatever its bytes look like.
    ASSERT_EQ(
        ReadDescriptorContent("05 01"sv, "/sys/bus/hid/devices/x/report_descriptor", {}, input)
            .status,
        InputStatus::Ok);
    EXPECT_EQ(input.form, InputForm::Binary);
    EXPECT_EQ(HexOf(input.bytes), "30 35 20 30 31");

    // Control bytes other than the white space of text.
    ASSERT_EQ(ReadText("\x05\x01\x09\x02"sv, InputForm::Auto, input).status, InputStatus::Ok);
    EXPECT_EQ(input.form, InputForm::Binary);
    EXPECT_EQ(HexOf(input.bytes), "05 01 09 02");
    ASSERT_EQ(ReadText("05 01\t\v\f\r\n"sv, InputForm::Auto, input).status, InputStatus::Ok);
    EXPECT_EQ(input.form, InputForm::HexText);

    // Asked for hex text, a NUL still ends its line as it always did.
    ASSERT_EQ(ReadText("05\0 01\n09\n"sv, InputForm::HexText, input).status, InputStatus::Ok);
    EXPECT_EQ(HexOf(input.bytes), "05 09");
}

TEST(FormsTable, HexTextInBracesStaysHexText)
{
    // Pairs of hex digits in braces are what a hex dump looks like; only C's own signs (a 0x
    // literal, a decimal of other than two digits, a macro call) make the text C.
    struct Case
    {
        std::string_view text;
        InputForm form;
        const char* bytes;
    };
    const Case cases[] = {
        { "{05, 01, 10}\n"sv, InputForm::HexText, "05 01 10" },
        { "{05, 01, A1}\n"sv, InputForm::HexText, "05 01 A1" },
        { "{5, 1, 161}\n"sv, InputForm::CSource, "05 01 A1" },
        { "{0x05, 10}\n"sv, InputForm::CSource, "05 0A" },
        { "0x05, 0x01, /* Usage Page (Desktop), */\n"sv, InputForm::CSource, "05 01" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        DescriptorInput input;
        ASSERT_EQ(ReadText(c.text, InputForm::Auto, input).status, InputStatus::Ok);
        EXPECT_EQ(input.form, c.form);
        EXPECT_EQ(HexOf(input.bytes), c.bytes);
    }
    // A block comment with nothing C-like beside it would lend its letters as digits: refused.
    DescriptorInput input;
    EXPECT_EQ(ReadText("/* c */ 05\n", InputForm::Auto, input).status, InputStatus::Refused);
    EXPECT_EQ(ReadText("/* c */ 05\n", InputForm::HexText, input).status, InputStatus::Ok);
    EXPECT_EQ(HexOf(input.bytes), "C0 05");
}

TEST(FormsTable, FormNamesGoBothWays)
{
    for (const InputForm form : { InputForm::Auto, InputForm::HexText, InputForm::CSource,
                                  InputForm::Binary, InputForm::HidRecorder, InputForm::UsbhidDump,
                                  InputForm::HexDump, InputForm::Lsusb, InputForm::Saved }) {
        EXPECT_EQ(InputFormFromName(InputFormName(form)), form);
    }
    EXPECT_EQ(InputFormName(InputForm::HidRecorder), "hid-recorder");
    EXPECT_FALSE(InputFormFromName("hex").has_value());
}

} // namespace
} // namespace quorlix
