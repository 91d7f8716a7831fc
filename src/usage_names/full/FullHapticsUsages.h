#pragma once

// Written by src/usage_names/generate/generate_full_usage_names.py from the HID Usage
// Tables data beside it. Do not edit: change the data or the script and run it again.

#include "usage_names/full/FullUsageEntry.h"

#include <iterator>

namespace quorlix::full_usages {

// Usages of the Haptics page (0x000E), ascending by id.
// clang-format off
inline constexpr FullUsageEntry FullHapticsUsages[] = {
    { 0x0001, CA | CL, "Simple Haptic Controller" },
    { 0x0010, NAry,    "Waveform List" },
    { 0x0011, NAry,    "Duration List" },
    { 0x0020, DV,      "Auto Trigger" },
    { 0x0021, DV,      "Manual Trigger" },
    { 0x0022, SV,      "Auto Trigger Associated Control" },
    { 0x0023, DV,      "Intensity" },
    { 0x0024, DV,      "Repeat Count" },
    { 0x0025, DV,      "Retrigger Period" },
    { 0x0026, SV,      "Waveform Vendor Page" },
    { 0x0027, SV,      "Waveform Vendor ID" },
    { 0x0028, SV,      "Waveform Cutoff Time" },
    { 0x1001, SV,      "Waveform None" },
    { 0x1002, SV,      "Waveform Stop" },
    { 0x1003, SV,      "Waveform Click" },
    { 0x1004, SV,      "Waveform Buzz Continuous" },
    { 0x1005, SV,      "Waveform Rumble Continuous" },
    { 0x1006, SV,      "Waveform Press" },
    { 0x1007, SV,      "Waveform Release" },
    { 0x1008, SV,      "Waveform Hover" },
    { 0x1009, SV,      "Waveform Success" },
    { 0x100A, SV,      "Waveform Error" },
    { 0x100B, SV,      "Waveform Ink Continuous" },
    { 0x100C, SV,      "Waveform Pencil Continuous" },
    { 0x100D, SV,      "Waveform Marker Continuous" },
    { 0x100E, SV,      "Waveform Chisel Marker Continuous" },
    { 0x100F, SV,      "Waveform Brush Continuous" },
    { 0x1010, SV,      "Waveform Eraser Continuous" },
    { 0x1011, SV,      "Waveform Sparkle Continuous" },
};
// clang-format on

static_assert(std::size(FullHapticsUsages) == 29, "the Haptics page lists 29 usages");
static_assert(IsStrictlyAscending(FullHapticsUsages),
              "Haptics usage ids must ascend without repeats");

} // namespace quorlix::full_usages
