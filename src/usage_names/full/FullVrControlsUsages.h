#pragma once

// Written by src/usage_names/generate/generate_full_usage_names.py from the HID Usage
// Tables data beside it. Do not edit: change the data or the script and run it again.

#include "usage_names/full/FullUsageEntry.h"

#include <iterator>

namespace quorlix::full_usages {

// Usages of the VR Controls page (0x0003), ascending by id.
// clang-format off
inline constexpr FullUsageEntry FullVrControlsUsages[] = {
    { 0x0001, CA,  "Belt" },
    { 0x0002, CA,  "Body Suit" },
    { 0x0003, CP,  "Flexor" },
    { 0x0004, CA,  "Glove" },
    { 0x0005, CP,  "Head Tracker" },
    { 0x0006, CA,  "Head Mounted Display" },
    { 0x0007, CA,  "Hand Tracker" },
    { 0x0008, CA,  "Oculometer" },
    { 0x0009, CA,  "Vest" },
    { 0x000A, CA,  "Animatronic Device" },
    { 0x0020, OOC, "Stereo Enable" },
    { 0x0021, OOC, "Display Enable" },
};
// clang-format on

static_assert(std::size(FullVrControlsUsages) == 12, "the VR Controls page lists 12 usages");
static_assert(IsStrictlyAscending(FullVrControlsUsages),
              "VR Controls usage ids must ascend without repeats");

} // namespace quorlix::full_usages
