#pragma once

#include "usage_names/UsageKinds.h"
#include "usage_names/UsageNameText.h"

#include <cstdint>

namespace quorlix {

// Where a full usage name comes from.
enum class UsageNameOrigin : std::uint8_t
{
    Listed,         // the tables list the usage by name
    Generated,      // a page that names its usages by number: Button 3, Instance 2, Enum 7
    SensorModifier, // a Sensors usage with a modifier in its top four bits
    Vendor,         // any usage of a vendor-defined page (0xFF00 to 0xFFFF)
    Reserved,       // a usage the tables leave undefined, on any other page
};

// Everything the full tables say of one usage.
struct FullUsage
{
    UsageNameText name;
    UsageKinds kinds; // empty for a vendor or reserved usage
    UsageNameOrigin origin = UsageNameOrigin::Reserved;
};

// The name of a page as the full HID Usage Tables give it ("Generic Desktop", "Sensors",
// "FIDO Alliance"), "Vendor-defined page 0xFF00" for 0xFF00 to 0xFFFF, and "Reserved page
// 0x1234" for any other page. Never empty.
UsageNameText FullUsagePageName(std::uint16_t usagePage);

// True for a page the tables define (listed or generated names), false for vendor and reserved.
bool IsDefinedUsagePage(std::uint16_t usagePage);

// True for the vendor-defined pages 0xFF00 to 0xFFFF.
constexpr bool IsVendorDefinedPage(std::uint16_t usagePage)
{
    return usagePage >= 0xFF00;
}

// Name, kinds and origin of a usage: the listed name; "Button 3" and the like on the generated
// pages; on the Sensors page, an id with its top four bits set is a base usage and a modifier,
// "Data Field: Acceleration Axis X (Maximum)" for 0x2453; "Vendor usage 0x0001" on a vendor page;
// "Reserved usage 0x0042" otherwise. The name is never empty. No allocation, O(log n).
FullUsage LookupFullUsage(std::uint16_t usagePage, std::uint16_t usageId);

// The name alone, as LookupFullUsage gives it.
UsageNameText FullUsageName(std::uint16_t usagePage, std::uint16_t usageId);

// The kinds alone; empty for a vendor or reserved usage.
UsageKinds FullUsageKinds(std::uint16_t usagePage, std::uint16_t usageId);

// The kinds as the tables write them, comma-separated in a fixed order ("Sel,OOC,MC,OSC");
// empty for no kind.
UsageNameText UsageKindsText(UsageKinds kinds);

// A usage as a Usage item gives it: a four-byte item carries its own page in the high half,
// a shorter one is a usage on the current page.
struct PagedUsage
{
    std::uint16_t usagePage;
    std::uint16_t usageId;
};

constexpr PagedUsage UsageOfItem(std::uint16_t currentPage, std::uint32_t value, bool fourBytes)
{
    if (fourBytes) {
        return { static_cast<std::uint16_t>(value >> 16), static_cast<std::uint16_t>(value) };
    }
    return { currentPage, static_cast<std::uint16_t>(value) };
}

// A 32-bit usage with its page in the high half, as report fields keep their usages.
constexpr PagedUsage UsageOfExtended(std::uint32_t extendedUsage)
{
    return { static_cast<std::uint16_t>(extendedUsage >> 16),
             static_cast<std::uint16_t>(extendedUsage) };
}

} // namespace quorlix
