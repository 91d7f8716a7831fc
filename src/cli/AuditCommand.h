#pragma once

#include "audit/TrafficAudit.h"
#include "cli/CommandLine.h"
#include "diagnostics/Finding.h"

#include <nlohmann/json.hpp>

#include <ostream>
#include <span>
#include <string_view>

namespace quorlix {

// One line per finding, as compilers write them: "cap.pcap:frame 812: error: 1.15:1: input
// report 3 is shorter than declared: ...; 1 time, frame 812 [short-report]", then the counts.
void WriteAuditText(std::ostream& out, std::string_view fileName,
                    std::span<const AuditFinding> findings);

// {"findings": [...], "errors": N, "warnings": N, "notes": N}.
void WriteAuditJson(std::ostream& out, std::span<const AuditFinding> findings);
nlohmann::ordered_json AuditJson(std::span<const AuditFinding> findings);

FindingCounts CountAuditFindings(std::span<const AuditFinding> findings);

// Audits the capture FILE's reports against the descriptors it holds (or --descriptor), for
// every interface or the one --interface names, and gives the findings. Writes on standard error
// why it could not. False when nothing could be audited.
bool AuditCapture(const CommandLine& options, std::vector<AuditFinding>& findings);

// quorlix-cli audit: the findings on standard output; exit status as check's (3 with errors, or
// warnings under --werror; 1 when the capture cannot be read).
int RunAudit(const CommandLine& options);

} // namespace quorlix
