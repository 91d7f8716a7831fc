#pragma once

// Written by src/usage_names/generate/generate_full_usage_names.py from the HID Usage
// Tables data beside it. Do not edit: change the data or the script and run it again.

#include "usage_names/full/FullUsageEntry.h"

#include <iterator>

namespace quorlix::full_usages {

// Usages of the Eye and Head Trackers page (0x0012), ascending by id.
// clang-format off
inline constexpr FullUsageEntry FullEyeAndHeadTrackersUsages[] = {
    { 0x0001, CA, "Eye Tracker" },
    { 0x0002, CA, "Head Tracker" },
    { 0x0010, CP, "Tracking Data" },
    { 0x0011, CL, "Capabilities" },
    { 0x0012, CL, "Configuration" },
    { 0x0013, CL, "Status" },
    { 0x0014, CL, "Control" },
    { 0x0020, DV, "Sensor Timestamp" },
    { 0x0021, DV, "Position X" },
    { 0x0022, DV, "Position Y" },
    { 0x0023, DV, "Position Z" },
    { 0x0024, CP, "Gaze Point" },
    { 0x0025, CP, "Left Eye Position" },
    { 0x0026, CP, "Right Eye Position" },
    { 0x0027, CP, "Head Position" },
    { 0x0028, CP, "Head Direction Point" },
    { 0x0029, DV, "Rotation about X axis" },
    { 0x002A, DV, "Rotation about Y axis" },
    { 0x002B, DV, "Rotation about Z axis" },
    { 0x0100, SV, "Tracker Quality" },
    { 0x0101, SV, "Minimum Tracking Distance" },
    { 0x0102, SV, "Optimum Tracking Distance" },
    { 0x0103, SV, "Maximum Tracking Distance" },
    { 0x0104, SV, "Maximum Screen Plane Width" },
    { 0x0105, SV, "Maximum Screen Plane Height" },
    { 0x0200, SV, "Display Manufacturer ID" },
    { 0x0201, SV, "Display Product ID" },
    { 0x0202, SV, "Display Serial Number" },
    { 0x0203, SV, "Display Manufacturer Date" },
    { 0x0204, SV, "Calibrated Screen Width" },
    { 0x0205, SV, "Calibrated Screen Height" },
    { 0x0300, DV, "Sampling Frequency" },
    { 0x0301, DV, "Configuration Status" },
    { 0x0400, DV, "Device Mode Request" },
};
// clang-format on

static_assert(std::size(FullEyeAndHeadTrackersUsages) == 34,
              "the Eye and Head Trackers page lists 34 usages");
static_assert(IsStrictlyAscending(FullEyeAndHeadTrackersUsages),
              "Eye and Head Trackers usage ids must ascend without repeats");

} // namespace quorlix::full_usages
