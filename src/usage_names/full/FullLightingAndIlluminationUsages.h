#pragma once

// Written by src/usage_names/generate/generate_full_usage_names.py from the HID Usage
// Tables data beside it. Do not edit: change the data or the script and run it again.

#include "usage_names/full/FullUsageEntry.h"

#include <iterator>

namespace quorlix::full_usages {

// Usages of the Lighting And Illumination page (0x0059), ascending by id.
// clang-format off
inline constexpr FullUsageEntry FullLightingAndIlluminationUsages[] = {
    { 0x0001, CA,      "LampArray" },
    { 0x0002, CL,      "LampArrayAttributesReport" },
    { 0x0003, DV | SV, "LampCount" },
    { 0x0004, SV,      "BoundingBoxWidthInMicrometers" },
    { 0x0005, SV,      "BoundingBoxHeightInMicrometers" },
    { 0x0006, SV,      "BoundingBoxDepthInMicrometers" },
    { 0x0007, SV,      "LampArrayKind" },
    { 0x0008, SV,      "MinUpdateIntervalInMicroseconds" },
    { 0x0020, CL,      "LampAttributesRequestReport" },
    { 0x0021, DV | SV, "LampId" },
    { 0x0022, CL,      "LampAttributesResponseReport" },
    { 0x0023, DV,      "PositionXInMicrometers" },
    { 0x0024, DV,      "PositionYInMicrometers" },
    { 0x0025, DV,      "PositionZInMicrometers" },
    { 0x0026, DV,      "LampPurposes" },
    { 0x0027, DV,      "UpdateLatencyInMicroseconds" },
    { 0x0028, DV,      "RedLevelCount" },
    { 0x0029, DV,      "GreenLevelCount" },
    { 0x002A, DV,      "BlueLevelCount" },
    { 0x002B, DV,      "IntensityLevelCount" },
    { 0x002C, DV,      "IsProgrammable" },
    { 0x002D, DV,      "InputBinding" },
    { 0x0050, CL,      "LampMultiUpdateReport" },
    { 0x0051, DV,      "RedUpdateChannel" },
    { 0x0052, DV,      "GreenUpdateChannel" },
    { 0x0053, DV,      "BlueUpdateChannel" },
    { 0x0054, DV,      "IntensityUpdateChannel" },
    { 0x0055, DV,      "LampUpdateFlags" },
    { 0x0060, CL,      "LampRangeUpdateReport" },
    { 0x0061, DV,      "LampIdStart" },
    { 0x0062, DV,      "LampIdEnd" },
    { 0x0070, CL,      "LampArrayControlReport" },
    { 0x0071, DV,      "AutonomousMode" },
};
// clang-format on

static_assert(std::size(FullLightingAndIlluminationUsages) == 33,
              "the Lighting And Illumination page lists 33 usages");
static_assert(IsStrictlyAscending(FullLightingAndIlluminationUsages),
              "Lighting And Illumination usage ids must ascend without repeats");

} // namespace quorlix::full_usages
