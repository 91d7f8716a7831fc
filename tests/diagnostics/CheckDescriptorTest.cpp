#include "diagnostics/CheckDescriptor.h"

#include "support/TestDescriptors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorlix {
namespace {

using test::HexBytes;

// One descriptor and the offsets at which the check under test must report, in order; no
// offset means it must stay silent. Other checks may report on the same bytes: each table
// looks at its own check only, so a case stays the smallest descriptor that shows the point.
struct Case
{
    const char* name;
    const char* hex;
    std::vector<std::size_t> offsets;
};

std::vector<std::size_t> OffsetsOf(CheckId check, const std::vector<std::uint8_t>& bytes)
{
    std::vector<std::size_t> offsets;
    for (const Finding& finding : CheckDescriptor(bytes)) {
        if (finding.check == check) {
            // A few checks soften the findings no host misreads; none makes one graver.
            if (finding.severity != Severity::Note) {
                EXPECT_EQ(finding.severity, CheckSeverity(check));
            }
            EXPECT_FALSE(finding.message.empty());
            EXPECT_FALSE(finding.fix.empty());
            offsets.push_back(finding.offset);
        }
    }
    return offsets;
}

void ExpectCases(CheckId check, const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(CheckName(check)) + ": " + c.name);
        EXPECT_EQ(OffsetsOf(check, HexBytes(c.hex)), c.offsets);
    }
}

// The only finding of the check on hex.
Finding Only(CheckId check, const char* hex)
{
    std::vector<Finding> found;
    for (const Finding& finding : CheckDescriptor(HexBytes(hex))) {
        if (finding.check == check) {
            found.push_back(finding);
        }
    }
    EXPECT_EQ(found.size(), 1u) << hex;
    return found.empty() ? Finding{} : found.front();
}

// ----- Errors -----

TEST(CheckDescriptor, TruncatedItem)
{
    ExpectCases(CheckId::TruncatedItem, {
                                            { "data runs past the end", "26 FF", { 0 } },
                                            { "long item cut short", "FE 04 10 AA", { 0 } },
                                            { "the whole item is there", "26 FF 00", {} },
                                        });
    const Finding finding = Only(CheckId::TruncatedItem, "05 01 27 01 02");
    EXPECT_EQ(finding.offset, 2u);
    EXPECT_EQ(finding.length, 5u);
    EXPECT_EQ(finding.message,
              "Logical Maximum needs 5 bytes but the descriptor ends after 3; the 2 shown as 00 "
              "are not in it");
}

TEST(CheckDescriptor, ReservedItem)
{
    ExpectCases(CheckId::ReservedItem, {
                                           { "long item", "FE 02 10 AA BB", { 0 } },
                                           { "reserved prefix", "0C 03 00 00 00", { 0 } },
                                           { "main tag 15 is another mistake", "F0", {} },
                                       });
    const Finding longItem = Only(CheckId::ReservedItem, "FE 02 10 AA BB 05 01");
    EXPECT_EQ(longItem.length, 5u);
    EXPECT_NE(longItem.message.find("the item list counts 5 bytes for it"), std::string::npos);
    // Size code 1 and the 2 after the prefix: 1 + 1 + 2 bytes.
    const Finding reserved = Only(CheckId::ReservedItem, "0D 02 00 00 05 01");
    EXPECT_EQ(reserved.length, 4u);
    EXPECT_NE(reserved.message.find("counts 4 bytes"), std::string::npos) << reserved.message;
}

TEST(CheckDescriptor, UnknownTag)
{
    ExpectCases(CheckId::UnknownTag, {
                                         { "main tag 0", "00", { 0 } },
                                         { "main tag 13", "D1 00", { 0 } },
                                         { "global tag 12", "C4", { 0 } },
                                         { "local tag 6", "69 01", { 0 } },
                                         { "local tag 11", "B9 01", { 0 } },
                                         { "Delimiter is defined", "A9 01 A9 00", {} },
                                         { "Push and Pop are defined", "A4 B4", {} },
                                     });
}

TEST(CheckDescriptor, CollectionBalance)
{
    ExpectCases(CheckId::CollectionBalance,
                {
                    { "End Collection with nothing open", "C0", { 0 } },
                    { "never closed", "09 01 A1 01", { 2 } },
                    { "outer one left open", "09 01 A1 01 09 01 A1 00 C0 09 02 A1 00 C0", { 2 } },
                    { "each open one is named", "09 01 A1 01 09 01 A1 00", { 2, 6 } },
                    { "balanced", "09 01 A1 01 09 01 A1 00 C0 C0", {} },
                });
    EXPECT_EQ(Only(CheckId::CollectionBalance, "05 01 09 02 A1 01").message,
              "Collection (Application) opened at byte 4 is never closed");
}

TEST(CheckDescriptor, MainOutsideCollection)
{
    ExpectCases(CheckId::MainOutsideCollection,
                {
                    { "no collection", "75 08 95 01 81 02", { 4 } },
                    { "only a Physical one", "09 01 A1 00 75 08 95 01 91 02 C0", { 8 } },
                    { "after the application closed", "09 01 A1 01 C0 75 08 95 01 B1 02", { 9 } },
                    { "inside an application", "09 01 A1 01 75 08 95 01 81 02 C0", {} },
                    { "nested in one", "09 01 A1 01 09 01 A1 00 75 08 95 01 81 02 C0 C0", {} },
                });
}

TEST(CheckDescriptor, UsagePageMissing)
{
    ExpectCases(CheckId::UsagePageMissing,
                {
                    { "Usage", "09 30", { 0 } },
                    { "two-byte Usage Minimum and Maximum", "1A 01 00 2A 03 00", { 0, 3 } },
                    { "page first", "05 01 09 30", {} },
                    { "four-byte usage carries its page", "0B 30 00 01 00", {} },
                });
}

TEST(CheckDescriptor, UsagePageZero)
{
    ExpectCases(CheckId::UsagePageZero, {
                                            { "page 0", "05 00 09 01", { 0 } },
                                            { "page 0 in two bytes", "06 00 00", { 0 } },
                                            { "Generic Desktop", "05 01", {} },
                                            { "vendor page", "06 00 FF", {} },
                                        });
}

TEST(CheckDescriptor, LogicalRange)
{
    ExpectCases(CheckId::LogicalRange,
                {
                    { "minimum above maximum", "15 05 25 01 75 08 95 01 81 02", { 2 } },
                    { "blamed on the later item", "25 01 15 05 75 08 95 01 81 02", { 2 } },
                    { "too big even unsigned", "16 00 10 25 FF 75 10 95 01 81 02", { 3 } },
                    { "once for many fields", "15 05 25 01 75 08 95 01 81 02 81 02", { 2 } },
                    { "the sign slip is a warning only", "15 01 25 FF 75 08 95 01 81 02", {} },
                    { "signed range", "15 81 25 7F 75 08 95 01 81 02", {} },
                    { "constant padding", "15 05 25 01 75 08 95 01 81 03", {} },
                });
}

// A Logical Minimum alone at the first byte is the item to point at, bytes and all: the maximum
// was never set and has no item.
TEST(CheckDescriptor, LogicalRangeWithoutMaximumPointsAtTheMinimum)
{
    for (const char* hex : { "15 05 75 08 95 01 81 02", "75 08 95 01 15 05 81 02" }) {
        SCOPED_TRACE(hex);
        const std::vector<std::uint8_t> bytes = HexBytes(hex);
        const std::size_t at = bytes[0] == 0x15 ? 0 : 4;
        std::size_t found = 0;
        for (const Finding& finding : CheckDescriptor(bytes)) {
            if (finding.check == CheckId::LogicalRange) {
                ++found;
                EXPECT_EQ(finding.offset, at);
                EXPECT_EQ(finding.length, 2u);
            }
        }
        EXPECT_EQ(found, 1u);
    }
}

TEST(CheckDescriptor, SizeTooSmall)
{
    ExpectCases(CheckId::SizeTooSmall,
                {
                    { "unsigned range", "15 00 25 0F 75 03 95 01 81 02", { 8 } },
                    { "signed range", "15 F7 25 07 75 04 95 01 81 02", { 8 } },
                    { "255 meant, 4 bits", "15 00 25 FF 75 04 95 01 81 02", { 8 } },
                    { "unsigned fits", "15 00 25 07 75 03 95 01 81 02", {} },
                    { "signed fits", "15 F8 25 07 75 04 95 01 81 02", {} },
                    { "255 meant, 8 bits", "15 00 25 FF 75 08 95 01 81 02", {} },
                    { "constant padding", "15 00 25 FF 75 03 95 01 81 03", {} },
                });
    EXPECT_EQ(Only(CheckId::SizeTooSmall, "15 00 25 0F 75 03 95 01 81 02").fix,
              "write Report Size 4 (75 04) or narrow the logical range to what 3 bits hold");
}

TEST(CheckDescriptor, ReportSizeAndCountMissing)
{
    ExpectCases(CheckId::ReportSizeMissing,
                {
                    { "never given", "95 01 81 02", { 2 } },
                    { "zero", "75 00 95 01 81 02", { 4 } },
                    { "for an Output", "95 01 91 02", { 2 } },
                    { "given", "75 01 95 01 81 02", {} },
                    { "empty constant padding", "75 00 95 01 81 03", {} },
                });
    ExpectCases(CheckId::ReportCountMissing,
                {
                    { "never given", "75 01 B1 02", { 2 } },
                    { "zero", "75 01 95 00 81 02", { 4 } },
                    { "given", "75 01 95 01 81 02", {} },
                    { "empty constant padding", "75 01 95 00 81 03", {} },
                });
}

TEST(CheckDescriptor, ReportIds)
{
    ExpectCases(CheckId::ReportIdZero, {
                                           { "zero", "85 00", { 0 } },
                                           { "too big for a byte", "86 00 01", { 0 } },
                                           { "one", "85 01", {} },
                                       });
    ExpectCases(CheckId::ReportIdMixed,
                {
                    { "first report has none", "75 08 95 01 81 02 85 01 81 02", { 4 } },
                    { "Pop takes the id away", "85 01 A4 75 08 95 01 81 02 B4 81 02", {} },
                    { "Push before the id", "75 08 95 01 A4 85 01 81 02 B4 B1 02", { 10 } },
                    { "all have one", "85 01 75 08 95 01 81 02 85 02 81 02", {} },
                    { "none has one", "75 08 95 01 81 02 91 02", {} },
                });
}

TEST(CheckDescriptor, ReportIdSharedAndSizeOverflow)
{
    ExpectCases(
        CheckId::ReportIdShared,
        {
            { "two top-level collections, one id",
              "A1 01 85 01 75 08 95 01 81 02 C0 A1 01 85 01 81 02 81 02 C0",
              { 15 } },
            { "one collection, two items", "A1 01 85 01 75 08 95 01 81 02 81 02 C0", {} },
            { "same id, other types", "A1 01 85 01 75 08 95 01 81 02 C0 A1 01 85 01 91 02 C0", {} },
            { "a nested collection is the same top level",
              "A1 01 85 01 75 08 95 01 81 02 A1 00 81 02 C0 C0",
              {} },
        });
    const std::string huge = "77 FF FF FF FF 97 FF FF FF FF 81 02 ";
    ExpectCases(CheckId::SizeOverflow,
                {
                    { "past 2^64 bits at the second item", (huge + "81 02 81 02").c_str(), { 12 } },
                    { "2^64 - 2^33 + 1 bits still count", huge.c_str(), {} },
                });
    // A length past 64 bits has no spare bits to pad.
    EXPECT_TRUE(OffsetsOf(CheckId::ReportNotByteAligned, HexBytes(huge + "81 02 75 01 95 01 81 02"))
                    .empty());
}

TEST(CheckDescriptor, UsageRange)
{
    ExpectCases(
        CheckId::UsageRange,
        {
            { "minimum above maximum", "05 09 19 05 29 01 75 01 95 05 81 02", { 4 } },
            { "minimum alone", "05 09 19 01 75 01 95 05 81 02", { 2 } },
            { "maximum alone at a Collection", "05 09 29 03 A1 00 C0", { 2 } },
            { "two pages", "05 09 19 01 2B 03 00 01 00 75 01 95 03 81 02", { 4 } },
            { "one page, one extended", "05 09 19 01 2B 03 00 09 00 75 01 95 03 81 02", {} },
            { "a proper range", "05 09 19 01 29 05 75 01 95 05 81 02", {} },
            { "locals end at each main item", "05 09 19 01 29 05 81 02 19 01 29 02 81 02", {} },
        });
}

TEST(CheckDescriptor, PushPop)
{
    ExpectCases(CheckId::PushPop, {
                                      { "Pop with nothing pushed", "B4", { 0 } },
                                      { "Push left", "A4", { 0 } },
                                      { "two left", "A4 A4 B4 A4", { 0, 3 } },
                                      { "matched", "A4 A4 B4 B4", {} },
                                  });
}

TEST(CheckDescriptor, DelimiterBalance)
{
    ExpectCases(CheckId::DelimiterBalance,
                {
                    { "closed, never opened", "A9 00", { 0 } },
                    { "nested", "A9 01 A9 01 A9 00", { 2 } },
                    { "open at the main item", "A9 01 09 30 75 08 95 01 81 02", { 0 } },
                    { "open at the end", "05 01 A9 01 09 30", { 2 } },
                    { "neither open nor close", "A9 02", { 0 } },
                    { "a proper set", "05 01 A9 01 09 30 09 31 A9 00 75 08 95 01 81 02", {} },
                });
}

// ----- Warnings -----

TEST(CheckDescriptor, LogicalSign)
{
    ExpectCases(CheckId::LogicalSign,
                {
                    { "one byte", "15 00 25 FF 75 08 95 01 81 02", { 2 } },
                    { "no minimum given", "25 80 75 08 95 01 81 02", { 0 } },
                    { "two bytes", "15 00 26 FF FF 75 10 95 01 81 02", { 2 } },
                    { "once for many fields", "15 00 25 FF 75 08 95 01 81 02 B1 02", { 2 } },
                    { "written wide", "15 00 26 FF 00 75 08 95 01 81 02", {} },
                    { "negative minimum", "15 81 25 FF 75 08 95 01 81 02", {} },
                    { "constant padding", "15 00 25 FF 75 08 95 01 81 03", {} },
                });
    const Finding finding = Only(CheckId::LogicalSign, "15 00 25 FF 75 08 95 01 81 02");
    EXPECT_EQ(finding.message,
              "Logical Maximum 0xFF in one byte reads as -1 by the HID rules, not 255 (Linux "
              "reads a Logical Maximum unsigned when the Logical Minimum is not negative and "
              "takes 255; Windows reads it signed and takes -1)");
    EXPECT_EQ(finding.fix, "write 26 FF 00 for 255");
    EXPECT_EQ(Only(CheckId::LogicalSign, "15 00 26 00 80 75 10 95 01 81 02").fix,
              "write 27 00 80 00 00 for 32768");
}

TEST(CheckDescriptor, PhysicalSignAndRange)
{
    ExpectCases(CheckId::PhysicalSign,
                {
                    { "one byte", "35 00 45 FF 75 08 95 01 81 02", { 2 } },
                    { "written wide", "35 00 46 FF 00 75 08 95 01 81 02", {} },
                });
    EXPECT_EQ(Only(CheckId::PhysicalSign, "35 00 45 FF 75 08 95 01 81 02").fix,
              "write 46 FF 00 for 255");
    ExpectCases(CheckId::PhysicalRange,
                {
                    { "minimum above maximum", "35 0A 45 05 75 08 95 01 81 02", { 2 } },
                    { "minimum alone", "35 05 75 08 95 01 81 02", { 0 } },
                    { "maximum alone pairs with 0", "46 68 01 75 08 95 01 81 02", {} },
                    { "both", "35 00 45 0A 75 08 95 01 81 02", {} },
                    { "both zero: the logical range", "35 00 45 00 75 08 95 01 81 02", {} },
                });
}

TEST(CheckDescriptor, ReportNotByteAligned)
{
    ExpectCases(
        CheckId::ReportNotByteAligned,
        {
            { "three bits", "75 01 95 03 81 02", { 4 } },
            { "each report on its own", "85 01 75 01 95 03 81 02 85 02 75 08 81 02", { 6 } },
            { "padded", "75 01 95 03 81 02 75 05 95 01 81 03", {} },
            { "types apart", "75 04 95 02 81 02 75 08 95 01 91 02", {} },
        });
    EXPECT_EQ(Only(CheckId::ReportNotByteAligned, "75 01 95 03 81 02").fix,
              "add 5 bits of constant padding at its end, for example 75 05 95 01 81 03");
}

TEST(CheckDescriptor, FieldTooWide)
{
    ExpectCases(CheckId::FieldTooWide, {
                                           { "64 bits", "75 40 95 01 81 02", { 0 } },
                                           { "32 bits", "75 20 95 01 81 02", {} },
                                           { "constant", "75 40 95 01 81 03", {} },
                                       });
}

TEST(CheckDescriptor, UsagePageAfterUsage)
{
    ExpectCases(CheckId::UsagePageAfterUsage,
                {
                    { "page changes", "05 01 09 30 05 09 75 08 95 01 81 02", { 4 } },
                    { "same page again", "05 01 09 30 05 01 75 08 95 01 81 02", {} },
                    { "extended usage", "05 01 0B 30 00 01 00 05 09 75 08 95 01 81 02", {} },
                    { "after the main item", "05 01 09 30 75 08 95 01 81 02 05 09", {} },
                });
}

TEST(CheckDescriptor, CollectionUsageMissing)
{
    ExpectCases(CheckId::CollectionUsageMissing,
                {
                    { "no usage", "A1 00 C0", { 0 } },
                    { "usage used up by an earlier item", "05 01 09 30 81 02 A1 02 C0", { 6 } },
                    { "a Usage", "05 01 09 01 A1 00 C0", {} },
                    { "a usage range", "05 09 19 01 29 02 A1 02 C0", {} },
                });
    // Hosts name devices by their Application collections only.
    struct Kind
    {
        const char* hex;
        Severity severity;
    };
    for (const Kind& kind :
         { Kind{ "A1 01 C0", Severity::Warning }, Kind{ "A1 00 C0", Severity::Note },
           Kind{ "A1 02 C0", Severity::Note }, Kind{ "A1 03 C0", Severity::Warning } }) {
        SCOPED_TRACE(kind.hex);
        EXPECT_EQ(Only(CheckId::CollectionUsageMissing, kind.hex).severity, kind.severity);
    }
}

TEST(CheckDescriptor, LogicalLimitsMissing)
{
    ExpectCases(CheckId::LogicalLimitsMissing,
                {
                    { "neither", "05 01 09 30 75 08 95 01 81 02", { 8 } },
                    { "no maximum", "05 01 09 30 15 00 75 08 95 01 81 02", { 10 } },
                    { "no minimum", "05 01 09 30 25 7F 75 08 95 01 B1 02", { 10 } },
                    { "both", "05 01 09 30 15 00 25 7F 75 08 95 01 91 02", {} },
                    { "given before a Push and kept", "15 00 25 01 A4 75 08 95 01 81 02 B4", {} },
                    { "lost by a Pop", "A4 15 00 25 01 B4 75 08 95 01 81 02", { 10 } },
                    { "constant padding", "75 08 95 01 81 03", {} },
                });
    struct Severe
    {
        const char* name;
        const char* hex;
        Severity severity;
    };
    const Severe cases[] = {
        { "range unknown", "05 01 09 30 75 08 95 01 81 02", Severity::Error },
        { "maximum unknown", "05 01 09 30 15 00 75 08 95 01 81 02", Severity::Error },
        { "a vendor field with no range", "06 00 FF 09 01 75 08 95 01 81 02", Severity::Note },
        { "a vendor page with a standard usage", "06 00 FF 0B 30 00 01 00 75 08 95 01 81 02",
          Severity::Error },
        { "hosts take 0 for the minimum", "05 01 09 39 25 07 75 04 95 01 81 42", Severity::Note },
    };
    for (const Severe& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Only(CheckId::LogicalLimitsMissing, c.hex).severity, c.severity);
    }
    const Finding finding = Only(CheckId::LogicalLimitsMissing, "05 01 09 30 75 08 95 01 81 02");
    EXPECT_EQ(finding.message, "Input item with neither Logical Minimum nor Logical Maximum in "
                               "force: a data field must say which values it sends");
    EXPECT_EQ(finding.fix, "put both before it, for example 15 00 25 01 for a 1-bit field or 15 "
                           "00 26 FF 00 for a byte");
}

TEST(CheckDescriptor, UnitSystemReserved)
{
    ExpectCases(CheckId::UnitSystemReserved, {
                                                 { "system 14", "65 1E", { 0 } },
                                                 { "system 5 in two bytes", "66 05 10", { 0 } },
                                                 { "SI linear cm", "65 11", {} },
                                                 { "English rotation", "65 14", {} },
                                                 { "no unit", "65 00", {} },
                                                 { "vendor-defined", "65 0F", {} },
                                             });
    EXPECT_EQ(Only(CheckId::UnitSystemReserved, "65 1E").message,
              "Unit 0x1E names unit system 14, which HID reserves: hosts show no unit or a "
              "wrong one");
}

TEST(CheckDescriptor, UnitExponentRange)
{
    // One byte of 0x08 to 0x0F is the exponent's four-bit form, -8 to -1, as shipping touch
    // screens write it; the same value in two bytes is 14, out of range.
    ExpectCases(CheckId::UnitExponentRange, {
                                                { "4-bit -2", "55 0E", {} },
                                                { "4-bit -1", "55 0F", {} },
                                                { "4-bit -8", "55 08", {} },
                                                { "14 in two bytes", "56 0E 00", { 0 } },
                                                { "far out", "55 20", { 0 } },
                                                { "signed byte -2", "55 FE", {} },
                                                { "7", "55 07", {} },
                                            });
    const Finding finding = Only(CheckId::UnitExponentRange, "55 20");
    EXPECT_EQ(finding.message, "Unit Exponent 32 is outside -8..7, the range a unit exponent has; "
                               "hosts differ on what they make of it");
}

TEST(CheckDescriptor, DescriptorTooLong)
{
    const auto pushesAndPops = [](std::size_t length) {
        std::vector<std::uint8_t> bytes;
        for (std::size_t i = 0; i < length; ++i) {
            bytes.push_back(i % 2 == 0 ? 0xA4 : 0xB4);
        }
        return bytes;
    };
    EXPECT_EQ(OffsetsOf(CheckId::DescriptorTooLong, pushesAndPops(4096)),
              std::vector<std::size_t>{});
    EXPECT_EQ(OffsetsOf(CheckId::DescriptorTooLong, pushesAndPops(4098)),
              std::vector<std::size_t>{ 4096 });
    // An item that straddles the limit is the one named.
    std::vector<std::uint8_t> straddling = pushesAndPops(4094);
    for (std::uint8_t byte : { 0x27, 0x01, 0x00, 0x00, 0x00 }) {
        straddling.push_back(byte);
    }
    EXPECT_EQ(OffsetsOf(CheckId::DescriptorTooLong, straddling), std::vector<std::size_t>{ 4094 });
}

TEST(CheckDescriptor, NoReports)
{
    ExpectCases(CheckId::NoReports,
                {
                    { "collection only", "05 01 09 02 A1 01 C0", { 0 } },
                    { "a Feature", "05 01 09 02 A1 01 75 08 95 01 B1 03 C0", {} },
                });
}

// ----- Notes -----

TEST(CheckDescriptor, RedundantGlobal)
{
    ExpectCases(CheckId::RedundantGlobal,
                {
                    { "same Report Size", "75 08 75 08", { 2 } },
                    { "same value, wider", "15 FF 16 FF FF", { 2 } },
                    { "restored by Pop", "75 08 A4 B4 75 08", { 4 } },
                    { "another value", "75 08 75 10", {} },
                    { "-1 then 255", "25 FF 26 FF 00", {} },
                    { "Pop brings back another value", "75 08 A4 75 10 B4 75 10", {} },
                });
}

TEST(CheckDescriptor, ShorterEncoding)
{
    ExpectCases(CheckId::ShorterEncoding, {
                                              { "Logical Maximum 127", "26 7F 00", { 0 } },
                                              { "Report Count 1", "96 01 00", { 0 } },
                                              { "two-byte Usage", "05 01 0A 30 00", { 2 } },
                                              { "Input flags", "82 02 00", { 0 } },
                                              { "255 needs two bytes", "26 FF 00", {} },
                                              { "extended usage", "0B 30 00 01 00", {} },
                                              { "one byte is short enough", "15 00", {} },
                                          });
    EXPECT_EQ(Only(CheckId::ShorterEncoding, "27 80 FF FF FF").fix, "write 25 80");
}

// ----- The pass as a whole -----

TEST(CheckDescriptor, TheMouseIsClean)
{
    EXPECT_TRUE(CheckDescriptor(HexBytes(test::kMouseHex)).empty());
}

TEST(CheckDescriptor, FindingsComeInOffsetOrderAndCanBeLeftOut)
{
    // Push at 0 is only known to be unmatched at the end; it still comes first.
    const std::vector<std::uint8_t> bytes = HexBytes("A4 C0 75 08 75 08");
    const std::vector<Finding> findings = CheckDescriptor(bytes);
    std::vector<CheckId> checks;
    for (const Finding& finding : findings) {
        checks.push_back(finding.check);
    }
    EXPECT_EQ(checks,
              (std::vector<CheckId>{ CheckId::PushPop, CheckId::NoReports,
                                     CheckId::CollectionBalance, CheckId::RedundantGlobal }));
    CheckOptions options;
    options.disabled[static_cast<std::size_t>(CheckId::PushPop)] = true;
    options.disabled[static_cast<std::size_t>(CheckId::NoReports)] = true;
    const std::vector<Finding> fewer = CheckDescriptor(bytes, options);
    ASSERT_EQ(fewer.size(), 2u);
    EXPECT_EQ(fewer[0].check, CheckId::CollectionBalance);
    EXPECT_EQ(fewer[1].check, CheckId::RedundantGlobal);
}

TEST(CheckDescriptor, LargestDescriptorsAreTakenWhole)
{
    // 32,768 collections nested and left open: each is a finding, and nesting this deep needs
    // no recursion. Then 65,535 End Collections and as many Pushes, a finding each.
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 32768; ++i) {
        bytes.insert(bytes.end(), { 0xA1, 0x00 });
    }
    std::size_t collectionFindings = 0;
    for (const Finding& finding : CheckDescriptor(bytes)) {
        collectionFindings += finding.check == CheckId::CollectionBalance;
    }
    EXPECT_EQ(collectionFindings, 32768u);

    const std::vector<std::uint8_t> ends(65535, 0xC0);
    // Each also gives no-reports and descriptor-too-long once.
    EXPECT_EQ(CheckDescriptor(ends).size(), 65535u + 2);
    const std::vector<std::uint8_t> pushes(65535, 0xA4);
    EXPECT_EQ(CheckDescriptor(pushes).size(), 65535u + 2);
}

} // namespace
} // namespace quorlix
