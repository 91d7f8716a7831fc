#include "cli/CommandLine.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace quorlix {
namespace {

// Parses a command line written as one string of blank-separated words.
CommandLine Parse(const std::string& words)
{
    std::vector<std::string> storage{ "quorlix-cli" };
    std::istringstream in(words);
    for (std::string word; in >> word;) {
        storage.push_back(word);
    }
    std::vector<const char*> argv;
    for (const std::string& word : storage) {
        argv.push_back(word.c_str());
    }
    return ParseCommandLine(static_cast<int>(argv.size()), argv.data());
}

TEST(CommandLine, OptionsInAnyOrderAroundTheFile)
{
    struct Case
    {
        const char* words;
        CliCommand command;
        const char* file;
        const char* format;
        const char* outPath;
        bool debug;
        bool summary;
    };
    const Case cases[] = {
        { "analyse m.txt", CliCommand::Analyse, "m.txt", "plain", "", false, false },
        { "analyse --format json m.txt", CliCommand::Analyse, "m.txt", "json", "", false, false },
        { "analyse m.txt --format=c -o out", CliCommand::Analyse, "m.txt", "c", "out", false,
          false },
        { "analyse -oout --debug -", CliCommand::Analyse, "-", "plain", "out", true, false },
        { "layout --summary m.txt --debug", CliCommand::Layout, "m.txt", "plain", "", true, true },
        { "hexdump -- -odd.txt", CliCommand::HexDump, "-odd.txt", "plain", "", false, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words);
        const CommandLine line = Parse(c.words);
        ASSERT_EQ(line.outcome, CommandLine::Outcome::Run) << line.text;
        EXPECT_EQ(line.command, c.command);
        EXPECT_EQ(line.file, c.file);
        EXPECT_EQ(line.format, c.format);
        EXPECT_EQ(line.outPath, c.outPath);
        EXPECT_EQ(line.debug, c.debug);
        EXPECT_EQ(line.summary, c.summary);
    }
}

TEST(CommandLine, MisuseIsOneLineNamingTheProblem)
{
    struct Case
    {
        const char* words;
        const char* reasonPart;
    };
    const Case cases[] = {
        { "", "A subcommand is required" },
        { "frobnicate m.txt", "A subcommand is required" },
        { "analyse", "FILE is required" },
        { "analyse a.txt b.txt", "not expected: b.txt" },
        { "analyse --format yaml m.txt", "yaml not in {plain,c,json}" },
        { "analyse m.txt --format", "--format: 1 required" },
        { "analyse m.txt -o", "-o: 1 required" },
        { "hexdump --debug m.txt", "not expected: --debug" },     // only the parsing commands
        { "analyse --summary m.txt", "not expected: --summary" }, // only layout
        { "analyse --formatx m.txt", "not expected: --formatx" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words);
        const CommandLine line = Parse(c.words);
        EXPECT_EQ(line.outcome, CommandLine::Outcome::Misused);
        EXPECT_EQ(line.text.rfind("quorlix-cli: ", 0), 0u) << line.text;
        EXPECT_NE(line.text.find(c.reasonPart), std::string::npos) << line.text;
        EXPECT_EQ(line.text.find('\n'), line.text.size() - 1) << line.text;
    }
}

TEST(CommandLine, HelpForTheProgramOrOneCommand)
{
    const CommandLine program = Parse("--help");
    EXPECT_EQ(program.outcome, CommandLine::Outcome::Print);
    EXPECT_NE(program.text.find("hexdump"), std::string::npos);
    const CommandLine layout = Parse("layout m.txt -h");
    EXPECT_EQ(layout.outcome, CommandLine::Outcome::Print);
    EXPECT_NE(layout.text.find("--summary"), std::string::npos);
    EXPECT_EQ(layout.text.find("--format"), std::string::npos);
}

} // namespace
} // namespace quorlix
