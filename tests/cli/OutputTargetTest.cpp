#include "cli/CliFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using quorlix::test::CliRun;
using quorlix::test::ReadFile;
using OutputTarget = quorlix::test::CliFixture;

const std::string kMouse = std::string(QUORLIX_SOURCE_DIR) + "/examples/mouse.txt";

std::string Golden(const char* name)
{
    return ReadFile(fs::path(QUORLIX_TEST_DATA_DIR) / "cli" / name);
}

TEST_F(OutputTarget, OutputNamingTheInputIsRefusedBeforeAnythingIsWritten)
{
    const fs::path input = Dir() / "mouse.txt";
    fs::copy_file(kMouse, input);
    const std::string descriptor = ReadFile(input);
    fs::create_hard_link(input, Dir() / "hard.txt");
    fs::create_symlink(input, Dir() / "soft.txt");
    fs::create_directory(Dir() / "sub");
    struct Case
    {
        const char* name;
        std::string arguments;
        std::string out;
        std::string stdinPath;
    };
    const std::string in = input.string();
    const Case cases[] = {
        { "the same path", "analyse " + in, in, "/dev/null" },
        { "another path", "analyse --format c " + in, (Dir() / "sub/../mouse.txt").string(),
          "/dev/null" },
        { "a hard link", "layout " + in, (Dir() / "hard.txt").string(), "/dev/null" },
        { "a symbolic link", "hexdump " + in, (Dir() / "soft.txt").string(), "/dev/null" },
        { "standard input read from it", "analyse -", in, in },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = Cli(c.arguments + " -o " + c.out, c.stdinPath);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "quorlix-cli: " + c.out +
                               ": -o names the input file, which the output would replace\n");
        EXPECT_EQ(ReadFile(input), descriptor);
        EXPECT_TRUE(fs::is_symlink(Dir() / "soft.txt"));
    }
}

// Runs quorlix-cli on a pseudo-terminal in raw mode (no line end translation) and gives all it
// wrote there; empty if it did not end within a minute.
std::string RunOnTerminal(const std::vector<std::string>& arguments)
{
    termios raw{};
    ::cfmakeraw(&raw);
    int master = -1;
    const pid_t child = ::forkpty(&master, nullptr, &raw, nullptr);
    if (child < 0) {
        ADD_FAILURE() << "forkpty failed";
        return {};
    }
    if (child == 0) {
        std::vector<char*> argv{ const_cast<char*>("quorlix-cli") };
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(QUORLIX_CLI_PATH, argv.data());
        ::_exit(127);
    }
    std::string text;
    char buffer[4096];
    pollfd ready{ master, POLLIN, 0 };
    while (::poll(&ready, 1, 60000) > 0) {
        const ssize_t got = ::read(master, buffer, sizeof buffer);
        if (got <= 0) {
            break; // EIO once the program has ended and closed its side
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(master);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return text;
}

// The header's hyphen line, 报告描述符 in GBK and in UTF-8.
const std::string kGbkRule = "-----\xB1\xA8\xB8\xE6\xC3\xE8\xCA\xF6\xB7\xFB--------------";
const std::string kUtf8Rule = "-----\xE6\x8A\xA5\xE5\x91\x8A\xE6\x8F\x8F\xE8\xBF\xB0\xE7\xAC\xA6"
                              "--------------";

std::string WithUtf8Rule(std::string text)
{
    const std::string::size_type at = text.find(kGbkRule);
    EXPECT_NE(at, std::string::npos);
    return at == std::string::npos ? text : text.replace(at, kGbkRule.size(), kUtf8Rule);
}

TEST_F(OutputTarget, TerminalGetsTheChineseTextsInUtf8AndFilesKeepGbk)
{
    for (const char* format : { "plain", "c" }) {
        SCOPED_TRACE(format);
        const std::string golden =
            Golden(format == std::string("c") ? "mouse-c.txt" : "mouse-plain.txt");
        EXPECT_EQ(RunOnTerminal({ "analyse", "--format", format, kMouse }), WithUtf8Rule(golden));
        // A file and a pipe get the designed bytes, also when run from a terminal.
        const CliRun file = Cli(std::string("analyse --format ") + format + " " + kMouse);
        EXPECT_EQ(file.out, golden);
    }
    // A vendor-defined collection kind is named (自定义): 自定义 in UTF-8 there, GBK in files.
    const fs::path vendor = Dir() / "vendor.txt";
    std::ofstream(vendor) << "A1 80 C0\n";
    const std::string onTerminal = RunOnTerminal({ "analyse", vendor.string() });
    EXPECT_NE(onTerminal.find("MAIN_COLLECTION(\xE8\x87\xAA\xE5\xAE\x9A\xE4\xB9\x89)\t\r\n"),
              std::string::npos);
    EXPECT_NE(
        Cli("analyse " + vendor.string()).out.find("MAIN_COLLECTION(\xD7\xD4\xB6\xA8\xD2\xE5)"),
        std::string::npos);
}

} // namespace
