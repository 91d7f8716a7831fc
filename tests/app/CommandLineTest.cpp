#include "app/CommandLine.h"

#include "Version.h"

#include <gtest/gtest.h>

namespace quorlix::test {
namespace {

TEST(QuorlixCommandLine, OptionalFileVersionHelpAndErrors)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> arguments;
        CommandAction action;
        std::string file;
    };
    const Case cases[] = {
        { "no argument", {}, CommandAction::Run, "" },
        { "a file", { "mouse.txt" }, CommandAction::Run, "mouse.txt" },
        { "a file after --", { "--", "-odd.txt" }, CommandAction::Run, "-odd.txt" },
        { "version", { "--version" }, CommandAction::Version, "" },
        { "help", { "-h" }, CommandAction::Help, "" },
        { "help after an unknown option", { "-x", "--help" }, CommandAction::Help, "" },
        { "unknown option", { "--verbose" }, CommandAction::Error, "" },
        { "two files", { "a.txt", "b.txt" }, CommandAction::Error, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CommandLine line = ParseCommandLine(c.arguments);
        EXPECT_EQ(line.action, c.action);
        EXPECT_EQ(line.file, c.file);
        EXPECT_EQ(line.error.empty(), c.action != CommandAction::Error);
    }
    EXPECT_EQ(VersionText(), std::string("quorlix ") + kVersion + "\n");
}

} // namespace
} // namespace quorlix::test
