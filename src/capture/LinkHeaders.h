#pragma once

#include "capture/UsbPacket.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorlix {

// Decodes a usbmon binary packet (link type 189 with its 48-byte header, or 220 with 64 bytes) in
// the byte order of this machine, as libpcap hands it over. Gives "" and fills packet (frame and
// time aside), or the reason the frame holds no usable packet.
std::string DecodeUsbmonPacket(std::span<const std::uint8_t> bytes, bool mmapped,
                               UsbPacket& packet);

// Decodes a USBPcap packet: its little-endian header of at least 27 bytes, a control transfer's
// stage byte, then the payload. "-" for USBPcap's records of requests that are no transfer.
std::string DecodeUsbPcapPacket(std::span<const std::uint8_t> bytes, UsbPacket& packet);

// Decodes one line of usbmon text ("u" form with the bus, or the older "t" form without).
// Gives "" for a packet, "-" for a line that holds none (blank, an isochronous transfer whose
// layout this reader skips), or the reason the line is not usbmon text. data receives the
// line's data bytes and must outlive the packet.
std::string DecodeUsbmonTextLine(std::string_view line, std::vector<std::uint8_t>& data,
                                 UsbPacket& packet);

} // namespace quorlix
