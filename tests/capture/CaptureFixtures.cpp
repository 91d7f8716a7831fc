#include "capture/CaptureFixtures.h"

#include <pcap/pcap.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace quorlix::test {
namespace {

template <typename T>
void Put(Bytes& out, std::size_t offset, T value)
{
    std::memcpy(out.data() + offset, &value, sizeof value);
}

void PutLittle(Bytes& out, std::uint64_t value, int size)
{
    for (int i = 0; i < size; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

Bytes Setup(std::uint8_t type, std::uint8_t request, std::uint16_t value, std::uint16_t index,
            std::uint16_t length)
{
    return { type,
             request,
             static_cast<std::uint8_t>(value),
             static_cast<std::uint8_t>(value >> 8),
             static_cast<std::uint8_t>(index),
             static_cast<std::uint8_t>(index >> 8),
             static_cast<std::uint8_t>(length),
             static_cast<std::uint8_t>(length >> 8) };
}

} // namespace

Bytes UsbmonFrame(const FixturePacket& p, bool mmapped)
{
    Bytes out(mmapped ? 64 : 48, 0);
    Put<std::uint64_t>(out, 0, p.urbId);
    out[8] = static_cast<std::uint8_t>(p.event);
    out[9] = p.transfer;
    out[10] = p.endpoint;
    out[11] = p.address;
    Put<std::uint16_t>(out, 12, p.bus);
    out[14] = p.hasSetup ? 0 : '-';
    out[15] = p.data.empty() ? (p.event == 'S' ? '<' : '>') : 0;
    Put<std::int64_t>(out, 16, p.seconds);
    Put<std::int32_t>(out, 24, static_cast<std::int32_t>(p.microseconds));
    Put<std::int32_t>(out, 28, p.event == 'S' ? -115 : p.status);
    Put<std::uint32_t>(out, 32, static_cast<std::uint32_t>(p.data.size()));
    Put<std::uint32_t>(out, 36, static_cast<std::uint32_t>(p.data.size()));
    if (p.hasSetup) {
        std::memcpy(out.data() + 40, p.setup.data(), 8);
    }
    out.insert(out.end(), p.data.begin(), p.data.end());
    return out;
}

Bytes UsbPcapFrame(const FixturePacket& p)
{
    const bool control = p.transfer == 2;
    Bytes payload = p.hasSetup ? p.setup : Bytes{};
    payload.insert(payload.end(), p.data.begin(), p.data.end());
    Bytes out;
    PutLittle(out, control ? 28 : 27, 2);
    PutLittle(out, p.urbId, 8);
    PutLittle(out, static_cast<std::uint32_t>(p.status), 4);
    PutLittle(out, control ? 0x0008 : 0x0009, 2);
    out.push_back(p.event == 'C' ? 1 : 0);
    PutLittle(out, p.bus, 2);
    PutLittle(out, p.address, 2);
    out.push_back(p.endpoint);
    out.push_back(p.transfer);
    PutLittle(out, payload.size(), 4);
    if (control) {
        out.push_back(p.hasSetup ? 0 : 3); // setup stage, or complete
    }
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

void WritePcap(const std::string& path, int linkType, const std::vector<Bytes>& frames,
               int snapLength)
{
    pcap_t* dead = pcap_open_dead(linkType, snapLength);
    pcap_dumper_t* dumper = pcap_dump_open(dead, path.c_str());
    if (dumper == nullptr) {
        throw std::runtime_error("cannot write " + path);
    }
    std::uint32_t second = 100;
    for (const Bytes& frame : frames) {
        pcap_pkthdr header{};
        header.ts.tv_sec = second++;
        header.len = static_cast<bpf_u_int32>(frame.size());
        header.caplen = std::min<bpf_u_int32>(header.len, static_cast<bpf_u_int32>(snapLength));
        pcap_dump(reinterpret_cast<u_char*>(dumper), &header, frame.data());
    }
    pcap_dump_close(dumper);
    pcap_close(dead);
}

Bytes PcapNgFile(int linkType, const std::vector<Bytes>& frames)
{
    Bytes out;
    // Section header: type, length, byte-order magic, version 1.0, section length unknown.
    PutLittle(out, 0x0A0D0D0A, 4);
    PutLittle(out, 28, 4);
    PutLittle(out, 0x1A2B3C4D, 4);
    PutLittle(out, 1, 2);
    PutLittle(out, 0, 2);
    PutLittle(out, ~std::uint64_t{ 0 }, 8);
    PutLittle(out, 28, 4);
    // Interface description: link type, snap length, no options (microsecond stamps).
    PutLittle(out, 1, 4);
    PutLittle(out, 20, 4);
    PutLittle(out, static_cast<std::uint32_t>(linkType), 2);
    PutLittle(out, 0, 2);
    PutLittle(out, 0, 4);
    PutLittle(out, 20, 4);
    std::uint64_t microseconds = 100000000;
    for (const Bytes& frame : frames) {
        const std::size_t padded = (frame.size() + 3) & ~std::size_t{ 3 };
        const std::uint32_t length = static_cast<std::uint32_t>(32 + padded);
        PutLittle(out, 6, 4);
        PutLittle(out, length, 4);
        PutLittle(out, 0, 4);
        PutLittle(out, microseconds >> 32, 4);
        PutLittle(out, microseconds & 0xFFFFFFFF, 4);
        PutLittle(out, frame.size(), 4);
        PutLittle(out, frame.size(), 4);
        out.insert(out.end(), frame.begin(), frame.end());
        out.resize(out.size() + padded - frame.size(), 0);
        PutLittle(out, length, 4);
        microseconds += 1000000;
    }
    return out;
}

Bytes FixtureReportDescriptor()
{
    return {
        0x05, 0x01, // Usage Page (Generic Desktop)
        0x09, 0x05, // Usage (Game Pad)
        0xA1, 0x01, // Collection (Application)
        0x85, 0x01, //   Report ID (1)
        0x05, 0x09, //   Usage Page (Button)
        0x19, 0x01, //   Usage Minimum (1)
        0x29, 0x04, //   Usage Maximum (4)
        0x15, 0x00, //   Logical Minimum (0)
        0x25, 0x01, //   Logical Maximum (1)
        0x75, 0x01, //   Report Size (1)
        0x95, 0x04, //   Report Count (4)
        0x81, 0x02, //   Input (Data, Variable)
        0x81, 0x01, //   Input (Constant): four bits of padding
        0xC0,       // End Collection
    };
}

std::vector<FixturePacket> EnumerationPackets()
{
    const Bytes device = { 0x12, 0x01, 0x00, 0x02, 0,    0, 0, 64, 0x34,
                           0x12, 0x78, 0x56, 0x00, 0x01, 1, 2, 0,  1 };
    const Bytes configuration = {
        0x09, 0x02, 34,   0,    1, 1, 0,    0xA0, 50, // configuration, 34 bytes in all
        0x09, 0x04, 0,    0,    1, 3, 0,    0,    0,  // interface 0: HID, one endpoint
        0x09, 0x21, 0x11, 0x01, 0, 1, 0x22, 27,   0,  // HID: a report descriptor of 27 bytes
        0x07, 0x05, 0x81, 0x03, 8, 0, 10,             // endpoint 0x81 IN interrupt, 8 bytes
    };
    std::vector<FixturePacket> packets;
    const auto control = [&](std::uint64_t id, Bytes setup, Bytes out, Bytes in) {
        FixturePacket submit;
        submit.event = 'S';
        submit.urbId = id;
        submit.endpoint = (setup[0] & 0x80) != 0 ? 0x80 : 0x00;
        submit.hasSetup = true;
        submit.setup = std::move(setup);
        submit.data = std::move(out);
        FixturePacket complete = submit;
        complete.event = 'C';
        complete.hasSetup = false;
        complete.setup.clear();
        complete.data = std::move(in);
        packets.push_back(submit);
        packets.push_back(complete);
    };
    control(1, Setup(0x80, 6, 0x0100, 0, 18), {}, device);
    control(2, Setup(0x80, 6, 0x0200, 0, 34), {}, configuration);
    control(3, Setup(0x81, 6, 0x2200, 0, 27), {}, FixtureReportDescriptor());
    for (const std::uint8_t buttons : { 0x01, 0x03, 0x00 }) {
        FixturePacket report;
        report.transfer = 1;
        report.endpoint = 0x81;
        report.urbId = 9;
        report.data = { 0x01, buttons };
        packets.push_back(report);
    }
    // SET_REPORT may set an input report too: the only kind this descriptor declares.
    control(4, Setup(0x21, 9, 0x0101, 0, 2), { 0x01, 0x05 }, {});
    return packets;
}

void WriteFile(const std::string& path, const Bytes& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        throw std::runtime_error("cannot write " + path);
    }
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

std::string TempPath(const std::string& name)
{
    return (std::filesystem::temp_directory_path() / ("quorlix-capture-test-" + name)).string();
}

} // namespace quorlix::test
