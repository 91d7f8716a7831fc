#pragma once

// Written by src/usage_names/generate/generate_full_usage_names.py from the HID Usage
// Tables data beside it. Do not edit: change the data or the script and run it again.

#include "usage_names/full/FullUsageEntry.h"

#include <iterator>

namespace quorlix::full_usages {

// Usages of the Arcade page (0x0091), ascending by id.
// clang-format off
inline constexpr FullUsageEntry FullArcadeUsages[] = {
    { 0x0001, CA,   "General Purpose IO Card" },
    { 0x0002, CA,   "Coin Door" },
    { 0x0003, CA,   "Watchdog Timer" },
    { 0x0030, DV,   "General Purpose Analog Input State" },
    { 0x0031, DV,   "General Purpose Digital Input State" },
    { 0x0032, DV,   "General Purpose Optical Input State" },
    { 0x0033, DV,   "General Purpose Digital Output State" },
    { 0x0034, DV,   "Number of Coin Doors" },
    { 0x0035, DV,   "Coin Drawer Drop Count" },
    { 0x0036, OOC,  "Coin Drawer Start" },
    { 0x0037, OOC,  "Coin Drawer Service" },
    { 0x0038, OOC,  "Coin Drawer Tilt" },
    { 0x0039, OOC,  "Coin Door Test" },
    { 0x0040, OOC,  "Coin Door Lockout" },
    { 0x0041, DV,   "Watchdog Timeout" },
    { 0x0042, NAry, "Watchdog Action" },
    { 0x0043, Sel,  "Watchdog Reboot" },
    { 0x0044, Sel,  "Watchdog Restart" },
    { 0x0045, DV,   "Alarm Input" },
    { 0x0046, OOC,  "Coin Door Counter" },
    { 0x0047, DV,   "I/O Direction Mapping" },
    { 0x0048, DV,   "Set I/O Direction Mapping" },
    { 0x0049, DV,   "Extended Optical Input State" },
    { 0x004A, DV,   "Pin Pad Input State" },
    { 0x004B, DV,   "Pin Pad Status" },
    { 0x004C, OOC,  "Pin Pad Output" },
    { 0x004D, DV,   "Pin Pad Command" },
};
// clang-format on

static_assert(std::size(FullArcadeUsages) == 27, "the Arcade page lists 27 usages");
static_assert(IsStrictlyAscending(FullArcadeUsages),
              "Arcade usage ids must ascend without repeats");

} // namespace quorlix::full_usages
