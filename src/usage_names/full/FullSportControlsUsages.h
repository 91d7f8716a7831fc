#pragma once

// Written by src/usage_names/generate/generate_full_usage_names.py from the HID Usage
// Tables data beside it. Do not edit: change the data or the script and run it again.

#include "usage_names/full/FullUsageEntry.h"

#include <iterator>

namespace quorlix::full_usages {

// Usages of the Sport Controls page (0x0004), ascending by id.
// clang-format off
inline constexpr FullUsageEntry FullSportControlsUsages[] = {
    { 0x0001, CA,   "Baseball Bat" },
    { 0x0002, CA,   "Golf Club" },
    { 0x0003, CA,   "Rowing Machine" },
    { 0x0004, CA,   "Treadmill" },
    { 0x0030, DV,   "Oar" },
    { 0x0031, DV,   "Slope" },
    { 0x0032, DV,   "Rate" },
    { 0x0033, DV,   "Stick Speed" },
    { 0x0034, DV,   "Stick Face Angle" },
    { 0x0035, DV,   "Stick Heel/Toe" },
    { 0x0036, DV,   "Stick Follow Through" },
    { 0x0037, DV,   "Stick Tempo" },
    { 0x0038, NAry, "Stick Type" },
    { 0x0039, DV,   "Stick Height" },
    { 0x0050, Sel,  "Putter" },
    { 0x0051, Sel,  "1 Iron" },
    { 0x0052, Sel,  "2 Iron" },
    { 0x0053, Sel,  "3 Iron" },
    { 0x0054, Sel,  "4 Iron" },
    { 0x0055, Sel,  "5 Iron" },
    { 0x0056, Sel,  "6 Iron" },
    { 0x0057, Sel,  "7 Iron" },
    { 0x0058, Sel,  "8 Iron" },
    { 0x0059, Sel,  "9 Iron" },
    { 0x005A, Sel,  "10 Iron" },
    { 0x005B, Sel,  "11 Iron" },
    { 0x005C, Sel,  "Sand Wedge" },
    { 0x005D, Sel,  "Loft Wedge" },
    { 0x005E, Sel,  "Power Wedge" },
    { 0x005F, Sel,  "1 Wood" },
    { 0x0060, Sel,  "3 Wood" },
    { 0x0061, Sel,  "5 Wood" },
    { 0x0062, Sel,  "7 Wood" },
    { 0x0063, Sel,  "9 Wood" },
};
// clang-format on

static_assert(std::size(FullSportControlsUsages) == 34, "the Sport Controls page lists 34 usages");
static_assert(IsStrictlyAscending(FullSportControlsUsages),
              "Sport Controls usage ids must ascend without repeats");

} // namespace quorlix::full_usages
