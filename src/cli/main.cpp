#include "annotation/FillInUsageNames.h"
#include "cli/AuditCommand.h"
#include "cli/CaptureCommand.h"
#include "cli/CheckCommand.h"
#include "cli/CommandInput.h"
#include "cli/CommandLine.h"
#include "cli/DecodeCommand.h"
#include "cli/DeviceListOutput.h"
#include "cli/HeaderCommand.h"
#include "cli/JsonDocument.h"
#include "cli/OutputChecks.h"
#include "cli/SavedRows.h"
#include "cli/Utf8.h"
#include "devices/HidDeviceList.h"
#include "files/HexDumpWriter.h"
#include "files/OutputFile.h"
#include "parser/DeviceDescription.h"
#include "parser/ReportLayout.h"

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

namespace {

using namespace quorlix;

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr const char* kProgram = "quorlix-cli";

void Complain(const std::string& file, const std::string& reason)
{
    std::fprintf(stderr, "%s: %s: %s\n", kProgram, file.c_str(), reason.c_str());
}

// Writes what produce puts into a stream to OUT, or to standard output when OUT is empty. A
// failed write is an error, never a quiet success.
template <typename Produce>
int WriteOutput(const std::string& outPath, Produce produce)
{
    if (outPath.empty()) {
        std::ostream& out = std::cout;
        produce(out);
        out.flush();
        if (!out) {
            Complain("<stdout>", "write failed");
            return kExitFailure;
        }
        return kExitOk;
    }
    // The same writer as the window's Save: a FIFO that no one reads fails at once instead of
    // blocking, and a failed write or close is reported with the system's reason.
    std::string error;
    if (!WriteOutputFile(outPath, produce, &error)) {
        Complain(outPath, "cannot write file: " + error);
        return kExitFailure;
    }
    return kExitOk;
}

void NoteBounds(const std::string& file, bool fieldsBound, bool textBound, bool sizesHeld = false)
{
    if (fieldsBound) {
        Complain(file, "a bound was reached: some report fields were not kept");
    }
    if (sizesHeld) {
        Complain(file, "a size too large to count is shown at its largest value");
    }
    if (textBound) {
        Complain(file, "a bound was reached: the layout text was cut short");
    }
}

// With --debug every debug line goes to standard error, in the order it happens; else none.
std::FILE* DebugOut(const CommandLine& options)
{
    return options.debug ? stderr : nullptr;
}

ParseResult Parse(const CommandLine& options, const std::string& bytes,
                  DeviceDescription& description)
{
    ParseOptions parseOptions;
    parseOptions.debugOut = DebugOut(options);
    return ParseDescriptor(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                           description, parseOptions);
}

UsageNames UsageNamesOf(const CommandLine& options)
{
    return options.usageNames == "full" ? UsageNames::Full : UsageNames::Classic;
}

int RunAnalyse(const CommandLine& options)
{
    DescriptorInput input;
    if (!ReadCommandInput(options, input)) {
        return kExitFailure;
    }
    const std::string& bytes = input.bytes;
    DeviceDescription description;
    const ParseResult result = Parse(options, bytes, description);
    NoteBounds(InputName(options), description.boundReached, false, description.sizesSaturated);
    if (UsageNamesOf(options) == UsageNames::Full) {
        FillInUsageNames(description.rows);
    }
    if (options.format == "json") {
        const ReportModel model =
            BuildReportModel({ reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size() });
        return WriteOutput(options.outPath, [&](std::ostream& out) {
            WriteJsonDocument(out, result, description, &input, &model);
        });
    }
    const SavedForm form = options.format == "c" ? SavedForm::C : SavedForm::Plain;
    // A terminal shows GBK as noise, so there the Chinese texts come in UTF-8; files and pipes
    // get the saved file's bytes exactly.
    const SavedEncoding encoding =
        WritesToTerminal(options) ? SavedEncoding::Utf8 : SavedEncoding::Gbk;
    return WriteOutput(options.outPath, [&](std::ostream& out) {
        WriteRowsAsSavedAnalysis(out, form, description.rows, encoding);
    });
}

int RunLayout(const CommandLine& options)
{
    DescriptorInput input;
    if (!ReadCommandInput(options, input)) {
        return kExitFailure;
    }
    const std::string& bytes = input.bytes;
    DeviceDescription description;
    (void)Parse(options, bytes, description);
    LayoutTexts texts;
    texts.usageNames = UsageNamesOf(options);
    BuildLayoutTexts(description, texts, DebugOut(options));
    NoteBounds(InputName(options), description.boundReached, texts.truncated,
               description.sizesSaturated);
    const std::string text = ToUtf8(options.summary ? texts.summary : texts.detail);
    return WriteOutput(options.outPath, [&](std::ostream& out) { out << text; });
}

int RunHexDump(const CommandLine& options)
{
    DescriptorInput input;
    if (!ReadCommandInput(options, input)) {
        return kExitFailure;
    }
    const std::string& bytes = input.bytes;
    return WriteOutput(options.outPath, [&](std::ostream& out) { WriteHexDump(out, bytes); });
}

int RunDevices(const CommandLine& options)
{
    const HidDeviceList list = ListHidDevices(SysfsRoot());
    if (!list.error.empty()) {
        std::fprintf(stderr, "%s: %s\n", kProgram, list.error.c_str());
        return kExitFailure;
    }
    return WriteOutput(options.outPath, [&](std::ostream& out) {
        if (options.format == "json") {
            WriteDeviceJson(out, list.devices);
        } else {
            WriteDeviceTable(out, list.devices);
        }
    });
}

} // namespace

int main(int argc, char** argv)
{
    const CommandLine line = ParseCommandLine(argc, argv);
    switch (line.outcome) {
    case CommandLine::Outcome::Print:
        std::fputs(line.text.c_str(), stdout);
        return std::fflush(stdout) == 0 ? kExitOk : kExitFailure;
    case CommandLine::Outcome::Misused:
        std::fputs(line.text.c_str(), stderr);
        return kExitUsage;
    case CommandLine::Outcome::Run:
        break;
    }
    // Checked before the input is read or anything written, so the descriptor stays whole.
    if (line.command != CliCommand::Devices && OutputIsTheInput(line)) {
        Complain(line.outPath, "-o names the input file, which the output would replace");
        return kExitFailure;
    }
    switch (line.command) {
    case CliCommand::Analyse:
        return RunAnalyse(line);
    case CliCommand::Layout:
        return RunLayout(line);
    case CliCommand::HexDump:
        return RunHexDump(line);
    case CliCommand::Devices:
        return RunDevices(line);
    case CliCommand::Decode:
        return RunDecode(line);
    case CliCommand::Check:
        return RunCheck(line);
    case CliCommand::Header:
        return RunHeader(line);
    case CliCommand::Capture:
        return RunCapture(line);
    case CliCommand::Audit:
        return RunAudit(line);
    }
    return kExitUsage;
}
