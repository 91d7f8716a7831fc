#pragma once

// Written by src/usage_names/generate/generate_full_usage_names.py from the HID Usage
// Tables data beside it. Do not edit: change the data or the script and run it again.

#include "usage_names/full/FullUsageEntry.h"

#include <iterator>

namespace quorlix::full_usages {

// Usages of the FIDO Alliance page (0xF1D0), ascending by id.
// clang-format off
inline constexpr FullUsageEntry FullFidoAllianceUsages[] = {
    { 0x0001, CA, "U2F Authenticator Device" },
    { 0x0020, DV, "Input Report Data" },
    { 0x0021, DV, "Output Report Data" },
};
// clang-format on

static_assert(std::size(FullFidoAllianceUsages) == 3, "the FIDO Alliance page lists 3 usages");
static_assert(IsStrictlyAscending(FullFidoAllianceUsages),
              "FIDO Alliance usage ids must ascend without repeats");

} // namespace quorlix::full_usages
