#pragma once

// Written by src/usage_names/generate/generate_full_usage_names.py from the HID Usage
// Tables data beside it. Do not edit: change the data or the script and run it again.

#include "usage_names/full/FullUsageEntry.h"

#include <iterator>

namespace quorlix::full_usages {

// Usages of the Simulation Controls page (0x0002), ascending by id.
// clang-format off
inline constexpr FullUsageEntry FullSimulationControlsUsages[] = {
    { 0x0001, CA,  "Flight Simulation Device" },
    { 0x0002, CA,  "Automobile Simulation Device" },
    { 0x0003, CA,  "Tank Simulation Device" },
    { 0x0004, CA,  "Spaceship Simulation Device" },
    { 0x0005, CA,  "Submarine Simulation Device" },
    { 0x0006, CA,  "Sailing Simulation Device" },
    { 0x0007, CA,  "Motorcycle Simulation Device" },
    { 0x0008, CA,  "Sports Simulation Device" },
    { 0x0009, CA,  "Airplane Simulation Device" },
    { 0x000A, CA,  "Helicopter Simulation Device" },
    { 0x000B, CA,  "Magic Carpet Simulation Device" },
    { 0x000C, CA,  "Bicycle Simulation Device" },
    { 0x0020, CA,  "Flight Control Stick" },
    { 0x0021, CA,  "Flight Stick" },
    { 0x0022, CP,  "Cyclic Control" },
    { 0x0023, CP,  "Cyclic Trim" },
    { 0x0024, CA,  "Flight Yoke" },
    { 0x0025, CP,  "Track Control" },
    { 0x00B0, DV,  "Aileron" },
    { 0x00B1, DV,  "Aileron Trim" },
    { 0x00B2, DV,  "Anti-Torque Control" },
    { 0x00B3, OOC, "Autopilot Enable" },
    { 0x00B4, OSC, "Chaff Release" },
    { 0x00B5, DV,  "Collective Control" },
    { 0x00B6, DV,  "Dive Brake" },
    { 0x00B7, OOC, "Electronic Countermeasures" },
    { 0x00B8, DV,  "Elevator" },
    { 0x00B9, DV,  "Elevator Trim" },
    { 0x00BA, DV,  "Rudder" },
    { 0x00BB, DV,  "Throttle" },
    { 0x00BC, OOC, "Flight Communications" },
    { 0x00BD, OSC, "Flare Release" },
    { 0x00BE, OOC, "Landing Gear" },
    { 0x00BF, DV,  "Toe Brake" },
    { 0x00C0, MC,  "Trigger" },
    { 0x00C1, OOC, "Weapons Arm" },
    { 0x00C2, OSC, "Weapons Select" },
    { 0x00C3, DV,  "Wing Flaps" },
    { 0x00C4, DV,  "Accelerator" },
    { 0x00C5, DV,  "Brake" },
    { 0x00C6, DV,  "Clutch" },
    { 0x00C7, DV,  "Shifter" },
    { 0x00C8, DV,  "Steering" },
    { 0x00C9, DV,  "Turret Direction" },
    { 0x00CA, DV,  "Barrel Elevation" },
    { 0x00CB, DV,  "Dive Plane" },
    { 0x00CC, DV,  "Ballast" },
    { 0x00CD, DV,  "Bicycle Crank" },
    { 0x00CE, DV,  "Handle Bars" },
    { 0x00CF, DV,  "Front Brake" },
    { 0x00D0, DV,  "Rear Brake" },
};
// clang-format on

static_assert(std::size(FullSimulationControlsUsages) == 51,
              "the Simulation Controls page lists 51 usages");
static_assert(IsStrictlyAscending(FullSimulationControlsUsages),
              "Simulation Controls usage ids must ascend without repeats");

} // namespace quorlix::full_usages
