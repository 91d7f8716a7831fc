#pragma once

#include "devices/HidDevice.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorlix {

// The device a selector names, or why it names none.
struct DeviceSelection
{
    const HidDevice* device = nullptr; // points into the list given
    std::string error;                 // lower-case, without the selector itself
};

// Finds the one device that selector names in devices: hidrawN, /dev/hidrawN, a sysfs id
// (0003:046D:C52B.0001), or VID:PID in hex with an optional /N for the Nth such device (from 1,
// in list order). A selector that fits none of these, names no device, or names several without
// /N gives an error that says which.
DeviceSelection SelectDevice(const std::vector<HidDevice>& devices, std::string_view selector);

// True for hidrawN and /dev/hidrawN (N decimal); node then holds hidrawN.
bool ParseHidrawName(std::string_view text, std::string& node);

} // namespace quorlix
