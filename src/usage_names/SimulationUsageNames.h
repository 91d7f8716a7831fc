#pragma once

#include "UsageNameEntry.h"

#include <iterator>

namespace quorlix {

// Usage names of the Simulation Controls page (0x0002), ascending by id.
// Mostly single mixed-case words between two tabs.
// clang-format off
inline constexpr UsageNameEntry SimulationUsageNames[] = {
    { 0x0000, u"\tUndefined\t" },
    { 0x0001, u"\tFlightSimulationDevice\t" },
    { 0x0002, u"\tAutomobileSimulationDevice\t" },
    { 0x0003, u"\tTankSimulationDevice\t" },
    { 0x0004, u"\tSpaceshipSimulationDevice\t" },
    { 0x0005, u"\tSubmarineSimulationDevice\t" },
    { 0x0006, u"\tSailingSimulationDevice\t" },
    { 0x0007, u"\tMotorcycleSimulationDevice\t" },
    { 0x0008, u"\tSportsSimulationDevice\t" },
    { 0x0009, u"\tAirplaneSimulationDevice\t" },
    { 0x000A, u"\tHelicopterSimulationDevice\t" },
    { 0x000B, u"MagicCarpetSimulationDevice" },   // No tabs at all.
    { 0x000C, u"\tBicycleSimulationDevice\t" },
    { 0x0020, u"\tFlightControlStick\t" },
    { 0x0021, u"\tFlightStick\t" },
    { 0x0022, u"\tCyclicControl\t" },
    { 0x0023, u"\tCyclicTrim\t" },
    { 0x0024, u"\tFlightYoke\t" },
    { 0x0025, u"\tTrackControl\t" },
    { 0x00B0, u"\tAileron\t" },
    { 0x00B1, u"\tAileronTrim\t" },
    { 0x00B2, u"\tAnti-TorqueControl\t" },
    { 0x00B3, u"\tAutopilotEnable\t" },
    { 0x00B4, u"\tChaffRelease\t" },
    { 0x00B5, u"\tCollectiveControl\t" },
    { 0x00B6, u"\tDiveBrake" },                   // No closing tab.
    { 0x00B7, u"\tElectronicCountermeasures\t" },
    { 0x00B8, u"\tElevator\t" },
    { 0x00B9, u"\tElevatorTrim\t" },
    { 0x00BA, u"\tRudder\t" },
    { 0x00BB, u"\tThrottle\t" },
    { 0x00BC, u"\tFlightCommunications\t" },
    { 0x00BD, u"\tFlareRelease\t" },
    { 0x00BE, u"\tLandingGear\t" },
    { 0x00BF, u"\tToeBrake\t" },
    { 0x00C0, u"\tTrigger\t" },
    { 0x00C1, u"\tWeaponsArm\t" },
    { 0x00C2, u"\tWeaponsSelect\t" },
    { 0x00C3, u"\tWingFlaps\t" },
    { 0x00C4, u"\tAccelerator\t" },
    { 0x00C5, u"\tBrake\t" },
    { 0x00C6, u"\tClutch\t" },
    { 0x00C7, u"\tShifter\t" },
    { 0x00C8, u"\tSteering\t" },
    { 0x00C9, u"\tTurretDirection\t" },
    { 0x00CA, u"\tBarrelElevation\t" },
    { 0x00CB, u"\tDivePlane\t" },
    { 0x00CC, u"\tBallast\t" },
    { 0x00CD, u"\tBicycleCrank\t" },
    { 0x00CE, u"\tHandleBars\t" },
    { 0x00CF, u"\tFrontBrake\t" },
    { 0x00D0, u"\tRearBrake\t" },
};
// clang-format on

static_assert(std::size(SimulationUsageNames) == 52,
              "Simulation Controls must have 52 usage names");
static_assert(IsStrictlyAscending(SimulationUsageNames),
              "Simulation Controls usage ids must ascend without repeats");

} // namespace quorlix
