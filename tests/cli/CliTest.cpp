#include "cli/CliFixture.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;
using quorlix::test::CliRun;
using quorlix::test::ReadFile;
using CliTest = quorlix::test::CliFixture;

const std::string kMouse = std::string(QUORLIX_SOURCE_DIR) + "/examples/mouse.txt";

std::string Golden(const char* name)
{
    return ReadFile(fs::path(QUORLIX_TEST_DATA_DIR) / "cli" / name);
}

TEST_F(CliTest, MouseOutputsMatchTheirGoldenFilesByteForByte)
{
    struct Case
    {
        const char* arguments;
        const char* golden;
    };
    const Case cases[] = {
        { "analyse", "mouse-plain.txt" },
        { "analyse --format plain", "mouse-plain.txt" },
        { "analyse --format c", "mouse-c.txt" },
        { "layout", "mouse-layout.txt" },
        { "layout --summary", "mouse-summary.txt" },
        { "hexdump", "mouse-hexdump.txt" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const CliRun run = Cli(std::string(c.arguments) + " " + kMouse);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, Golden(c.golden));
        EXPECT_EQ(run.err, "");
    }
}

TEST_F(CliTest, StandardInputAndOutputFile)
{
    const CliRun piped = CliWithInput("analyse -", ReadFile(kMouse));
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.out, Golden("mouse-plain.txt"));

    const fs::path out = Dir() / "saved.txt";
    const CliRun written = Cli("analyse --format c -o " + out.string() + " " + kMouse);
    EXPECT_EQ(written.status, 0);
    EXPECT_EQ(written.out, "");
    EXPECT_EQ(ReadFile(out), Golden("mouse-c.txt"));
}

TEST_F(CliTest, JsonDocumentHoldsRowsTreeAndRecords)
{
    const CliRun run = Cli("analyse --format json " + kMouse);
    ASSERT_EQ(run.status, 0);
    const nlohmann::json document = nlohmann::json::parse(run.out);
    EXPECT_EQ(document["result"], 0);
    ASSERT_EQ(document["rows"].size(), 26u);
    EXPECT_EQ(document["rows"][0]["bytes"], "05 01");
    EXPECT_EQ(document["rows"][0]["name"], "GLOBAL_USAGE_PAGE(Generic Desktop Controls)");
    EXPECT_EQ(document["rows"][12]["description"], "Input 0.3");
    EXPECT_EQ(document["rows"][1]["data"], nlohmann::json({ 2, 0, 0, 0 }));

    const nlohmann::json& physical = document["tree"]["children"][0]["children"][0];
    EXPECT_EQ(physical["usage"], 0x00010001);
    const nlohmann::json& report = physical["reports"][0];
    EXPECT_EQ(report["bitSize"], 24);
    ASSERT_EQ(report["items"].size(), 6u);
    EXPECT_EQ(report["items"][4]["logicalMinimum"], 129);
    EXPECT_EQ(report["items"][4]["usageMinimum"], 0x00010030);

    EXPECT_EQ(document["collections"],
              nlohmann::json::parse(R"([{"usagePage":1,"usage":2,"collectionNumber":1,
                  "inputLength":4,"outputLength":1,"featureLength":1,"contextSize":327}])"));
    EXPECT_EQ(document["reportIds"],
              nlohmann::json::parse(R"([{"reportId":0,"collectionNumber":1,"inputLength":3,
                  "outputLength":0,"featureLength":0}])"));
    EXPECT_EQ(document["summaries"],
              nlohmann::json::parse(R"([{"reportId":0,"usagePage":1,"usage":2,
                  "outputLength":0,"inputLength":3,"featureLength":0}])"));
}

TEST_F(CliTest, DebugLinesGoToStandardErrorOnlyWhenAsked)
{
    const CliRun quiet = Cli("layout " + kMouse);
    EXPECT_EQ(quiet.err, "");
    const CliRun debug = Cli("layout --debug " + kMouse);
    EXPECT_EQ(debug.status, 0);
    EXPECT_EQ(debug.out, Golden("mouse-layout.txt"));
    const std::size_t page = debug.err.find("[HIDPARSE] ITEM_TAG_GLOBAL_USAGE_PAGE 1\n");
    const std::size_t dashes = debug.err.find("----------------------------\n");
    const std::size_t report = debug.err.find("ReportID=0 ReportSize=24 ReportType=1\n");
    EXPECT_NE(page, std::string::npos);
    EXPECT_LT(page, dashes);
    EXPECT_LT(dashes, report);
    EXPECT_NE(debug.err.find("\tUsageMaximum=00010031\r\n"), std::string::npos);
}

TEST_F(CliTest, FailuresGiveTheirExitStatusAndOneLine)
{
    const fs::path empty = Dir() / "words.txt";
    std::ofstream(empty) << "// only a comment here\n";
    struct Case
    {
        std::string arguments;
        int status;
        std::string errorStart;
    };
    const Case cases[] = {
        { "analyse " + (Dir() / "missing.txt").string(), 1,
          "quorlix-cli: " + (Dir() / "missing.txt").string() + ": " },
        { "hexdump " + empty.string(), 1, "quorlix-cli: " + empty.string() + ": " },
        { "analyse", 2, "" },
        { "analyse --format yaml " + kMouse, 2, "" },
        { "frobnicate", 2, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const CliRun run = Cli(c.arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind(c.errorStart, 0), 0u) << run.err;
        EXPECT_FALSE(run.err.empty());
    }
}

TEST_F(CliTest, VersionAndHelp)
{
    const CliRun version = Cli("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("quorlix-cli ") + QUORLIX_VERSION + "\n");
    const CliRun help = Cli("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("analyse"), std::string::npos);
}

} // namespace
