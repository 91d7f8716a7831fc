#pragma once

#include "UsageNameEntry.h"

#include <iterator>

namespace quorlix {

// Usage names of the Button page (0x0009), ascending by id.
// Only the first seven buttons have names: a tab, then the words, nothing after.
// clang-format off
inline constexpr UsageNameEntry ButtonUsageNames[] = {
    { 0x0001, u"\tButton 1 (primary/trigger)" },
    { 0x0002, u"\tButton 2 (secondary)" },
    { 0x0003, u"\tButton 3 (tertiary)" },
    { 0x0004, u"\tButton 4" },
    { 0x0005, u"\tButton 5" },
    { 0x0006, u"\tButton 6" },
    { 0x0007, u"\tButton 7" },
};
// clang-format on

static_assert(std::size(ButtonUsageNames) == 7, "Button must have 7 usage names");
static_assert(IsStrictlyAscending(ButtonUsageNames),
              "Button usage ids must ascend without repeats");

} // namespace quorlix
