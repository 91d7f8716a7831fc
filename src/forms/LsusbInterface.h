#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quorlix {

// What lsusb -v says around a report descriptor: its interface's subclass and protocol, the HID
// descriptor's wDescriptorLength, the interrupt IN endpoint's wMaxPacketSize as written (bits
// 12:11 included) and the device's speed. Each is absent when the text does not say it.
struct LsusbInterface
{
    std::optional<std::uint8_t> subclass;
    std::optional<std::uint8_t> protocol;
    std::optional<std::size_t> descriptorLength;
    std::optional<std::uint16_t> maxPacketSize;
    std::optional<std::uint8_t> speed; // 0 low, 1 full, 2 high or faster
};

// The interface of the "Report Descriptor:" section whose header is on that line (1-based) of
// lsusb -v text; all absent when no section starts there. Reads each line once.
LsusbInterface ReadLsusbInterface(std::string_view text, std::uint32_t sectionLine);

} // namespace quorlix
