#pragma once

// Written by src/usage_names/generate/generate_full_usage_names.py from the HID Usage
// Tables data beside it. Do not edit: change the data or the script and run it again.

#include "usage_names/full/FullUsageEntry.h"

#include <iterator>

namespace quorlix::full_usages {

// Usages of the Magnetic Stripe Reader page (0x008E), ascending by id.
// clang-format off
inline constexpr FullUsageEntry FullMagneticStripeReaderUsages[] = {
    { 0x0001, CA,           "MSR Device Read-Only" },
    { 0x0011, DV,           "Track 1 Length" },
    { 0x0012, DV,           "Track 2 Length" },
    { 0x0013, DV,           "Track 3 Length" },
    { 0x0014, DV,           "Track JIS Length" },
    { 0x0020, DV | DF | SF, "Track Data" },
    { 0x0021, DV | DF | SF, "Track 1 Data" },
    { 0x0022, DV | DF | SF, "Track 2 Data" },
    { 0x0023, DV | DF | SF, "Track 3 Data" },
    { 0x0024, DV | DF | SF, "Track JIS Data" },
};
// clang-format on

static_assert(std::size(FullMagneticStripeReaderUsages) == 10,
              "the Magnetic Stripe Reader page lists 10 usages");
static_assert(IsStrictlyAscending(FullMagneticStripeReaderUsages),
              "Magnetic Stripe Reader usage ids must ascend without repeats");

} // namespace quorlix::full_usages
