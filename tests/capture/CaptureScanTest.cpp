#include "capture/CaptureFixtures.h"
#include "capture/CaptureScan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorlix {
namespace {

using test::Bytes;

struct SeenReport
{
    std::uint64_t frame;
    std::uint64_t completedFrame;
    int interface;
    ReportType type;
    ReportSource source;
    Bytes bytes;
};

struct Scanned
{
    CaptureInventory inventory;
    std::optional<CaptureError> openError;
    std::optional<CaptureError> error;
    std::vector<std::string> warnings;
    std::vector<SeenReport> reports;
};

Scanned ScanBytes(const Bytes& bytes)
{
    Scanned scanned;
    CaptureReader reader(
        [&](const CaptureWarning& warning) { scanned.warnings.push_back(warning.message); });
    if (const auto opened = reader.OpenMemory(bytes); !opened) {
        scanned.openError = opened.Error();
        return scanned;
    }
    CaptureCallbacks callbacks;
    callbacks.onReport = [&](const CapturedReport& r) {
        scanned.reports.push_back({ r.frame, r.completedFrame, r.interface, r.type, r.source,
                                    Bytes(r.bytes.begin(), r.bytes.end()) });
    };
    if (const auto read = ScanCapture(reader, scanned.inventory, callbacks); !read) {
        scanned.error = read.Error();
    }
    return scanned;
}

Bytes ReadBack(const std::string& path)
{
    Bytes bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    for (int c = 0; file != nullptr && (c = std::fgetc(file)) != EOF;) {
        bytes.push_back(static_cast<std::uint8_t>(c));
    }
    if (file != nullptr) {
        std::fclose(file);
    }
    return bytes;
}

Bytes PcapOf(int linkType, const std::vector<Bytes>& frames, int snapLength = 65535)
{
    const std::string path = test::TempPath("scan.pcap");
    test::WritePcap(path, linkType, frames, snapLength);
    Bytes bytes = ReadBack(path);
    std::remove(path.c_str());
    return bytes;
}

std::vector<Bytes> Frames(int linkType)
{
    std::vector<Bytes> frames;
    for (const test::FixturePacket& packet : test::EnumerationPackets()) {
        frames.push_back(linkType == 249 ? test::UsbPcapFrame(packet)
                                         : test::UsbmonFrame(packet, linkType == 220));
    }
    return frames;
}

TEST(ScanCapture, FindsTheDeviceItsDescriptorAndItsReportsInEveryBinaryForm)
{
    struct Case
    {
        const char* name;
        Bytes file;
        CaptureForm form;
        CaptureLinkType link;
    };
    const Case cases[] = {
        { "usbmon, 64-byte header, pcap", PcapOf(220, Frames(220)), CaptureForm::Pcap,
          CaptureLinkType::LinuxUsbMmapped },
        { "usbmon, 48-byte header, pcap", PcapOf(189, Frames(189)), CaptureForm::Pcap,
          CaptureLinkType::LinuxUsb },
        { "USBPcap, pcapng", test::PcapNgFile(249, Frames(249)), CaptureForm::PcapNg,
          CaptureLinkType::UsbPcap },
        { "usbmon, pcapng", test::PcapNgFile(220, Frames(220)), CaptureForm::PcapNg,
          CaptureLinkType::LinuxUsbMmapped },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Scanned s = ScanBytes(c.file);
        ASSERT_FALSE(s.openError) << s.openError->message;
        ASSERT_FALSE(s.error) << s.error->message;
        EXPECT_TRUE(s.warnings.empty());
        const CaptureInventory& inv = s.inventory;
        EXPECT_EQ(inv.form, c.form);
        EXPECT_EQ(inv.linkType, c.link);
        EXPECT_EQ(inv.frames, 11u);

        ASSERT_EQ(inv.devices.size(), 1u);
        const CapturedDevice& device = inv.devices[0];
        EXPECT_EQ(device.bus, 1);
        EXPECT_EQ(device.address, 5);
        EXPECT_TRUE(device.hasIds);
        EXPECT_EQ(device.vendorId, 0x1234);
        EXPECT_EQ(device.productId, 0x5678);
        EXPECT_EQ(device.deviceFrame, 2u);
        EXPECT_EQ(device.configurationFrame, 4u);
        ASSERT_EQ(device.interfaces.size(), 1u);
        EXPECT_EQ(device.interfaces[0].interfaceClass, 3);
        EXPECT_EQ(device.interfaces[0].reportDescriptorLength, 27);
        ASSERT_EQ(device.interfaces[0].endpoints.size(), 1u);
        EXPECT_EQ(device.interfaces[0].endpoints[0].address, 0x81);
        EXPECT_EQ(device.interfaces[0].endpoints[0].maxPacketSize, 8);

        ASSERT_EQ(inv.descriptors.size(), 1u);
        const CapturedDescriptor& d = inv.descriptors[0];
        EXPECT_EQ(d.interface, 0);
        EXPECT_EQ(d.frame, 6u);
        EXPECT_EQ(d.requestFrame, 5u);
        EXPECT_EQ(d.declaredLength, 27u);
        EXPECT_FALSE(d.cut);
        EXPECT_EQ(d.bytes, test::FixtureReportDescriptor());

        ASSERT_EQ(s.reports.size(), 4u);
        const std::uint64_t frames[] = { 7, 8, 9, 10 };
        const Bytes bytes[] = { { 1, 1 }, { 1, 3 }, { 1, 0 }, { 1, 5 } };
        for (std::size_t k = 0; k < 4; ++k) {
            EXPECT_EQ(s.reports[k].frame, frames[k]);
            EXPECT_EQ(s.reports[k].interface, 0);
            EXPECT_EQ(s.reports[k].bytes, bytes[k]);
        }
        EXPECT_EQ(s.reports[3].type, ReportType::Input);
        EXPECT_EQ(s.reports[3].source, ReportSource::SetReport);
        ASSERT_EQ(inv.traffic.size(), 2u);
        EXPECT_EQ(inv.traffic[0].count, 3u);
        EXPECT_EQ(inv.traffic[0].firstFrame, 7u);
        EXPECT_EQ(inv.traffic[0].lastFrame, 9u);
    }
}

TEST(ScanCapture, ReadsUsbmonTextNamingLinesAndTheCutsOfItsThirtyTwoByteLimit)
{
    const Bytes text = ReadBack(QUORLIX_TEST_DATA_DIR "/capture/hid-device-usbmon.txt");
    ASSERT_FALSE(text.empty());
    const Scanned s = ScanBytes(text);
    ASSERT_FALSE(s.openError) << s.openError->message;
    ASSERT_FALSE(s.error) << s.error->message;
    EXPECT_EQ(s.inventory.form, CaptureForm::UsbmonText);
    EXPECT_EQ(s.inventory.frames, 13u);
    // The configuration's 34 bytes were cut to 32: the endpoint descriptor is lost with it.
    EXPECT_EQ(s.inventory.cutFrames, 1u);
    ASSERT_EQ(s.warnings.size(), 1u);
    EXPECT_EQ(s.warnings[0], "line 10: not a usbmon text line; skipped");
    ASSERT_EQ(s.inventory.devices.size(), 1u);
    EXPECT_EQ(s.inventory.devices[0].vendorId, 0x1234);
    ASSERT_EQ(s.inventory.devices[0].interfaces.size(), 1u);
    EXPECT_TRUE(s.inventory.devices[0].interfaces[0].endpoints.empty());
    ASSERT_EQ(s.inventory.descriptors.size(), 1u);
    EXPECT_EQ(s.inventory.descriptors[0].frame, 6u);
    EXPECT_EQ(s.inventory.descriptors[0].bytes, test::FixtureReportDescriptor());

    ASSERT_EQ(s.reports.size(), 3u);
    EXPECT_EQ(s.reports[0].frame, 7u);
    EXPECT_EQ(s.reports[0].interface, -1); // no endpoint known
    EXPECT_EQ(s.reports[1].bytes, (Bytes{ 0x01, 0x13 }));
    EXPECT_EQ(s.reports[2].frame, 12u);   // the request, which holds the data
    EXPECT_EQ(s.reports[2].interface, 0); // SET_REPORT names it
    EXPECT_EQ(s.reports[2].bytes, (Bytes{ 0x01, 0x05 }));
}

TEST(ScanCapture, HandsASetReportOverWhenItCompletesKeepingTheFrameOfItsData)
{
    // Found by fuzzing: the SET_REPORT of line 1 completes on line 3, after the interrupt report of
    // line 2. It is known only once answered, so it comes second, still naming the frame of its
    // data.
    const std::string text = "4 0 S Co:1:05:0 s 21 09 0201 0000 0002 2\n"
                             "0 1 C Ii:1:0 0 2 = 01\n"
                             "4 1 C Co:1:5:0 0 2\n";
    const Scanned s = ScanBytes(Bytes(text.begin(), text.end()));
    ASSERT_FALSE(s.openError) << s.openError->message;
    ASSERT_FALSE(s.error) << s.error->message;
    ASSERT_EQ(s.reports.size(), 2u);
    EXPECT_EQ(s.reports[0].source, ReportSource::Interrupt);
    EXPECT_EQ(s.reports[0].frame, 2u);
    EXPECT_EQ(s.reports[0].completedFrame, 2u);
    EXPECT_EQ(s.reports[1].source, ReportSource::SetReport);
    EXPECT_EQ(s.reports[1].frame, 1u);
    EXPECT_EQ(s.reports[1].completedFrame, 3u);
}

TEST(ScanCapture, WarnsOfADescriptorCutByTheSnapLength)
{
    // 64 header bytes and 10 of data: the descriptor keeps 10 of its 27 bytes.
    const Scanned s = ScanBytes(PcapOf(220, Frames(220), 74));
    ASSERT_FALSE(s.error);
    ASSERT_EQ(s.inventory.descriptors.size(), 1u);
    EXPECT_TRUE(s.inventory.descriptors[0].cut);
    EXPECT_EQ(s.inventory.descriptors[0].bytes.size(), 10u);
    ASSERT_FALSE(s.warnings.empty());
    EXPECT_EQ(
        s.warnings[0],
        "frame 6: the report descriptor of 1.5:0 is cut to 10 of its 27 bytes by the capture");
    EXPECT_EQ(s.inventory.cutFrames, 3u); // the device, configuration and report descriptors
}

TEST(CaptureReader, RefusesWhatIsNoUsbCaptureAndNamesTheFrameOfABrokenOne)
{
    Bytes truncated = PcapOf(220, Frames(220));
    truncated.resize(truncated.size() - 5);
    Bytes badBlock = test::PcapNgFile(249, Frames(249));
    badBlock[badBlock.size() - 4] ^= 0x40; // the last block's closing length disagrees
    Bytes shortFrame = PcapOf(249, { Bytes(10, 0) });
    struct Case
    {
        const char* name;
        Bytes file;
        bool opens;
        CaptureErrorKind kind;
        std::string message;
    };
    const Case cases[] = {
        { "empty", {}, false, CaptureErrorKind::NotACapture, "empty file" },
        { "text of another kind", Bytes{ 'h', 'e', 'l', 'l', 'o', '\n' }, false,
          CaptureErrorKind::NotACapture, "not a capture: neither pcap, pcapng nor usbmon text" },
        { "ethernet", PcapOf(1, { Bytes(60, 0) }), false, CaptureErrorKind::UnsupportedLink,
          "link type 1 (EN10MB) holds no USB packets; usbmon (189, 220) and USBPcap (249) "
          "captures are read" },
        { "cut inside the last frame", truncated, true, CaptureErrorKind::Malformed,
          "frame 11: truncated dump file; tried to read 64 captured bytes, only got 59" },
        { "a pcapng block whose lengths disagree", badBlock, true, CaptureErrorKind::Malformed,
          "frame 11:" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Scanned s = ScanBytes(c.file);
        const std::optional<CaptureError>& error = c.opens ? s.error : s.openError;
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->kind, c.kind);
        EXPECT_EQ(error->message.substr(0, c.message.size()), c.message);
    }
    // A frame too short for its header is skipped with a warning; the reading goes on.
    const Scanned s = ScanBytes(shortFrame);
    EXPECT_FALSE(s.error);
    ASSERT_EQ(s.warnings.size(), 1u);
    EXPECT_EQ(s.warnings[0],
              "frame 1: the frame ends inside its USBPcap header (10 of 27 bytes); skipped");
}

} // namespace
} // namespace quorlix
