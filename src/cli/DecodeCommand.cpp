#include "cli/DecodeCommand.h"

#include "analysis/AnalyseDescriptor.h"
#include "cli/CaptureCommand.h"
#include "cli/CaptureDecode.h"
#include "cli/CommandInput.h"
#include "cli/CommandOutput.h"
#include "cli/DecodedReportJson.h"
#include "cli/JsonDocument.h"
#include "cli/FollowReports.h"
#include "forms/InputBounds.h"
#include "reports/ReportText.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <span>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
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

// A recording too long for the readers, which hold a text of at most kMaxDescriptorTextBytes:
// hours of events. Its descriptors come from every line but the events, read as any recording's;
// its events are then decoded as the file is read a second time, a line at a time.
class LongRecording
{
public:
    ~LongRecording()
    {
        if (m_file != nullptr) {
            std::fclose(m_file);
        }
    }

    // True when FILE is a regular file past the readers' bound whose first line of substance is a
    // hid-recorder line, and nothing but the file's own reports is asked for.
    static bool Applies(const CommandLine& options)
    {
        struct stat info
        {};
        if (!options.reports.empty() || options.follow || !options.device.empty() ||
            options.file == "-" ||
            (options.inputForm != InputForm::Auto && options.inputForm != InputForm::HidRecorder) ||
            ::stat(options.file.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
            static_cast<std::uint64_t>(info.st_size) <= kMaxDescriptorTextBytes) {
            return false;
        }
        std::FILE* file = std::fopen(options.file.c_str(), "rb");
        if (file == nullptr) {
            return false;
        }
        LineReader reader(file);
        std::string text;
        bool tooLong = false;
        bool recording = false;
        for (int k = 0; k < 1000 && reader.Next(text, tooLong); ++k) {
            const std::string_view line = StripBlanks(text);
            if (line.empty() || line.front() == '#') {
                continue;
            }
            recording = !tooLong && line.size() >= 2 && line[1] == ':' &&
                        std::string_view("DRNPI").find(line[0]) != std::string_view::npos;
            break;
        }
        std::fclose(file);
        return recording;
    }

    // Reads the descriptors and says what ReadCommandInput says; false when there is nothing to
    // decode.
    bool ReadHead(const CommandLine& options, DescriptorInput& input)
    {
        m_file = std::fopen(options.file.c_str(), "rb");
        if (m_file == nullptr) {
            Complain(options.file, std::string("cannot open file: ") + std::strerror(errno));
            return false;
        }
        // Every line but the events: the reader's line numbers are the file's up to the first
        // event, where a recording's headers are.
        std::string head;
        std::string text;
        bool tooLong = false;
        LineReader reader(m_file);
        for (std::uint64_t number = 1; reader.Next(text, tooLong); ++number) {
            if (tooLong) {
                Complain(options.file, "line " + std::to_string(number) + " is longer than " +
                                           std::to_string(kMaxReportLineLength) + " characters");
                return false;
            }
            if (StripBlanks(text).starts_with("E:")) {
                continue;
            }
            head += text;
            head += '\n';
            if (head.size() > kMaxDescriptorTextBytes) {
                Complain(options.file, "more than " + std::to_string(kMaxDescriptorTextBytes) +
                                           " bytes of lines besides the events");
                return false;
            }
        }
        const InputRequest request{ InputForm::HidRecorder, options.index, options.arrayName };
        const InputOutcome outcome = ReadDescriptorContent(head, options.file, request, input);
        if (outcome.status != InputStatus::Ok) {
            Complain(options.file, DescribeInputOutcome(outcome));
            return false;
        }
        m_device = input.index;
        return SayCommandInput(options, input, {});
    }

    // Hands each event of the chosen device to take, with its line number, or its error.
    template <typename Take, typename Refuse>
    void ReadEvents(Take take, Refuse refuse)
    {
        std::rewind(m_file);
        LineReader reader(m_file);
        std::string text;
        bool tooLong = false;
        std::size_t device = 0;
        RecordedEvent event;
        for (std::uint32_t number = 1; reader.Next(text, tooLong); ++number) {
            const std::string_view line = StripBlanks(text);
            if (line.starts_with("D:")) {
                const std::string_view rest = StripBlanks(line.substr(2));
                std::from_chars(rest.data(), rest.data() + rest.size(), device);
            } else if (line.starts_with("E:") && device == m_device) {
                if (const auto read = ReadRecorderEvent(line, number, event)) {
                    take(number, event);
                } else {
                    refuse(number, read.Error());
                }
            }
        }
    }

private:
    static std::string_view StripBlanks(std::string_view text)
    {
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
            text.remove_prefix(1);
        }
        while (!text.empty() &&
               (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
            text.remove_suffix(1);
        }
        return text;
    }

    std::FILE* m_file = nullptr;
    std::size_t m_device = 0;
};

// Decodes the device's reports as they come, one line or JSON object each, until the device
// goes or the user interrupts.
int Follow(const CommandLine& options, const ReportModel& model, ReportType type)
{
    const auto node = HidrawNodeOf(options.device);
    if (!node) {
        Complain(options.device, node.Error());
        return kExitFailure;
    }
    const std::string& path = *node;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        Complain(path, FollowOpenErrorText(path, errno));
        return kExitFailure;
    }
    StopFollowingOnInterrupt();
    DecodedReportWriter writer(stdout, stderr, options.format == "json", true);
    const auto followed = FollowReports(fd, model, type, path, writer);
    ::close(fd);
    if (!followed) {
        Complain(path, followed.Error());
    }
    if (!writer.Finish()) {
        Complain("<stdout>", "write failed");
        return kExitFailure;
    }
    return followed && !writer.AnyFailed() ? kExitOk : kExitFailure;
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
                                const DecodedReport& decoded,
                                const Expected<void, DecodeError>& result)
{
    const std::string error = result ? std::string() : DecodeErrorText(result.Error());
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
    LongRecording longRecording;
    const bool isLongRecording = LongRecording::Applies(options);
    if (isLongRecording ? !longRecording.ReadHead(options, input)
                        : !ReadCommandInput(options, input)) {
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
            writer.Write(where, line, decoded, DecodeReport(model, type, line.bytes, decoded));
        }
    };

    if (!options.reports.empty()) {
        for (std::size_t i = 0; i < options.reports.size(); ++i) {
            decode("report " + std::to_string(i + 1), options.reports[i]);
        }
    } else if (isLongRecording) {
        longRecording.ReadEvents(
            [&](std::uint32_t number, const RecordedEvent& event) {
                line.kind = ReportLineKind::Report;
                line.bytes.assign(event.bytes.begin(), event.bytes.end());
                line.isEvent = true;
                line.seconds = event.seconds;
                writer.Write(InputName(options) + ": line " + std::to_string(number), line, decoded,
                             DecodeReport(model, type, line.bytes, decoded));
            },
            [&](std::uint32_t, const std::string& error) {
                line.kind = ReportLineKind::Invalid;
                line.bytes.clear();
                line.isEvent = false;
                line.error = error;
                // The reader's text names the line already.
                writer.WriteInvalid(InputName(options), line, type);
            });
    } else if (input.form == InputForm::HidRecorder && !input.events.empty()) {
        // A recording decodes its own events, after its descriptor.
        for (const RecordedEvent& event : input.events) {
            const std::string where = InputName(options) + ": line " + std::to_string(event.line);
            line.kind = ReportLineKind::Report;
            line.bytes.assign(event.bytes.begin(), event.bytes.end());
            line.isEvent = true;
            line.seconds = event.seconds;
            writer.Write(where, line, decoded, DecodeReport(model, type, line.bytes, decoded));
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
