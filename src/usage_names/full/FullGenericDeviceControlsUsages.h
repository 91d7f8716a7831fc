#pragma once

// Written by src/usage_names/generate/generate_full_usage_names.py from the HID Usage
// Tables data beside it. Do not edit: change the data or the script and run it again.

#include "usage_names/full/FullUsageEntry.h"

#include <iterator>

namespace quorlix::full_usages {

// Usages of the Generic Device Controls page (0x0006), ascending by id.
// clang-format off
inline constexpr FullUsageEntry FullGenericDeviceControlsUsages[] = {
    { 0x0001, CA,   "Background/Nonuser Controls" },
    { 0x0020, DV,   "Battery Strength" },
    { 0x0021, DV,   "Wireless Channel" },
    { 0x0022, DV,   "Wireless ID" },
    { 0x0023, OSC,  "Discover Wireless Control" },
    { 0x0024, OSC,  "Security Code Character Entered" },
    { 0x0025, OSC,  "Security Code Character Erased" },
    { 0x0026, OSC,  "Security Code Cleared" },
    { 0x0027, DV,   "Sequence ID" },
    { 0x0028, DF,   "Sequence ID Reset" },
    { 0x0029, DV,   "RF Signal Strength" },
    { 0x002A, CL,   "Software Version" },
    { 0x002B, CL,   "Protocol Version" },
    { 0x002C, CL,   "Hardware Version" },
    { 0x002D, SV,   "Major" },
    { 0x002E, SV,   "Minor" },
    { 0x002F, SV,   "Revision" },
    { 0x0030, NAry, "Handedness" },
    { 0x0031, Sel,  "Either Hand" },
    { 0x0032, Sel,  "Left Hand" },
    { 0x0033, Sel,  "Right Hand" },
    { 0x0034, Sel,  "Both Hands" },
    { 0x0040, CP,   "Grip Pose Offset" },
    { 0x0041, CP,   "Pointer Pose Offset" },
};
// clang-format on

static_assert(std::size(FullGenericDeviceControlsUsages) == 24,
              "the Generic Device Controls page lists 24 usages");
static_assert(IsStrictlyAscending(FullGenericDeviceControlsUsages),
              "Generic Device Controls usage ids must ascend without repeats");

} // namespace quorlix::full_usages
