#include "cli/CaptureDecode.h"

#include "cli/CaptureCommand.h"
#include "cli/CommandOutput.h"
#include "cli/DecodedReportJson.h"
#include "cli/NumberText.h"
#include "reports/DecodeReport.h"
#include "reports/ReportText.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace quorlix {
namespace {

constexpr std::size_t kFlushBytes = 1 << 16;

struct DecodeTarget
{
    ReportSelector selector;
    std::unique_ptr<ReportModel> model;
};

const char* SourceText(ReportSource source)
{
    switch (source) {
    case ReportSource::SetReport:
        return "SET_REPORT";
    case ReportSource::GetReport:
        return "GET_REPORT";
    default:
        return "interrupt";
    }
}

// The direction the report travelled: SET_REPORT to the device whatever its type.
bool IsIn(const CapturedReport& report)
{
    switch (report.source) {
    case ReportSource::SetReport:
        return false;
    case ReportSource::GetReport:
        return true;
    default:
        return (report.endpoint & 0x80) != 0;
    }
}

void AppendJsonString(std::string& out, const std::string& text)
{
    out.push_back('"');
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out.push_back('\\');
        }
        out.push_back(c);
    }
    out.push_back('"');
}

} // namespace

int RunCaptureDecode(const CommandLine& options)
{
    return DecodeCapture(options, stdout);
}

int DecodeCapture(const CommandLine& options, std::FILE* sink)
{
    const std::string& file = options.file;
    const CaptureRun first = ScanCaptureFile(file, {});
    if (!SayCaptureProblems(file, first) && first.error->kind != CaptureErrorKind::Malformed) {
        return kExitFailure;
    }
    ReportSelector selector;
    if (!ReadReportSelector(options, selector)) {
        return kExitFailure;
    }
    std::vector<DecodeTarget> targets;
    if (!options.descriptorFile.empty()) {
        DescriptorInput descriptor;
        const InputOutcome outcome =
            ReadDescriptorInput(options.descriptorFile, InputRequest{}, descriptor);
        if (outcome.status != InputStatus::Ok) {
            Complain(options.descriptorFile, DescribeInputOutcome(outcome));
            return kExitFailure;
        }
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(descriptor.bytes.data());
        targets.push_back(
            DecodeTarget{ selector, std::make_unique<ReportModel>(BuildReportModel(
                                        std::span(bytes, descriptor.bytes.size()))) });
    } else {
        for (const CapturedDescriptor& d : first.inventory.descriptors) {
            if (selector.address >= 0 &&
                (d.bus != selector.bus || d.address != selector.address ||
                 (selector.interface >= 0 && d.interface != selector.interface))) {
                continue;
            }
            bool known = false;
            for (const DecodeTarget& t : targets) {
                known = known || (t.selector.bus == d.bus && t.selector.address == d.address &&
                                  t.selector.interface == d.interface);
            }
            if (!known) {
                targets.push_back(DecodeTarget{
                    ReportSelector{ d.bus, d.address, d.interface, selector.endpoint },
                    std::make_unique<ReportModel>(BuildReportModel(d.bytes)) });
            }
        }
    }
    if (targets.empty()) {
        Complain(file,
                 "the capture holds no report descriptor" +
                     (options.interfaceSelector.empty() ? std::string()
                                                        : " of " + options.interfaceSelector) +
                     "; give one with --descriptor FILE");
        return kExitFailure;
    }

    const bool json = options.format == "json";
    std::string out;
    out.reserve(2 * kFlushBytes);
    if (json) {
        out += "{\"reports\":[";
    }
    bool firstReport = true;
    bool anyFailed = false;
    bool writeFailed = false;
    std::uint64_t decodedCount = 0;
    std::uint64_t undecoded = 0;
    std::uint64_t unplaced = 0; // of the chosen device, on an endpoint of unknown interface
    DecodedReport decoded;
    ReportLine line;
    std::string jsonText;
    std::string error;
    const std::int64_t start = first.inventory.firstTimeNs;
    std::string where;
    UsageNameCache names;
    int lastBus = -1;
    int lastAddress = -1;
    int lastInterface = -1;
    const auto flush = [&] {
        if (!out.empty() && std::fwrite(out.data(), 1, out.size(), sink) != out.size()) {
            writeFailed = true;
        }
        out.clear();
    };

    CaptureCallbacks callbacks;
    callbacks.onReport = [&](const CapturedReport& report) {
        const int reportInterface = ResolveInterface(first.inventory, report);
        const DecodeTarget* target = nullptr;
        for (const DecodeTarget& t : targets) {
            if (t.selector.Matches(report, reportInterface)) {
                target = &t;
                break;
            }
        }
        if (target == nullptr) {
            if (selector.Matches(report, reportInterface)) {
                ++undecoded;
            } else if (selector.LeavesOutUnplaced(report, reportInterface)) {
                ++unplaced;
            }
            return;
        }
        ++decodedCount;
        const bool cut = report.bytes.size() < report.length;
        error.clear();
        if (cut) {
            error = "cut short by the capture: " + std::to_string(report.bytes.size()) + " of " +
                    std::to_string(report.length) + " bytes kept";
        } else {
            if (const auto result =
                    DecodeReport(*target->model, report.type, report.bytes, decoded);
                !result) {
                error = DecodeErrorText(result.Error());
            }
        }
        anyFailed = anyFailed || !error.empty();
        // Reports come in runs of one interface: its name is made once a run.
        if (report.bus != lastBus || report.address != lastAddress ||
            reportInterface != lastInterface || where.empty()) {
            where = InterfaceName(report.bus, report.address, reportInterface);
            lastBus = report.bus;
            lastAddress = report.address;
            lastInterface = reportInterface;
        }
        if (json) {
            if (!firstReport) {
                out.push_back(',');
            }
            out += "{\"frame\":";
            AppendDecimal(out, report.frame);
            out += ",\"time\":";
            AppendSeconds(out, NanosecondsSince(start, report.timeNs));
            out += ",\"interface\":";
            AppendJsonString(out, where);
            out += ",\"endpoint\":";
            AppendDecimal(out, report.endpoint);
            out += ",\"direction\":";
            out += IsIn(report) ? "\"in\"" : "\"out\"";
            out += ",\"source\":\"";
            out += SourceText(report.source);
            out += "\",\"bytes\":\"";
            for (std::size_t k = 0; k < report.bytes.size(); ++k) {
                if (k > 0) {
                    out.push_back(' ');
                }
                AppendHex(out, report.bytes[k], 2);
            }
            out += "\",";
            line.kind = ReportLineKind::Report;
            line.bytes.assign(report.bytes.begin(), report.bytes.end());
            jsonText.clear();
            AppendReportJson(jsonText, line, report.type, cut ? nullptr : &decoded, error);
            out.append(jsonText, 1, std::string::npos);
        } else {
            out += "frame ";
            AppendDecimal(out, report.frame);
            out += ' ';
            AppendSeconds(out, NanosecondsSince(start, report.timeNs));
            out += ' ';
            out += where;
            out += IsIn(report) ? " in " : " out ";
            out += SourceText(report.source);
            out += ": ";
            if (error.empty()) {
                AppendDecodedReportLine(out, decoded, &names);
            } else {
                out += "not decoded: ";
                out += error;
            }
            out.push_back('\n');
        }
        firstReport = false;
        if (out.size() >= kFlushBytes) {
            flush();
        }
    };
    const CaptureRun second = ScanCaptureFile(file, callbacks);
    if (json) {
        out += "]}\n";
    }
    flush();
    if (std::fflush(sink) != 0 || writeFailed) {
        Complain("<stdout>", "write failed");
        return kExitFailure;
    }
    if (undecoded > 0) {
        Complain(file,
                 std::to_string(undecoded) +
                     " reports of interfaces without a descriptor were left out (give one with "
                     "--descriptor FILE)");
    }
    if (unplaced > 0) {
        Complain(file,
                 std::to_string(unplaced) + " reports of " +
                     options.interfaceSelector.substr(0, options.interfaceSelector.find(':')) +
                     " on endpoints the capture does not place in an interface were left "
                     "out (choose one with --endpoint)");
    }
    if (second.error && second.error->kind == CaptureErrorKind::Malformed) {
        return kExitFailure;
    }
    (void)decodedCount;
    return anyFailed ? kExitFailure : kExitOk;
}

} // namespace quorlix
