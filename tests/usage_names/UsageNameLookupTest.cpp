#include "usage_names/UsageNameLookup.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorlix {
namespace {

using Name = std::optional<std::u16string_view>;

struct NameCase
{
    std::uint32_t usage;
    Name name;
};

std::string Hex(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

void ExpectNames(std::uint16_t usagePage, std::span<const NameCase> cases)
{
    for (const NameCase& c : cases) {
        SCOPED_TRACE("page " + Hex(usagePage) + ", usage " + Hex(c.usage));
        EXPECT_EQ(LookupUsageName(usagePage, c.usage), c.name);
    }
}

// Counts through the lookup rather than the table, so a search that misses an entry shows up.
int CountNamedUsages(std::uint16_t usagePage)
{
    int count = 0;
    for (std::uint32_t usage = 0; usage <= 0xFFFF; ++usage) {
        count += LookupUsageName(usagePage, usage).has_value() ? 1 : 0;
    }
    return count;
}

TEST(LookupUsagePageName, OnlyTheFirstFourteenPagesHaveTheirOwnNames)
{
    struct Case
    {
        std::uint16_t usagePage;
        std::u16string_view name;
    };
    const Case cases[] = {
        { 0x0000, u"Undefined" },
        { 0x0001, u"Generic Desktop Controls" },
        { 0x0007, u"Keyboard/Keypad" },
        { 0x000C, u"Consumer" },
        { 0x000D, u"Digitizer" },
        { 0x000E, u"Reserved or Other" },
        // Usages on these two pages have names, the pages themselves do not.
        { 0x0014, u"Reserved or Other" },
        { 0x0040, u"Reserved or Other" },
        // The whole 16 bits choose the name, not the low byte.
        { 0x0101, u"Reserved or Other" },
        { 0x010C, u"Reserved or Other" },
        { 0xFF00, u"Reserved or Other" },
        { 0xFFFF, u"Reserved or Other" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("page " + Hex(c.usagePage));
        EXPECT_EQ(LookupUsagePageName(c.usagePage), c.name);
    }
}

TEST(LookupUsageName, NamesComeFromTheCurrentPageAndTheWholeUsage)
{
    struct Case
    {
        const char* what;
        std::uint16_t usagePage;
        std::uint32_t usage;
        Name name;
    };
    const Case cases[] = {
        { "no page set yet", 0x0000, 0x0030, std::nullopt },
        { "page compared in all 16 bits", 0x0101, 0x0030, std::nullopt },
        { "named page without usage names", 0x0003, 0x0001, std::nullopt },
        { "keyboard page has no usage names", 0x0007, 0x0004, std::nullopt },
        { "vendor page", 0xFF00, 0x0001, std::nullopt },
        { "alphanumeric display page", 0x0014, 0x0001, u"\tAlphanumeric Display \t" },
        { "medical instrument page", 0x0040, 0x0001, u"\tMedical Ultrasound \t" },
        { "usage 0 on a pair-table page", 0x000B, 0x0000, u"\tUnassigned\t" },
        { "no entry 0 on the button page", 0x0009, 0x0000, std::nullopt },
        { "no entry 0 on the generic device page", 0x0006, 0x0000, std::nullopt },
        { "name ends in the parenthesis", 0x0009, 0x0001, u"\tButton 1 (primary/trigger)" },
        { "trailing blank, no tabs", 0x000D, 0x0051, u"Contact Identifier [7] " },
        { "two-byte usage", 0x000C, 0x0223, u"\tAC Home \t" },
        { "no tabs, words joined", 0x000C, 0x0168, u"Channel Low FrequencyEnhancement" },
        { "high half holding the page", 0x000C, 0x000C00E2, std::nullopt },
        { "high half holding a button page", 0x0009, 0x00090001, std::nullopt },
        { "largest usage", 0x000C, 0xFFFFFFFF, std::nullopt },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(LookupUsageName(c.usagePage, c.usage), c.name);
    }
}

TEST(LookupUsageName, ElevenPagesHaveUsageNames)
{
    // Usage 0x01 or 0x20 has a name on every page with a table, so this finds each one.
    std::vector<std::uint32_t> namedPages;
    for (std::uint32_t page = 0; page <= 0xFFFF; ++page) {
        const auto usagePage = static_cast<std::uint16_t>(page);
        if (LookupUsageName(usagePage, 0x01) || LookupUsageName(usagePage, 0x20)) {
            namedPages.push_back(page);
        }
    }
    const std::vector<std::uint32_t> expected = { 0x01, 0x02, 0x05, 0x06, 0x08, 0x09,
                                                  0x0B, 0x0C, 0x0D, 0x14, 0x40 };
    EXPECT_EQ(namedPages, expected);
}

TEST(LookupUsageName, GenericDesktopNamesFollowTheUsageRanges)
{
    // 10 indexed names, 38 usages sharing "Reserved", 25 more indexed names.
    EXPECT_EQ(CountNamedUsages(0x0001), 73);
    const NameCase cases[] = {
        { 0x0000, u"Undefined" },
        { 0x0002, u"Mouse" },
        { 0x0003, u"Reserved" },
        { 0x0009, u"Tablet PC System Controls" },
        { 0x000A, u"Reserved" },
        { 0x002F, u"Reserved" },
        { 0x0030, u"X" },
        { 0x0039, u"Hat switch" },
        { 0x003F, u"3F Reserved" },
        { 0x0047, u"47 Feature Notification DV,DF" },
        { 0x0048, u"48 Resolution Multiplier" },
        { 0x0049, std::nullopt },
        { 0x0080, std::nullopt },
        { 0x00010030, std::nullopt },
    };
    ExpectNames(0x0001, cases);
}

TEST(LookupUsageName, SimulationPageHasFiftyTwoNames)
{
    EXPECT_EQ(CountNamedUsages(0x0002), 52);
    const NameCase cases[] = {
        { 0x0000, u"\tUndefined\t" },
        { 0x0001, u"\tFlightSimulationDevice\t" },
        { 0x000B, u"MagicCarpetSimulationDevice" },
        { 0x00B6, u"\tDiveBrake" },
        { 0x00D0, u"\tRearBrake\t" },
        { 0x000D, std::nullopt },
        { 0x0026, std::nullopt },
        { 0x00AF, std::nullopt },
        { 0x00D1, std::nullopt },
    };
    ExpectNames(0x0002, cases);
}

TEST(LookupUsageName, GamePageHasTwentyNineNames)
{
    EXPECT_EQ(CountNamedUsages(0x0005), 29);
    const NameCase cases[] = {
        { 0x0000, u"\tUndefined\t" },          { 0x0001, u"\t3D Game Controller \t" },
        { 0x0037, u"\tGamepad Fire/Jump \t" }, { 0x0038, std::nullopt },
        { 0x0039, u"\tGamepad Trigger \t" },   { 0x003A, std::nullopt },
    };
    ExpectNames(0x0005, cases);
}

TEST(LookupUsageName, GenericDevicePageHasSevenNames)
{
    EXPECT_EQ(CountNamedUsages(0x0006), 7);
    const NameCase cases[] = {
        { 0x0020, u"\tBattery Strength \t" },
        { 0x0026, u"\tSecurity Code Cleared\t" },
        { 0x0027, std::nullopt },
    };
    ExpectNames(0x0006, cases);
}

TEST(LookupUsageName, LedPageHasSeventyEightNames)
{
    EXPECT_EQ(CountNamedUsages(0x0008), 78);
    const NameCase cases[] = {
        { 0x0000, u"\tUndefined\t" },
        { 0x0001, u"\tNum Lock \t" },
        { 0x004D, u"\tExternal Power Connected \t" },
        { 0x004E, std::nullopt },
    };
    ExpectNames(0x0008, cases);
}

TEST(LookupUsageName, ButtonPageHasSevenNames)
{
    // No button name is made up from its number: button 8 has none.
    EXPECT_EQ(CountNamedUsages(0x0009), 7);
    const NameCase cases[] = {
        { 0x0002, u"\tButton 2 (secondary)" },
        { 0x0007, u"\tButton 7" },
        { 0x0008, std::nullopt },
    };
    ExpectNames(0x0009, cases);
}

TEST(LookupUsageName, TelephonyPageHasSixtySixNames)
{
    EXPECT_EQ(CountNamedUsages(0x000B), 66);
    const NameCase cases[] = {
        { 0x0020, u"\tHook Switch \t" }, { 0x00BF, u"\tPhone Key D \t" }, { 0x0008, std::nullopt },
        { 0x0032, std::nullopt },        { 0x0054, std::nullopt },        { 0x0075, std::nullopt },
        { 0x009F, std::nullopt },        { 0x00C0, std::nullopt },
    };
    ExpectNames(0x000B, cases);
}

TEST(LookupUsageName, ConsumerPageHasThreeHundredSixtySevenNames)
{
    EXPECT_EQ(CountNamedUsages(0x000C), 367);
    const NameCase cases[] = {
        { 0x0000, u"\tUnassigned\t" },
        { 0x0020, u"\t10\t" },
        { 0x009F, u"\tReserved\t" },
        { 0x00CD, u"\tPlay/Pause \t" },
        { 0x00E2, u"\tMute \t" },
        { 0x0197, u"\tAL Remote Networking / ISPConnect" },
        { 0x01BD, u"AL OEM Features / Tips / TutorialBrowser" },
        { 0x0200, u"\tGeneric GUI ApplicationControls" },
        { 0x029B, u"\tAC Disribute Horizontally \t" },
        { 0x029C, u"\tAC Distribute Vertically \t" },
        { 0x0007, std::nullopt },
        { 0x00A5, std::nullopt },
        { 0x010E, std::nullopt },
        { 0x01C8, std::nullopt },
        { 0x0219, std::nullopt },
        { 0x029D, std::nullopt },
    };
    ExpectNames(0x000C, cases);
}

TEST(LookupUsageName, DigitizerPageHasOneHundredOneNames)
{
    EXPECT_EQ(CountNamedUsages(0x000D), 101);
    const NameCase cases[] = {
        { 0x0000, u"\tUndefined\t" },
        { 0x0002, u"\tPen \t" },
        { 0x0007, u"\tCoordinate MeasuringMachine" },
        { 0x0046, u"\tTablet Pick \t" },
        { 0x0047, u"Touch Valid [3] " },
        { 0x00A5, u"Transducer Switches [36] " },
        { 0x000E, std::nullopt },
        { 0x004A, std::nullopt },
        { 0x0050, std::nullopt },
        { 0x00A6, std::nullopt },
    };
    ExpectNames(0x000D, cases);
}

TEST(LookupUsageName, AlphanumericDisplayPageHasSeventyNames)
{
    EXPECT_EQ(CountNamedUsages(0x0014), 70);
    const NameCase cases[] = {
        { 0x0000, u"\tUndefined\t" }, { 0x0082, u"\tReserved\t" },
        { 0x0089, std::nullopt },     { 0x0095, u"\tSoft Button Report \t" },
        { 0x0096, std::nullopt },
    };
    ExpectNames(0x0014, cases);
}

TEST(LookupUsageName, MedicalInstrumentPageHasThirtyNames)
{
    EXPECT_EQ(CountNamedUsages(0x0040), 30);
    const NameCase cases[] = {
        { 0x0000, u"\tUndefined\t" },
        { 0x0070, u"\tDepth Gain Compensation \t" },
        { 0x00A1, u"\tSoft Control Adjust\t" },
        { 0x0002, std::nullopt },
        { 0x0045, std::nullopt },
        { 0x00A2, std::nullopt },
    };
    ExpectNames(0x0040, cases);
}

} // namespace
} // namespace quorlix
