#pragma once

#include "cli/CommandLine.h"
#include "diagnostics/Finding.h"
#include "forms/DescriptorInput.h"

#include <ostream>
#include <span>
#include <string_view>

namespace quorlix {

// One line per finding as compilers write them, "report.h:12:5: warning: ... [logical-sign]",
// or "d.bin: byte 22: warning: ..." when positions is empty (binary input), then a line with
// the counts.
void WriteCheckText(std::ostream& out, std::string_view fileName, std::span<const Finding> findings,
                    std::span<const SourcePosition> positions);

// {"diagnostics": [...], "errors": N, "warnings": N, "notes": N, "input": {...}}, line and
// column null when positions is empty; "input" (the reader's form, warnings and candidates as in
// analyse's JSON) only when input is given.
void WriteCheckJson(std::ostream& out, std::span<const Finding> findings,
                    std::span<const SourcePosition> positions,
                    const DescriptorInput* input = nullptr);

// 0 without errors, 3 with errors (or warnings when warningsFail).
int CheckExitStatus(const FindingCounts& counts, bool warningsFail);

// quorlix-cli check: reads the descriptor, checks it and writes the findings to standard output.
int RunCheck(const CommandLine& options);

} // namespace quorlix
