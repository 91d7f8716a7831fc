#include "app/WindowCommandLine.h"

#include "Version.h"

#include <gtest/gtest.h>

namespace quorlix::test {
namespace {

TEST(WindowCommandLine, OptionalFileVersionHelpAndErrors)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> arguments;
        WindowCommandAction action;
        std::string file;
    };
    const Case cases[] = {
        { "no argument", {}, WindowCommandAction::Run, "" },
        { "a file", { "mouse.txt" }, WindowCommandAction::Run, "mouse.txt" },
        { "a file after --", { "--", "-odd.txt" }, WindowCommandAction::Run, "-odd.txt" },
        { "version", { "--version" }, WindowCommandAction::Version, "" },
        { "help", { "-h" }, WindowCommandAction::Help, "" },
        { "help after an unknown option", { "-x", "--help" }, WindowCommandAction::Help, "" },
        { "unknown option", { "--verbose" }, WindowCommandAction::Error, "" },
        { "two files", { "a.txt", "b.txt" }, WindowCommandAction::Error, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WindowCommandLine line = ParseWindowCommandLine(c.arguments);
        EXPECT_EQ(line.action, c.action);
        EXPECT_EQ(line.file, c.file);
        EXPECT_EQ(line.error.empty(), c.action != WindowCommandAction::Error);
    }
    EXPECT_EQ(WindowVersionText(), std::string("quorlix ") + kVersion + "\n");
}

} // namespace
} // namespace quorlix::test
