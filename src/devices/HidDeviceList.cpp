#include "devices/HidDeviceList.h"

#include "devices/BoundedFileRead.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <tuple>

namespace quorlix {
namespace {

namespace fs = std::filesystem;

// A sysfs text attribute fills at most one page.
constexpr std::size_t kMaxUeventSize = 4096;

// A hex field of one to eight digits, the whole of text.
std::optional<std::uint32_t> ParseHex(std::string_view text)
{
    if (text.empty() || text.size() > 8) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (const char c : text) {
        std::uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<std::uint32_t>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        } else {
            return std::nullopt;
        }
        value = value << 4 | digit;
    }
    return value;
}

// Splits text at the first separator; false when there is none.
bool SplitAt(std::string_view text, char separator, std::string_view& head, std::string_view& tail)
{
    const std::size_t at = text.find(separator);
    if (at == std::string_view::npos) {
        return false;
    }
    head = text.substr(0, at);
    tail = text.substr(at + 1);
    return true;
}

// HID_ID=0003:0000046D:0000C077 gives bus, vendor and product; other lines give the texts.
void ApplyUevent(std::string_view text, HidDevice& device)
{
    while (!text.empty()) {
        std::string_view line;
        if (!SplitAt(text, '\n', line, text)) {
            line = text;
            text = {};
        }
        std::string_view key;
        std::string_view value;
        if (!SplitAt(line, '=', key, value)) {
            continue;
        }
        if (key == "HID_NAME") {
            device.name = value;
        } else if (key == "HID_PHYS") {
            device.phys = value;
        } else if (key == "HID_UNIQ") {
            device.uniq = value;
        } else if (key == "HID_ID") {
            std::string_view bus;
            std::string_view vendor;
            std::string_view product;
            if (!SplitAt(value, ':', bus, value) || !SplitAt(value, ':', vendor, product)) {
                continue;
            }
            const auto busType = ParseHex(bus);
            const auto vendorId = ParseHex(vendor);
            const auto productId = ParseHex(product);
            if (busType && vendorId && productId) {
                device.busType = *busType;
                device.vendorId = *vendorId;
                device.productId = *productId;
            }
        }
    }
}

// The hidraw nodes in the device's hidraw folder, by ascending number.
std::vector<std::string> HidrawNodes(const fs::path& deviceDir)
{
    std::vector<std::pair<std::uint64_t, std::string>> numbered;
    std::error_code error;
    fs::directory_iterator entries(deviceDir / "hidraw", error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        const std::string name = entries->path().filename().string();
        if (name.size() <= 6 || name.size() > 16 || name.compare(0, 6, "hidraw") != 0 ||
            !std::all_of(name.begin() + 6, name.end(),
                         [](char c) { return c >= '0' && c <= '9'; })) {
            continue;
        }
        numbered.emplace_back(std::stoull(name.substr(6)), name);
        if (numbered.size() >= kMaxHidDevices) {
            break;
        }
    }
    std::sort(numbered.begin(), numbered.end());
    std::vector<std::string> nodes;
    for (auto& [number, name] : numbered) {
        nodes.push_back(std::move(name));
    }
    return nodes;
}

HidDevice ReadDevice(const fs::path& deviceDir, const std::string& id, const HidDeviceId& parsed)
{
    HidDevice device;
    device.id = id;
    device.busType = parsed.busType;
    device.vendorId = parsed.vendorId;
    device.productId = parsed.productId;
    device.instance = parsed.instance;

    if (const auto uevent =
            ReadBoundedRegularFile((deviceDir / "uevent").string(), kMaxUeventSize)) {
        ApplyUevent(*uevent, device);
    }
    device.bus = BusOfType(device.busType);
    device.hidraw = HidrawNodes(deviceDir);
    device.descriptorPath = (deviceDir / "report_descriptor").string();
    if (const auto descriptor =
            ReadBoundedRegularFile(device.descriptorPath, kMaxDeviceDescriptorSize)) {
        device.descriptorLength = descriptor->size();
    }
    return device;
}

} // namespace

std::optional<HidDeviceId> ParseHidDeviceId(std::string_view id)
{
    std::string_view bus;
    std::string_view vendor;
    std::string_view rest;
    std::string_view product;
    std::string_view instance;
    if (!SplitAt(id, ':', bus, rest) || !SplitAt(rest, ':', vendor, rest) ||
        !SplitAt(rest, '.', product, instance)) {
        return std::nullopt;
    }
    const auto busType = ParseHex(bus);
    const auto vendorId = ParseHex(vendor);
    const auto productId = ParseHex(product);
    const auto number = ParseHex(instance);
    if (!busType || !vendorId || !productId || !number) {
        return std::nullopt;
    }
    return HidDeviceId{ *busType, *vendorId, *productId, *number };
}

HidDeviceList ListHidDevices(const std::string& sysfsRoot)
{
    HidDeviceList list;
    const fs::path folder = fs::path(sysfsRoot) / "bus" / "hid" / "devices";
    std::error_code error;
    if (!fs::exists(folder, error)) {
        // Missing is no error (no HID devices); unreachable (no search permission) is.
        if (error) {
            list.error = folder.string() + ": cannot list folder: " + error.message();
        }
        return list;
    }
    fs::directory_iterator entries(folder, error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        const std::string id = entries->path().filename().string();
        const std::optional<HidDeviceId> parsed = ParseHidDeviceId(id);
        if (!parsed) {
            continue;
        }
        if (list.devices.size() == kMaxHidDevices) {
            list.error =
                folder.string() + ": more than " + std::to_string(kMaxHidDevices) + " HID devices";
            return list;
        }
        list.devices.push_back(ReadDevice(entries->path(), id, *parsed));
    }
    if (error) {
        list.error = folder.string() + ": cannot list folder: " + error.message();
    }
    std::sort(list.devices.begin(), list.devices.end(), [](const HidDevice& a, const HidDevice& b) {
        return std::tie(a.busType, a.vendorId, a.productId, a.instance, a.id) <
               std::tie(b.busType, b.vendorId, b.productId, b.instance, b.id);
    });
    return list;
}

} // namespace quorlix
