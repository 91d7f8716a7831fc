#include "app/WindowCommandLine.h"

#include "Version.h"

namespace quorlix {

WindowCommandLine ParseWindowCommandLine(const std::vector<std::string>& arguments)
{
    WindowCommandLine result;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        const bool isOption = !optionsEnded && argument.size() > 1 && argument.front() == '-';
        if (isOption && argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (isOption && argument == "--version") {
            return WindowCommandLine{ WindowCommandAction::Version, {}, {} };
        }
        if (isOption && (argument == "--help" || argument == "-h")) {
            return WindowCommandLine{ WindowCommandAction::Help, {}, {} };
        }
        if (result.action == WindowCommandAction::Error) {
            continue; // a later --version or --help still wins
        }
        if (isOption) {
            result =
                WindowCommandLine{ WindowCommandAction::Error, {}, "unknown option " + argument };
        } else if (!result.file.empty()) {
            result = WindowCommandLine{ WindowCommandAction::Error,
                                        {},
                                        "more than one FILE: " + argument };
        } else {
            result.file = argument;
        }
    }
    return result;
}

std::string WindowVersionText()
{
    return std::string("quorlix ") + kVersion + "\n";
}

std::string WindowHelpText()
{
    return "Usage: quorlix [FILE]\n"
           "Opens the HID report descriptor analyser. With FILE, a text file holding the\n"
           "descriptor as hex bytes, it is analysed as soon as the window is shown.\n"
           "\n"
           "  -h, --help  show this help and exit\n"
           "  --version   show the version and exit\n";
}

} // namespace quorlix
