#include "usage_names/FullUsageNames.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace quorlix {
namespace {

std::string Hex(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

// Counts through the lookup rather than the tables, so a search that misses an entry, or a
// page that lists more than the data, shows up.
int CountListedUsages(std::uint16_t usagePage)
{
    int count = 0;
    for (std::uint32_t usage = 0; usage <= 0xFFFF; ++usage) {
        const FullUsage found = LookupFullUsage(usagePage, static_cast<std::uint16_t>(usage));
        count += found.origin == UsageNameOrigin::Listed ? 1 : 0;
    }
    return count;
}

TEST(FullUsageNames, EveryPageListsAsManyUsagesAsTheData)
{
    // Counted by hand in hut-1.7-usages.tsv: rows per page.
    struct Case
    {
        std::uint16_t usagePage;
        std::string_view name;
        int usages;
    };
    const Case cases[] = {
        { 0x0001, "Generic Desktop", 115 },
        { 0x0002, "Simulation Controls", 51 },
        { 0x0003, "VR Controls", 12 },
        { 0x0004, "Sport Controls", 34 },
        { 0x0005, "Game Controls", 29 },
        { 0x0006, "Generic Device Controls", 24 },
        { 0x0007, "Keyboard/Keypad", 218 },
        { 0x0008, "LED", 96 },
        { 0x000B, "Telephony Device", 99 },
        { 0x000C, "Consumer", 454 },
        { 0x000D, "Digitizers", 108 },
        { 0x000E, "Haptics", 29 },
        { 0x000F, "Physical Input Device", 105 },
        { 0x0011, "SoC", 10 },
        { 0x0012, "Eye and Head Trackers", 34 },
        { 0x0014, "Auxiliary Display", 75 },
        { 0x0020, "Sensors", 673 },
        { 0x0040, "Medical Instrument", 29 },
        { 0x0041, "Braille Display", 43 },
        { 0x0059, "Lighting And Illumination", 33 },
        { 0x0080, "Monitor", 4 },
        { 0x0082, "VESA Virtual Controls", 45 },
        { 0x0084, "Power", 77 },
        { 0x0085, "Battery System", 91 },
        { 0x008C, "Barcode Scanner", 194 },
        { 0x008D, "Scales", 46 },
        { 0x008E, "Magnetic Stripe Reader", 10 },
        { 0x0090, "Camera Control", 2 },
        { 0x0091, "Arcade", 27 },
        { 0xF1D0, "FIDO Alliance", 3 },
    };
    int total = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(Hex(c.usagePage));
        EXPECT_TRUE(IsDefinedUsagePage(c.usagePage));
        EXPECT_EQ(FullUsagePageName(c.usagePage).View(), c.name);
        EXPECT_EQ(CountListedUsages(c.usagePage), c.usages);
        total += c.usages;
    }
    EXPECT_EQ(total, 2770);
}

TEST(FullUsageNames, NamesKindsAndOddEntriesOfEachPageFollowTheData)
{
    struct Case
    {
        std::uint16_t usagePage;
        std::uint16_t usageId;
        std::string_view name;
        std::string_view kinds;
    };
    const Case cases[] = {
        // First, last and odd entries of each page, from hut-1.7-usages.tsv.
        { 0x0001, 0x0001, "Pointer", "CP" },
        { 0x0001, 0x0005, "Gamepad", "CA" }, // "Game Pad" in the classic table
        { 0x0001, 0x0039, "Hat Switch", "DV" },
        { 0x0001, 0x00E2, "Call Mute LED", "OOC" },
        { 0x0002, 0x0001, "Flight Simulation Device", "CA" },
        { 0x0003, 0x0001, "Belt", "CA" },
        { 0x0004, 0x005A, "10 Iron", "Sel" }, // a name that starts with digits
        { 0x0005, 0x0020, "Point of View", "CP" },
        { 0x0006, 0x0020, "Battery Strength", "DV" },
        { 0x0007, 0x0004, "Keyboard A", "Sel" },
        { 0x0007, 0x00E7, "Keyboard Right GUI", "DV" },
        { 0x0008, 0x0001, "Num Lock", "OOC" },
        { 0x000B, 0x0001, "Phone", "CA" },
        { 0x000C, 0x0001, "Consumer Control", "CA" },
        { 0x000C, 0x00E9, "Volume Increment", "RTC" },
        { 0x000D, 0x0002, "Pen", "CA" },
        { 0x000E, 0x1001, "Waveform None", "SV" }, // ids past 0x0FFF on a page without modifiers
        { 0x000F, 0x0001, "Physical Input Device", "CA" },
        { 0x0011, 0x0001, "SocControl", "CA" },
        { 0x0012, 0x0001, "Eye Tracker", "CA" },
        { 0x0014, 0x0001, "Alphanumeric Display", "CA" },
        { 0x0020, 0x0001, "Sensor", "CA,CP" },
        { 0x0020, 0x0900, "VT_NULL", "Sel" }, // the data writes VT\_NULL
        { 0x0020, 0x2000, "Modifier: Maximum", "US" },
        { 0x0040, 0x0001, "Medical Ultrasound", "CA" },
        { 0x0041, 0x0001, "Braille Display", "CA" },
        { 0x0059, 0x0001, "LampArray", "CA" },
        { 0x0080, 0x0001, "Monitor Control", "CA" },
        { 0x0082, 0x0056, "Horizontal Moir\xC3\xA9", "DV" }, // the one name beyond ASCII
        { 0x0084, 0x0030, "Voltage", "DV" },
        { 0x0085, 0x0066, "Remaining Capacity", "DV" },
        { 0x008C, 0x0001, "Barcode Badge Reader", "CA" },
        { 0x008D, 0x0001, "Scales", "CA" },
        { 0x008E, 0x0001, "MSR Device Read-Only", "CA" },
        { 0x0090, 0x0020, "Camera Auto-focus", "OSC" },
        { 0x0091, 0x0001, "General Purpose IO Card", "CA" },
        { 0xF1D0, 0x0001, "U2F Authenticator Device", "CA" },
        { 0xF1D0, 0x0021, "Output Report Data", "DV" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Hex(c.usagePage) + " " + Hex(c.usageId));
        const FullUsage usage = LookupFullUsage(c.usagePage, c.usageId);
        EXPECT_EQ(usage.name.View(), c.name);
        EXPECT_EQ(UsageKindsText(usage.kinds).View(), c.kinds);
        EXPECT_EQ(usage.origin, UsageNameOrigin::Listed);
    }
}

TEST(FullUsageNames, GeneratedPagesNameEveryIdOfTheirRange)
{
    struct Case
    {
        std::uint16_t usagePage;
        std::uint16_t usageId;
        std::string_view name;
        std::string_view kinds;
        UsageNameOrigin origin;
    };
    const Case cases[] = {
        { 0x0009, 0x0001, "Button 1", "Sel,OOC,MC,OSC", UsageNameOrigin::Generated },
        { 0x0009, 0xFFFF, "Button 65535", "Sel,OOC,MC,OSC", UsageNameOrigin::Generated },
        { 0x0009, 0x0000, "Reserved usage 0x0000", "", UsageNameOrigin::Reserved },
        { 0x000A, 0x0002, "Instance 2", "UM", UsageNameOrigin::Generated },
        { 0x0081, 0x0010, "Enum 16", "Sel", UsageNameOrigin::Generated },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Hex(c.usagePage) + " " + Hex(c.usageId));
        const FullUsage usage = LookupFullUsage(c.usagePage, c.usageId);
        EXPECT_EQ(usage.name.View(), c.name);
        EXPECT_EQ(UsageKindsText(usage.kinds).View(), c.kinds);
        EXPECT_EQ(usage.origin, c.origin);
    }
    EXPECT_EQ(FullUsagePageName(0x0009).View(), "Button");
    EXPECT_EQ(FullUsagePageName(0x000A).View(), "Ordinal");
    EXPECT_EQ(FullUsagePageName(0x0081).View(), "Monitor Enumerated");
}

TEST(FullUsageNames, SensorUsageWithTopBitsIsItsBaseUsageWithAModifier)
{
    struct Case
    {
        std::uint16_t usageId;
        std::string_view name;
        std::string_view kinds;
    };
    const Case cases[] = {
        { 0x2453, "Data Field: Acceleration Axis X (Maximum)", "SV" },
        { 0x1453, "Data Field: Acceleration Axis X (Change Sensitivity Absolute)", "SV" },
        { 0xF453, "Data Field: Acceleration Axis X (Vendor Reserved)", "SV" },
        { 0xE451, "Data Field: Motion State (Change Sensitivity Percent Relative)", "SF" },
        // A modifier on an id the page does not define keeps the reserved base name.
        { 0x3FFF, "Reserved usage 0x0FFF (Minimum)", "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Hex(c.usageId));
        const FullUsage usage = LookupFullUsage(0x0020, c.usageId);
        EXPECT_EQ(usage.name.View(), c.name);
        EXPECT_EQ(UsageKindsText(usage.kinds).View(), c.kinds);
        EXPECT_EQ(usage.origin, UsageNameOrigin::SensorModifier);
    }
    // Only the Sensors page has modifiers.
    EXPECT_EQ(FullUsageName(0x0001, 0x2030).View(), "Reserved usage 0x2030");
}

TEST(FullUsageNames, VendorAndReservedPagesAndUsagesAreNamedByNumber)
{
    EXPECT_EQ(FullUsagePageName(0xFF00).View(), "Vendor-defined page 0xFF00");
    EXPECT_EQ(FullUsagePageName(0xFFFF).View(), "Vendor-defined page 0xFFFF");
    EXPECT_EQ(FullUsagePageName(0xFEFF).View(), "Reserved page 0xFEFF");
    EXPECT_EQ(FullUsagePageName(0x1234).View(), "Reserved page 0x1234");
    EXPECT_EQ(FullUsagePageName(0x0000).View(), "Reserved page 0x0000");
    EXPECT_EQ(FullUsagePageName(0x0010).View(), "Reserved page 0x0010"); // Unicode, withdrawn
    EXPECT_FALSE(IsDefinedUsagePage(0xFF00));
    EXPECT_FALSE(IsDefinedUsagePage(0x0010));

    const FullUsage vendor = LookupFullUsage(0xFF00, 0x0001);
    EXPECT_EQ(vendor.name.View(), "Vendor usage 0x0001");
    EXPECT_TRUE(vendor.kinds.Empty());
    EXPECT_EQ(vendor.origin, UsageNameOrigin::Vendor);
    EXPECT_EQ(FullUsageName(0xFFFF, 0xABCD).View(), "Vendor usage 0xABCD");

    const FullUsage reserved = LookupFullUsage(0x1234, 0x0042);
    EXPECT_EQ(reserved.name.View(), "Reserved usage 0x0042");
    EXPECT_EQ(reserved.origin, UsageNameOrigin::Reserved);
    // A gap in a listed page.
    EXPECT_EQ(FullUsageName(0x0001, 0x0003).View(), "Reserved usage 0x0003");
    EXPECT_EQ(FullUsageName(0xF1D0, 0xFFFF).View(), "Reserved usage 0xFFFF");
}

TEST(FullUsageNames, ExtendedUsagesCarryTheirOwnPage)
{
    const PagedUsage shortItem = UsageOfItem(0x000C, 0x00E9, false);
    EXPECT_EQ(shortItem.usagePage, 0x000C);
    EXPECT_EQ(shortItem.usageId, 0x00E9);
    const PagedUsage fourBytes = UsageOfItem(0x0001, 0x000C00E9, true);
    EXPECT_EQ(fourBytes.usagePage, 0x000C);
    EXPECT_EQ(fourBytes.usageId, 0x00E9);
    const PagedUsage field = UsageOfExtended(0x00090003);
    EXPECT_EQ(field.usagePage, 0x0009);
    EXPECT_EQ(field.usageId, 0x0003);
}

} // namespace
} // namespace quorlix
