#include "app/CommandLine.h"

#include "Version.h"

namespace quorlix {

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine result;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        const bool isOption = !optionsEnded && argument.size() > 1 && argument.front() == '-';
        if (isOption && argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (isOption && argument == "--version") {
            return CommandLine{ CommandAction::Version, {}, {} };
        }
        if (isOption && (argument == "--help" || argument == "-h")) {
            return CommandLine{ CommandAction::Help, {}, {} };
        }
        if (result.action == CommandAction::Error) {
            continue; // a later --version or --help still wins
        }
        if (isOption) {
            result = CommandLine{ CommandAction::Error, {}, "unknown option " + argument };
        } else if (!result.file.empty()) {
            result = CommandLine{ CommandAction::Error, {}, "more than one FILE: " + argument };
        } else {
            result.file = argument;
        }
    }
    return result;
}

std::string VersionText()
{
    return std::string("quorlix ") + kVersion + "\n";
}

std::string HelpText()
{
    return "Usage: quorlix [FILE]\n"
           "Opens the HID report descriptor analyser. With FILE, a text file holding the\n"
           "descriptor as hex bytes, it is analysed as soon as the window is shown.\n"
           "\n"
           "  -h, --help  show this help and exit\n"
           "  --version   show the version and exit\n";
}

} // namespace quorlix
