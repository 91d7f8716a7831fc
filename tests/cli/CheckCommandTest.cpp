#include "cli/CliFixture.h"
#include "support/FakeSysfs.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

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
