#include "reports/DecodeReport.h"

#include "reports/ReportTestSupport.h"
#include "support/TestDescriptors.h"

#include <gtest/gtest.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorlix {
namespace {

using test::HexBytes;
using test::RealDescriptor;

// Decodes bytes into decoded; gives why they were not decoded, "" when they were.
std::string Decode(const ReportModel& model, ReportType type, std::span<const std::uint8_t> bytes,
                   DecodedReport& decoded)
{
    const auto result = DecodeReport(model, type, bytes, decoded);
    return result ? std::string() : DecodeErrorText(result.Error());
}

// What one entry should show: a variable element's usage and values, or an array's usages.
struct Expected
{
    std::uint32_t usage;
    std::uint64_t raw;
    std::optional<std::int64_t> logical; // nullopt: the null state
    std::optional<double> physical;
    std::vector<std::uint32_t> active = {};
    bool isArray = false;
};

Expected Array(std::vector<std::uint32_t> active)
{
    return { 0, 0, 0, std::nullopt, std::move(active), true };
}

void ExpectEntries(const DecodedReport& decoded, const std::vector<Expected>& expected)
{
    ASSERT_EQ(decoded.entries.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        const DecodedEntry& entry = decoded.entries[i];
        const Expected& want = expected[i];
        ASSERT_EQ(entry.isArray, want.isArray);
        if (entry.isArray) {
            const std::vector<std::uint32_t> active(decoded.active.begin() + entry.firstActive,
                                                    decoded.active.begin() + entry.firstActive +
                                                        entry.activeCount);
            EXPECT_EQ(active, want.active);
            continue;
        }
        EXPECT_EQ(entry.usage, want.usage);
        EXPECT_EQ(entry.raw, want.raw);
        EXPECT_EQ(entry.isNull, !want.logical.has_value());
        if (want.logical) {
            EXPECT_EQ(entry.logical, *want.logical);
        }
        EXPECT_EQ(entry.hasPhysical, want.physical.has_value());
        if (want.physical && entry.hasPhysical) {
            EXPECT_DOUBLE_EQ(entry.physical, *want.physical);
        }
    }
}

TEST(DecodeReport, RealDescriptorsWithHandDecodedReports)
{
    struct Case
    {
        const char* name;
        const char* descriptor;
        ReportType type;
        const char* report;
        std::vector<Expected> entries;
    };
    const Case cases[] = {
        { "mouse: buttons 1 and 3, X -5, Y 2, wheel -1, id 1 first",
          "arduino-mouse",
          ReportType::Input,
          "01 05 FB 02 FF",
          { { 0x90001, 1, 1, std::nullopt },
            { 0x90002, 0, 0, std::nullopt },
            { 0x90003, 1, 1, std::nullopt },
            { 0x10030, 0xFB, -5, std::nullopt },
            { 0x10031, 0x02, 2, std::nullopt },
            { 0x10038, 0xFF, -1, std::nullopt } } },
        { "keyboard: both shifts held, a and b pressed",
          "hid-example-keyboard",
          ReportType::Input,
          "22 00 04 05 00 00 00 00",
          { { 0x700E0, 0, 0, std::nullopt },
            { 0x700E1, 1, 1, std::nullopt },
            { 0x700E2, 0, 0, std::nullopt },
            { 0x700E3, 0, 0, std::nullopt },
            { 0x700E4, 0, 0, std::nullopt },
            { 0x700E5, 1, 1, std::nullopt },
            { 0x700E6, 0, 0, std::nullopt },
            { 0x700E7, 0, 0, std::nullopt },
            Array({ 0x70004, 0x70005 }) } },
        { "keyboard: nothing pressed",
          "hid-example-keyboard",
          ReportType::Input,
          "00 00 00 00 00 00 00 00",
          { { 0x700E0, 0, 0, std::nullopt },
            { 0x700E1, 0, 0, std::nullopt },
            { 0x700E2, 0, 0, std::nullopt },
            { 0x700E3, 0, 0, std::nullopt },
            { 0x700E4, 0, 0, std::nullopt },
            { 0x700E5, 0, 0, std::nullopt },
            { 0x700E6, 0, 0, std::nullopt },
            { 0x700E7, 0, 0, std::nullopt },
            Array({}) } },
        { "keyboard LEDs: num lock and caps lock, then three padding bits",
          "hid-example-keyboard",
          ReportType::Output,
          "03",
          { { 0x80001, 1, 1, std::nullopt },
            { 0x80002, 1, 1, std::nullopt },
            { 0x80003, 0, 0, std::nullopt },
            { 0x80004, 0, 0, std::nullopt },
            { 0x80005, 0, 0, std::nullopt } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ReportModel model = BuildReportModel(RealDescriptor(c.descriptor));
        DecodedReport decoded;
        ASSERT_EQ(Decode(model, c.type, HexBytes(c.report), decoded), "");
        ExpectEntries(decoded, c.entries);
    }
}

TEST(DecodeReport, GamePadHatSwitchHasANullState)
{
    // Stadia controller, report 3: hat switch 0-7 over 0-315 degrees with a null state, then 15
    // buttons declared in a list, X, Y, Z, Rz, brake and accelerator.
    const ReportModel model = BuildReportModel(RealDescriptor("stadia-usb"));
    struct Case
    {
        const char* name;
        const char* report;
        Expected hat;
    };
    const Case cases[] = {
        { "right is 90 degrees", "03 02 01 00 80 7F 00 FF 10 20", { 0x10039, 2, 2, 90.0 } },
        { "8 is outside 0-7: the null state",
          "03 08 01 00 80 7F 00 FF 10 20",
          { 0x10039, 8, std::nullopt, std::nullopt } },
        { "the constant high nibble is left out",
          "03 F7 01 00 80 7F 00 FF 10 20",
          { 0x10039, 7, 7, 315.0 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DecodedReport decoded;
        ASSERT_EQ(Decode(model, ReportType::Input, HexBytes(c.report), decoded), "");
        EXPECT_EQ(decoded.reportId, 3);
        ASSERT_EQ(decoded.entries.size(), 1u + 15u + 6u);
        ExpectEntries(decoded, { c.hat,
                                 { 0x90012, 1, 1, std::nullopt },
                                 { 0x90011, 0, 0, std::nullopt },
                                 { 0x90014, 0, 0, std::nullopt },
                                 { 0x90013, 0, 0, std::nullopt },
                                 { 0x9000D, 0, 0, std::nullopt },
                                 { 0x9000C, 0, 0, std::nullopt },
                                 { 0x9000B, 0, 0, std::nullopt },
                                 { 0x9000F, 0, 0, std::nullopt },
                                 { 0x9000E, 0, 0, std::nullopt },
                                 { 0x90008, 0, 0, std::nullopt },
                                 { 0x90007, 0, 0, std::nullopt },
                                 { 0x90005, 0, 0, std::nullopt },
                                 { 0x90004, 0, 0, std::nullopt },
                                 { 0x90002, 0, 0, std::nullopt },
                                 { 0x90001, 0, 0, std::nullopt },
                                 { 0x10030, 0x80, 128, std::nullopt },
                                 { 0x10031, 0x7F, 127, std::nullopt },
                                 { 0x10032, 0x00, 0, std::nullopt },
                                 { 0x10035, 0xFF, 255, std::nullopt },
                                 { 0x200C5, 0x10, 16, std::nullopt },
                                 { 0x200C4, 0x20, 32, std::nullopt } });
    }
}

TEST(DecodeReport, ValuesAcrossBytesSignsAndScales)
{
    struct Case
    {
        const char* name;
        const char* descriptor;
        const char* report;
        Expected entry;
    };
    const Case cases[] = {
        { "12 bits across a byte boundary, signed",
          "75 04 95 01 81 03 "
          "16 01 F8 26 FF 07 09 31 75 0C 95 01 81 02",
          "0F 80",
          { 0x10031, 0x800, -2048, std::nullopt } },
        { "32 bits unsigned",
          "15 00 27 FF FF FF FF 09 30 75 20 95 01 81 02",
          "FF FF FF FF",
          { 0x10030, 0xFFFFFFFF, 4294967295LL, std::nullopt } },
        { "32 bits signed",
          "17 00 00 00 80 27 FF FF FF 7F 09 30 75 20 95 01 81 02",
          "00 00 00 80",
          { 0x10030, 0x80000000, -2147483648LL, std::nullopt } },
        { "physical scaled with a unit exponent of -2",
          "15 00 26 FF 00 35 00 46 E8 03 55 0E "
          "65 11 09 30 75 08 95 01 81 02",
          "33",
          { 0x10030, 0x33, 51, 2.0 } },
        { "a unit alone gives a physical value equal to the logical",
          "15 81 25 7F 65 11 "
          "09 30 75 08 95 01 81 02",
          "FB",
          { 0x10030, 0xFB, -5, -5.0 } },
        { "without the null state flag an out-of-range value is kept",
          "15 00 25 07 09 39 "
          "75 04 95 01 81 02",
          "0F",
          { 0x10039, 0xF, 15, std::nullopt } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ReportModel model = test::ModelOf(std::string("05 01 A1 01 ") + c.descriptor + " C0");
        DecodedReport decoded;
        ASSERT_EQ(Decode(model, ReportType::Input, HexBytes(c.report), decoded), "");
        ASSERT_FALSE(decoded.entries.empty());
        ExpectEntries(decoded, { c.entry });
    }
}

TEST(DecodeReport, BitsAreTakenFromEveryShift)
{
    // An 11-bit X of 0x5A3 after k bits of padding that are all ones, for k = 1 to 7: a
    // reading that drops, repeats or misplaces the shift takes padding bits or loses value bits.
    struct Case
    {
        const char* padding; // Report Size k of one constant field
        const char* report;
    };
    const Case cases[] = {
        { "75 01", "47 0B" },    { "75 02", "8F 16" }, { "75 03", "1F 2D" },
        { "75 04", "3F 5A" },    { "75 05", "7F B4" }, { "75 06", "FF 68 01" },
        { "75 07", "FF D1 02" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.padding);
        const ReportModel model = test::ModelOf(std::string("05 01 A1 01 ") + c.padding +
                                                " 95 01 81 03 09 30 75 0B 81 02 C0");
        DecodedReport decoded;
        ASSERT_EQ(Decode(model, ReportType::Input, HexBytes(c.report), decoded), "");
        ExpectEntries(decoded, { { 0x10030, 0x5A3, 0x5A3, std::nullopt } });
    }
}

TEST(DecodeReport, FieldsWiderThanThirtyTwoBitsDecodeWhole)
{
    // 4 bits of padding (all ones) before the field, so its bits also cross every byte.
    const ReportModel forty =
        test::ModelOf("06 00 FF 09 01 A1 01 75 04 95 01 81 03 09 02 75 28 81 02 C0");
    DecodedReport decoded;
    ASSERT_EQ(Decode(forty, ReportType::Input, HexBytes("AF 89 67 45 23 01"), decoded), "");
    ExpectEntries(decoded, { { 0xFF000002, 0x123456789A, 0x123456789A, std::nullopt } });

    // A 64-bit serial number, unsigned and then signed.
    const ReportModel serial = test::ModelOf("05 0D 09 01 A1 01 09 5B 75 40 95 01 81 02 C0");
    ASSERT_EQ(Decode(serial, ReportType::Input, HexBytes("01 02 03 04 05 06 07 88"), decoded), "");
    ASSERT_EQ(decoded.entries.size(), 1u);
    EXPECT_EQ(decoded.entries[0].raw, 0x8807060504030201u);
    const ReportModel signedSerial =
        test::ModelOf("05 0D 09 01 A1 01 17 00 00 00 80 09 5B 75 40 95 01 81 02 C0");
    ASSERT_EQ(Decode(signedSerial, ReportType::Input, HexBytes("FE FF FF FF FF FF FF FF"), decoded),
              "");
    ASSERT_EQ(decoded.entries.size(), 1u);
    EXPECT_EQ(decoded.entries[0].logical, -2);

    // An 88-bit vendor field has no number: it shows its bytes, least significant first.
    const ReportModel vendor =
        test::ModelOf("06 00 FF 09 01 A1 01 75 04 95 01 81 03 09 03 75 58 81 02 C0");
    ASSERT_EQ(
        Decode(vendor, ReportType::Input, HexBytes("1F 21 32 43 54 65 76 87 98 A9 BA 0B"), decoded),
        "");
    ASSERT_EQ(decoded.entries.size(), 1u);
    EXPECT_TRUE(decoded.entries[0].wide);
    EXPECT_EQ(WideBytesText(decoded, decoded.entries[0]), "11 22 33 44 55 66 77 88 99 AA BB");
}

TEST(DecodeReport, AnIdOfTwoTopLevelCollectionsIsOneReport)
{
    // Input report 1: 4 bits in the first collection, 8 in the second, after the id byte.
    const ReportModel model = test::ModelOf("05 01 09 02 A1 01 85 01 09 30 75 04 95 01 81 02 C0 "
                                            "09 02 A1 01 85 01 09 31 75 08 81 02 C0");
    DecodedReport decoded;
    EXPECT_EQ(Decode(model, ReportType::Input, HexBytes("01 05"), decoded),
              "input report 1 takes 3 bytes, not 2");
    ASSERT_EQ(Decode(model, ReportType::Input, HexBytes("01 A5 0B"), decoded), "");
    ExpectEntries(decoded,
                  { { 0x10030, 5, 5, std::nullopt }, { 0x10031, 0xBA, 0xBA, std::nullopt } });
}

TEST(DecodeReport, ArrayElementsReportUsagesByIndex)
{
    // Consumer keys as a list from logical 1: 0 and 4 name nothing, 2 is the second usage.
    const ReportModel model =
        test::ModelOf("05 0C 09 01 A1 01 15 01 25 03 09 E9 09 EA 09 E2 75 04 95 03 81 00 C0");
    DecodedReport decoded;
    ASSERT_EQ(Decode(model, ReportType::Input, HexBytes("20 04"), decoded), "");
    ExpectEntries(decoded, { Array({ 0xC00EA }) });

    ASSERT_EQ(Decode(model, ReportType::Input, HexBytes("31 00"), decoded), "");
    ExpectEntries(decoded, { Array({ 0xC00E9, 0xC00E2 }) });
}

TEST(DecodeReport, ReportsThatDoNotFitGetOneReason)
{
    const ReportModel mouse = BuildReportModel(RealDescriptor("arduino-mouse"));
    const ReportModel keyboard = BuildReportModel(RealDescriptor("hid-example-keyboard"));
    struct Case
    {
        const char* name;
        const ReportModel& model;
        ReportType type;
        const char* report;
        DecodeErrorKind kind;
        const char* text;
    };
    const Case cases[] = {
        { "unknown id", mouse, ReportType::Input, "07 00 00 00 00",
          DecodeErrorKind::UnknownReportId, "no input report with id 7" },
        { "numbered report too long", mouse, ReportType::Input, "01 00 00 00 00 00",
          DecodeErrorKind::WrongLength, "input report 1 takes 5 bytes, not 6" },
        { "unnumbered report too short", keyboard, ReportType::Input, "00 00 04",
          DecodeErrorKind::WrongLength, "input report takes 8 bytes, not 3" },
        { "no feature report", keyboard, ReportType::Feature, "00", DecodeErrorKind::NoReportOfType,
          "the descriptor declares no feature report" },
        { "no bytes", keyboard, ReportType::Input, "", DecodeErrorKind::Empty, "empty report" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DecodedReport decoded;
        const auto result = DecodeReport(c.model, c.type, HexBytes(c.report), decoded);
        ASSERT_FALSE(result);
        EXPECT_EQ(result.Error().kind, c.kind);
        EXPECT_EQ(DecodeErrorText(result.Error()), c.text);
        EXPECT_TRUE(decoded.entries.empty());
    }

    // 20,000 bytes of elements: longer than any hidraw read, never decoded.
    const ReportModel huge = test::ModelOf("A1 01 09 30 75 08 96 20 4E 81 02 C0");
    DecodedReport decoded;
    EXPECT_EQ(Decode(huge, ReportType::Input, std::vector<std::uint8_t>(20000), decoded),
              "input report takes 20000 bytes, more than the 16384 the decoder takes");
}

} // namespace
} // namespace quorlix
