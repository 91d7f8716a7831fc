#include "support/FakeSysfs.h"

#include <fstream>
#include <system_error>

namespace quorlix::test {
namespace {

namespace fs = std::filesystem;

// clang-format off
constexpr FakeHidDevice kStandardDevices[] = {
    { "pci0000:00/0000:00:14.0/usb1/1-1/1-1:1.0", "0003:045E:0040.0001", "0003:0000045E:00000040",
      "Microsoft Microsoft Wheel Mouse Optical\xC2\xAE", "usb-0000:00:14.0-1/input0", "", "hidraw0",
      "ms-wheel-mouse-optical.txt" },
    { "pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0", "0003:045E:00DB.0002", "0003:0000045E:000000DB",
      "Microsoft Natural\xC2\xAE Ergonomic Keyboard 4000", "usb-0000:00:14.0-2/input0", "", "hidraw1",
      "ms-natural-ergonomic-4000-kbd.txt" },
    { "pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.1", "0003:045E:00DB.0003", "0003:0000045E:000000DB",
      "Microsoft Natural\xC2\xAE Ergonomic Keyboard 4000", "usb-0000:00:14.0-2/input1", "", "hidraw2",
      "ms-natural-ergonomic-4000-consumer.txt" },
    { "pci0000:00/0000:00:14.0/usb1/1-3/1-3:1.0/bluetooth/hci0/hci0:256", "0005:05AC:0256.0004",
      "0005:000005AC:00000256", "Apple Wireless Keyboard", "5c:f3:70:8a:21:4e", "28:37:37:1b:0f:9c",
      "hidraw3", "apple-wireless-keyboard.txt" },
    { "pci0000:00/0000:00:15.1/i2c_designware.1/i2c-1/i2c-SYNA7DB5:00", "0018:06CB:CE37.0005",
      "0018:000006CB:0000CE37", "SYNA7DB5:00 06CB:CE37", "i2c-SYNA7DB5:00", "", "hidraw4",
      "synaptics-touchpad-i2c.txt" },
};
// clang-format on

bool WriteFile(const fs::path& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    return static_cast<bool>(out);
}

// The hidraw number, for the node's dev file (major 240 is where a real system puts them).
std::string HidrawMinor(const std::string& node)
{
    return node.substr(6);
}

} // namespace

std::string DescriptorBytes(const fs::path& hexFile)
{
    std::ifstream in(hexFile, std::ios::binary);
    std::string bytes;
    std::string pair;
    while (in >> pair) {
        bytes.push_back(static_cast<char>(std::stoi(pair, nullptr, 16)));
    }
    return bytes;
}

std::span<const FakeHidDevice> StandardFakeHidDevices()
{
    return kStandardDevices;
}

bool BuildFakeSysfs(const fs::path& root, std::span<const FakeHidDevice> devices,
                    const fs::path& dataDir, std::string& reason)
{
    std::error_code error;
    fs::create_directories(root / "bus" / "hid" / "devices", error);
    fs::create_directories(root / "class" / "hidraw", error);
    for (const FakeHidDevice& device : devices) {
        const fs::path relative = fs::path("devices") / device.parent / device.id;
        const fs::path folder = root / relative;
        fs::create_directories(folder, error);
        if (error) {
            reason = folder.string() + ": " + error.message();
            return false;
        }
        const std::string uevent = std::string("DRIVER=hid-generic\nHID_ID=") + device.hidId +
                                   "\nHID_NAME=" + device.name + "\nHID_PHYS=" + device.phys +
                                   "\nHID_UNIQ=" + device.uniq + "\nMODALIAS=hid:b" +
                                   std::string(device.id).substr(0, 4) + "g0001v0000" +
                                   std::string(device.id).substr(5, 4) + "p0000" +
                                   std::string(device.id).substr(10, 4) + "\n";
        if (!WriteFile(folder / "uevent", uevent) ||
            !WriteFile(folder / "report_descriptor",
                       DescriptorBytes(dataDir / device.descriptor))) {
            reason = folder.string() + ": cannot write uevent or report_descriptor";
            return false;
        }
        // bus/hid/devices/ID -> ../../../devices/PARENT/ID, as the kernel links it.
        fs::create_directory_symlink(fs::path("../../..") / relative,
                                     root / "bus" / "hid" / "devices" / device.id, error);
        const std::string node = device.hidraw;
        if (!node.empty()) {
            const fs::path nodeFolder = folder / "hidraw" / node;
            fs::create_directories(nodeFolder, error);
            const std::string minor = HidrawMinor(node);
            WriteFile(nodeFolder / "dev", "240:" + minor + "\n");
            WriteFile(nodeFolder / "uevent",
                      "MAJOR=240\nMINOR=" + minor + "\nDEVNAME=" + node + "\n");
            // Its device link leads back to the HID device: ../../../ID.
            fs::create_directory_symlink(fs::path("../../..") / device.id, nodeFolder / "device",
                                         error);
            fs::create_directory_symlink(fs::path("../..") / relative / "hidraw" / node,
                                         root / "class" / "hidraw" / node, error);
        }
        if (error) {
            reason = folder.string() + ": " + error.message();
            return false;
        }
    }
    return true;
}

} // namespace quorlix::test
