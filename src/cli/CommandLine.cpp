#include "cli/CommandLine.h"

#include "Version.h"

#include <string_view>

namespace quorlix {
namespace {

constexpr std::string_view kProgram = "quorlix-cli";

constexpr std::string_view kProgramHelp =
    "Quorlix: analyse a USB HID report descriptor written as hexadecimal text.\n"
    "\n"
    "Usage: quorlix-cli COMMAND FILE [OPTIONS]\n"
    "       quorlix-cli --help | --version\n"
    "\n"
    "FILE is a descriptor text file, or - for standard input.\n"
    "\n"
    "Commands:\n"
    "  analyse   The item list as the window saves it (plain or C form), or as JSON\n"
    "  layout    The report layout of every top-level collection (the detail pane's text)\n"
    "  hexdump   The bytes the reader takes from the text, one per line\n"
    "\n"
    "Options:\n"
    "  -h, --help  Print this help, or a command's with COMMAND --help, and exit\n"
    "  --version   Print the version and exit\n";

constexpr std::string_view kAnalyseHelp =
    "The item list as the window saves it (plain or C form), or as JSON.\n"
    "\n"
    "Usage: quorlix-cli analyse FILE [--format plain|c|json] [-o OUT] [--debug]\n"
    "\n"
    "  FILE           Descriptor text file, or - for standard input\n"
    "  --format FORM  plain (default), c or json\n"
    "  -o OUT         Write to OUT instead of standard output\n"
    "  --debug        Write the parser's debug lines to standard error\n"
    "  -h, --help     Print this help and exit\n";

constexpr std::string_view kLayoutHelp =
    "The report layout of every top-level collection (the detail pane's text).\n"
    "\n"
    "Usage: quorlix-cli layout FILE [--summary] [-o OUT] [--debug]\n"
    "\n"
    "  FILE        Descriptor text file, or - for standard input\n"
    "  --summary   The summary pane's text instead\n"
    "  -o OUT      Write to OUT instead of standard output\n"
    "  --debug     Write the parser's debug lines to standard error\n"
    "  -h, --help  Print this help and exit\n";

constexpr std::string_view kHexDumpHelp =
    "The bytes the reader takes from the text, one per line.\n"
    "\n"
    "Usage: quorlix-cli hexdump FILE [-o OUT]\n"
    "\n"
    "  FILE        Descriptor text file, or - for standard input\n"
    "  -o OUT      Write to OUT instead of standard output\n"
    "  -h, --help  Print this help and exit\n";

CommandLine Print(std::string_view text)
{
    CommandLine line;
    line.outcome = CommandLine::Outcome::Print;
    line.text = text;
    return line;
}

// One line for standard error, pointing at the help like every usage error.
CommandLine Misused(std::string_view reason)
{
    CommandLine line;
    line.outcome = CommandLine::Outcome::Misused;
    line.text.append(kProgram).append(": ").append(reason);
    line.text.append(" (see quorlix-cli --help)\n");
    return line;
}

std::string_view HelpOf(CliCommand command)
{
    switch (command) {
    case CliCommand::Analyse:
        return kAnalyseHelp;
    case CliCommand::Layout:
        return kLayoutHelp;
    case CliCommand::HexDump:
        return kHexDumpHelp;
    }
    return kProgramHelp;
}

bool ParseCommand(std::string_view word, CliCommand& command)
{
    if (word == "analyse") {
        command = CliCommand::Analyse;
    } else if (word == "layout") {
        command = CliCommand::Layout;
    } else if (word == "hexdump") {
        command = CliCommand::HexDump;
    } else {
        return false;
    }
    return true;
}

// The value of an option that takes one: glued to it ("--format=c", "-oOUT") or the next
// argument. Gives false when there is none.
bool TakeValue(std::string_view argument, std::string_view name, int argc, const char* const* argv,
               int& index, std::string& value)
{
    std::string_view rest = argument.substr(name.size());
    if (!rest.empty()) {
        if (name.starts_with("--")) {
            rest.remove_prefix(1); // the '='
        }
        value = rest;
        return true;
    }
    if (index + 1 >= argc) {
        return false;
    }
    value = argv[++index];
    return true;
}

// Whether argument is the option name alone or, for options with a value, glued to it.
bool IsOption(std::string_view argument, std::string_view name)
{
    if (!argument.starts_with(name)) {
        return false;
    }
    const std::string_view rest = argument.substr(name.size());
    if (rest.empty()) {
        return true;
    }
    return name.starts_with("--") ? rest.front() == '=' : name.size() == 2;
}

} // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv)
{
    if (argc < 2) {
        return Misused("a command is required: analyse, layout or hexdump");
    }
    const std::string_view first = argv[1];
    if (first == "-h" || first == "--help") {
        return Print(kProgramHelp);
    }
    if (first == "--version") {
        std::string version(kProgram);
        version.append(" ").append(kVersion).append("\n");
        return Print(version);
    }
    CommandLine line;
    if (!ParseCommand(first, line.command)) {
        return Misused("unknown command '" + std::string(first) + "'");
    }

    bool haveFile = false;
    bool onlyFiles = false; // after "--"
    for (int index = 2; index < argc; ++index) {
        const std::string_view argument = argv[index];
        const bool isOption = !onlyFiles && argument.size() > 1 && argument.front() == '-';
        if (!isOption) {
            if (haveFile) {
                return Misused("unexpected argument '" + std::string(argument) + "'");
            }
            line.file = argument;
            haveFile = true;
            continue;
        }
        if (argument == "--") {
            onlyFiles = true;
        } else if (argument == "-h" || argument == "--help") {
            return Print(HelpOf(line.command));
        } else if (line.command != CliCommand::HexDump && argument == "--debug") {
            line.debug = true;
        } else if (line.command == CliCommand::Layout && argument == "--summary") {
            line.summary = true;
        } else if (IsOption(argument, "-o")) {
            if (!TakeValue(argument, "-o", argc, argv, index, line.outPath)) {
                return Misused("-o needs a file name");
            }
        } else if (line.command == CliCommand::Analyse && IsOption(argument, "--format")) {
            if (!TakeValue(argument, "--format", argc, argv, index, line.format)) {
                return Misused("--format needs plain, c or json");
            }
            if (line.format != "plain" && line.format != "c" && line.format != "json") {
                return Misused("--format must be plain, c or json, not '" + line.format + "'");
            }
        } else {
            return Misused("unknown option '" + std::string(argument) + "'");
        }
    }
    if (!haveFile) {
        return Misused("FILE is required: a descriptor text file, or - for standard input");
    }
    line.outcome = CommandLine::Outcome::Run;
    return line;
}

} // namespace quorlix
