#pragma once

#include "cli/CommandLine.h"
#include "diagnostics/Finding.h"
#include "hosts/CheckHosts.h"
#include "forms/DescriptorInput.h"

#include <nlohmann/json.hpp>

#include <ostream>
#include <span>
#include <string_view>

namespace quorlix {

// One line per finding as compilers write them, "report.h:12:5: warning: ... [logical-sign]",
// or "d.bin: byte 22: warning: ..." when positions is empty (binary input), then a line with
// the counts. A host's finding ends with its profile, rule, evidence and source; with hosts,
// the rules that could not be checked come before the counts.
void WriteCheckText(std::ostream& out, std::string_view fileName, std::span<const Finding> findings,
                    std::span<const SourcePosition> positions,
                    const HostCheckResult* hosts = nullptr);

// {"diagnostics": [...], "errors": N, "warnings": N, "notes": N, "input": {...}}, line and
// column null when positions is empty; "input" (the reader's form, warnings and candidates as in
// analyse's JSON) only when input is given. A host's finding adds profile, rule, sharedRule,
// source and evidence; with hosts, "hosts" lists the profiles checked and "notChecked" the rules
// left unchecked.
void WriteCheckJson(std::ostream& out, std::span<const Finding> findings,
                    std::span<const SourcePosition> positions,
                    const DescriptorInput* input = nullptr, const HostCheckResult* hosts = nullptr);
nlohmann::ordered_json CheckJson(std::span<const Finding> findings,
                                 std::span<const SourcePosition> positions,
                                 const DescriptorInput* input = nullptr,
                                 const HostCheckResult* hosts = nullptr);

// 0 without errors, 3 with errors (or warnings when warningsFail).
int CheckExitStatus(const FindingCounts& counts, bool warningsFail);

// quorlix-cli check: reads the descriptor, checks it and writes the findings to standard output.
// Given a capture, the chosen descriptor's interface is audited too: its findings follow the
// descriptor's (in JSON as "traffic"), and count toward the exit status.
int RunCheck(const CommandLine& options);

} // namespace quorlix
