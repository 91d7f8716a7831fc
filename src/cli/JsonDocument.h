#pragma once

#include "forms/DescriptorInput.h"
#include "parser/DeviceDescription.h"
#include "parser/ParseResult.h"
#include "reports/ReportModel.h"

#include <ostream>
#include <string>
#include <vector>

namespace quorlix {

// Writes the parse as one UTF-8 JSON document: result, rows, the collection tree from the root,
// collections, reportIds, summaries, every report of the model (reports: type, id, lengths and
// fields), the warnings and, when given, how the input was read. Rows, the tree and the reports
// are streamed, so memory stays that of the parse; nesting of any depth is written without
// recursion. Without a model, reports is empty.
void WriteJsonDocument(std::ostream& out, ParseResult result, const DeviceDescription& description,
                       const DescriptorInput* input = nullptr, const ReportModel* model = nullptr);

// The warnings of an analysis, one line each, lower-case: a bound reached, sizes held at their
// largest value, report ids shared by top-level collections. Empty when there is none.
std::vector<std::string> AnalysisWarnings(const DeviceDescription& description,
                                          const ReportModel* model);

// How the input was read, as the "input" object of every JSON output: form, length, descriptors,
// index, warnings and candidates.
std::string InputJsonText(const DescriptorInput& input);

} // namespace quorlix
