#include "GeneratedCapture.h"

#include <pcap/pcap.h>

#include <array>
#include <cstring>
#include <vector>

namespace quorlix::bench {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The boot keyboard: modifier bits, a constant byte, six keys; five LED bits out.
const Bytes kKeyboard = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00, 0x25, 0x01,
    0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0x95, 0x01, 0x75, 0x08, 0x81, 0x03, 0x95, 0x05, 0x75, 0x01,
    0x05, 0x08, 0x19, 0x01, 0x29, 0x05, 0x91, 0x02, 0x95, 0x01, 0x75, 0x03, 0x91, 0x03, 0x95, 0x06,
    0x75, 0x08, 0x15, 0x00, 0x25, 0x65, 0x05, 0x07, 0x19, 0x00, 0x29, 0x65, 0x81, 0x00, 0xC0,
};

constexpr std::uint8_t kAddress = 7;

class Writer
{
public:
    explicit Writer(const std::string& path)
        : m_dead(pcap_open_dead_with_tstamp_precision(220, 65535, PCAP_TSTAMP_PRECISION_NANO))
    {
        m_dumper = pcap_dump_open(m_dead, path.c_str());
    }
    ~Writer()
    {
        if (m_dumper != nullptr) {
            pcap_dump_close(m_dumper);
        }
        pcap_close(m_dead);
    }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    bool Ok() const { return m_dumper != nullptr; }
    bool Flush() { return pcap_dump_flush(m_dumper) == 0; }

    // One usbmon packet with its 64-byte header, in this machine's byte order as usbmon writes it.
    void Packet(std::uint64_t urb, char event, std::uint8_t transfer, std::uint8_t endpoint,
                const std::array<std::uint8_t, 8>* setup, const Bytes& data)
    {
        m_frame.assign(64, 0);
        Put(0, urb);
        m_frame[8] = static_cast<std::uint8_t>(event);
        m_frame[9] = transfer;
        m_frame[10] = endpoint;
        m_frame[11] = kAddress;
        Put(12, std::uint16_t{ 1 });
        m_frame[14] = setup != nullptr ? 0 : '-';
        m_frame[15] = data.empty() ? (event == 'S' ? '<' : '>') : 0;
        Put(16, static_cast<std::int64_t>(m_timeNs / 1000000000));
        Put(24, static_cast<std::int32_t>(m_timeNs % 1000000000 / 1000));
        Put(28, std::int32_t{ event == 'S' ? -115 : 0 });
        Put(32, static_cast<std::uint32_t>(data.size()));
        Put(36, static_cast<std::uint32_t>(data.size()));
        if (setup != nullptr) {
            std::memcpy(m_frame.data() + 40, setup->data(), 8);
        }
        m_frame.insert(m_frame.end(), data.begin(), data.end());
        pcap_pkthdr header{};
        header.ts.tv_sec = static_cast<time_t>(m_timeNs / 1000000000);
        header.ts.tv_usec = static_cast<suseconds_t>(m_timeNs % 1000000000);
        header.caplen = static_cast<bpf_u_int32>(m_frame.size());
        header.len = header.caplen;
        pcap_dump(reinterpret_cast<u_char*>(m_dumper), &header, m_frame.data());
        m_timeNs += 1000000;
    }

    // A GET_DESCRIPTOR request and its answer.
    void Control(std::uint64_t urb, std::uint8_t type, std::uint16_t value, const Bytes& answer)
    {
        const auto length = static_cast<std::uint16_t>(answer.size());
        const std::array<std::uint8_t, 8> setup = {
            type, 0x06, static_cast<std::uint8_t>(value),  static_cast<std::uint8_t>(value >> 8),
            0,    0,    static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
        };
        Packet(urb, 'S', 2, 0x80, &setup, {});
        Packet(urb, 'C', 2, 0x80, nullptr, answer);
    }

private:
    template <typename T>
    void Put(std::size_t offset, T value)
    {
        std::memcpy(m_frame.data() + offset, &value, sizeof value);
    }

    pcap_t* m_dead = nullptr;
    pcap_dumper_t* m_dumper = nullptr;
    Bytes m_frame;
    std::uint64_t m_timeNs = 1700000000ULL * 1000000000ULL;
};

} // namespace

bool WriteKeyboardCapture(const std::string& path, std::uint64_t reports)
{
    Writer out(path);
    if (!out.Ok()) {
        return false;
    }
    const Bytes device = { 0x12, 0x01, 0x00, 0x02, 0,    0, 0, 64, 0x34,
                           0x12, 0x78, 0x56, 0x00, 0x01, 1, 2, 0,  1 };
    const Bytes configuration = {
        0x09, 0x02, 34,   0,    1, 1, 0,    0xA0, 50, // configuration, 34 bytes in all
        0x09, 0x04, 0,    0,    1, 3, 1,    1,    0,  // interface 0: HID boot keyboard
        0x09, 0x21, 0x11, 0x01, 0, 1, 0x22, 63,   0,  // HID: a report descriptor of 63 bytes
        0x07, 0x05, 0x81, 0x03, 8, 0, 10,             // endpoint 0x81 IN interrupt, 8 bytes
    };
    out.Control(1, 0x80, 0x0100, device);
    out.Control(2, 0x80, 0x0200, configuration);
    out.Control(3, 0x81, 0x2200, kKeyboard);
    Bytes report(8, 0);
    for (std::uint64_t k = 0; k < reports; ++k) {
        // A key down (with a modifier now and then), then all keys up.
        const bool down = (k % 2) == 0;
        report[0] = down && (k % 16) == 0 ? 0x02 : 0x00;
        report[2] = down ? static_cast<std::uint8_t>(0x04 + (k / 2) % 26) : 0x00;
        out.Packet(100 + (k & 1), 'C', 1, 0x81, nullptr, report);
    }
    return out.Flush();
}

} // namespace quorlix::bench
