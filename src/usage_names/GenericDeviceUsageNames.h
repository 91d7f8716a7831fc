#pragma once

#include "UsageNameEntry.h"

#include <iterator>

namespace quorlix {

// Usage names of the Generic Device Controls page (0x0006), ascending by id.
// Mostly a tab, the words, a blank and a tab; nothing at usage 0.
// clang-format off
inline constexpr UsageNameEntry GenericDeviceUsageNames[] = {
    { 0x0020, u"\tBattery Strength \t" },
    { 0x0021, u"\tWireless Channel \t" },
    { 0x0022, u"\tWireless ID \t" },
    { 0x0023, u"\tDiscover Wireless Control \t" },
    { 0x0024, u"\tSecurity Code Character Entered \t" },
    { 0x0025, u"\tSecurity Code Character Erased \t" },
    { 0x0026, u"\tSecurity Code Cleared\t" },   // No blank before the closing tab.
};
// clang-format on

static_assert(std::size(GenericDeviceUsageNames) == 7,
              "Generic Device Controls must have 7 usage names");
static_assert(IsStrictlyAscending(GenericDeviceUsageNames),
              "Generic Device Controls usage ids must ascend without repeats");

} // namespace quorlix
