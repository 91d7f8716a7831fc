#pragma once

// Written by src/usage_names/generate/generate_full_usage_names.py from the HID Usage
// Tables data beside it. Do not edit: change the data or the script and run it again.

#include "usage_names/full/FullUsageEntry.h"

#include <iterator>

namespace quorlix::full_usages {

// Usages of the Camera Control page (0x0090), ascending by id.
// clang-format off
inline constexpr FullUsageEntry FullCameraControlUsages[] = {
    { 0x0020, OSC, "Camera Auto-focus" },
    { 0x0021, OSC, "Camera Shutter" },
};
// clang-format on

static_assert(std::size(FullCameraControlUsages) == 2, "the Camera Control page lists 2 usages");
static_assert(IsStrictlyAscending(FullCameraControlUsages),
              "Camera Control usage ids must ascend without repeats");

} // namespace quorlix::full_usages
