#include "cli/CliFixture.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using quorlix::test::CliRun;
using quorlix::test::ReadFile;
using FormsCliTest = quorlix::test::CliFixture;

const std::string kForms = std::string(QUORLIX_TEST_DATA_DIR) + "/forms/";
const std::string kDescriptors = std::string(QUORLIX_TEST_DATA_DIR) + "/descriptors/";

TEST_F(FormsCliTest, EveryCommandReadsTheFormAndVerboseSaysWhich)
{
    const std::string plain = kDescriptors + "dualshock4-usb.txt";
    const std::string source = kForms + "dualshock4-usb.c.txt";
    for (const char* command : { "analyse", "layout", "hexdump" }) {
        SCOPED_TRACE(command);
        const CliRun expected = Cli(std::string(command) + " " + plain);
        ASSERT_EQ(expected.status, 0);
        const CliRun run = Cli(std::string(command) + " -v " + source);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, expected.out);
        EXPECT_EQ(run.err, "quorlix-cli: " + source + ": read as c-source, 507 bytes\n");
        // Asked for hex text, the declaration and comments are data again, and it says so.
        const CliRun forced = Cli(std::string(command) + " --input hex-text " + source);
        EXPECT_EQ(forced.status, 0);
        EXPECT_NE(forced.out, expected.out);
        EXPECT_NE(forced.err.find(source + ":1:"), std::string::npos) << forced.err;
    }
}

TEST_F(FormsCliTest, WarningsGoToStandardErrorAndLeaveTheOutputAlone)
{
    const fs::path file = Dir() / "usage.txt";
    std::ofstream(file) << "05 01 // fine\nUsage 09 02\n0x5, 0x1\n";
    const CliRun run = Cli("hexdump --input hex-text " + file.string());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "total = 8\r\n0x05,//0\r\n0x01,//1\r\n0xA0,//2\r\n0xE0,//3\r\n"
                       "0x09,//4\r\n0x02,//5\r\n0x50,//6\r\n0x10,//7\r\n");
    EXPECT_EQ(run.err,
              "quorlix-cli: " + file.string() +
                  ":2:3: warning: the letters of \"Usage\" were taken as hex digits, 2 places in "
                  "all\n"
                  "quorlix-cli: " +
                  file.string() +
                  ":3:3: warning: a lone digit took the character after it as its low digit "
                  "(\"5,\"), 2 places in all\n");
}

TEST_F(FormsCliTest, JsonSaysHowTheInputWasRead)
{
    const CliRun run =
        Cli("analyse --format json --index 1 " + kForms + "two-devices.hid-recorder.txt");
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json document = nlohmann::json::parse(run.out);
    EXPECT_EQ(document["input"], nlohmann::json::parse(R"({"form": "hid-recorder", "length": 63,
        "descriptors": 2, "index": 1, "warnings": [], "candidates": [
          {"index": 0, "name": "", "line": 31, "length": 54, "reportDescriptor": true,
           "label": "device 0"},
          {"index": 1, "name": "", "line": 69, "length": 63, "reportDescriptor": true,
           "label": "device 1"}]})"));
    EXPECT_EQ(run.err, "quorlix-cli: " + kForms +
                           "two-devices.hid-recorder.txt: holds 2 descriptors; this is the one at "
                           "index 1 (--index 0 to 1 picks one)\n");

    const fs::path file = Dir() / "static.txt";
    std::ofstream(file) << "static 05 01\n";
    const CliRun warned = Cli("analyse --format json --input hex-text " + file.string());
    ASSERT_EQ(warned.status, 0);
    EXPECT_EQ(nlohmann::json::parse(warned.out)["input"]["warnings"],
              nlohmann::json::parse(R"([{"line": 1, "column": 3, "message":
                  "the letters of \"static\" were taken as hex digits, 2 places in all"}])"));

    // decode and diff say it too; diff for each of its two files.
    const fs::path mouse = Dir() / "mouse.c";
    std::ofstream(mouse) << "uint8_t d[] = { 0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x75, 0x08, "
                            "0x95, 0x01, 0x81, 0x02, 0xC0 };\n";
    const CliRun decoded = Cli("decode --format json " + mouse.string() + " 05");
    ASSERT_EQ(decoded.status, 0) << decoded.err;
    const nlohmann::json decodedInput = nlohmann::json::parse(decoded.out)["input"];
    EXPECT_EQ(decodedInput["form"], "c-source");
    EXPECT_EQ(decodedInput["length"], 13);
    const CliRun compared =
        Cli("diff --format json " + mouse.string() + " --input hex-text " + file.string());
    const nlohmann::json inputs = nlohmann::json::parse(compared.out)["input"];
    EXPECT_EQ(inputs["old"]["form"], "hex-text");
    EXPECT_EQ(inputs["new"]["warnings"].size(), 1u);
}

TEST_F(FormsCliTest, SeveralArraysAreChosenByNameOrRefusedWithTheirList)
{
    const fs::path file = Dir() / "two.c";
    std::ofstream(file) << "const uint8_t mouse[] = { 0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0xC0 };\n"
                           "const uint8_t pad[] = { 0x05, 0x01, 0x09, 0x05, 0xA1, 0x01, 0xC0 };\n";
    for (const char* command : { "analyse", "layout", "hexdump", "check", "header" }) {
        SCOPED_TRACE(command);
        const CliRun refused = Cli(std::string(command) + " " + file.string());
        EXPECT_EQ(refused.status, 1);
        EXPECT_EQ(refused.out, "");
        EXPECT_EQ(refused.err, "quorlix-cli: " + file.string() +
                                   ": the file holds 2 descriptors, 2 of them parse as a report "
                                   "descriptor; choose one with --index N or --name NAME\n"
                                   "  0  mouse  line 1  7 bytes  report descriptor\n"
                                   "  1  pad  line 2  7 bytes  report descriptor\n");
    }
    // header's --name is its prefix, so there the array goes by --array.
    const CliRun named = Cli("hexdump --name pad " + file.string());
    ASSERT_EQ(named.status, 0) << named.err;
    EXPECT_NE(named.out.find("0x05,//3"), std::string::npos);
    EXPECT_EQ(Cli("header --array pad --name pad " + file.string()).status, 0);
    EXPECT_EQ(Cli("hexdump --index 1 " + file.string()).out, named.out);
    const CliRun json = Cli("check --format json --array mouse " + file.string());
    ASSERT_EQ(json.status, 0) << json.err;
    const nlohmann::json input = nlohmann::json::parse(json.out)["input"];
    EXPECT_EQ(input["form"], "c-source");
    EXPECT_EQ(input["index"], 0);
    EXPECT_EQ(input["candidates"][1]["name"], "pad");
}

TEST_F(FormsCliTest, StrictMakesAnyReaderWarningFatalInEveryCommand)
{
    const fs::path file = Dir() / "usage.txt";
    std::ofstream(file) << "Usage 05 01 09 02 A1 01 C0\n";
    const std::string warning = "quorlix-cli: " + file.string() +
                                ":1:3: warning: the letters of \"Usage\" were taken as hex "
                                "digits, 2 places in all\n";
    for (const char* command : { "analyse", "analyse --format json", "layout", "hexdump", "check",
                                 "check --format json", "header", "decode" }) {
        SCOPED_TRACE(command);
        const std::string reports = std::string(command) == "decode" ? " 00" : "";
        if (reports.empty()) {
            EXPECT_EQ(Cli(std::string(command) + " --input hex-text " + file.string()).status,
                      std::string(command).starts_with("check") ? 3 : 0);
        }
        const CliRun strict =
            Cli(std::string(command) + " --input hex-text --strict " + file.string() + reports);
        EXPECT_EQ(strict.status, 1);
        EXPECT_EQ(strict.out, "");
        EXPECT_EQ(strict.err, warning + "quorlix-cli: " + file.string() +
                                  ": --strict: the reader warned, so nothing is analysed\n");
    }
    // Under auto the same text is refused: a word read as digits makes other bytes.
    const CliRun refused = Cli("hexdump " + file.string());
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, "quorlix-cli: " + file.string() +
                               ": no form of descriptor fits this text, and read as plain hex "
                               "text the letters of \"Usage\" were taken as hex digits, 2 "
                               "places in all (first at 1:3); give the descriptor's bytes alone, "
                               "or --input hex-text to read it so anyway\n");
    const fs::path clean = Dir() / "clean.txt";
    std::ofstream(clean) << "05 01 09 02 A1 01 C0\n";
    EXPECT_EQ(Cli("hexdump --strict " + clean.string()).status, 0);
}

TEST_F(FormsCliTest, UnreadableFormIsOneLineAndExitOne)
{
    struct Case
    {
        const char* name;
        const char* text;
        const char* options;
        const char* reason;
    };
    const Case cases[] = {
        { "recorded count", "R: 3 05 01\n", "",
          "hid-recorder line 1: R: says 3 bytes, the line holds 2" },
        { "empty binary", "", "--input binary", "empty binary file" },
        { "macro", "uint8_t d[] = {\n  0x05, 0x01,\n  HID_USAGE(1),\n};\n", "",
          "HID_USAGE(...) at 3:3 is a macro; its bytes are unknown" },
        { "index beyond", "05 01\n", "--index 1",
          "no descriptor at index 1: the file holds 1 descriptor (--index 0 to 0)" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = Dir() / "input.txt";
        std::ofstream(file) << c.text;
        for (const char* command : { "analyse", "layout", "hexdump" }) {
            const CliRun run = Cli(std::string(command) + " " + c.options + " " + file.string());
            EXPECT_EQ(run.status, 1);
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(run.err, "quorlix-cli: " + file.string() + ": " + c.reason + "\n");
        }
    }
    const CliRun misused = Cli("analyse --input hex " + (Dir() / "input.txt").string());
    EXPECT_EQ(misused.status, 2);
}

} // namespace
