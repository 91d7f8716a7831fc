#pragma once

// Written by src/usage_names/generate/generate_full_usage_names.py from the HID Usage
// Tables data beside it. Do not edit: change the data or the script and run it again.

#include "usage_names/full/FullUsageEntry.h"

#include <iterator>

namespace quorlix::full_usages {

// Usages of the Power page (0x0084), ascending by id.
// clang-format off
inline constexpr FullUsageEntry FullPowerUsages[] = {
    { 0x0001, SV,      "iName" },
    { 0x0002, CL,      "Present Status" },
    { 0x0003, CL,      "Changed Status" },
    { 0x0004, CA,      "UPS" },
    { 0x0005, CA,      "Power Supply" },
    { 0x0010, CP,      "Battery System" },
    { 0x0011, SV,      "Battery System Id" },
    { 0x0012, CP,      "Battery" },
    { 0x0013, SV,      "Battery Id" },
    { 0x0014, CP,      "Charger" },
    { 0x0015, SV,      "Charger Id" },
    { 0x0016, CP,      "Power Converter" },
    { 0x0017, SV,      "Power Converter Id" },
    { 0x0018, CP,      "Outlet System" },
    { 0x0019, SV,      "Outlet System Id" },
    { 0x001A, CP,      "Input" },
    { 0x001B, SV,      "Input Id" },
    { 0x001C, CP,      "Output" },
    { 0x001D, SV,      "Output Id" },
    { 0x001E, CP,      "Flow" },
    { 0x001F, SV,      "Flow Id" },
    { 0x0020, CP,      "Outlet" },
    { 0x0021, SV,      "Outlet Id" },
    { 0x0022, CL | CP, "Gang" },
    { 0x0023, SV,      "Gang Id" },
    { 0x0024, CL | CP, "Power Summary" },
    { 0x0025, SV,      "Power Summary Id" },
    { 0x0030, DV,      "Voltage" },
    { 0x0031, DV,      "Current" },
    { 0x0032, DV,      "Frequency" },
    { 0x0033, DV,      "Apparent Power" },
    { 0x0034, DV,      "Active Power" },
    { 0x0035, DV,      "Percent Load" },
    { 0x0036, DV,      "Temperature" },
    { 0x0037, DV,      "Humidity" },
    { 0x0038, DV,      "Bad Count" },
    { 0x0040, DV | SV, "Config Voltage" },
    { 0x0041, DV | SV, "Config Current" },
    { 0x0042, DV | SV, "Config Frequency" },
    { 0x0043, DV | SV, "Config Apparent Power" },
    { 0x0044, DV | SV, "Config Active Power" },
    { 0x0045, DV | SV, "Config Percent Load" },
    { 0x0046, DV | SV, "Config Temperature" },
    { 0x0047, DV | SV, "Config Humidity" },
    { 0x0050, DV,      "Switch On Control" },
    { 0x0051, DV,      "Switch Off Control" },
    { 0x0052, DV,      "Toggle Control" },
    { 0x0053, DV,      "Low Voltage Transfer" },
    { 0x0054, DV,      "High Voltage Transfer" },
    { 0x0055, DV,      "Delay Before Reboot" },
    { 0x0056, DV,      "Delay Before Startup" },
    { 0x0057, DV,      "Delay Before Shutdown" },
    { 0x0058, DV,      "Test" },
    { 0x0059, DV,      "Module Reset" },
    { 0x005A, DV,      "Audible Alarm Control" },
    { 0x0060, DF,      "Present" },
    { 0x0061, DF,      "Good" },
    { 0x0062, DF,      "Internal Failure" },
    { 0x0063, DF,      "Voltag Out Of Range" },
    { 0x0064, DF,      "Frequency Out Of Range" },
    { 0x0065, DF,      "Overload" },
    { 0x0066, DF,      "Over Charged" },
    { 0x0067, DF,      "Over Temperature" },
    { 0x0068, DF,      "Shutdown Requested" },
    { 0x0069, DF,      "Shutdown Imminent" },
    { 0x006B, DF,      "Switch On/Off" },
    { 0x006C, DF,      "Switchable" },
    { 0x006D, DF,      "Used" },
    { 0x006E, DF,      "Boost" },
    { 0x006F, DF,      "Buck" },
    { 0x0070, DF,      "Initialized" },
    { 0x0071, DF,      "Tested" },
    { 0x0072, DF,      "Awaiting Power" },
    { 0x0073, DF,      "Communication Lost" },
    { 0x00FD, SV,      "iManufacturer" },
    { 0x00FE, SV,      "iProduct" },
    { 0x00FF, SV,      "iSerialNumber" },
};
// clang-format on

static_assert(std::size(FullPowerUsages) == 77, "the Power page lists 77 usages");
static_assert(IsStrictlyAscending(FullPowerUsages), "Power usage ids must ascend without repeats");

} // namespace quorlix::full_usages
