#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorlix {

// The bus a HID device is attached through, from the bus field of its id.
enum class HidBus
{
    Usb,
    Bluetooth,
    I2c,
    Virtual,
    Other,
};

// One HID device as the kernel lists it under bus/hid/devices.
struct HidDevice
{
    std::string id; // BUS:VENDOR:PRODUCT.INSTANCE in hexadecimal, the kernel's own name
    HidBus bus = HidBus::Other;
    std::uint32_t busType = 0; // 0x0003 USB, 0x0005 Bluetooth, 0x0018 I2C, 0x0006 virtual
    std::uint32_t vendorId = 0;
    std::uint32_t productId = 0;
    std::uint32_t instance = 0;
    std::string name;                            // HID_NAME
    std::string phys;                            // HID_PHYS, e.g. usb-0000:00:14.0-2/input0
    std::string uniq;                            // HID_UNIQ, often empty
    std::vector<std::string> hidraw;             // hidraw nodes, e.g. hidraw3, in ascending number
    std::optional<std::size_t> descriptorLength; // none when report_descriptor cannot be read
    std::string descriptorPath;                  // SYSFS/bus/hid/devices/ID/report_descriptor
};

// The most bytes a device's report descriptor can have as the kernel keeps it.
inline constexpr std::size_t kMaxDeviceDescriptorSize = 4096;

// The bus of a bus type number; numbers the kernel has no HID driver for are Other.
HidBus BusOfType(std::uint32_t busType);

// The bus as users name it: USB, Bluetooth, I2C, virtual or other.
std::string_view BusName(HidBus bus);

// The interface part of HID_PHYS, after its last slash ("input0"); empty when there is none.
std::string_view InterfaceName(const HidDevice& device);

// The folder that stands for /sys: QUORLIX_SYSFS_ROOT when it is set and not empty, else /sys.
std::string SysfsRoot();

// True when path lies under SysfsRoot(), where every attribute file is binary or kernel text.
bool IsUnderSysfsRoot(std::string_view path);

} // namespace quorlix
