#include "capture/CaptureFixtures.h"
#include "cli/CliFixture.h"
#include "support/FakeSysfs.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <string>

namespace quorlix::test {
namespace {

const std::string kData = std::string(QUORLIX_TEST_DATA_DIR) + "/";
const std::string kFrtec = kData + "descriptors/frtec-raptor-mach2-original.txt";
const std::string kFrtecFixed = kData + "fixups/frtec-raptor-mach2-fixed.txt";
const std::string kKye = kData + "descriptors/kye-easypen-i405x-original.txt";
const std::string kKyeFixed = kData + "fixups/kye-easypen-i405x-fixed.txt";

using DiffCommand = CliFixture;

TEST_F(DiffCommand, ExitsAsDiffDoes)
{
    struct Case
    {
        std::string arguments;
        int status;
        std::string lastLine;
    };
    const Case cases[] = {
        { kFrtec + " " + kFrtec, 0, "equivalent: the same bytes\n" },
        // The kernel's fix in the other order: the range widens again.
        { kFrtecFixed + " " + kFrtec, 1,
          "incompatible: input report 1: Hat Switch (Generic Desktop) logical range changed: 0 "
          "to 7 -> 0 to 239\n" },
        // Pushes without Pops removed and 0xFF maxima written in two bytes: other bytes, the
        // same reports.
        { kKye + " " + kKyeFixed, 0,
          "equivalent: the bytes differ in 6 places, the meaning "
          "does not\n" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const CliRun run = Cli("diff " + c.arguments);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_EQ(run.err, "");
        ASSERT_GE(run.out.size(), c.lastLine.size());
        EXPECT_EQ(run.out.substr(run.out.size() - c.lastLine.size()), c.lastLine);
    }
}

TEST_F(DiffCommand, TroubleIsTwoWithOneLineSaying)
{
    const CliRun missing = Cli("diff " + kFrtec + " " + (Dir() / "none.txt").string());
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("none.txt: cannot open file"), std::string::npos) << missing.err;

    const CliRun twice = Cli("diff - -");
    EXPECT_EQ(twice.status, 2);
    EXPECT_NE(twice.err.find("standard input can be only one"), std::string::npos) << twice.err;

    const CliRun overwrite = Cli("diff " + kFrtec + " " + kFrtecFixed + " -o " + kFrtecFixed);
    EXPECT_EQ(overwrite.status, 2);
    EXPECT_NE(overwrite.err.find("-o names the input file"), std::string::npos) << overwrite.err;
}

TEST_F(DiffCommand, ComparesAcrossInputForms)
{
    // The same descriptor as binary on one side and hex text from standard input on the other.
    const std::string binary = (Dir() / "frtec.bin").string();
    {
        std::ofstream out(binary, std::ios::binary);
        const std::string hex = ReadFile(kFrtecFixed);
        for (std::size_t i = 0; i + 1 < hex.size(); i += 3) {
            out.put(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
        }
    }
    const CliRun automatic = Cli("diff - " + binary, kFrtecFixed);
    EXPECT_EQ(automatic.status, 0) << automatic.err;
    EXPECT_EQ(automatic.out, "equivalent: the same bytes\n");
}

TEST_F(DiffCommand, JsonGivesChangesAndHunksWithTheirItems)
{
    const CliRun run = Cli("diff --format json " + kFrtec + " " + kFrtecFixed);
    EXPECT_EQ(run.status, 1) << run.err;
    const nlohmann::json document = nlohmann::json::parse(run.out);
    EXPECT_EQ(document["verdict"], "incompatible");
    ASSERT_EQ(document["changes"].size(), 2u);
    const nlohmann::json& hat = document["changes"][0];
    EXPECT_EQ(hat["kind"], "logical-range");
    EXPECT_EQ(hat["compatible"], false);
    EXPECT_EQ(hat["report"]["type"], "input");
    EXPECT_EQ(hat["report"]["id"], 1);
    EXPECT_EQ(hat["subject"], "Hat Switch (Generic Desktop)");
    EXPECT_EQ(hat["old"], "0 to 239");
    EXPECT_EQ(hat["new"], "0 to 7");
    EXPECT_EQ(hat["oldItem"]["offset"], 188);
    EXPECT_EQ(hat["oldItem"]["length"], 2);
    ASSERT_EQ(document["hunks"].size(), 1u);
    const nlohmann::json& hunk = document["hunks"][0];
    ASSERT_EQ(hunk["old"].size(), 1u);
    EXPECT_EQ(hunk["old"][0]["offset"], 176);
    EXPECT_EQ(hunk["old"][0]["bytes"], "26 EF 00");
    EXPECT_EQ(hunk["new"][0]["bytes"], "26 07 00");
    EXPECT_EQ(hunk["new"][0]["text"], "GLOBAL_LOCAL_MAXIMUM(7)");
}

} // namespace
} // namespace quorlix::test

namespace quorlix::test {
namespace {

using FixupCommand = CliFixture;

TEST_F(FixupCommand, RefusesAFixWithCheckErrorsUnlessForced)
{
    // The kernel's fix keeps the original's Usage Page 0, an error of check.
    const CliRun refused = Cli("fixup --emit c " + kFrtec + " " + kFrtecFixed);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err.find("frtec-raptor-mach2-fixed.txt: has 1 check error (see quorlix-cli "
                               "check); --force writes the fix anyway"),
              std::string::npos)
        << refused.err;

    const CliRun forced = Cli("fixup --force --emit kernel " + kFrtec + " " + kFrtecFixed);
    EXPECT_EQ(forced.status, 0) << forced.err;
    EXPECT_NE(forced.out.find("frtec_raptor_mach2_original_report_fixup("), std::string::npos);
    EXPECT_NE(forced.err.find("frtec-raptor-mach2-fixed.txt: incompatible: input report 1: Hat "
                              "Switch (Generic Desktop) logical range changed: 0 to 239 -> 0 to 7"),
              std::string::npos)
        << forced.err;
}

TEST_F(FixupCommand, MatchesTheDeviceGivenOrNamedByTheInput)
{
    const CliRun given =
        Cli("fixup --emit hid-bpf --device-id 0003:11c0:5606 --name kye " + kKye + " " + kKyeFixed);
    EXPECT_EQ(given.status, 0) << given.err;
    EXPECT_NE(given.out.find("HID_DEVICE(0x0003, HID_GROUP_ANY, 0x11C0, 0x5606)"),
              std::string::npos);
    EXPECT_NE(given.err.find("kye-easypen-i405x-fixed.txt: equivalent: "), std::string::npos);

    // A sysfs device's descriptor names its device in its path.
    const std::filesystem::path device = Dir() / "0003:172F:0500.0007";
    std::filesystem::create_directories(device);
    std::filesystem::copy_file(kKye, device / "report_descriptor.txt");
    const CliRun named = Cli("fixup --emit hid-bpf " + (device / "report_descriptor.txt").string() +
                             " " + kKyeFixed);
    EXPECT_EQ(named.status, 0) << named.err;
    EXPECT_NE(named.out.find("HID_DEVICE(0x0003, HID_GROUP_ANY, 0x172F, 0x0500)"),
              std::string::npos);

    const CliRun unknown = Cli("fixup --emit hid-bpf " + kKye + " " + kKyeFixed);
    EXPECT_EQ(unknown.status, 0) << unknown.err;
    EXPECT_NE(unknown.err.find("no device id known"), std::string::npos) << unknown.err;

    // A connected device and a capture that caught the enumeration name their device too. The
    // fixed side writes the first Usage Page in two bytes: other bytes, the same meaning.
    const std::filesystem::path root = Dir() / "sys";
    std::string reason;
    ASSERT_TRUE(BuildFakeSysfs(root, StandardFakeHidDevices(),
                               std::filesystem::path(kData) / "descriptors", reason))
        << reason;
    const std::string touchpad = DescriptorBytes(kData + "descriptors/synaptics-touchpad-i2c.txt");
    ASSERT_EQ(touchpad.substr(0, 2), std::string("\x05\x01"));
    const std::string touchpadFixed = (Dir() / "touchpad-fixed.bin").string();
    std::ofstream(touchpadFixed, std::ios::binary)
        << std::string("\x06\x01\x00", 3) + touchpad.substr(2);
    ::setenv("QUORLIX_SYSFS_ROOT", root.c_str(), 1);
    const CliRun connected = Cli("fixup --emit hid-bpf /dev/hidraw4 " + touchpadFixed);
    ::unsetenv("QUORLIX_SYSFS_ROOT");
    EXPECT_EQ(connected.status, 0) << connected.err;
    EXPECT_NE(connected.out.find("HID_DEVICE(0x0018, HID_GROUP_ANY, 0x06CB, 0xCE37)"),
              std::string::npos)
        << connected.out.substr(0, 2000);

    std::vector<Bytes> frames;
    for (const FixturePacket& packet : EnumerationPackets()) {
        frames.push_back(UsbmonFrame(packet));
    }
    const std::string capture = (Dir() / "device.pcap").string();
    WritePcap(capture, 220, frames);
    Bytes fixedBytes = FixtureReportDescriptor();
    ASSERT_EQ(fixedBytes[0], 0x05);
    fixedBytes.insert(fixedBytes.begin() + 2, 0x00);
    fixedBytes[0] = 0x06;
    const std::string captureFixed = (Dir() / "capture-fixed.bin").string();
    std::ofstream(captureFixed, std::ios::binary)
        << std::string(fixedBytes.begin(), fixedBytes.end());
    const CliRun captured = Cli("fixup --emit hid-bpf " + capture + " " + captureFixed);
    EXPECT_EQ(captured.status, 0) << captured.err;
    EXPECT_NE(captured.out.find("HID_DEVICE(0x0003, HID_GROUP_ANY, 0x1234, 0x5678)"),
              std::string::npos)
        << captured.err;
    EXPECT_EQ(captured.err.find("no device id known"), std::string::npos) << captured.err;

    const CliRun wrong =
        Cli("fixup --emit hid-bpf --device-id 11C0:5606 " + kKye + " " + kKyeFixed);
    EXPECT_EQ(wrong.status, 1);
    EXPECT_EQ(wrong.out, "");
    EXPECT_NE(wrong.err.find("--device-id: 11C0:5606 is not BUS:VID:PID"), std::string::npos);
}

} // namespace
} // namespace quorlix::test
