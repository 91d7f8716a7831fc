#pragma once

#include "forms/DescriptorInput.h"

#include <cstddef>
#include <optional>
#include <cstdint>
#include <string>
#include <vector>

namespace quorlix {

enum class CliCommand
{
    Analyse,
    Layout,
    HexDump,
    Devices,
    Decode,
    Check,
    Header,
    Capture,
    Audit,
    Diff,
    Fixup,
};

// What the program was asked to do. Help and version requests, and usage errors, carry the text
// to print instead of a command to run.
struct CommandLine
{
    enum class Outcome
    {
        Run,     // run command on file
        Print,   // print text on standard output and exit with 0 (help, version)
        Misused, // print text (one line) on standard error and exit with 2
    };
    Outcome outcome = Outcome::Misused;
    std::string text;

    CliCommand command = CliCommand::Analyse;
    std::string file;   // "-" for standard input; empty with --device
    std::string device; // --device SEL: a connected device's descriptor instead of FILE
    std::string format = "plain";
    std::string outPath; // empty: standard output
    bool debug = false;
    bool summary = false;
    InputForm inputForm = InputForm::Auto; // --input FORM
    std::optional<std::size_t> index;      // --index N: which descriptor of the file, from 0
    std::string arrayName;                 // --name NAME (--array NAME): which array of the file
    bool strict = false;                   // --strict: any reader warning fails the command
    bool verbose = false;                  // -v: say on standard error how FILE was read
    std::string usageNames = "classic";    // or "full"
    std::vector<std::string> reports;      // decode: REPORT arguments, in order
    std::string reportType = "input";      // decode: --type
    bool follow = false;                   // decode: --follow, live from --device
    // check: --format text|json, --werror, --disable NAME,...
    std::string checkFormat = "text";
    bool werror = false;
    std::vector<std::string> disabledChecks;
    std::string hosts;             // --host NAME,... or "list"; empty for HID's rules only
    std::uint32_t packetSize = 0;  // --packet-size N: wMaxPacketSize as written; 0 for none
    std::string headerName;        // header: --name PREFIX; empty for one made from FILE
    bool captureInput = false;     // --input capture: FILE is a USB capture
    std::string interfaceSelector; // --interface BUS.ADDR[:IF]: a capture's interface
    std::string descriptorFile;    // decode, audit: --descriptor FILE for a capture's reports
    std::string endpointText;      // decode, audit: --endpoint EP of a capture
    // diff OLD NEW and fixup ORIGINAL FIXED: the second file (the first is file).
    std::string secondFile;
    std::string emit;     // fixup: --emit hid-bpf|kernel|c
    std::string deviceId; // fixup: --device-id BUS:VID:PID, as given
    bool force = false;   // fixup: --force, even when FIXED has check errors
};

// Reads the arguments of quorlix-cli: a command (analyse, layout, hexdump, devices, decode,
// check, header), its options in any order around FILE ("--format json" or "--format=json", "-o
// OUT" or
// "-oOUT", "--" before a FILE that starts with a dash, "--input FORM", "--index N", "-v"), or
// --help / --version.
CommandLine ParseCommandLine(int argc, const char* const* argv);

// What messages call the input: FILE, or the --device selector.
const std::string& InputName(const CommandLine& line);

} // namespace quorlix
