#pragma once

#include <cstdint>
#include <string>

namespace quorlix::bench {

// Writes a usbmon capture (pcap, link type 220) of one boot keyboard at bus 1, address 7: its
// enumeration (device, configuration and the 63-byte report descriptor of interface 0), then
// reports interrupt IN reports of 8 bytes on endpoint 0x81, keys pressed and released in turn,
// 1 ms apart. Streams to the file, so captures of any length take no memory. Gives false, with
// errno set, when the file cannot be written.
bool WriteKeyboardCapture(const std::string& path, std::uint64_t reports);

} // namespace quorlix::bench
