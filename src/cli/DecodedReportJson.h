#pragma once

#include "reports/DecodeReport.h"
#include "reports/ReportLine.h"

#include <string>

namespace quorlix {

// Appends one report as a JSON object, without a line end: {"type", "reportId", "length",
// ("time" for a recorder event), "fields", "error"}. decoded is nullptr for a line that held
// no report; error is "" for a decoded report. Written directly, not through a JSON document,
// since a recording of 100,000 reports must be written in well under a second.
void AppendReportJson(std::string& out, const ReportLine& line, ReportType type,
                      const DecodedReport* decoded, const std::string& error);

} // namespace quorlix
