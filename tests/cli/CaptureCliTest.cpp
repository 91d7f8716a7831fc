#include "capture/CaptureFixtures.h"
#include "cli/CliFixture.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace quorlix::test {
namespace {

class CaptureCli : public CliFixture
{
protected:
    // The tests' enumeration as a usbmon pcap, with extra interrupt reports after it.
    std::string WriteCapture(const std::vector<Bytes>& moreReports)
    {
        std::vector<Bytes> frames;
        for (const FixturePacket& packet : EnumerationPackets()) {
            frames.push_back(UsbmonFrame(packet));
        }
        for (const Bytes& data : moreReports) {
            FixturePacket report;
            report.transfer = 1;
            report.endpoint = 0x81;
            report.data = data;
            frames.push_back(UsbmonFrame(report));
        }
        const std::string path = (Dir() / "device.pcap").string();
        WritePcap(path, 220, frames);
        return path;
    }
};

TEST_F(CaptureCli, CaptureListsTheDeviceDescriptorAndReportsAsTextAndJson)
{
    const std::string path = WriteCapture({});
    const CliRun text = Cli("capture " + path);
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out, path + ": pcap, link type 220 (usbmon, memory-mapped), 11 frames\n"
                               "device 1.5 1234:5678 (frame 2), configuration at frame 4\n"
                               "  interface 0: HID, subclass 0, protocol 0, report descriptor of "
                               "27 bytes\n"
                               "    endpoint 0x81 IN interrupt, 8 bytes, interval 10\n"
                               "descriptor 0: 1.5:0, 27 bytes at frame 6 (request at frame 5), "
                               "5.000000 s\n"
                               "reports 1.5:0 input interrupt endpoint 0x81: 3 of 2 bytes, "
                               "frames 7 to 9\n"
                               "reports 1.5:0 input SET_REPORT: 1 of 2 bytes, frames 10 to 10\n");

    const CliRun json = Cli("capture --format json " + path);
    ASSERT_EQ(json.status, 0) << json.err;
    const nlohmann::json doc = nlohmann::json::parse(json.out);
    EXPECT_EQ(doc["devices"][0]["vendorId"], "1234");
    EXPECT_EQ(doc["descriptors"][0]["interface"], "1.5:0");
    EXPECT_EQ(doc["descriptors"][0]["bytes"].get<std::string>().substr(0, 11), "05 01 09 05");
    EXPECT_EQ(doc["reports"][0]["count"], 3);
}

TEST_F(CaptureCli, TheUsbmonTextFormNamesLinesAndWarnsOfTheLineItSkips)
{
    const CliRun run = Cli("capture " QUORLIX_TEST_DATA_DIR "/capture/hid-device-usbmon.txt");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("descriptor 0: 1.5:0, 27 bytes at line 6 (request at line 5)"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.err.find("hid-device-usbmon.txt: warning: line 10: not a usbmon text line; "
                           "skipped\n"),
              std::string::npos)
        << run.err;
}

TEST_F(CaptureCli, ACaptureIsADescriptorSourceChosenByIndexOrInterface)
{
    const std::string path = WriteCapture({});
    const CliRun byAuto = Cli("hexdump " + path);
    const CliRun byInterface = Cli("hexdump --input capture --interface 1.5:0 " + path);
    EXPECT_EQ(byAuto.status, 0) << byAuto.err;
    EXPECT_EQ(byAuto.out, byInterface.out);
    EXPECT_EQ(byAuto.out.substr(0, 22), "total = 27\r\n0x05,//0\r\n");

    const CliRun missing = Cli("layout --interface 1.5:3 " + path);
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("no report descriptor of 1.5:3 in the capture"), std::string::npos);
    const CliRun beyond = Cli("analyse --index 1 " + path);
    EXPECT_EQ(beyond.status, 1);
    EXPECT_NE(beyond.err.find("--index 1: the capture holds 1 report descriptors"),
              std::string::npos);
}

TEST_F(CaptureCli, DecodeWritesFrameTimeInterfaceAndDirection)
{
    const std::string path = WriteCapture({});
    const CliRun run = Cli("decode " + path);
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string first = run.out.substr(0, run.out.find('\n'));
    EXPECT_EQ(first, "frame 7 6.000000 1.5:0 in interrupt: input report 1 (2 bytes): Button 1=1, "
                     "Button 2=0, Button 3=0, Button 4=0");
    EXPECT_NE(run.out.find("frame 10 9.000000 1.5:0 out SET_REPORT: input report 1 (2 bytes): "
                           "Button 1=1, Button 2=0, Button 3=1, Button 4=0\n"),
              std::string::npos)
        << run.out;
}

TEST_F(CaptureCli, AuditFindsAShortReportAndExitsAsCheckDoes)
{
    const std::string path = WriteCapture({ { 0x01 }, { 0x02, 0x00 } });
    const CliRun run = Cli("audit " + path);
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_NE(run.out.find(path + ":frame 12: error: 1.5:0: input report 1 is shorter than "
                                  "declared: 1 bytes where the descriptor declares 2; 1 time, "
                                  "frame 12 [short-report]\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("[undeclared-id]"), std::string::npos);

    const CliRun json = Cli("audit --format json " + path);
    const nlohmann::json doc = nlohmann::json::parse(json.out);
    EXPECT_EQ(doc["errors"], 2);

    // check given the capture: the descriptor's findings, then the traffic's, in one status.
    const CliRun check = Cli("check " + path);
    EXPECT_EQ(check.status, 3);
    EXPECT_NE(check.out.find("[short-report]"), std::string::npos) << check.out;

    const CliRun clean = Cli("audit " + WriteCapture({}));
    EXPECT_EQ(clean.status, 0) << clean.out;
}

// A capture begun after the enumeration (usbmon text of a vendor tool's session): the SET_REPORT
// names its interface by wIndex, the interrupt endpoint has no configuration to place it.
TEST_F(CaptureCli, ReportsOfAnEndpointOfUnknownInterfaceAreSaidNotDroppedInSilence)
{
    const auto text = [](std::string_view t) { return Bytes(t.begin(), t.end()); };
    const std::string capture = (Dir() / "session.txt").string();
    WriteFile(capture, text("ffff000000000004 100000000 S Co:1:015:0 s 21 09 "
                            "0211 0001 0003 3 = 110203\n"
                            "ffff000000000004 100000100 C Co:1:015:0 0 3 >\n"
                            "ffff000000000009 100001000 C Ii:1:015:2 0:1 3 = "
                            "110405\n"));
    const std::string descriptor = (Dir() / "vendor.hex").string();
    // Vendor page, report 0x11: two bytes in and two out.
    WriteFile(descriptor, text("06 00 ff 09 01 a1 01 85 11 75 08 95 02 15 00 26 "
                               "ff 00 09 01 81 02 09 02 91 02 c0\n"));
    const std::string given = "audit " + capture + " --descriptor " + descriptor;

    const CliRun byInterface = Cli(given + " --interface 1.15:1");
    EXPECT_EQ(byInterface.status, 0) << byInterface.err;
    EXPECT_NE(byInterface.out.find(
                  capture + ":frame 3: note: 1.15 endpoint 0x82: reports not audited: the capture "
                            "does not tell which interface endpoint 0x82 serves (no configuration "
                            "descriptor); --interface 1.15:1 --endpoint 0x82 audits them as that "
                            "interface's; 1 time, frame 3 [unknown-interface]\n"),
              std::string::npos)
        << byInterface.out;

    const CliRun byEndpoint = Cli(given + " --interface 1.15:1 --endpoint 0x82");
    EXPECT_EQ(byEndpoint.out, "0 errors, 0 warnings, 0 notes\n") << byEndpoint.err;

    const CliRun decode =
        Cli("decode " + capture + " --descriptor " + descriptor + " --interface 1.15:1");
    EXPECT_EQ(decode.status, 0) << decode.err;
    EXPECT_EQ(decode.out, "frame 1 0.000000 1.15:1 out SET_REPORT: output report 17 (3 bytes): "
                          "Vendor usage 0x0002=2, Vendor usage 0x0002=3\n");
    EXPECT_NE(decode.err.find("1 reports of 1.15 on endpoints the capture does not place in an "
                              "interface were left out (choose one with --endpoint)"),
              std::string::npos)
        << decode.err;
}

TEST_F(CaptureCli, BrokenAndForeignCapturesAreOneLineErrors)
{
    const std::string ethernet = (Dir() / "ethernet.pcap").string();
    WritePcap(ethernet, 1, { Bytes(60, 0) });
    const CliRun foreign = Cli("capture " + ethernet);
    EXPECT_EQ(foreign.status, 1);
    EXPECT_EQ(foreign.err, "quorlix-cli: " + ethernet +
                               ": link type 1 (EN10MB) holds no USB packets; usbmon (189, 220) "
                               "and USBPcap (249) captures are read\n");
    const CliRun notCapture = Cli("capture " QUORLIX_SOURCE_DIR "/examples/mouse.txt");
    EXPECT_EQ(notCapture.status, 1);
    EXPECT_NE(notCapture.err.find("not a capture"), std::string::npos);
}

} // namespace
} // namespace quorlix::test
