#include "app/WindowCommandLine.h"

#include "Version.h"

#include <string_view>

namespace quorlix {

namespace {

constexpr std::string_view kLangOption = "--lang";

// The language a --lang value names; Desktop for a value that names none.
WindowLanguage LanguageNamed(std::string_view value)
{
    if (value == "zh") {
        return WindowLanguage::Chinese;
    }
    if (value == "en") {
        return WindowLanguage::English;
    }
    return WindowLanguage::Desktop;
}

} // namespace

WindowCommandLine ParseWindowCommandLine(const std::vector<std::string>& arguments)
{
    WindowCommandLine result;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
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
        if (isOption && argument == "--debug") {
            result.debug = true;
            continue;
        }
        if (isOption && argument.starts_with(kLangOption) &&
            (argument.size() == kLangOption.size() || argument[kLangOption.size()] == '=')) {
            std::string value;
            if (argument.size() > kLangOption.size()) {
                value = argument.substr(kLangOption.size() + 1);
            } else if (i + 1 < arguments.size()) {
                value = arguments[++i];
            }
            result.language = LanguageNamed(value);
            if (result.language == WindowLanguage::Desktop) {
                result = WindowCommandLine{ WindowCommandAction::Error,
                                            {},
                                            "--lang takes zh or en, not '" + value + "'" };
            }
            continue;
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
    return "Usage: quorlix [--lang zh|en] [--debug] [FILE]\n"
           "Opens the HID report descriptor analyser. With FILE, a text file holding the\n"
           "descriptor as hex bytes, it is analysed as soon as the window is shown.\n"
           "\n"
           "  --lang zh|en  the window's language: Chinese or English (by default Chinese\n"
           "                on a Chinese desktop, English on any other)\n"
           "  --debug       write the parser's debug lines and the report layout to\n"
           "                standard error (as does QUORLIX_DEBUG=1)\n"
           "  -h, --help    show this help and exit\n"
           "  --version     show the version and exit\n";
}

} // namespace quorlix
