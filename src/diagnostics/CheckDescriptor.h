#pragma once

#include "diagnostics/Finding.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace quorlix {

struct CheckOptions
{
    // Checks whose findings are left out, indexed by CheckId.
    std::array<bool, kCheckCount> disabled{};
};

// Looks for the mistakes of a report descriptor in one pass over its items and reports, and
// gives what it found ordered by offset (findings about one item in the order they were made).
// Any byte string is a valid input: odd items are findings, never failures. Time and memory
// grow linearly with the length, and nothing is read past the end.
std::vector<Finding> CheckDescriptor(std::span<const std::uint8_t> bytes,
                                     const CheckOptions& options = {});

} // namespace quorlix
