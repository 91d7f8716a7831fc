#pragma once

// Written by src/usage_names/generate/generate_full_usage_names.py from the HID Usage
// Tables data beside it. Do not edit: change the data or the script and run it again.

#include "usage_names/full/FullUsageEntry.h"

#include <iterator>

namespace quorlix::full_usages {

// Usages of the Scales page (0x008D), ascending by id.
// clang-format off
inline constexpr FullUsageEntry FullScalesUsages[] = {
    { 0x0001, CA,   "Scales" },
    { 0x0020, CL,   "Scale Device" },
    { 0x0021, NAry, "Scale Class" },
    { 0x0022, Sel,  "Scale Class I Metric" },
    { 0x0023, Sel,  "Scale Class II Metric" },
    { 0x0024, Sel,  "Scale Class III Metric" },
    { 0x0025, Sel,  "Scale Class IIIL Metric" },
    { 0x0026, Sel,  "Scale Class IV Metric" },
    { 0x0027, Sel,  "Scale Class III English" },
    { 0x0028, Sel,  "Scale Class IIIL English" },
    { 0x0029, Sel,  "Scale Class IV English" },
    { 0x002A, Sel,  "Scale Class Generic" },
    { 0x0030, CL,   "Scale Attribute Report" },
    { 0x0031, CL,   "Scale Control Report" },
    { 0x0032, CL,   "Scale Data Report" },
    { 0x0033, CL,   "Scale Status Report" },
    { 0x0034, CL,   "Scale Weight Limit Report" },
    { 0x0035, CL,   "Scale Statistics Report" },
    { 0x0040, DV,   "Data Weight" },
    { 0x0041, DV,   "Data Scaling" },
    { 0x0050, CL,   "Weight Unit" },
    { 0x0051, Sel,  "Weight Unit Milligram" },
    { 0x0052, Sel,  "Weight Unit Gram" },
    { 0x0053, Sel,  "Weight Unit Kilogram" },
    { 0x0054, Sel,  "Weight Unit Carats" },
    { 0x0055, Sel,  "Weight Unit Taels" },
    { 0x0056, Sel,  "Weight Unit Grains" },
    { 0x0057, Sel,  "Weight Unit Pennyweights" },
    { 0x0058, Sel,  "Weight Unit Metric Ton" },
    { 0x0059, Sel,  "Weight Unit Avoir Ton" },
    { 0x005A, Sel,  "Weight Unit Troy Ounce" },
    { 0x005B, Sel,  "Weight Unit Ounce" },
    { 0x005C, Sel,  "Weight Unit Pound" },
    { 0x0060, DV,   "Calibration Count" },
    { 0x0061, DV,   "Re-Zero Count" },
    { 0x0070, NAry, "Scale Status" },
    { 0x0071, Sel,  "Scale Status Fault" },
    { 0x0072, Sel,  "Scale Status Stable at Center of Zero" },
    { 0x0073, Sel,  "Scale Status In Motion" },
    { 0x0074, Sel,  "Scale Status Weight Stable" },
    { 0x0075, Sel,  "Scale Status Under Zero" },
    { 0x0076, Sel,  "Scale Status Over Weight Limit" },
    { 0x0077, Sel,  "Scale Status Requires Calibration" },
    { 0x0078, Sel,  "Scale Status Requires Rezeroing" },
    { 0x0080, OOC,  "Zero Scale" },
    { 0x0081, OOC,  "Enforced Zero Return" },
};
// clang-format on

static_assert(std::size(FullScalesUsages) == 46, "the Scales page lists 46 usages");
static_assert(IsStrictlyAscending(FullScalesUsages),
              "Scales usage ids must ascend without repeats");

} // namespace quorlix::full_usages
