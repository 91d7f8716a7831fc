#pragma once

// Written by src/usage_names/generate/generate_full_usage_names.py from the HID Usage
// Tables data beside it. Do not edit: change the data or the script and run it again.

#include "usage_names/full/FullUsageEntry.h"

#include <iterator>

namespace quorlix::full_usages {

// Usages of the Game Controls page (0x0005), ascending by id.
// clang-format off
inline constexpr FullUsageEntry FullGameControlsUsages[] = {
    { 0x0001, CA,   "3D Game Controller" },
    { 0x0002, CA,   "Pinball Device" },
    { 0x0003, CA,   "Gun Device" },
    { 0x0020, CP,   "Point of View" },
    { 0x0021, DV,   "Turn Right/Left" },
    { 0x0022, DV,   "Pitch Forward/Backward" },
    { 0x0023, DV,   "Roll Right/Left" },
    { 0x0024, DV,   "Move Right/Left" },
    { 0x0025, DV,   "Move Forward/Backward" },
    { 0x0026, DV,   "Move Up/Down" },
    { 0x0027, DV,   "Lean Right/Left" },
    { 0x0028, DV,   "Lean Forward/Backward" },
    { 0x0029, DV,   "Height of POV" },
    { 0x002A, MC,   "Flipper" },
    { 0x002B, MC,   "Secondary Flipper" },
    { 0x002C, MC,   "Bump" },
    { 0x002D, OSC,  "New Game" },
    { 0x002E, OSC,  "Shoot Ball" },
    { 0x002F, OSC,  "Player" },
    { 0x0030, OOC,  "Gun Bolt" },
    { 0x0031, OOC,  "Gun Clip" },
    { 0x0032, NAry, "Gun Selector" },
    { 0x0033, Sel,  "Gun Single Shot" },
    { 0x0034, Sel,  "Gun Burst" },
    { 0x0035, Sel,  "Gun Automatic" },
    { 0x0036, OOC,  "Gun Safety" },
    { 0x0037, CL,   "Gamepad Fire/Jump" },
    { 0x0039, CL,   "Gamepad Trigger" },
    { 0x003A, SF,   "Form-fitting Gamepad" },
};
// clang-format on

static_assert(std::size(FullGameControlsUsages) == 29, "the Game Controls page lists 29 usages");
static_assert(IsStrictlyAscending(FullGameControlsUsages),
              "Game Controls usage ids must ascend without repeats");

} // namespace quorlix::full_usages
