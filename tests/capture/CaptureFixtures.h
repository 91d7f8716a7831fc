#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorlix::test {

using Bytes = std::vector<std::uint8_t>;

// One packet to write, in terms both link types share.
struct FixturePacket
{
    char event = 'C';             // 'S' or 'C'
    std::uint8_t transfer = 2;    // 1 interrupt, 2 control
    std::uint8_t endpoint = 0x80; // 0x80 set for IN
    std::uint8_t address = 5;
    std::uint16_t bus = 1;
    std::uint64_t urbId = 1;
    bool hasSetup = false;
    Bytes setup;
    Bytes data;
    std::int32_t status = 0;
    std::uint32_t seconds = 100;
    std::uint32_t microseconds = 0;
};

// A usbmon packet with its 64-byte header (48 when not mmapped: link type 189), in this
// machine's byte order.
Bytes UsbmonFrame(const FixturePacket& packet, bool mmapped = true);

// A USBPcap packet: the 27-byte header, a stage byte for control transfers, the payload.
Bytes UsbPcapFrame(const FixturePacket& packet);

// Writes frames as a pcap file through libpcap's writer; snapLength cuts frames longer than it.
void WritePcap(const std::string& path, int linkType, const std::vector<Bytes>& frames,
               int snapLength = 65535);

// The same frames as a pcapng file (libpcap writes none): a section, one interface, a block each.
Bytes PcapNgFile(int linkType, const std::vector<Bytes>& frames);

// The enumeration of one HID device and its traffic, as the tests and the fuzzer seeds share:
// device descriptor 1234:5678, a configuration with HID interface 0 (endpoint 0x81 IN, 8-byte
// packets) declaring a report descriptor of 27 bytes, that descriptor (a numbered input report 1
// of two bytes: eight buttons), three input reports and a SET_REPORT of input report 1: frames 1 to
// 6 the descriptors (each answer after its request), 7 to 9 the reports, 10 and 11 the SET_REPORT.
std::vector<FixturePacket> EnumerationPackets();
Bytes FixtureReportDescriptor();

void WriteFile(const std::string& path, const Bytes& bytes);
std::string TempPath(const std::string& name);

} // namespace quorlix::test
