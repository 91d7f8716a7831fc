#pragma once

#include "cli/CommandLine.h"
#include "reports/DecodeReport.h"
#include "reports/ReportLine.h"

#include <cstdio>
#include <string>
#include <utility>

namespace quorlix {

// Where decoded reports go: text (a heading and a line per element, or one line per report
// when following) or JSON (one document, or one object per line when following) on out, and one
// error line per report that cannot be decoded on err. Remembers whether any report failed.
class DecodedReportWriter
{
public:
    DecodedReportWriter(std::FILE* out, std::FILE* err, bool json, bool oneLine);
    DecodedReportWriter(const DecodedReportWriter&) = delete;
    DecodedReportWriter& operator=(const DecodedReportWriter&) = delete;

    // A report read from where (such as "report 2", "-: line 7"), decoded or not, as result says.
    void Write(const std::string& where, const ReportLine& line, const DecodedReport& decoded,
               const Expected<void, DecodeError>& result);
    // A line that holds no report, with the reason.
    void WriteInvalid(const std::string& where, const ReportLine& line, ReportType type);
    // How the descriptor was read, the JSON document's "input" object (InputJsonText).
    void SetInputJson(std::string json) { m_inputJson = std::move(json); }
    // Closes the JSON document; gives false when the output could not be written.
    bool Finish();

    bool AnyFailed() const { return m_failed; }

private:
    void WriteJson(const std::string& text);

    std::FILE* m_out;
    std::FILE* m_err;
    bool m_json;
    bool m_oneLine;
    bool m_first = true;
    bool m_failed = false;
    std::string m_jsonText; // one report's JSON, its storage kept from report to report
    std::string m_inputJson;
};

// quorlix-cli decode: decodes the reports given as arguments, the events of a hid-recorder
// FILE, or the lines of standard input, against FILE's descriptor. Gives the exit status: 1
// when the descriptor cannot be read or any report could not be decoded.
int RunDecode(const CommandLine& options);

} // namespace quorlix
