#include "cli/FollowReports.h"

#include "cli/CliFixture.h"
#include "support/FakeSysfs.h"
#include "support/TestDescriptors.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

namespace quorlix {
namespace {

using test::HexBytes;

ReportModel MouseWithId()
{
    std::ifstream file(std::string(QUORLIX_TEST_DATA_DIR) + "/descriptors/arduino-mouse.txt");
    std::ostringstream text;
    text << file.rdbuf();
    return BuildReportModel(HexBytes(text.str()));
}

std::string ReadAll(std::FILE* file)
{
    std::rewind(file);
    std::string text;
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        text.append(buffer, count);
    }
    return text;
}

// A stand-in for a hidraw node: a SOCK_SEQPACKET socket pair keeps each report whole, as the
// node gives one report per read.
class FollowReports : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET, 0, m_sockets), 0);
        m_out = std::tmpfile();
        m_err = std::tmpfile();
        ASSERT_NE(m_out, nullptr);
        ASSERT_NE(m_err, nullptr);
    }
    void TearDown() override
    {
        ::close(m_sockets[0]);
        if (m_sockets[1] >= 0) {
            ::close(m_sockets[1]);
        }
        std::fclose(m_out);
        std::fclose(m_err);
    }

    void Send(const char* hex)
    {
        const std::vector<std::uint8_t> bytes = HexBytes(hex);
        ASSERT_EQ(::send(m_sockets[1], bytes.data(), bytes.size(), 0),
                  static_cast<ssize_t>(bytes.size()));
    }
    void CloseDevice()
    {
        ::close(m_sockets[1]);
        m_sockets[1] = -1;
    }

    int m_sockets[2] = { -1, -1 };
    std::FILE* m_out = nullptr;
    std::FILE* m_err = nullptr;
};

TEST_F(FollowReports, OneLinePerReportUntilTheDeviceGoes)
{
    Send("01 05 FB 02 FF");
    Send("07 00 00 00 00");
    Send("01 02 00 00 00");
    Send("01 02 00 00 00 00");
    CloseDevice();
    const ReportModel model = MouseWithId();
    bool failed = false;
    {
        DecodedReportWriter writer(m_out, m_err, false, true);
        EXPECT_TRUE(
            quorlix::FollowReports(m_sockets[0], model, ReportType::Input, "/dev/hidraw9", writer));
        EXPECT_TRUE(writer.Finish());
        failed = writer.AnyFailed();
    }
    EXPECT_TRUE(failed);
    EXPECT_EQ(ReadAll(m_out),
              "input report 1 (5 bytes): Button 1=1, Button 2=0, Button 3=1, X=-5, Y=2, Wheel=-1\n"
              "input report 1 (5 bytes): Button 1=0, Button 2=1, Button 3=0, X=0, Y=0, Wheel=0\n");
    EXPECT_EQ(ReadAll(m_err),
              "quorlix-cli: /dev/hidraw9: report 2: no input report with id 7\n"
              "quorlix-cli: /dev/hidraw9: report 4: input report 1 takes 5 bytes, not 6\n");
}

TEST_F(FollowReports, JsonIsOneObjectPerLine)
{
    Send("01 01 00 00 00");
    Send("01 00 00 00 00");
    CloseDevice();
    const ReportModel model = MouseWithId();
    DecodedReportWriter writer(m_out, m_err, true, true);
    EXPECT_TRUE(
        quorlix::FollowReports(m_sockets[0], model, ReportType::Input, "/dev/hidraw9", writer));
    EXPECT_TRUE(writer.Finish());
    std::istringstream lines(ReadAll(m_out));
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        const nlohmann::json report = nlohmann::json::parse(line);
        EXPECT_EQ(report.at("reportId"), 1);
        EXPECT_EQ(report.at("fields").at(0).at("logical"), count == 0 ? 1 : 0);
        ++count;
    }
    EXPECT_EQ(count, 2);
}

TEST_F(FollowReports, AnInterruptEndsTheWaitWithTheReportsSoFar)
{
    StopFollowingOnInterrupt();
    const pthread_t reader = ::pthread_self();
    std::thread device([&] {
        Send("01 04 00 00 00");
        // Long enough for the reader to take the report and wait for the next.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        ::pthread_kill(reader, SIGINT);
    });
    const ReportModel model = MouseWithId();
    DecodedReportWriter writer(m_out, m_err, false, true);
    EXPECT_TRUE(
        quorlix::FollowReports(m_sockets[0], model, ReportType::Input, "/dev/hidraw9", writer));
    device.join();
    EXPECT_TRUE(writer.Finish());
    EXPECT_EQ(ReadAll(m_out),
              "input report 1 (5 bytes): Button 1=0, Button 2=0, Button 3=1, X=0, Y=0, Wheel=0\n");
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}

TEST(FollowOpenErrorText, RefusedAccessSaysWhatIsNeeded)
{
    EXPECT_EQ(FollowOpenErrorText("/dev/hidraw3", EACCES),
              "cannot read reports: permission denied; following needs read access to "
              "/dev/hidraw3, e.g. a udev rule that gives your user or group read access to it");
    EXPECT_EQ(FollowOpenErrorText("/dev/hidraw3", ENOENT),
              "cannot read reports: No such file or directory");
}

class FollowDevice : public test::CliFixture
{
protected:
    void SetUp() override
    {
        CliFixture::SetUp();
        std::string reason;
        ASSERT_TRUE(test::BuildFakeSysfs(
            Dir() / "sys", test::StandardFakeHidDevices(),
            std::filesystem::path(QUORLIX_TEST_DATA_DIR) / "descriptors", reason))
            << reason;
        ::setenv("QUORLIX_SYSFS_ROOT", (Dir() / "sys").c_str(), 1);
    }
    void TearDown() override
    {
        ::unsetenv("QUORLIX_SYSFS_ROOT");
        CliFixture::TearDown();
    }
};

TEST_F(FollowDevice, SelectorsNameTheirHidrawNode)
{
    struct Case
    {
        const char* selector;
        const char* path;
    };
    const Case cases[] = {
        { "hidraw3", "/dev/hidraw3" },
        { "/dev/hidraw12", "/dev/hidraw12" },
        { "045E:0040", "/dev/hidraw0" },
        { "0005:05AC:0256.0004", "/dev/hidraw3" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selector);
        const auto node = HidrawNodeOf(c.selector);
        ASSERT_TRUE(node) << node.Error();
        EXPECT_EQ(*node, c.path);
    }
    const auto none = HidrawNodeOf("1234:5678");
    ASSERT_FALSE(none);
    EXPECT_FALSE(none.Error().empty());
}

TEST_F(FollowDevice, DecodeTakesTheDescriptorOfADevice)
{
    // hidraw0 is the Microsoft wheel mouse: buttons, X, Y, wheel, no report id.
    const test::CliRun run = Cli("decode --device hidraw0 \"01 FF 01 00\"");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "input report (4 bytes)\n"
                       "  Button 1: raw 1, logical 1\n"
                       "  Button 2: raw 0, logical 0\n"
                       "  Button 3: raw 0, logical 0\n"
                       "  X: raw 255, logical -1\n"
                       "  Y: raw 1, logical 1\n"
                       "  Wheel: raw 0, logical 0\n");

    // No such node on a machine without the device: the open fails with the reason.
    const test::CliRun follow = Cli("decode --device 045E:0040 --follow");
    EXPECT_EQ(follow.status, 1);
    EXPECT_EQ(follow.err, "quorlix-cli: /dev/hidraw0: cannot read reports: No such file or "
                          "directory\n");
}

} // namespace
} // namespace quorlix
