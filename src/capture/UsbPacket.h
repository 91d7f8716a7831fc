#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace quorlix {

// The transfer types, numbered as usbmon and USBPcap both number them.
enum class TransferType : std::uint8_t
{
    Isochronous = 0,
    Interrupt = 1,
    Control = 2,
    Bulk = 3,
};

// Which half of a transfer a packet shows: the host handing it over, or its return.
enum class PacketEvent : std::uint8_t
{
    Submit,
    Complete,
    Error, // usbmon's 'E': the submission itself failed
};

// One packet of a capture, whatever its format, with the link header decoded. The data points
// into the reader's buffer and is valid until its next packet.
struct UsbPacket
{
    std::uint64_t frame = 0; // 1-based, as capture viewers number them
    std::int64_t timeNs = 0; // since the epoch for pcap, since an arbitrary start for text
    std::uint64_t urbId = 0; // pairs a submission with its completion
    std::uint16_t bus = 0;
    std::uint8_t address = 0;
    std::uint8_t endpoint = 0; // with 0x80 set for IN
    TransferType transfer = TransferType::Control;
    PacketEvent event = PacketEvent::Submit;
    std::int32_t status = 0; // 0 for success; negative errno (usbmon) or USBD status
    bool hasSetup = false;
    std::array<std::uint8_t, 8> setup{};
    std::span<const std::uint8_t> data; // the captured payload
    std::uint32_t dataLength = 0;       // the payload's length on the bus
    // USBPcap sends a control transfer's OUT data in a packet of its own after the setup.
    bool isControlData = false;

    bool IsIn() const { return (endpoint & 0x80) != 0; }
    bool IsCut() const { return data.size() < dataLength; }
};

} // namespace quorlix
