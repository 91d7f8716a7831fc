#pragma once

// Written by src/usage_names/generate/generate_full_usage_names.py from the HID Usage
// Tables data beside it. Do not edit: change the data or the script and run it again.

#include "usage_names/full/FullUsageEntry.h"

#include <iterator>

namespace quorlix::full_usages {

// Usages of the Monitor page (0x0080), ascending by id.
// clang-format off
inline constexpr FullUsageEntry FullMonitorUsages[] = {
    { 0x0001, CA, "Monitor Control" },
    { 0x0002, SV, "EDID Information" },
    { 0x0003, SV, "VDIF Information" },
    { 0x0004, SV, "VESA Version" },
};
// clang-format on

static_assert(std::size(FullMonitorUsages) == 4, "the Monitor page lists 4 usages");
static_assert(IsStrictlyAscending(FullMonitorUsages),
              "Monitor usage ids must ascend without repeats");

} // namespace quorlix::full_usages
