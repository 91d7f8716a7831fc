#include "cli/DecodeCommand.h"

#include "analysis/AnalyseDescriptor.h"
#include "cli/CaptureCommand.h"
#include "cli/CaptureDecode.h"
#include "cli/CommandInput.h"
#include "cli/CommandOutput.h"
#include "cli/DecodedReportJson.h"
#include "cli/JsonDocument.h"
#include "cli/FollowReports.h"
#include "reports/ReportText.h"

#include <cerrno>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace quorlix {
namespace {

ReportType ParseReportType(const std::string& name)
{
    return name == "output"    ? ReportType::Output
           : name == "feature" ? ReportType::Feature
                               : ReportType::Input;
}

// Reads standard input a line at a time, however long the line: a line past the bound is
// drained and reported, never held whole.
class LineReader
{
public:
    explicit LineReader(std::FILE* in) : m_in(in) {}

    // The next line without its end; false at the end of input. tooLong tells that the line
    // was cut at kMaxReportLineLength + 1 characters.
    bool Next(std::string& line, bool& tooLong)
    {
        line.clear();
        tooLong = false;
        int c = 0;
        bool any = false;
        while ((c = std::getc(m_in)) != EOF) {
            any = true;
            if (c == '\n') {
                return true;
            }
            if (line.size() <= kMaxReportLineLength) {
                line.push_back(static_cast<char>(c));
            } else {
                tooLong = true;
            }
        }
        return any;
    }

private:
    std::FILE* m_in;
};

// Decodes the device's reports as they come, one line or JSON object each, until the device
// goes or the user interrupts.
int Follow(const CommandLine& options, const ReportModel& model, ReportType type)
{
    std::string path;
    std::string error;
    if (!HidrawNodeOf(options.device, path, error)) {
        Complain(options.device, error);
        return kExitFailure;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        Complain(path, FollowOpenErrorText(path, errno));
        return kExitFailure;
    }
    StopFollowingOnInterrupt();
    DecodedReportWriter writer(stdout, stderr, options.format == "json", true);
    const bool ok = FollowReports(fd, model, type, path, writer, error);
    ::close(fd);
    if (!ok) {
        Complain(path, error);
    }
    if (!writer.Finish()) {
        Complain("<stdout>", "write failed");
        return kExitFailure;
    }
    return ok && !writer.AnyFailed() ? kExitOk : kExitFailure;
}

} // namespace

DecodedReportWriter::DecodedReportWriter(std::FILE* out, std::FILE* err, bool json, bool oneLine)
    : m_out(out), m_err(err), m_json(json), m_oneLine(oneLine)
{
    if (m_json && !m_oneLine) {
        std::fputs("{\"reports\":[", m_out);
    }
}

void DecodedReportWriter::WriteJson(const std::string& text)
{
    if (m_oneLine) {
        std::fwrite(text.data(), 1, text.size(), m_out);
        std::fputc('\n', m_out);
        return;
    }
    if (!m_first) {
        std::fputc(',', m_out);
    }
    m_first = false;
    std::fwrite(text.data(), 1, text.size(), m_out);
}

void DecodedReportWriter::Write(const std::string& where, const ReportLine& line,
                                const DecodedReport& decoded)
{
    const std::string error = DecodeErrorText(decoded);
    if (!error.empty()) {
        m_failed = true;
        std::fprintf(m_err, "%s: %s: %s\n", kProgramName, where.c_str(), error.c_str());
    }
    if (m_json) {
        m_jsonText.clear();
        AppendReportJson(m_jsonText, line, decoded.type, &decoded, error);
        WriteJson(m_jsonText);
    } else if (error.empty()) {
        const std::string text =
            m_oneLine ? DecodedReportLine(decoded) + "\n" : DecodedReportText(decoded);
        std::fwrite(text.data(), 1, text.size(), m_out);
    }
    if (m_oneLine) {
        std::fflush(m_out);
    }
}

void DecodedReportWriter::WriteInvalid(const std::string& where, const ReportLine& line,
                                       ReportType type)
{
    m_failed = true;
    std::fprintf(m_err, "%s: %s: %s\n", kProgramName, where.c_str(), line.error.c_str());
    if (m_json) {
        m_jsonText.clear();
        AppendReportJson(m_jsonText, line, type, nullptr, line.error);
        WriteJson(m_jsonText);
    }
}

bool DecodedReportWriter::Finish()
{
    if (m_json && !m_oneLine) {
        std::fputs("]", m_out);
        if (!m_inputJson.empty()) {
            std::fputs(",\"input\":", m_out);
            std::fwrite(m_inputJson.data(), 1, m_inputJson.size(), m_out);
        }
        std::fputs("}\n", m_out);
    }
    return std::fflush(m_out) == 0 && !std::ferror(m_out);
}

int RunDecode(const CommandLine& options)
{
    if (options.reports.empty() && options.device.empty() && IsCaptureInput(options)) {
        return RunCaptureDecode(options);
    }
    if (!options.descriptorFile.empty()) {
        Complain(options.file, "--descriptor applies to a capture, and this is none");
        return kExitFailure;
    }
    DescriptorInput input;
    if (!ReadCommandInput(options, input)) {
        return kExitFailure;
    }
    AnalysisOptions analysisOptions;
    analysisOptions.itemList = false;
    analysisOptions.layoutTexts = false;
    analysisOptions.findings = false;
    Analysis analysis;
    AnalyseDescriptor(input.bytes, analysisOptions, analysis);
    const ReportModel& model = analysis.reports;
    const ReportType type = ParseReportType(options.reportType);
    if (options.follow) {
        return Follow(options, model, type);
    }
    DecodedReportWriter writer(stdout, stderr, options.format == "json", false);
    writer.SetInputJson(InputJsonText(input));
    ReportLine line;
    DecodedReport decoded;
    const auto decode = [&](const std::string& where, std::string_view text) {
        ReadReportLine(text, line);
        if (line.kind == ReportLineKind::Invalid) {
            writer.WriteInvalid(where, line, type);
        } else if (line.kind == ReportLineKind::Report) {
            DecodeReport(model, type, line.bytes, decoded);
            writer.Write(where, line, decoded);
        }
    };

    if (!options.reports.empty()) {
        for (std::size_t i = 0; i < options.reports.size(); ++i) {
            decode("report " + std::to_string(i + 1), options.reports[i]);
        }
    } else if (input.form == InputForm::HidRecorder && !input.events.empty()) {
        // A recording decodes its own events, after its descriptor.
        for (const RecordedEvent& event : input.events) {
            const std::string where = InputName(options) + ": line " + std::to_string(event.line);
            line.kind = ReportLineKind::Report;
            line.bytes.assign(event.bytes.begin(), event.bytes.end());
            line.isEvent = true;
            line.seconds = event.seconds;
            DecodeReport(model, type, line.bytes, decoded);
            writer.Write(where, line, decoded);
        }
    } else if (options.file == "-" && options.device.empty()) {
        Complain("-", "the descriptor came from standard input: give the reports as arguments");
        return kExitFailure;
    } else {
        LineReader reader(stdin);
        std::string text;
        bool tooLong = false;
        for (std::size_t number = 1; reader.Next(text, tooLong); ++number) {
            const std::string where = "-: line " + std::to_string(number);
            if (tooLong) {
                line.kind = ReportLineKind::Invalid;
                line.bytes.clear();
                line.isEvent = false;
                line.error =
                    "line longer than " + std::to_string(kMaxReportLineLength) + " characters";
                writer.WriteInvalid(where, line, type);
                continue;
            }
            decode(where, text);
        }
    }
    if (!writer.Finish()) {
        Complain("<stdout>", "write failed");
        return kExitFailure;
    }
    return writer.AnyFailed() ? kExitFailure : kExitOk;
}

} // namespace quorlix
