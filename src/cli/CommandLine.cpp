#include "cli/CommandLine.h"

#include "Version.h"
#include "cli/CommandOutput.h"
#include "codegen/CIdentifier.h"
#include "diagnostics/Finding.h"
#include "hosts/CheckHosts.h"

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

namespace quorlix {
namespace {

CommandLine Print(std::string text)
{
    CommandLine line;
    line.outcome = CommandLine::Outcome::Print;
    line.text = std::move(text);
    return line;
}

// One line on standard error: the program, then what was wrong.
CommandLine Misused(const std::string& reason)
{
    std::string text = std::string(kProgramName) + ": " + reason;
    for (char& c : text) {
        if (c == '\n') {
            c = ' ';
        }
    }
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    CommandLine line;
    line.outcome = CommandLine::Outcome::Misused;
    line.text = text + " (see " + std::string(kProgramName) + " --help)\n";
    return line;
}

// --input, --index, --name, --strict and -v: how FILE is read. header's --name is its prefix, so
// there the array is named by --array alone.
void AddInputOptions(CLI::App& command, CommandLine& line, bool nameTaken = false)
{
    std::vector<std::string> formNames;
    for (const InputForm form : { InputForm::Auto, InputForm::HexText, InputForm::CSource,
                                  InputForm::Binary, InputForm::HidRecorder, InputForm::UsbhidDump,
                                  InputForm::HexDump, InputForm::Lsusb, InputForm::Saved }) {
        formNames.emplace_back(InputFormName(form));
    }
    formNames.emplace_back("capture");
    command
        .add_option_function<std::string>(
            "--input",
            [&line](const std::string& name) {
                line.captureInput = name == "capture";
                line.inputForm = line.captureInput ? InputForm::Auto : *InputFormFromName(name);
            },
            "The form FILE is in: auto (default), hex-text, c-source, binary, hid-recorder, "
            "usbhid-dump, hexdump, lsusb, saved or capture (a pcap, pcapng or usbmon text "
            "capture of USB traffic)")
        ->check(CLI::IsMember(formNames))
        ->option_text("FORM");
    command
        .add_option_function<std::size_t>(
            "--index", [&line](const std::size_t& index) { line.index = index; },
            "Which descriptor of a file that holds several, from 0 (default: the only one that "
            "parses as a report descriptor)")
        ->check(CLI::NonNegativeNumber)
        ->option_text("N");
    command
        .add_option("--interface", line.interfaceSelector,
                    "Of a capture: the report descriptor of that bus, address and interface, "
                    "such as 1.4:0 (see quorlix-cli capture)")
        ->option_text("BUS.ADDR:IF");
    command
        .add_option(nameTaken ? "--array" : "--name,--array", line.arrayName,
                    "Which array of a source file that holds several, by its name")
        ->option_text("NAME");
    command.add_flag("--strict", line.strict,
                     "Fail (exit 1) when the reader warns about anything in FILE");
    command.add_flag("-v,--verbose", line.verbose,
                     "Say on standard error which form FILE was read as, and how many bytes");
}

// FILE or --device SEL, and how FILE is read.
void AddFileAndInput(CLI::App& command, CommandLine& line, bool nameTaken = false)
{
    CLI::Option* file =
        command.add_option("FILE", line.file, "Descriptor file, or - for standard input");
    CLI::Option* device =
        command
            .add_option("--device", line.device,
                        "Read the descriptor of a connected device instead of FILE: hidrawN, "
                        "/dev/hidrawN, a sysfs id or VID:PID[/N] (see quorlix-cli devices)")
            ->option_text("SEL");
    file->excludes(device);
    // One of the two names the input; CLI11 cannot require one of a pair by itself.
    command.callback([&line] {
        if (line.file.empty() && line.device.empty() && line.hosts != "list") {
            throw CLI::RequiredError("FILE is required (or --device SEL)",
                                     CLI::ExitCodes::RequiredError);
        }
    });
    AddInputOptions(command, line, nameTaken);
}

void AddFileAndOutput(CLI::App& command, CommandLine& line, bool nameTaken = false)
{
    AddFileAndInput(command, line, nameTaken);
    command
        .add_option("-o", line.outPath,
                    "Write to OUT instead of standard output; OUT is replaced only once all is "
                    "written, and never when it is the input file")
        ->option_text("OUT");
}

void AddDebug(CLI::App& command, CommandLine& line)
{
    command.add_flag("--debug", line.debug, "Write the parser's debug lines to standard error");
}

void AddUsageNames(CLI::App& command, CommandLine& line)
{
    command
        .add_option("--usage-names", line.usageNames,
                    "classic (default) or full: fill in the HID Usage Tables' names where the "
                    "classic tables have none")
        ->check(CLI::IsMember({ "classic", "full" }))
        ->option_text("NAMES");
}

} // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv)
{
    CommandLine line;
    CLI::App app{ "Quorlix: analyse a USB HID report descriptor written as hexadecimal text.",
                  kProgramName };
    app.set_version_flag("--version", std::string(kProgramName) + " " + kVersion);
    app.require_subcommand(1);

    CLI::App* analyse = app.add_subcommand(
        "analyse", "The item list as the window saves it (plain or C form), or as JSON");
    AddFileAndOutput(*analyse, line);
    analyse
        ->add_option("--format", line.format,
                     "plain (default), c or json. On a terminal plain and c write their Chinese "
                     "texts in UTF-8; files and pipes get GBK, as the window saves")
        ->check(CLI::IsMember({ "plain", "c", "json" }))
        ->option_text("FORM");
    AddUsageNames(*analyse, line);
    AddDebug(*analyse, line);

    CLI::App* layout = app.add_subcommand(
        "layout", "The report layout of every top-level collection (the detail pane's text)");
    AddFileAndOutput(*layout, line);
    layout->add_flag("--summary", line.summary, "The summary pane's text instead");
    AddUsageNames(*layout, line);
    AddDebug(*layout, line);

    CLI::App* hexdump =
        app.add_subcommand("hexdump", "The bytes the reader takes from the text, one per line");
    AddFileAndOutput(*hexdump, line);

    CLI::App* devices = app.add_subcommand(
        "devices",
        "The HID devices the kernel knows, read from sysfs (QUORLIX_SYSFS_ROOT or /sys)");
    devices->add_option("--format", line.format, "plain (default) or json")
        ->check(CLI::IsMember({ "plain", "json" }))
        ->option_text("FORM");
    devices->add_option("-o", line.outPath, "Write to OUT instead of standard output")
        ->option_text("OUT");

    CLI::App* decode = app.add_subcommand(
        "decode", "Decode captured reports (hex arguments, or lines of standard input)");
    decode->add_option("FILE", line.file,
                       "Descriptor file; a hid-recorder file brings its own events");
    decode
        ->add_option("--device", line.device,
                     "Read the descriptor of a connected device instead of FILE (see "
                     "quorlix-cli devices)")
        ->option_text("SEL");
    decode->add_flag("--follow", line.follow,
                     "With --device: decode the device's reports as they come, until interrupted");
    // With --device every positional is a report; FILE took the first of them.
    decode->callback([&line] {
        if (!line.device.empty() && !line.file.empty()) {
            line.reports.insert(line.reports.begin(), line.file);
            line.file.clear();
        }
        if (line.file.empty() && line.device.empty()) {
            throw CLI::RequiredError("FILE is required (or --device SEL)",
                                     CLI::ExitCodes::RequiredError);
        }
        if (line.follow && line.device.empty()) {
            throw CLI::ValidationError("--follow", "needs --device SEL");
        }
        if (line.follow && !line.reports.empty()) {
            throw CLI::ValidationError("--follow", "takes the reports from the device, not REPORT");
        }
    });
    decode
        ->add_option("--descriptor", line.descriptorFile,
                     "With a capture as FILE: decode its reports against this descriptor file "
                     "instead of the ones the capture holds")
        ->option_text("DESC");
    decode
        ->add_option("--endpoint", line.endpointText,
                     "With a capture: only the interrupt reports of this endpoint, such as 0x81; "
                     "with --interface, the endpoint's reports belong to that interface when the "
                     "capture lacks the configuration that tells")
        ->option_text("EP");
    decode->add_option("REPORT", line.reports, "A report in hex, such as \"01 05 FB\" or 0105fb");
    decode->add_option("--type", line.reportType, "input (default), output or feature")
        ->check(CLI::IsMember({ "input", "output", "feature" }))
        ->option_text("TYPE");
    decode->add_option("--format", line.format, "text (default) or json")
        ->check(CLI::IsMember({ "text", "json" }))
        ->option_text("FORM");
    AddInputOptions(*decode, line);

    CLI::App* check = app.add_subcommand(
        "check",
        "The mistakes of the descriptor, each with how to mend it, as a compiler lists them");
    AddFileAndInput(*check, line);
    check->add_option("--format", line.checkFormat, "text (default) or json")
        ->check(CLI::IsMember({ "text", "json" }))
        ->option_text("FORM");
    check->add_flag("--werror", line.werror, "Exit with 3 on warnings too");
    // One argument per --disable, so FILE after it stays FILE; commas or repeats give several.
    check->add_option("--disable", line.disabledChecks, "Leave out the checks named")
        ->allow_extra_args(false)
        ->delimiter(',')
        ->option_text("NAME,...");
    check
        ->add_option("--host", line.hosts,
                     "Check also what these hosts demand (--host list names them)")
        ->allow_extra_args(false)
        ->option_text("NAME,...|list");
    check
        ->add_option("--packet-size", line.packetSize,
                     "The interrupt IN endpoint's wMaxPacketSize: check every Input report "
                     "against it (bits 12:11 count extra transactions, as in 0x1400)")
        ->check(CLI::Range(1, 0xFFFF))
        ->option_text("N");

    CLI::App* header = app.add_subcommand(
        "header", "A C header: the descriptor as an array, and each report's fields as macros "
                  "and functions that get and set their values");
    AddFileAndOutput(*header, line, true);
    header
        ->add_option("--name", line.headerName,
                     "What every name in the header starts with (default: from FILE's name)")
        ->option_text("PREFIX");

    CLI::App* capture = app.add_subcommand(
        "capture", "What a USB capture (pcap, pcapng, usbmon text) holds: devices, HID "
                   "interfaces, report descriptors and the reports seen");
    capture->add_option("FILE", line.file, "Capture file")->required();
    capture->add_option("--format", line.format, "text (default) or json")
        ->check(CLI::IsMember({ "text", "json" }))
        ->option_text("FORM");

    CLI::App* audit = app.add_subcommand(
        "audit", "Compare a capture's reports with their descriptors: wrong lengths, undeclared "
                 "ids, values out of range, padding that is not zero, reports never seen, "
                 "fields that never changed");
    audit->add_option("FILE", line.file, "Capture file")->required();
    audit
        ->add_option("--descriptor", line.descriptorFile,
                     "Audit against this descriptor file instead of the ones the capture holds")
        ->option_text("DESC");
    audit
        ->add_option("--interface", line.interfaceSelector,
                     "Only that device or interface: BUS.ADDR or BUS.ADDR:IF")
        ->option_text("BUS.ADDR:IF");
    audit
        ->add_option("--endpoint", line.endpointText,
                     "Only the interrupt reports of this endpoint, such as 0x81; with --interface, "
                     "they belong to that interface when the capture lacks the configuration "
                     "that tells")
        ->option_text("EP");
    audit->add_option("--format", line.checkFormat, "text (default) or json")
        ->check(CLI::IsMember({ "text", "json" }))
        ->option_text("FORM");
    audit->add_flag("--werror", line.werror, "Exit with 3 on warnings too");

    CLI::App* diff = app.add_subcommand(
        "diff", "Compare two descriptors by meaning: equivalent, compatible or incompatible, "
                "with every change; exit 0 when equivalent, 1 when different, 2 on trouble");
    diff->add_option("OLD", line.file, "The descriptor before, or - for standard input")
        ->required();
    diff->add_option("NEW", line.secondFile, "The descriptor after")->required();
    diff->add_option("--format", line.format, "text (default) or json")
        ->check(CLI::IsMember({ "text", "json" }))
        ->option_text("FORM");
    AddInputOptions(*diff, line);
    diff->add_option("-o", line.outPath, "Write to OUT instead of standard output")
        ->option_text("OUT");

    CLI::App* fixup = app.add_subcommand(
        "fixup", "Turn a corrected descriptor into a fix that ships: a HID-BPF program, a "
                 "kernel driver's report_fixup, or a C array");
    fixup->add_option("ORIGINAL", line.file, "The descriptor the device sends")->required();
    fixup->add_option("FIXED", line.secondFile, "The descriptor it should send")->required();
    fixup->add_option("--emit", line.emit, "hid-bpf, kernel or c")
        ->required()
        ->check(CLI::IsMember({ "hid-bpf", "kernel", "c" }))
        ->option_text("FORM");
    fixup
        ->add_option(
            "--device-id", line.deviceId,
            "The device to match, as BUS:VID:PID in hexadecimal (0003:11C0:5606); "
            "taken from ORIGINAL when it is a device's sysfs path, a hidraw node or a capture "
            "that caught the device descriptor")
        ->option_text("BUS:VID:PID");
    fixup->add_option("--name", line.headerName, "What the program's names start with")
        ->option_text("PREFIX");
    fixup->add_flag("--force", line.force, "Write the fix even when FIXED has check errors");
    AddInputOptions(*fixup, line, true);
    fixup
        ->add_option("-o", line.outPath,
                     "Write to OUT instead of standard output; OUT is replaced only once all is "
                     "written")
        ->option_text("OUT");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        // The help of the command asked about, or of the whole program.
        for (CLI::App* command : { analyse, layout, hexdump, devices, decode, check, header,
                                   capture, audit, diff, fixup }) {
            if (command->parsed()) {
                return Print(command->help());
            }
        }
        return Print(app.help());
    } catch (const CLI::CallForAllHelp&) {
        return Print(app.help("", CLI::AppFormatMode::All));
    } catch (const CLI::CallForVersion&) {
        return Print(std::string(kProgramName) + " " + kVersion + "\n");
    } catch (const CLI::ParseError& error) {
        return Misused(error.what());
    }

    for (const std::string& name : line.disabledChecks) {
        if (!FindCheck(name)) {
            return Misused("--disable: no check is named " + name);
        }
    }
    if (!line.hosts.empty() && line.hosts != "list") {
        std::string_view unknown;
        if (!ParseHostProfiles(line.hosts, unknown)) {
            return Misused("--host: no host profile is named " + std::string(unknown) +
                           " (--host list names them)");
        }
    }
    if ((header->parsed() || fixup->parsed()) && !line.headerName.empty() &&
        !IsHeaderPrefix(line.headerName)) {
        return Misused("--name: " + line.headerName +
                       " is not a usable prefix: a letter, then letters, digits and single "
                       "underscores, not ending in one");
    }
    line.outcome = CommandLine::Outcome::Run;
    line.command = analyse->parsed()   ? CliCommand::Analyse
                   : layout->parsed()  ? CliCommand::Layout
                   : devices->parsed() ? CliCommand::Devices
                   : decode->parsed()  ? CliCommand::Decode
                   : check->parsed()   ? CliCommand::Check
                   : header->parsed()  ? CliCommand::Header
                   : capture->parsed() ? CliCommand::Capture
                   : audit->parsed()   ? CliCommand::Audit
                   : diff->parsed()    ? CliCommand::Diff
                   : fixup->parsed()   ? CliCommand::Fixup
                                       : CliCommand::HexDump;
    if ((line.command == CliCommand::Decode || line.command == CliCommand::Capture ||
         line.command == CliCommand::Diff) &&
        line.format == "plain") {
        line.format = "text";
    }
    return line;
}

const std::string& InputName(const CommandLine& line)
{
    return line.device.empty() ? line.file : line.device;
}

} // namespace quorlix
