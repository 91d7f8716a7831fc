#pragma once

#include "cli/CommandLine.h"
#include "diff/DescriptorDiff.h"

#include <cstdint>
#include <ostream>
#include <span>
#include <string>

namespace quorlix {

// {"verdict": ..., "reason": ..., "changes": [...], "hunks": [...], "input": {"old", "new"}}:
// how each file was read (when given), every change with its kind,
// report, subject, values and items, and every run of differing items with their bytes.
void WriteDiffJson(std::ostream& out, const DescriptorDiff& diff,
                   std::span<const std::uint8_t> oldBytes, std::span<const std::uint8_t> newBytes,
                   const std::string& oldInputJson = {}, const std::string& newInputJson = {});

// quorlix-cli diff OLD NEW: 0 when equivalent, 1 when different, 2 when either cannot be read
// or the output cannot be written.
int RunDiff(const CommandLine& options);

} // namespace quorlix
