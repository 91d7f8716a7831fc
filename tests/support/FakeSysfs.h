#pragma once

#include <filesystem>
#include <span>
#include <string>

namespace quorlix::test {

// One HID device of a fake sysfs tree.
struct FakeHidDevice
{
    const char* parent;     // its parent device under devices/, e.g. pci0000:00/.../1-1:1.0
    const char* id;         // 0003:045E:0040.0001
    const char* hidId;      // the uevent's HID_ID, 0003:0000045E:00000040
    const char* name;       // HID_NAME
    const char* phys;       // HID_PHYS
    const char* uniq;       // HID_UNIQ
    const char* hidraw;     // hidrawN, or empty for none
    const char* descriptor; // file name in tests/data/descriptors
};

// Five devices: a USB mouse, the two interfaces of one USB keyboard (same vendor and product),
// a Bluetooth keyboard and an I2C touchpad, with the real descriptors of those devices. Their
// names, physical paths and hidraw numbers are made up in the style of a real machine's.
std::span<const FakeHidDevice> StandardFakeHidDevices();

// The bytes of a descriptor file of the test data (plain hex, blank-separated pairs).
std::string DescriptorBytes(const std::filesystem::path& hexFile);

// Builds a tree at root laid out as the kernel's: each device a folder under devices/ with its
// uevent, report_descriptor and hidraw/hidrawN, reached through the symlinks
// bus/hid/devices/ID and class/hidraw/hidrawN (whose device link leads back). The descriptors
// are read from dataDir. Gives false with a reason when something cannot be made.
bool BuildFakeSysfs(const std::filesystem::path& root, std::span<const FakeHidDevice> devices,
                    const std::filesystem::path& dataDir, std::string& reason);

} // namespace quorlix::test
