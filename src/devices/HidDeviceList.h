#pragma once

#include "devices/HidDevice.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorlix {

// What listing the devices gave: the devices, or why they could not be listed.
struct HidDeviceList
{
    std::vector<HidDevice> devices;
    std::string error; // empty when the list is complete
};

// The most devices one listing takes; a tree with more is not a kernel's.
inline constexpr std::size_t kMaxHidDevices = 1024;

// Every HID device under sysfsRoot/bus/hid/devices, ordered by bus, vendor, product and
// instance. A root without that folder has no HID devices (an empty list, no error). An entry
// whose name is not a HID device id is skipped; a device whose uevent cannot be read keeps what
// its id says, and one whose report_descriptor cannot be read has no descriptor length.
HidDeviceList ListHidDevices(const std::string& sysfsRoot);

// The bus, vendor, product and instance of an id such as 0003:046D:C52B.0001 (hex, any case).
struct HidDeviceId
{
    std::uint32_t busType = 0;
    std::uint32_t vendorId = 0;
    std::uint32_t productId = 0;
    std::uint32_t instance = 0;
};
std::optional<HidDeviceId> ParseHidDeviceId(std::string_view id);

} // namespace quorlix
