#pragma once

#include "UsageNameEntry.h"

#include <iterator>

namespace quorlix {

// Usage names of the Game Controls page (0x0005), ascending by id.
// Mostly a tab, the words, a blank and a tab.
// clang-format off
inline constexpr UsageNameEntry GameUsageNames[] = {
    { 0x0000, u"\tUndefined\t" },   // No blank before the closing tab.
    { 0x0001, u"\t3D Game Controller \t" },
    { 0x0002, u"\tPinball Device \t" },
    { 0x0003, u"\tGun Device \t" },
    { 0x0020, u"\tPoint of View \t" },
    { 0x0021, u"\tTurn Right/Left \t" },
    { 0x0022, u"\tPitch Forward/Backward \t" },
    { 0x0023, u"\tRoll Right/Left \t" },
    { 0x0024, u"\tMove Right/Left \t" },
    { 0x0025, u"\tMove Forward/Backward \t" },
    { 0x0026, u"\tMove Up/Down \t" },
    { 0x0027, u"\tLean Right/Left \t" },
    { 0x0028, u"\tLean Forward/Backward \t" },
    { 0x0029, u"\tHeight of POV \t" },
    { 0x002A, u"\tFlipper \t" },
    { 0x002B, u"\tSecondary Flipper \t" },
    { 0x002C, u"\tBump \t" },
    { 0x002D, u"\tNew Game \t" },
    { 0x002E, u"\tShoot Ball \t" },
    { 0x002F, u"\tPlayer \t" },
    { 0x0030, u"\tGun Bolt \t" },
    { 0x0031, u"\tGun Clip \t" },
    { 0x0032, u"\tGun Selector \t" },
    { 0x0033, u"\tGun Single Shot \t" },
    { 0x0034, u"\tGun Burst \t" },
    { 0x0035, u"\tGun Automatic \t" },
    { 0x0036, u"\tGun Safety \t" },
    { 0x0037, u"\tGamepad Fire/Jump \t" },
    { 0x0039, u"\tGamepad Trigger \t" },
};
// clang-format on

static_assert(std::size(GameUsageNames) == 29, "Game Controls must have 29 usage names");
static_assert(IsStrictlyAscending(GameUsageNames),
              "Game Controls usage ids must ascend without repeats");

} // namespace quorlix
