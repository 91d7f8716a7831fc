#pragma once

#include <string>
#include <vector>

namespace quorlix {

// What the arguments ask the program to do.
enum class WindowCommandAction
{
    Run,     // open the window, analysing file at once when there is one
    Version, // print the version and end
    Help,    // print the usage and end
    Error,   // print error and the usage hint and end with a failure
};

// The language of the window's texts.
enum class WindowLanguage
{
    Desktop, // Chinese on a Chinese desktop, English on any other
    Chinese,
    English,
};

struct WindowCommandLine
{
    WindowCommandAction action = WindowCommandAction::Run;
    std::string file;
    std::string error;
    bool debug = false;
    WindowLanguage language = WindowLanguage::Desktop;
};

// Reads the arguments after the program's name: an optional FILE, "--debug", "--lang zh|en"
// (or "--lang=zh|en"), "--version", "-h"/"--help", and "--" before a FILE that starts with a
// hyphen. The first of --version and --help wins; an unknown option, a language other than zh
// or en, or a second FILE is an error.
WindowCommandLine ParseWindowCommandLine(const std::vector<std::string>& arguments);

// "quorlix 3.1.0" and a line end.
std::string WindowVersionText();

// The usage, ending with a line end.
std::string WindowHelpText();

} // namespace quorlix
