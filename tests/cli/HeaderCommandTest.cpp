#include "cli/CliFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace quorlix::test {
namespace {

const std::string kData = std::string(QUORLIX_TEST_DATA_DIR) + "/";
const std::string kMouse = kData + "descriptors/arduino-mouse.txt";
const std::string kKeyboard = kData + "descriptors/hid-example-keyboard.txt";
const std::string kCrossing = kData + "header/crossing.c";

using HeaderCommand = CliFixture;

TEST_F(HeaderCommand, MouseHeaderMatchesTheGoldenFile)
{
    const std::string golden = ReadFile(kData + "cli/mouse-header.h");
    const CliRun run = Cli("header " + kMouse);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, golden);

    const std::filesystem::path out = Dir() / "mouse.h";
    const CliRun written = Cli("header -o " + out.string() + " " + kMouse);
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, "");
    EXPECT_EQ(ReadFile(out), golden);
}

TEST_F(HeaderCommand, NamesStartWithThePrefixGivenOrOneMadeFromTheInput)
{
    std::filesystem::copy_file(kMouse, Dir() / "2-button pad.txt");
    struct Case
    {
        std::string arguments;
        std::string stdinText;
        const char* array;
    };
    const Case cases[] = {
        { "--name Pad " + kMouse, "", "static const uint8_t Pad_report_descriptor[54]" },
        { "'" + (Dir() / "2-button pad.txt").string() + "'", "",
          "static const uint8_t hid_2_button_pad_report_descriptor[54]" },
        { "-", ReadFile(kMouse), "static const uint8_t hid_report_descriptor[54]" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const CliRun run = c.stdinText.empty() ? Cli("header " + c.arguments)
                                               : CliWithInput("header " + c.arguments, c.stdinText);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find(c.array), std::string::npos);
    }
    const CliRun pad = Cli("header --name Pad " + kMouse);
    EXPECT_NE(pad.out.find("#define PAD_INPUT_1_LENGTH 5\n"), std::string::npos);
    EXPECT_NE(pad.out.find("static inline int32_t Pad_input_1_x_get("), std::string::npos);
}

TEST_F(HeaderCommand, ABadPrefixOrInputIsAnErrorAndNoHeader)
{
    struct Case
    {
        std::string arguments;
        int status;
        std::string err;
    };
    const Case cases[] = {
        { "header --name 1pad " + kMouse, 2,
          "quorlix-cli: --name: 1pad is not a usable prefix: a letter, then letters, digits and "
          "single underscores, not ending in one (see quorlix-cli --help)\n" },
        { "header --name my__pad " + kMouse, 2,
          "quorlix-cli: --name: my__pad is not a usable prefix: a letter, then letters, digits "
          "and single underscores, not ending in one (see quorlix-cli --help)\n" },
        { "header", 2, "" },
        { "header " + (Dir() / "missing.txt").string(), 1, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const CliRun run = Cli(c.arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out, "");
        if (!c.err.empty()) {
            EXPECT_EQ(run.err, c.err);
        } else {
            EXPECT_NE(run.err, "");
        }
    }
}

TEST_F(HeaderCommand, AFailedWriteKeepsTheOldFile)
{
    // -o into a folder that does not exist fails; -o naming the input is refused before reading.
    const CliRun missing = Cli("header " + kMouse + " -o " + (Dir() / "no/such/mouse.h").string());
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot write file"), std::string::npos) << missing.err;

    const std::filesystem::path input = Dir() / "mouse.txt";
    std::filesystem::copy_file(kMouse, input);
    const CliRun itself = Cli("header " + input.string() + " -o " + input.string());
    EXPECT_EQ(itself.status, 1);
    EXPECT_EQ(ReadFile(input), ReadFile(kMouse));
}

// Compiles program against the header of descriptor (with prefix) under UndefinedBehaviorSanitizer,
// runs it and gives its standard output; a program that fails to build or exits with non-zero
// fails the test.
class HeaderRoundTrip : public CliFixture
{
protected:
    std::string BuildAndRun(const std::string& descriptor, const std::string& prefix,
                            const std::string& program)
    {
        const CliRun header = Cli("header --name " + prefix + " " + descriptor + " -o " +
                                  (Dir() / (prefix + ".h")).string());
        EXPECT_EQ(header.status, 0) << header.err;
        const std::string binary = (Dir() / prefix).string();
        const std::string compile = "gcc -std=c99 -Wall -Wextra -Werror -pedantic "
                                    "-fsanitize=undefined -fno-sanitize-recover=all -I" +
                                    Dir().string() + " " + program + " -o " + binary + " 2>" +
                                    (Dir() / "cc-err").string();
        EXPECT_EQ(std::system(compile.c_str()), 0) << ReadFile(Dir() / "cc-err");
        const std::string reports = (Dir() / (prefix + ".reports")).string();
        const int status =
            std::system((binary + " >" + reports + " 2>" + (Dir() / "run-err").string()).c_str());
        EXPECT_EQ(status, 0) << ReadFile(Dir() / "run-err");
        return reports;
    }

    void SetUp() override
    {
        CliFixture::SetUp();
        if (std::system("command -v gcc >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "gcc not found";
        }
    }
};

TEST_F(HeaderRoundTrip, SignedFieldsAcrossByteBoundariesBehindAReportId)
{
    const std::string reports =
        BuildAndRun(kCrossing, "crossing", kData + "header/crossing-roundtrip.c");
    // Worked out bit by bit: X = -2048 is 0x800 at bits 11-22, so byte 2 gets bit 6; Y = 2047
    // fills bits 23-33; Z = -1 is 111 at bits 35-37; Rz = INT32_MIN sets bit 69 alone; the
    // second report starts from all ones, so only the padding (bits 82-87) keeps them.
    EXPECT_EQ(ReadFile(reports), "02 05 C0 FF 3B 00 00 00 E0 FF 03\n"
                                 "02 FA 7F 6A DF 59 D1 48 40 69 FD\n");
    const CliRun run = Cli("decode " + kCrossing, reports);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "input report 2 (11 bytes)\n"
                       "  Button 1: raw 1, logical 1\n"
                       "  Button 2: raw 0, logical 0\n"
                       "  Button 3: raw 1, logical 1\n"
                       "  X: raw 2048, logical -2048\n"
                       "  Y: raw 2047, logical 2047\n"
                       "  Z: raw 7, logical -1\n"
                       "  Rz: raw 2147483648, logical -2147483648\n"
                       "  Slider: raw 4095, logical 4095\n"
                       "input report 2 (11 bytes)\n"
                       "  Button 1: raw 0, logical 0\n"
                       "  Button 2: raw 1, logical 1\n"
                       "  Button 3: raw 0, logical 0\n"
                       "  X: raw 4095, logical -1\n"
                       "  Y: raw 3796, logical -300\n"
                       "  Z: raw 3, logical 3\n"
                       "  Rz: raw 19088743, logical 19088743\n"
                       "  Slider: raw 1445, logical 1445\n");
}

TEST_F(HeaderRoundTrip, KeyboardModifierAndKeyArrayWithoutReportId)
{
    const std::string reports =
        BuildAndRun(kKeyboard, "keyboard", kData + "header/keyboard-roundtrip.c");
    EXPECT_EQ(ReadFile(reports), "02 00 04 05 00 00 00 00\n");
    const CliRun run = Cli("decode " + kKeyboard, reports);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("  Keyboard LeftShift: raw 1, logical 1\n"), std::string::npos);
    EXPECT_NE(run.out.find("  array: Keyboard A, Keyboard B\n"), std::string::npos);
}

} // namespace
} // namespace quorlix::test
