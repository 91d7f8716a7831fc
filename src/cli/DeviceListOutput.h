#pragma once

#include "devices/HidDevice.h"

#include <ostream>
#include <vector>

namespace quorlix {

// The devices as a table, one device a line under a heading line; or the one line
// "no HID devices found". Control characters in device names show as '?', so a device cannot
// write terminal escapes.
void WriteDeviceTable(std::ostream& out, const std::vector<HidDevice>& devices);

// The devices as one JSON document: {"devices": [{"id", "bus", "vendorId", "productId", "name",
// "hidraw", "descriptorLength", "descriptorPath"}]}, with a null length for a descriptor that
// cannot be read and invalid UTF-8 in names replaced.
void WriteDeviceJson(std::ostream& out, const std::vector<HidDevice>& devices);

} // namespace quorlix
