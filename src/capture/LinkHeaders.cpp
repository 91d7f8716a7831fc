#include "capture/LinkHeaders.h"

#include "support/HexDigits.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

namespace quorlix {
namespace {

template <typename T>
T HostAt(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

std::uint32_t LittleAt(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t size)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i) {
        value |= std::uint32_t{ bytes[offset + i] } << (8 * i);
    }
    return value;
}

constexpr std::size_t kUsbmonHeader = 48;
constexpr std::size_t kUsbmonMmappedHeader = 64;
constexpr std::size_t kUsbPcapHeader = 27;

} // namespace

Expected<LinkRecord, std::string> DecodeUsbmonPacket(std::span<const std::uint8_t> bytes,
                                                     bool mmapped, UsbPacket& packet)
{
    const std::size_t headerLength = mmapped ? kUsbmonMmappedHeader : kUsbmonHeader;
    if (bytes.size() < headerLength) {
        return Unexpected(std::string("the frame ends inside its usbmon header (" +
                                      std::to_string(bytes.size()) + " of " +
                                      std::to_string(headerLength) + " bytes)"));
    }
    packet.urbId = HostAt<std::uint64_t>(bytes, 0);
    const char type = static_cast<char>(bytes[8]);
    packet.event = type == 'S'   ? PacketEvent::Submit
                   : type == 'C' ? PacketEvent::Complete
                                 : PacketEvent::Error;
    if (type != 'S' && type != 'C' && type != 'E') {
        return Unexpected(std::string("the usbmon event type is neither S, C nor E"));
    }
    packet.transfer = static_cast<TransferType>(bytes[9] & 3);
    packet.endpoint = bytes[10];
    packet.address = bytes[11];
    packet.bus = HostAt<std::uint16_t>(bytes, 12);
    packet.hasSetup = bytes[14] == 0 && packet.transfer == TransferType::Control;
    const bool hasData = bytes[15] == 0;
    packet.status = HostAt<std::int32_t>(bytes, 28);
    const std::uint32_t length = HostAt<std::uint32_t>(bytes, 32);
    const std::uint32_t captured = HostAt<std::uint32_t>(bytes, 36);
    std::memcpy(packet.setup.data(), bytes.data() + 40, 8);
    packet.isControlData = false;
    // Isochronous frames put their descriptors before the data; HID never uses them.
    if (!hasData || packet.transfer == TransferType::Isochronous) {
        packet.data = {};
        packet.dataLength = 0;
        return LinkRecord::Packet;
    }
    const std::span<const std::uint8_t> rest = bytes.subspan(headerLength);
    packet.data = rest.first(std::min<std::size_t>(rest.size(), captured));
    packet.dataLength = length;
    return LinkRecord::Packet;
}

Expected<LinkRecord, std::string> DecodeUsbPcapPacket(std::span<const std::uint8_t> bytes,
                                                      UsbPacket& packet)
{
    if (bytes.size() < kUsbPcapHeader) {
        return Unexpected(std::string("the frame ends inside its USBPcap header (" +
                                      std::to_string(bytes.size()) + " of " +
                                      std::to_string(kUsbPcapHeader) + " bytes)"));
    }
    const std::size_t headerLength = LittleAt(bytes, 0, 2);
    if (headerLength < kUsbPcapHeader || headerLength > bytes.size()) {
        return Unexpected(std::string("the USBPcap header length " + std::to_string(headerLength) +
                                      " does not fit the frame of " + std::to_string(bytes.size()) +
                                      " bytes"));
    }
    packet.urbId =
        std::uint64_t{ LittleAt(bytes, 2, 4) } | (std::uint64_t{ LittleAt(bytes, 6, 4) } << 32);
    packet.status = static_cast<std::int32_t>(LittleAt(bytes, 10, 4));
    packet.event = (bytes[16] & 1) != 0 ? PacketEvent::Complete : PacketEvent::Submit;
    packet.bus = static_cast<std::uint16_t>(LittleAt(bytes, 17, 2));
    // USB addresses have seven bits; a larger number cannot name a device.
    const std::uint32_t device = LittleAt(bytes, 19, 2);
    packet.address = device > 0xFF ? 0xFF : static_cast<std::uint8_t>(device);
    packet.endpoint = bytes[21];
    packet.transfer = static_cast<TransferType>(bytes[22] & 3);
    // USBPcap's own records of requests that are no transfer (0xFE, 0xFF) hold no USB data.
    if (bytes[22] == 0xFE || bytes[22] == 0xFF) {
        return LinkRecord::NoTransfer;
    }
    if (bytes[22] > 3) {
        return Unexpected(
            std::string("the USBPcap transfer type " + std::to_string(bytes[22]) + " is unknown"));
    }
    std::uint32_t dataLength = LittleAt(bytes, 23, 4);
    std::span<const std::uint8_t> payload = bytes.subspan(headerLength);
    packet.hasSetup = false;
    packet.isControlData = false;
    if (packet.transfer == TransferType::Control && headerLength > kUsbPcapHeader) {
        const std::uint8_t stage = bytes[kUsbPcapHeader];
        if (stage == 0) {
            // The setup stage: eight setup bytes, then (for OUT) the data that follows them.
            if (payload.size() < 8) {
                return Unexpected(std::string("the USBPcap setup stage holds " +
                                              std::to_string(payload.size()) +
                                              " of its 8 setup bytes"));
            }
            std::memcpy(packet.setup.data(), payload.data(), 8);
            packet.hasSetup = true;
            payload = payload.subspan(8);
            dataLength = dataLength >= 8 ? dataLength - 8 : 0;
        } else if (stage == 1) {
            packet.isControlData = true;
        } else if (stage == 2) {
            payload = {};
            dataLength = 0;
        }
    }
    packet.data = payload.first(std::min<std::size_t>(payload.size(), dataLength));
    packet.dataLength = dataLength;
    return LinkRecord::Packet;
}

namespace {

// The next blank-separated token of text from pos.
std::string_view NextToken(std::string_view text, std::size_t& pos)
{
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\r')) {
        ++pos;
    }
    const std::size_t start = pos;
    while (pos < text.size() && text[pos] != ' ' && text[pos] != '\t' && text[pos] != '\r') {
        ++pos;
    }
    return text.substr(start, pos - start);
}

template <typename T>
bool ParseNumber(std::string_view text, T& value, int base)
{
    if (text.empty()) {
        return false;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return error == std::errc() && end == text.data() + text.size();
}

// "Ii:1:015:2" (bus, device, endpoint) or "Ii:015:2" (device, endpoint).
bool ParseTextAddress(std::string_view text, UsbPacket& packet)
{
    if (text.size() < 4 || text[2] != ':') {
        return false;
    }
    switch (text[0]) {
    case 'C':
        packet.transfer = TransferType::Control;
        break;
    case 'Z':
        packet.transfer = TransferType::Isochronous;
        break;
    case 'I':
        packet.transfer = TransferType::Interrupt;
        break;
    case 'B':
        packet.transfer = TransferType::Bulk;
        break;
    default:
        return false;
    }
    if (text[1] != 'i' && text[1] != 'o') {
        return false;
    }
    const std::string_view numbers = text.substr(3);
    std::string_view parts[3];
    std::size_t count = 0;
    for (std::size_t start = 0;;) {
        const std::size_t colon = numbers.find(':', start);
        if (count == 3) {
            return false;
        }
        parts[count++] =
            numbers.substr(start, colon == std::string_view::npos ? colon : colon - start);
        if (colon == std::string_view::npos) {
            break;
        }
        start = colon + 1;
    }
    if (count < 2) {
        return false;
    }
    unsigned bus = 0;
    unsigned device = 0;
    unsigned endpoint = 0;
    if (count == 3 && !ParseNumber(parts[0], bus, 10)) {
        return false;
    }
    if (!ParseNumber(parts[count - 2], device, 10) ||
        !ParseNumber(parts[count - 1], endpoint, 10) || bus > 0xFFFF || device > 0xFF ||
        endpoint > 0x0F) {
        return false;
    }
    packet.bus = static_cast<std::uint16_t>(bus);
    packet.address = static_cast<std::uint8_t>(device);
    packet.endpoint = static_cast<std::uint8_t>(endpoint | (text[1] == 'i' ? 0x80 : 0));
    return true;
}

} // namespace

Expected<LinkRecord, std::string>
DecodeUsbmonTextLine(std::string_view line, std::vector<std::uint8_t>& data, UsbPacket& packet)
{
    std::size_t pos = 0;
    const std::string_view tag = NextToken(line, pos);
    if (tag.empty()) {
        return LinkRecord::NoTransfer;
    }
    const std::string_view time = NextToken(line, pos);
    const std::string_view event = NextToken(line, pos);
    const std::string_view address = NextToken(line, pos);
    std::uint64_t urbId = 0;
    std::int64_t microseconds = 0;
    if (!ParseNumber(tag, urbId, 16) || !ParseNumber(time, microseconds, 10) || event.size() != 1 ||
        (event[0] != 'S' && event[0] != 'C' && event[0] != 'E') ||
        !ParseTextAddress(address, packet) || microseconds < 0 ||
        microseconds > std::numeric_limits<std::int64_t>::max() / 1000) {
        return Unexpected(std::string("not a usbmon text line"));
    }
    if (packet.transfer == TransferType::Isochronous) {
        return LinkRecord::NoTransfer;
    }
    packet.urbId = urbId;
    packet.timeNs = microseconds * 1000;
    packet.event = event[0] == 'S'   ? PacketEvent::Submit
                   : event[0] == 'C' ? PacketEvent::Complete
                                     : PacketEvent::Error;
    packet.hasSetup = false;
    packet.isControlData = false;
    packet.status = 0;
    std::string_view word = NextToken(line, pos);
    if (word == "s") {
        // The setup packet: bmRequestType and bRequest as two digits, the rest as four.
        const int widths[] = { 2, 2, 4, 4, 4 };
        std::uint8_t* out = packet.setup.data();
        for (const int width : widths) {
            unsigned value = 0;
            const std::string_view field = NextToken(line, pos);
            if (field.size() != static_cast<std::size_t>(width) || !ParseNumber(field, value, 16)) {
                return Unexpected(std::string("the setup packet is not five hexadecimal fields"));
            }
            *out++ = static_cast<std::uint8_t>(value);
            if (width == 4) {
                *out++ = static_cast<std::uint8_t>(value >> 8);
            }
        }
        packet.hasSetup = true;
    } else {
        // A status, with the interval after a colon for interrupt transfers.
        const std::string_view status = word.substr(0, word.find(':'));
        if (!ParseNumber(status, packet.status, 10)) {
            return Unexpected(std::string("the status is not a number"));
        }
    }
    std::uint32_t length = 0;
    if (!ParseNumber(NextToken(line, pos), length, 10)) {
        return Unexpected(std::string("the data length is not a number"));
    }
    const std::string_view dataTag = NextToken(line, pos);
    data.clear();
    packet.dataLength = 0;
    if (dataTag == "=") {
        packet.dataLength = length;
        for (std::string_view group = NextToken(line, pos); !group.empty();
             group = NextToken(line, pos)) {
            if (group.size() % 2 != 0) {
                return Unexpected(std::string("a data word has an odd number of digits"));
            }
            for (std::size_t i = 0; i < group.size(); i += 2) {
                const int high = HexDigitValue(group[i]);
                const int low = HexDigitValue(group[i + 1]);
                if (high < 0 || low < 0) {
                    return Unexpected(std::string("the data is not hexadecimal"));
                }
                data.push_back(static_cast<std::uint8_t>(high * 16 + low));
            }
        }
        if (data.size() > length) {
            return Unexpected(std::string("the line shows more data bytes than its length"));
        }
    }
    packet.data = data;
    return LinkRecord::Packet;
}

} // namespace quorlix
