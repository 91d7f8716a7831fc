#include "devices/HidDevice.h"

#include <cstdlib>

namespace quorlix {

HidBus BusOfType(std::uint32_t busType)
{
    switch (busType) {
    case 0x0003:
        return HidBus::Usb;
    case 0x0005:
        return HidBus::Bluetooth;
    case 0x0018:
        return HidBus::I2c;
    case 0x0006:
        return HidBus::Virtual;
    default:
        return HidBus::Other;
    }
}

std::string_view BusName(HidBus bus)
{
    switch (bus) {
    case HidBus::Usb:
        return "USB";
    case HidBus::Bluetooth:
        return "Bluetooth";
    case HidBus::I2c:
        return "I2C";
    case HidBus::Virtual:
        return "virtual";
    case HidBus::Other:
        break;
    }
    return "other";
}

std::string_view InterfaceName(const HidDevice& device)
{
    const std::string_view phys = device.phys;
    const std::size_t slash = phys.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : phys.substr(slash + 1);
}

std::string SysfsRoot()
{
    // Tests and demonstrations point this at a fake tree; nothing else should need it.
    const char* root = std::getenv("QUORLIX_SYSFS_ROOT");
    return root != nullptr && *root != '\0' ? std::string(root) : std::string("/sys");
}

bool IsUnderSysfsRoot(std::string_view path)
{
    std::string root = SysfsRoot();
    while (root.size() > 1 && root.back() == '/') {
        root.pop_back();
    }
    return path.size() > root.size() + 1 && path.substr(0, root.size()) == root &&
           path[root.size()] == '/';
}

} // namespace quorlix
