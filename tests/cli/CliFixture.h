#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace quorlix::test {

// What one run of quorlix-cli gave back.
struct CliRun
{
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A scratch folder of the test's own, and runs of the built quorlix-cli as a user would start it.
class CliFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() /
                ("quorlix-cli-" + std::to_string(::getpid()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::filesystem::path Dir() const { return m_dir; }

    // Runs quorlix-cli with the arguments (shell-quoted where needed), standard input from
    // stdinPath and standard output to stdoutPath (a file of the test's own when empty). A run
    // that does not end within two minutes is killed and shows as status 124, so a hang fails
    // the test rather than the whole run.
    CliRun Cli(const std::string& arguments, const std::string& stdinPath = "/dev/null",
               const std::string& stdoutPath = "") const
    {
        const std::string out = stdoutPath.empty() ? (m_dir / "out").string() : stdoutPath;
        const std::string command = "timeout -k 5 120 " + std::string(QUORLIX_CLI_PATH) + " " +
                                    arguments + " <" + stdinPath + " >" + out + " 2>" +
                                    (m_dir / "err").string();
        const int raw = std::system(command.c_str());
        CliRun run;
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = ReadFile(m_dir / "out");
        run.err = ReadFile(m_dir / "err");
        return run;
    }

    // The same with standard input given as text.
    CliRun CliWithInput(const std::string& arguments, const std::string& stdinText) const
    {
        const std::filesystem::path in = m_dir / "stdin";
        std::ofstream(in, std::ios::binary) << stdinText;
        return Cli(arguments, in.string());
    }

private:
    std::filesystem::path m_dir;
};

} // namespace quorlix::test
