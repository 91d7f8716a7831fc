#include "cli/CliFixture.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using quorlix::test::CliRun;
using quorlix::test::ReadFile;
using UsageNamesCliTest = quorlix::test::CliFixture;

const std::string kMouse = std::string(QUORLIX_SOURCE_DIR) + "/examples/mouse.txt";
// A UPS on the Power and Battery System pages, with four-byte usages: every Usage row reads
// LOCAL_USAGE() with the classic names.
const std::string kUps = std::string(QUORLIX_TEST_DATA_DIR) + "/descriptors/hid-example-ups.txt";

std::string Golden(const char* name)
{
    return ReadFile(fs::path(QUORLIX_TEST_DATA_DIR) / "cli" / name);
}

TEST_F(UsageNamesCliTest, ClassicNamesAreTheDefaultAndFullKeepsEveryClassicName)
{
    struct Case
    {
        const char* arguments;
        const char* golden;
    };
    // The mouse's pages and usages all have classic names, so full names change nothing.
    const Case cases[] = {
        { "analyse --usage-names classic", "mouse-plain.txt" },
        { "analyse --usage-names full", "mouse-plain.txt" },
        { "analyse --format c --usage-names full", "mouse-c.txt" },
        { "layout --usage-names classic", "mouse-layout.txt" },
        { "layout --summary --usage-names classic", "mouse-summary.txt" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const CliRun run = Cli(std::string(c.arguments) + " " + kMouse);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, Golden(c.golden));
        EXPECT_EQ(run.err, "");
    }
}

TEST_F(UsageNamesCliTest, FullNamesOnARealUpsMatchTheirGoldenFiles)
{
    const CliRun plain = Cli("analyse --usage-names full " + kUps);
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.out, Golden("ups-plain-full-names.txt"));
    // A few lines worked out by hand from the bytes and the usage tables.
    for (const char* line : {
             "05 84               \t\t//0   \tGLOBAL_USAGE_PAGE(Power)\t\r\n",
             "09 04               \t\t//2   \tLOCAL_USAGE(UPS)\t\r\n",
             "09 1F               \t\t//12  \tLOCAL_USAGE(Flow Id)\t\r\n",
             "0B 61 00 84 00      \t\t//492 \tLOCAL_USAGE(Good)\t\r\n",
         }) {
        EXPECT_NE(plain.out.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(plain.out.find("LOCAL_USAGE()"), std::string::npos);
    EXPECT_EQ(plain.out.find("Reserved or Other"), std::string::npos);

    const CliRun layout = Cli("layout --usage-names full " + kUps);
    EXPECT_EQ(layout.status, 0);
    EXPECT_EQ(layout.out, Golden("ups-layout-full-names.txt"));
    EXPECT_EQ(layout.out.rfind("----Col_1---USAGE_PAGE:132(Power)----USAGE:4(UPS)-----\r\n"
                               "\tReportID=1(1)\r\n",
                               0),
              0u);
    EXPECT_NE(layout.out.find("\tUsageMinimum=0084001f(Flow Id)\r\n"
                              "\tUsageMaximum=0084001f(Flow Id)\r\n"),
              std::string::npos);

    const CliRun summary = Cli("layout --summary --usage-names full " + kUps);
    EXPECT_EQ(summary.status, 0);
    EXPECT_EQ(summary.out, Golden("ups-summary-full-names.txt"));
}

TEST_F(UsageNamesCliTest, JsonNamesEveryUsageRowAndFieldByTheFullTables)
{
    const CliRun run = Cli("analyse --format json " + kMouse);
    ASSERT_EQ(run.status, 0);
    const nlohmann::json document = nlohmann::json::parse(run.out);
    const nlohmann::json& rows = document["rows"];
    // The row's own name keeps the classic text; the new keys are the full tables'.
    EXPECT_EQ(rows[0]["name"], "GLOBAL_USAGE_PAGE(Generic Desktop Controls)");
    EXPECT_EQ(rows[0]["usagePage"], 1);
    EXPECT_EQ(rows[0]["pageName"], "Generic Desktop");
    EXPECT_FALSE(rows[0].contains("usageName"));
    EXPECT_EQ(rows[1]["usageName"], "Mouse");
    EXPECT_EQ(rows[6]["name"], "LOCAL_USAGE_MINIMUM(1)");
    EXPECT_EQ(rows[6]["usagePage"], 9);
    EXPECT_EQ(rows[6]["usageName"], "Button 1");
    EXPECT_EQ(rows[6]["pageName"], "Button");
    EXPECT_EQ(rows[7]["usageName"], "Button 3");
    EXPECT_FALSE(rows[2].contains("usagePage")); // a Collection names no usage
    EXPECT_EQ(rows[2].size(), 6u);

    const nlohmann::json& items =
        document["tree"]["children"][0]["children"][0]["reports"][0]["items"];
    EXPECT_EQ(items[3]["usageMinimum"], 0x00090000);
    EXPECT_EQ(items[3]["usageName"], "Reserved usage 0x0000"); // the padding field
    EXPECT_EQ(items[4]["usagePage"], 1);
    EXPECT_EQ(items[4]["usageName"], "X");
    EXPECT_EQ(items[4]["pageName"], "Generic Desktop");

    // Vendor, reserved and modified sensor usages, and the row names with full names.
    const CliRun odd = CliWithInput("analyse --format json --usage-names full -",
                                    "06 00 FF 09 01 A1 01 05 10 09 42 05 20 0A 53 24 C0");
    ASSERT_EQ(odd.status, 0);
    const nlohmann::json oddRows = nlohmann::json::parse(odd.out)["rows"];
    EXPECT_EQ(oddRows[0]["name"], "GLOBAL_USAGE_PAGE(Vendor-defined page 0xFF00)");
    EXPECT_EQ(oddRows[0]["pageName"], "Vendor-defined page 0xFF00");
    EXPECT_EQ(oddRows[1]["usageName"], "Vendor usage 0x0001");
    EXPECT_EQ(oddRows[3]["pageName"], "Reserved page 0x0010");
    EXPECT_EQ(oddRows[4]["name"], "LOCAL_USAGE(Reserved usage 0x0042)");
    EXPECT_EQ(oddRows[6]["usagePage"], 0x20);
    EXPECT_EQ(oddRows[6]["usageName"], "Data Field: Acceleration Axis X (Maximum)");
}

TEST_F(UsageNamesCliTest, UnknownChoiceIsAUsageError)
{
    const CliRun run = Cli("analyse --usage-names fancy " + kMouse);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("quorlix-cli: ", 0), 0u) << run.err;
    EXPECT_EQ(Cli("hexdump --usage-names full " + kMouse).status, 2);
}

} // namespace
