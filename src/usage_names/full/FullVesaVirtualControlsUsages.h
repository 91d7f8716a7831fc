#pragma once

// Written by src/usage_names/generate/generate_full_usage_names.py from the HID Usage
// Tables data beside it. Do not edit: change the data or the script and run it again.

#include "usage_names/full/FullUsageEntry.h"

#include <iterator>

namespace quorlix::full_usages {

// Usages of the VESA Virtual Controls page (0x0082), ascending by id.
// clang-format off
inline constexpr FullUsageEntry FullVesaVirtualControlsUsages[] = {
    { 0x0001, DV,   "Degauss" },
    { 0x0010, DV,   "Brightness" },
    { 0x0012, DV,   "Contrast" },
    { 0x0016, DV,   "Red Video Gain" },
    { 0x0018, DV,   "Green Video Gain" },
    { 0x001A, DV,   "Blue Video Gain" },
    { 0x001C, DV,   "Focus" },
    { 0x0020, DV,   "Horizontal Position" },
    { 0x0022, DV,   "Horizontal Size" },
    { 0x0024, DV,   "Horizontal Pincushion" },
    { 0x0026, DV,   "Horizontal Pincushion Balance" },
    { 0x0028, DV,   "Horizontal Misconvergence" },
    { 0x002A, DV,   "Horizontal Linearity" },
    { 0x002C, DV,   "Horizontal Linearity Balance" },
    { 0x0030, DV,   "Vertical Position" },
    { 0x0032, DV,   "Vertical Size" },
    { 0x0034, DV,   "Vertical Pincushion" },
    { 0x0036, DV,   "Vertical Pincushion Balance" },
    { 0x0038, DV,   "Vertical Misconvergence" },
    { 0x003A, DV,   "Vertical Linearity" },
    { 0x003C, DV,   "Vertical Linearity Balance" },
    { 0x0040, DV,   "Parallelogram Distortion (Key Balance)" },
    { 0x0042, DV,   "Trapezoidal Distortion (Key)" },
    { 0x0044, DV,   "Tilt (Rotation)" },
    { 0x0046, DV,   "Top Corner Distortion Control" },
    { 0x0048, DV,   "Top Corner Distortion Balance" },
    { 0x004A, DV,   "Bottom Corner Distortion Control" },
    { 0x004C, DV,   "Bottom Corner Distortion Balance" },
    { 0x0056, DV,   "Horizontal Moir\xC3\xA9" },
    { 0x0058, DV,   "Vertical Moir\xC3\xA9" },
    { 0x005E, NAry, "Input Level Select" },
    { 0x0060, NAry, "Input Source Select" },
    { 0x006C, DV,   "Red Video Black Level" },
    { 0x006E, DV,   "Green Video Black Level" },
    { 0x0070, DV,   "Blue Video Black Level" },
    { 0x00A2, NAry, "Auto Size Center" },
    { 0x00A4, NAry, "Polarity Horizontal Synchronization" },
    { 0x00A6, NAry, "Polarity Vertical Synchronization" },
    { 0x00A8, NAry, "Synchronization Type" },
    { 0x00AA, NAry, "Screen Orientation" },
    { 0x00AC, DV,   "Horizontal Frequency" },
    { 0x00AE, DV,   "Vertical Frequency" },
    { 0x00B0, NAry, "Settings" },
    { 0x00CA, NAry, "On Screen Display" },
    { 0x00D4, NAry, "Stereo Mode" },
};
// clang-format on

static_assert(std::size(FullVesaVirtualControlsUsages) == 45,
              "the VESA Virtual Controls page lists 45 usages");
static_assert(IsStrictlyAscending(FullVesaVirtualControlsUsages),
              "VESA Virtual Controls usage ids must ascend without repeats");

} // namespace quorlix::full_usages
