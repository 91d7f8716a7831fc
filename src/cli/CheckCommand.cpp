#include "cli/CheckCommand.h"

#include "analysis/AnalyseDescriptor.h"
#include "cli/JsonDocument.h"
#include "cli/CommandInput.h"
#include "cli/CommandOutput.h"

#include <nlohmann/json.hpp>

#include <iostream>
#include <string>
#include <vector>

namespace quorlix {
namespace {

const SourcePosition* PositionOf(std::span<const SourcePosition> positions, std::size_t offset)
{
    return offset < positions.size() ? &positions[offset] : nullptr;
}

std::string CountWords(std::size_t count, const char* word)
{
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

} // namespace

void WriteCheckText(std::ostream& out, std::string_view fileName, std::span<const Finding> findings,
                    std::span<const SourcePosition> positions)
{
    for (const Finding& finding : findings) {
        out << fileName << ':';
        if (const SourcePosition* position = PositionOf(positions, finding.offset)) {
            out << position->line << ':' << position->column << ':';
        } else {
            out << " byte " << finding.offset << ':';
        }
        out << ' ' << SeverityName(finding.severity) << ": " << finding.message;
        if (!finding.fix.empty()) {
            out << "; " << finding.fix;
        }
        out << " [" << CheckName(finding.check) << "]\n";
    }
    const FindingCounts counts = CountFindings(findings);
    out << CountWords(counts.errors, "error") << ", " << CountWords(counts.warnings, "warning")
        << ", " << CountWords(counts.notes, "note") << '\n';
}

void WriteCheckJson(std::ostream& out, std::span<const Finding> findings,
                    std::span<const SourcePosition> positions, const DescriptorInput* input)
{
    nlohmann::ordered_json diagnostics = nlohmann::ordered_json::array();
    for (const Finding& finding : findings) {
        nlohmann::ordered_json entry;
        entry["severity"] = SeverityName(finding.severity);
        entry["check"] = CheckName(finding.check);
        entry["offset"] = finding.offset;
        entry["length"] = finding.length;
        const SourcePosition* position = PositionOf(positions, finding.offset);
        entry["line"] = position ? nlohmann::ordered_json(position->line) : nullptr;
        entry["column"] = position ? nlohmann::ordered_json(position->column) : nullptr;
        entry["message"] = finding.message;
        entry["fix"] = finding.fix;
        diagnostics.push_back(std::move(entry));
    }
    const FindingCounts counts = CountFindings(findings);
    nlohmann::ordered_json document;
    document["diagnostics"] = std::move(diagnostics);
    document["errors"] = counts.errors;
    document["warnings"] = counts.warnings;
    document["notes"] = counts.notes;
    if (input != nullptr) {
        document["input"] = nlohmann::ordered_json::parse(InputJsonText(*input));
    }
    out << document.dump(2) << '\n';
}

int CheckExitStatus(const FindingCounts& counts, bool warningsFail)
{
    if (counts.errors > 0 || (warningsFail && counts.warnings > 0)) {
        return kExitFindings;
    }
    return kExitOk;
}

int RunCheck(const CommandLine& options)
{
    DescriptorInput input;
    if (!ReadCommandInput(options, input)) {
        return kExitFailure;
    }
    AnalysisOptions analysisOptions;
    analysisOptions.itemList = false;
    analysisOptions.layoutTexts = false;
    analysisOptions.reportModel = false;
    for (const std::string& name : options.disabledChecks) {
        if (const auto check = FindCheck(name)) {
            analysisOptions.check.disabled[static_cast<std::size_t>(*check)] = true;
        }
    }
    Analysis analysis;
    AnalyseDescriptor(input.bytes, analysisOptions, analysis);
    const std::vector<Finding>& findings = analysis.findings;
    // Text forms know where each byte's digits stood; binary input only has offsets.
    const std::span<const SourcePosition> positions = input.positions;
    const std::string fileName = options.file == "-" ? "<stdin>" : InputName(options);
    if (options.checkFormat == "json") {
        WriteCheckJson(std::cout, findings, positions, &input);
    } else {
        WriteCheckText(std::cout, fileName, findings, positions);
    }
    if (FinishStandardOutput() != kExitOk) {
        return kExitFailure;
    }
    return CheckExitStatus(CountFindings(findings), options.werror);
}

} // namespace quorlix
