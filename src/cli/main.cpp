#include "analysis/AnalyseDescriptor.h"
#include "cli/AuditCommand.h"
#include "cli/CaptureCommand.h"
#include "cli/CheckCommand.h"
#include "cli/CommandInput.h"
#include "cli/CommandLine.h"
#include "cli/CommandOutput.h"
#include "cli/DecodeCommand.h"
#include "cli/DiffCommand.h"
#include "cli/FixupCommand.h"
#include "cli/DeviceListOutput.h"
#include "cli/HeaderCommand.h"
#include "cli/JsonDocument.h"
#include "cli/OutputChecks.h"
#include "cli/SavedRows.h"
#include "cli/Utf8.h"
#include "devices/HidDeviceList.h"
#include "files/HexDumpWriter.h"

#include <cstdio>
#include <string>

namespace {

using namespace quorlix;

// With --debug every debug line goes to standard error, in the order it happens; else none.
AnalysisOptions AnalysisOptionsOf(const CommandLine& options)
{
    AnalysisOptions analysisOptions;
    analysisOptions.usageNames =
        options.usageNames == "full" ? UsageNames::Full : UsageNames::Classic;
    analysisOptions.debugOut = options.debug ? stderr : nullptr;
    analysisOptions.findings = false;
    return analysisOptions;
}

void NoteBounds(const std::string& file, const Analysis& analysis)
{
    for (const AnalysisNotice notice : analysis.notices) {
        Complain(file, AnalysisNoticeText(notice));
    }
}

int RunAnalyse(const CommandLine& options)
{
    DescriptorInput input;
    if (!ReadCommandInput(options, input)) {
        return kExitFailure;
    }
    AnalysisOptions analysisOptions = AnalysisOptionsOf(options);
    analysisOptions.layoutTexts = false;
    Analysis analysis;
    AnalyseDescriptor(input.bytes, analysisOptions, analysis);
    NoteBounds(InputName(options), analysis);
    if (options.format == "json") {
        return WriteCommandOutput(options.outPath, [&](std::ostream& out) {
            WriteJsonDocument(out, analysis.result, analysis.description, &input,
                              &analysis.reports);
        });
    }
    const SavedForm form = options.format == "c" ? SavedForm::C : SavedForm::Plain;
    // A terminal shows GBK as noise, so there the Chinese texts come in UTF-8; files and pipes
    // get the saved file's bytes exactly.
    const SavedEncoding encoding =
        WritesToTerminal(options) ? SavedEncoding::Utf8 : SavedEncoding::Gbk;
    return WriteCommandOutput(options.outPath, [&](std::ostream& out) {
        WriteRowsAsSavedAnalysis(out, form, analysis.description.rows, encoding);
    });
}

int RunLayout(const CommandLine& options)
{
    DescriptorInput input;
    if (!ReadCommandInput(options, input)) {
        return kExitFailure;
    }
    Analysis analysis;
    AnalyseDescriptor(input.bytes, AnalysisOptionsOf(options), analysis);
    NoteBounds(InputName(options), analysis);
    const std::string text =
        ToUtf8(options.summary ? analysis.layout.summary : analysis.layout.detail);
    return WriteCommandOutput(options.outPath, [&](std::ostream& out) { out << text; });
}

int RunHexDump(const CommandLine& options)
{
    DescriptorInput input;
    if (!ReadCommandInput(options, input)) {
        return kExitFailure;
    }
    const std::string& bytes = input.bytes;
    return WriteCommandOutput(options.outPath,
                              [&](std::ostream& out) { WriteHexDump(out, bytes); });
}

int RunDevices(const CommandLine& options)
{
    const HidDeviceList list = ListHidDevices(SysfsRoot());
    if (!list.error.empty()) {
        Complain(list.error);
        return kExitFailure;
    }
    return WriteCommandOutput(options.outPath, [&](std::ostream& out) {
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
    const bool twoInputs = line.command == CliCommand::Diff || line.command == CliCommand::Fixup;
    CommandLine second = line;
    second.file = line.secondFile;
    if (line.command != CliCommand::Devices &&
        (OutputIsTheInput(line) || (twoInputs && OutputIsTheInput(second)))) {
        Complain(line.outPath, "-o names the input file, which the output would replace");
        // diff(1)'s trouble is 2; every other command's failure is 1.
        return line.command == CliCommand::Diff ? kExitUsage : kExitFailure;
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
    case CliCommand::Diff:
        return RunDiff(line);
    case CliCommand::Fixup:
        return RunFixup(line);
    }
    return kExitUsage;
}
