#include "cli/CliFixture.h"
#include "support/FakeSysfs.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using quorlix::test::CliRun;
using CheckCommand = quorlix::test::CliFixture;

// An application collection whose one field has Logical Maximum 0xFF in one byte (at 8).
constexpr const char* kSignSlip = "05 01 09 02 A1 01\n15 00 25 FF\n75 08 95 01 81 02\nC0\n";
// The same with a Push at 8 that is never popped.
constexpr const char* kPushLeft = "05 01 09 02 A1 01\nA4 15 00 25 FF\n75 08 95 01 81 02\nC0\n";

class CheckCommandFiles : public CheckCommand
{
protected:
    std::string Write(const char* name, const char* text) const
    {
        const fs::path path = Dir() / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
};

TEST_F(CheckCommandFiles, TextLinesNameLineAndColumnAndEndWithTheCounts)
{
    const std::string file = Write("d.txt", kSignSlip);
    const CliRun run = Cli("check " + file);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              file +
                  ":2:7: warning: Logical Maximum 0xFF in one byte reads as -1 by the HID "
                  "rules, not 255 (Linux reads a Logical Maximum unsigned when the Logical Minimum "
                  "is not negative and takes 255; Windows reads it signed and takes -1); write 26 "
                  "FF 00 for 255 [logical-sign]\n"
                  "0 errors, 1 warning, 0 notes\n");
}

TEST_F(CheckCommandFiles, BinaryInputNamesTheByte)
{
    const fs::path path = Dir() / "d.bin";
    const unsigned char bytes[] = { 0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x15, 0x00, 0x25,
                                    0xFF, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0xC0 };
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes), sizeof bytes);
    const CliRun run = Cli("check --input binary " + path.string());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, path.string().size() + 18), path.string() + ": byte 8: warning:");
    const CliRun json = Cli("check --input binary --format json " + path.string());
    const nlohmann::json document = nlohmann::json::parse(json.out);
    EXPECT_EQ(document["diagnostics"][0]["offset"], 8);
    EXPECT_TRUE(document["diagnostics"][0]["line"].is_null());
    EXPECT_TRUE(document["diagnostics"][0]["column"].is_null());
}

TEST_F(CheckCommandFiles, ExitStatusFollowsErrorsWerrorAndDisable)
{
    const std::string warningOnly = Write("w.txt", kSignSlip);
    const std::string withError = Write("e.txt", kPushLeft);
    struct Case
    {
        std::string arguments;
        int status;
        const char* lastLine;
    };
    const Case cases[] = {
        { "check " + warningOnly, 0, "0 errors, 1 warning, 0 notes" },
        { "check --werror " + warningOnly, 3, "0 errors, 1 warning, 0 notes" },
        { "check " + withError, 3, "1 error, 1 warning, 0 notes" },
        { "check --disable push-pop " + withError, 0, "0 errors, 1 warning, 0 notes" },
        { "check --disable=push-pop,logical-sign --werror " + withError, 0,
          "0 errors, 0 warnings, 0 notes" },
        { "check --disable push-pop --disable logical-sign --werror " + withError, 0,
          "0 errors, 0 warnings, 0 notes" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const CliRun run = Cli(c.arguments);
        EXPECT_EQ(run.status, c.status);
        ASSERT_GE(run.out.size(), 2u);
        const std::string body = run.out.substr(0, run.out.size() - 1);
        EXPECT_EQ(body.substr(body.rfind('\n') + 1), c.lastLine);
    }
}

TEST_F(CheckCommandFiles, JsonListsEveryFieldOfEveryFinding)
{
    const CliRun run = Cli("check --format json " + Write("e.txt", kPushLeft));
    EXPECT_EQ(run.status, 3);
    const nlohmann::json document = nlohmann::json::parse(run.out);
    EXPECT_EQ(document["errors"], 1);
    EXPECT_EQ(document["warnings"], 1);
    EXPECT_EQ(document["notes"], 0);
    ASSERT_EQ(document["diagnostics"].size(), 2u);
    const nlohmann::json& push = document["diagnostics"][0];
    EXPECT_EQ(push["severity"], "error");
    EXPECT_EQ(push["check"], "push-pop");
    EXPECT_EQ(push["offset"], 6);
    EXPECT_EQ(push["length"], 1);
    EXPECT_EQ(push["line"], 2);
    EXPECT_EQ(push["column"], 1);
    EXPECT_EQ(push["message"], "Push is never popped");
    EXPECT_EQ(push["fix"],
              "add a Pop (B4) after the items that need the saved globals, or remove the Push");
    EXPECT_EQ(document["diagnostics"][1]["check"], "logical-sign");
}

TEST_F(CheckCommandFiles, StandardInputIsNamedLikeACompilerNamesIt)
{
    const CliRun run = CliWithInput("check -", "\n  C0");
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.out.substr(0, 23), "<stdin>:2:3: error: End");
}

// Text the reader took as data is worth one warning on standard error, whatever check writes.
TEST_F(CheckCommandFiles, ReaderWarningIsWrittenOnce)
{
    const std::string file = Write("worded.txt", "05 01 Usage 09 02\nA1 01 C0\n");
    const std::string warning = "quorlix-cli: " + file +
                                ":1:9: warning: the letters of \"Usage\" were taken as hex "
                                "digits, 2 places in all\n";
    for (const char* options : { "", "--format json ", "--werror ", "-v " }) {
        SCOPED_TRACE(options);
        const CliRun run = Cli("check --input hex-text " + std::string(options) + file);
        EXPECT_EQ(run.err.substr(0, warning.size()), warning);
        EXPECT_EQ(run.err.find(warning, 1), std::string::npos) << run.err;
    }
    const CliRun piped = CliWithInput("check --input hex-text -", "05 01 Usage 09 02\nA1 01 C0\n");
    EXPECT_EQ(piped.err, "quorlix-cli: -:1:9: warning: the letters of \"Usage\" were taken as hex "
                         "digits, 2 places in all\n");
}

TEST_F(CheckCommandFiles, UnreadableInputAndMisuse)
{
    const CliRun missing = Cli("check " + (Dir() / "nosuch.txt").string());
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("nosuch.txt: cannot open file"), std::string::npos);

    const CliRun empty = Cli("check " + Write("empty.txt", "// no bytes here\n"));
    EXPECT_EQ(empty.status, 1);

    const std::string file = Write("d.txt", kSignSlip);
    for (const std::string& arguments : { "check --disable no-such-check " + file,
                                          "check --format xml " + file, std::string("check") }) {
        SCOPED_TRACE(arguments);
        const CliRun run = Cli(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("quorlix-cli: "), std::string::npos);
    }
}

TEST_F(CheckCommandFiles, ADeviceIsCheckedByItsSelectorAndByteOffsets)
{
    const fs::path root = Dir() / "sys";
    std::string reason;
    ASSERT_TRUE(quorlix::test::BuildFakeSysfs(root, quorlix::test::StandardFakeHidDevices(),
                                              fs::path(QUORLIX_TEST_DATA_DIR) / "descriptors",
                                              reason))
        << reason;
    ::setenv("QUORLIX_SYSFS_ROOT", root.c_str(), 1);
    // hidraw0 is the wheel mouse, whose only finding is a Report Count set again at byte 67.
    const CliRun run = Cli("check --device hidraw0");
    ::unsetenv("QUORLIX_SYSFS_ROOT");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.substr(0, 25), "hidraw0: byte 67: note: R");
    EXPECT_EQ(run.out.substr(run.out.size() - 29), "0 errors, 0 warnings, 1 note\n");
}

} // namespace

// A boot mouse's interface as lsusb -v shows it, with three faults the host rules see: the
// interface says keyboard (protocol 1), wDescriptorLength says 18 for 17 bytes, and the 3-byte
// report does not fit the 2-byte packet. Its report is not the boot layout either.
constexpr const char* kLsusbMouse = R"(Bus 001 Device 004: ID 1234:5678 Example Mouse
Negotiated speed: Low Speed (1Mbps)
Device Descriptor:
  Configuration Descriptor:
    Interface Descriptor:
      bInterfaceNumber        0
      bInterfaceClass         3 Human Interface Device
      bInterfaceSubClass      1 Boot Interface Subclass
      bInterfaceProtocol      1 Keyboard
        HID Device Descriptor:
          bDescriptorType        34 Report
          wDescriptorLength      18
          Report Descriptor: (length is 17)
            Item(Global): Usage Page, data= [ 0x01 ] 1
            Item(Local ): Usage, data= [ 0x02 ] 2
            Item(Main  ): Collection, data= [ 0x01 ] 1
            Item(Global): Logical Minimum, data= [ 0x81 ] 129
            Item(Global): Logical Maximum, data= [ 0x7f ] 127
            Item(Global): Report Size, data= [ 0x08 ] 8
            Item(Global): Report Count, data= [ 0x03 ] 3
            Item(Main  ): Input, data= [ 0x06 ] 6
            Item(Main  ): End Collection, data=none
      Endpoint Descriptor:
        bEndpointAddress     0x81  EP 1 IN
        bmAttributes            3
          Transfer Type            Interrupt
        wMaxPacketSize     0x0002  1x 2 bytes
        bInterval              10
)";

TEST_F(CheckCommandFiles, HostFindingsNameProfileRuleEvidenceAndSource)
{
    const std::string file = Write("d.txt", kSignSlip);
    const CliRun run = Cli("check --host macos " + file);
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              file +
                  ":2:7: warning: Logical Maximum 0xFF in one byte reads as -1 by the HID "
                  "rules, not 255 (Linux reads a Logical Maximum unsigned when the Logical Minimum "
                  "is not negative and takes 255; Windows reads it signed and takes -1); write 26 "
                  "FF 00 for 255 [logical-sign]\n" +
                  file +
                  ":2:7: error: Logical Maximum 0xFF reads as -1 signed, below the Logical "
                  "Minimum 0: macOS reads both limits signed, so a maximum of 25 FF (-1) breaks "
                  "input where Windows and Linux tolerate it; write 26 FF 00 for 255 [macos "
                  "MAC-01 (ALL-05), evidence B; source: esrille new-keyboard issue 4]\n" +
                  file +
                  ": not checked: ALL-07 (wDescriptorLength equals the descriptor's length): "
                  "needs wDescriptorLength, from lsusb -v input\n"
                  "1 error, 1 warning, 0 notes\n");

    const CliRun json = Cli("check --format json --host windows " + file);
    const nlohmann::json document = nlohmann::json::parse(json.out);
    const nlohmann::json& host = document["diagnostics"][1];
    EXPECT_EQ(host["severity"], "warning");
    EXPECT_EQ(host["check"], "host-rule");
    EXPECT_EQ(host["profile"], "windows");
    EXPECT_EQ(host["rule"], "WIN-06");
    EXPECT_EQ(host["sharedRule"], "ALL-05");
    EXPECT_EQ(host["source"], "Microsoft, reading usage values");
    EXPECT_EQ(host["evidence"], "A");
    EXPECT_EQ(document["hosts"], nlohmann::json::array({ "windows" }));
    EXPECT_EQ(document["notChecked"][0]["rule"], "ALL-07");
    // Without --host the JSON is as it was: no host fields.
    const nlohmann::json plain = nlohmann::json::parse(Cli("check --format json " + file).out);
    EXPECT_FALSE(plain.contains("hosts"));
    EXPECT_FALSE(plain["diagnostics"][0].contains("profile"));
}

TEST_F(CheckCommandFiles, LsusbInputGivesTheInterfaceAndPacketSize)
{
    const std::string file = Write("mouse-lsusb.txt", kLsusbMouse);
    const CliRun run = Cli("check --format json --host usb-boot-mouse,linux " + file);
    EXPECT_EQ(run.status, 3);
    const nlohmann::json document = nlohmann::json::parse(run.out);
    std::vector<std::string> rules;
    for (const nlohmann::json& finding : document["diagnostics"]) {
        if (finding.contains("rule")) {
            rules.push_back(finding["rule"]);
        }
    }
    EXPECT_EQ(rules, (std::vector<std::string>{ "BM-01", "ALL-07", "BM-02", "SZ-02" }));
    EXPECT_TRUE(document["notChecked"].empty());
    // --packet-size overrides the endpoint's.
    const nlohmann::json wide =
        nlohmann::json::parse(Cli("check --format json --packet-size 8 --host linux " + file).out);
    for (const nlohmann::json& finding : wide["diagnostics"]) {
        EXPECT_NE(finding.value("rule", ""), "SZ-02");
    }
}

TEST_F(CheckCommandFiles, HostListAndUnknownHosts)
{
    const CliRun list = Cli("check --host list");
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 12);
    EXPECT_EQ(list.out.rfind("usb-boot-keyboard ", 0), 0u);
    EXPECT_NE(list.out.find("windows-pen "), std::string::npos);
    EXPECT_NE(list.out.find("and those of windows"), std::string::npos);

    const std::string file = Write("d.txt", kSignSlip);
    const CliRun unknown = Cli("check --host windows,amiga " + file);
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.out, "");
    EXPECT_NE(unknown.err.find("--host: no host profile is named amiga"), std::string::npos);
    EXPECT_EQ(Cli("check --packet-size 0 " + file).status, 2);
}
