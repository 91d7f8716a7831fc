// Writes the fuzzer's seed captures into the folder given: the tests' enumeration in every
// binary form the readers take, one cut by the snap length, and the usbmon text fixture.
//
//     make_capture_seeds fuzz/seeds/capture

#include "capture/CaptureFixtures.h"

#include <cstdio>
#include <filesystem>
#include <string>

using namespace quorlix::test;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_capture_seeds DIR\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    std::vector<Bytes> usbmon;
    std::vector<Bytes> usbmon48;
    std::vector<Bytes> usbpcap;
    for (const FixturePacket& packet : EnumerationPackets()) {
        usbmon.push_back(UsbmonFrame(packet, true));
        usbmon48.push_back(UsbmonFrame(packet, false));
        usbpcap.push_back(UsbPcapFrame(packet));
    }
    WritePcap((dir / "usbmon-220.pcap").string(), 220, usbmon);
    WritePcap((dir / "usbmon-189.pcap").string(), 189, usbmon48);
    WritePcap((dir / "usbpcap-249.pcap").string(), 249, usbpcap);
    WritePcap((dir / "usbmon-220-snap74.pcap").string(), 220, usbmon, 74);
    WriteFile((dir / "usbpcap-249.pcapng").string(), PcapNgFile(249, usbpcap));
    WriteFile((dir / "usbmon-220.pcapng").string(), PcapNgFile(220, usbmon));
    std::filesystem::copy_file(QUORLIX_TEST_DATA_DIR "/capture/hid-device-usbmon.txt",
                               dir / "usbmon-text.txt",
                               std::filesystem::copy_options::overwrite_existing);
    return 0;
}
