#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorlix {

// A report descriptor read from a connected device, or why it could not be read.
struct DeviceDescriptor
{
    bool ok = false;
    std::string bytes;
    std::string path;     // the file or node the bytes came from
    std::string deviceId; // the sysfs id of the device, when it was found in sysfs
    std::string error;    // lower-case, without the name the user gave
};

// Reads a sysfs report_descriptor file: a regular file of 1 to 4096 bytes. An empty or longer
// file, or anything but a regular file, is an error and is never waited on.
DeviceDescriptor ReadSysfsDescriptor(const std::string& path);

// Reads the descriptor of the hidraw node at nodePath from the node itself when it can be
// opened; otherwise (no such node, no permission, not a hidraw node) from the sysfs descriptor
// of the device that owns a node of that name under sysfsRoot.
DeviceDescriptor ReadHidrawDescriptor(const std::string& nodePath, const std::string& sysfsRoot);

// Reads the descriptor of the device that selector names (see SelectDevice) among the devices
// under sysfsRoot: a /dev/hidrawN selector as a node, as above; every other from sysfs.
DeviceDescriptor ReadSelectedDescriptor(const std::string& sysfsRoot, std::string_view selector);

// The files the device that selector names is read through: its sysfs report_descriptor and its
// /dev/hidrawN nodes (and a /dev/hidrawN selector itself). Empty when it names no device.
std::vector<std::string> SelectedDeviceFiles(const std::string& sysfsRoot,
                                             std::string_view selector);

// True when path names a hidraw node: /dev/hidrawN, or a character device whose real path is one
// (a udev symlink).
bool IsHidrawNodePath(const std::string& path);

} // namespace quorlix
