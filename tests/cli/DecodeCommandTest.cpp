#include "cli/CliFixture.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace quorlix::test {
namespace {

const std::string kDescriptors = std::string(QUORLIX_TEST_DATA_DIR) + "/descriptors/";
const std::string kMouse = kDescriptors + "arduino-mouse.txt";
const std::string kKeyboard = kDescriptors + "hid-example-keyboard.txt";
const std::string kGamePad = kDescriptors + "stadia-usb.txt";

using DecodeCommand = CliFixture;

TEST_F(DecodeCommand, ReportsAsArgumentsInText)
{
    const CliRun run = Cli("decode " + kMouse + " \"01 05 FB 02 FF\" 01fe0000ff");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "input report 1 (5 bytes)\n"
                       "  Button 1: raw 1, logical 1\n"
                       "  Button 2: raw 0, logical 0\n"
                       "  Button 3: raw 1, logical 1\n"
                       "  X: raw 251, logical -5\n"
                       "  Y: raw 2, logical 2\n"
                       "  Wheel: raw 255, logical -1\n"
                       "input report 1 (5 bytes)\n"
                       "  Button 1: raw 0, logical 0\n"
                       "  Button 2: raw 1, logical 1\n"
                       "  Button 3: raw 1, logical 1\n"
                       "  X: raw 0, logical 0\n"
                       "  Y: raw 0, logical 0\n"
                       "  Wheel: raw 255, logical -1\n");
}

TEST_F(DecodeCommand, BadReportsGetOneLineEachAndTheRestIsDecoded)
{
    const CliRun run = Cli("decode " + kMouse + " 07000000 \"01 00\" 010000000 0100000000");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "quorlix-cli: report 1: no input report with id 7\n"
                       "quorlix-cli: report 2: input report 1 takes 5 bytes, not 2\n"
                       "quorlix-cli: report 3: not a hex report: \"010000000\" has an odd number "
                       "of digits\n");
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "input report 1 (5 bytes)");
}

TEST_F(DecodeCommand, StandardInputTakesHexAndRecorderLines)
{
    const CliRun run =
        CliWithInput("decode --type input " + kKeyboard, "# keys\n"
                                                         "E: 0.000000 8 02 00 04 05 00 00 00 00\n"
                                                         "\n"
                                                         "0000000000000000\r\n"
                                                         "E: 0.100000 3 00 00 00\n"
                                                         "00 00 29");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "quorlix-cli: -: line 5: input report takes 8 bytes, not 3\n"
                       "quorlix-cli: -: line 6: input report takes 8 bytes, not 3\n");
    const std::string keys = "  array: Keyboard A, Keyboard B\n";
    const std::string none = "  array: none\n";
    EXPECT_NE(run.out.find(keys), std::string::npos);
    EXPECT_EQ(run.out.find(keys), run.out.rfind(keys));
    EXPECT_NE(run.out.find(none, run.out.find(keys)), std::string::npos);
    EXPECT_NE(run.out.find("  Keyboard LeftShift: raw 1, logical 1\n"), std::string::npos);
}

TEST_F(DecodeCommand, ARecordingDecodesItsOwnEvents)
{
    const std::string recording =
        std::string(QUORLIX_TEST_DATA_DIR) + "/reports/mouse-recording.hid";
    const CliRun run = Cli("decode " + recording);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "quorlix-cli: " + recording + ": line 8: input report takes 3 bytes, not 2\n");
    EXPECT_EQ(run.out, "input report (3 bytes)\n"
                       "  Button 1: raw 1, logical 1\n"
                       "  Button 2: raw 0, logical 0\n"
                       "  Button 3: raw 0, logical 0\n"
                       "  X: raw 0, logical 0\n"
                       "  Y: raw 0, logical 0\n"
                       "input report (3 bytes)\n"
                       "  Button 1: raw 0, logical 0\n"
                       "  Button 2: raw 0, logical 0\n"
                       "  Button 3: raw 0, logical 0\n"
                       "  X: raw 5, logical 5\n"
                       "  Y: raw 251, logical -5\n"
                       "input report (3 bytes)\n"
                       "  Button 1: raw 0, logical 0\n"
                       "  Button 2: raw 0, logical 0\n"
                       "  Button 3: raw 1, logical 1\n"
                       "  X: raw 255, logical -1\n"
                       "  Y: raw 1, logical 1\n");

    // JSON keeps each event's time; the same recording piped in beside a descriptor file reads
    // the same events from standard input.
    const nlohmann::json json = nlohmann::json::parse(Cli("decode --format json " + recording).out);
    EXPECT_DOUBLE_EQ(json.at("reports").at(1).at("time").get<double>(), 0.008012);
    const CliRun piped =
        Cli("decode " + std::string(QUORLIX_SOURCE_DIR) + "/examples/mouse.txt", recording);
    EXPECT_EQ(piped.out, run.out);
    EXPECT_EQ(piped.err, "quorlix-cli: -: line 8: input report takes 3 bytes, not 2\n");
}

// A recording longer than the readers take whole (hours of events) is read a line at a time:
// the same reports as the short one, however many events of another device lie between.
TEST_F(DecodeCommand, ARecordingPastTheTextBoundIsDecodedAsItIsRead)
{
    std::ifstream in(std::string(QUORLIX_TEST_DATA_DIR) + "/reports/mouse-recording.hid");
    const std::string mouse((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto write = [&](const std::string& name, std::size_t otherEvents, bool broken) {
        const std::string path = (Dir() / name).string();
        std::ofstream out(path);
        out << mouse
            << "D: 1\nR: 21 06 00 ff 09 01 a1 01 75 08 95 01 15 00 26 ff 00 09 02 81 02 c0\n";
        for (std::size_t k = 0; k < otherEvents; ++k) {
            out << "E: 0.500000 1 2a\n";
        }
        out << "D: 0\nE: 1.000000 3 02 00 00\n";
        if (broken) {
            out << "E: 1.000001 3 02 zz 00\n";
        }
        return path;
    };
    const std::string shortOne = write("short.hid", 10, false);
    const std::string longOne = write("long.hid", 17 * 1024 * 1024 / 17 + 1, true);
    const CliRun expected = Cli("decode --index 0 " + shortOne);
    const CliRun run = Cli("decode --index 0 " + longOne);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, expected.out);
    EXPECT_NE(expected.out.find("Button 2: raw 1"), std::string::npos) << expected.out;
    EXPECT_NE(run.err.find(longOne + ": line 8: input report takes 3 bytes, not 2\n"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("holds 2 descriptors; this is the one at index 0"), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find(longOne +
                           ": hid-recorder line 1048591: \"zz\" at 1048591:18 is not a hex byte\n"),
              std::string::npos)
        << run.err;
}

TEST_F(DecodeCommand, JsonGivesEveryReportWithItsFieldsOrError)
{
    const CliRun run = Cli("decode " + kGamePad +
                           " --format json \"03 02 01 00 80 7F 00 FF 10 20\" 0308010080 "
                           "03080100807F00FF1020");
    EXPECT_EQ(run.status, 1);
    const nlohmann::json json = nlohmann::json::parse(run.out);
    const nlohmann::json& reports = json.at("reports");
    ASSERT_EQ(reports.size(), 3u);

    const nlohmann::json& first = reports[0];
    EXPECT_EQ(first.at("type"), "input");
    EXPECT_EQ(first.at("reportId"), 3);
    EXPECT_EQ(first.at("length"), 10);
    EXPECT_TRUE(first.at("error").is_null());
    const nlohmann::json& hat = first.at("fields").at(0);
    EXPECT_EQ(hat, nlohmann::json::parse(R"({"kind": "variable", "usagePage": 1, "usage": 57,
        "usageName": "Hat Switch", "bitOffset": 8, "bitSize": 4, "raw": 2, "logical": 2,
        "physical": 90.0, "unit": "deg"})"));
    const nlohmann::json& x = first.at("fields").at(16);
    EXPECT_EQ(x.at("usageName"), "X");
    EXPECT_EQ(x.at("logical"), 128);
    EXPECT_FALSE(x.contains("physical"));
    EXPECT_FALSE(x.contains("unit"));

    EXPECT_EQ(reports[1].at("error"), "input report 3 takes 10 bytes, not 5");
    EXPECT_EQ(reports[1].at("fields").size(), 0u);

    const nlohmann::json& nullHat = reports[2].at("fields").at(0);
    EXPECT_TRUE(nullHat.at("logical").is_null());
    EXPECT_TRUE(nullHat.at("physical").is_null());
    EXPECT_EQ(nullHat.at("unit"), "deg");
}

TEST_F(DecodeCommand, KeyboardArrayInJson)
{
    const CliRun run = Cli("decode --format=json " + kKeyboard + " 0200040500000000 --type output");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "quorlix-cli: report 1: output report takes 1 byte, not 8\n");

    const CliRun keys = Cli("decode --format=json " + kKeyboard + " 0200040500000000");
    EXPECT_EQ(keys.status, 0);
    const nlohmann::json array =
        nlohmann::json::parse(keys.out).at("reports").at(0).at("fields").at(8);
    EXPECT_EQ(array, nlohmann::json::parse(R"({"kind": "array", "bitOffset": 16, "bitSize": 8,
        "count": 6, "active": [{"usagePage": 7, "usage": 4, "usageName": "Keyboard A"},
        {"usagePage": 7, "usage": 5, "usageName": "Keyboard B"}]})"));
}

TEST_F(DecodeCommand, UsageErrorsAndUnreadableDescriptors)
{
    EXPECT_EQ(Cli("decode " + kMouse + " --type both 01").status, 2);
    EXPECT_EQ(Cli("decode " + kMouse + " --format plain 01").status, 2);
    EXPECT_EQ(Cli("decode").status, 2);

    const CliRun missing = Cli("decode " + (Dir() / "missing.txt").string() + " 01");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("missing.txt: "), std::string::npos);

    // The descriptor on standard input leaves no room for the reports there.
    const CliRun piped = CliWithInput("decode -", "05 01 09 02 A1 01 C0");
    EXPECT_EQ(piped.status, 1);
    EXPECT_EQ(piped.err, "quorlix-cli: -: the descriptor came from standard input: give the "
                         "reports as arguments\n");
}

} // namespace
} // namespace quorlix::test
