#pragma once

#include "capture/UsbPacket.h"
#include "support/Expected.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorlix {

// What a frame or a line of a capture holds, when it can be read.
enum class LinkRecord : std::uint8_t
{
    Packet,     // a packet, now in packet
    NoTransfer, // nothing to take: a record of a request that is no transfer, a blank line
};

// Decodes a usbmon binary packet (link type 189 with its 48-byte header, or 220 with 64 bytes) in
// the byte order of this machine, as libpcap hands it over. Gives Packet and fills packet (frame
// and time aside), or the reason the frame holds no usable packet.
Expected<LinkRecord, std::string> DecodeUsbmonPacket(std::span<const std::uint8_t> bytes,
                                                     bool mmapped, UsbPacket& packet);

// Decodes a USBPcap packet: its little-endian header of at least 27 bytes, a control transfer's
// stage byte, then the payload. NoTransfer for USBPcap's records of requests that are no transfer.
Expected<LinkRecord, std::string> DecodeUsbPcapPacket(std::span<const std::uint8_t> bytes,
                                                      UsbPacket& packet);

// Decodes one line of usbmon text ("u" form with the bus, or the older "t" form without).
// Gives Packet, NoTransfer for a line that holds none (blank, an isochronous transfer whose
// layout this reader skips), or the reason the line is not usbmon text. data receives the
// line's data bytes and must outlive the packet.
Expected<LinkRecord, std::string>
DecodeUsbmonTextLine(std::string_view line, std::vector<std::uint8_t>& data, UsbPacket& packet);

} // namespace quorlix
