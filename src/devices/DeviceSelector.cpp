#include "devices/DeviceSelector.h"

#include "devices/HidDeviceList.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>

namespace quorlix {
namespace {

bool IsDecimal(std::string_view text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsHex(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    });
}

std::uint32_t HexValue(std::string_view text)
{
    std::uint32_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return value;
}

std::string Hex4(std::uint32_t value)
{
    char text[12];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(value));
    return text;
}

DeviceSelection Found(const HidDevice& device)
{
    DeviceSelection selection;
    selection.device = &device;
    return selection;
}

DeviceSelection Failed(std::string error)
{
    DeviceSelection selection;
    selection.error = std::move(error);
    return selection;
}

DeviceSelection SelectByHidraw(const std::vector<HidDevice>& devices, const std::string& node)
{
    for (const HidDevice& device : devices) {
        if (std::find(device.hidraw.begin(), device.hidraw.end(), node) != device.hidraw.end()) {
            return Found(device);
        }
    }
    return Failed("no HID device has " + node);
}

DeviceSelection SelectById(const std::vector<HidDevice>& devices, const HidDeviceId& id)
{
    // Compared by value, so 0003:046d:c52b.1 finds 0003:046D:C52B.0001.
    for (const HidDevice& device : devices) {
        const std::optional<HidDeviceId> own = ParseHidDeviceId(device.id);
        if (own && own->busType == id.busType && own->vendorId == id.vendorId &&
            own->productId == id.productId && own->instance == id.instance) {
            return Found(device);
        }
    }
    return Failed("no HID device with this id");
}

DeviceSelection SelectByVendorProduct(const std::vector<HidDevice>& devices, std::uint32_t vendorId,
                                      std::uint32_t productId, std::optional<std::size_t> nth)
{
    std::vector<const HidDevice*> matches;
    for (const HidDevice& device : devices) {
        if (device.vendorId == vendorId && device.productId == productId) {
            matches.push_back(&device);
        }
    }
    const std::string pair = Hex4(vendorId) + ":" + Hex4(productId);
    if (matches.empty()) {
        return Failed("no HID device " + pair);
    }
    if (nth) {
        if (*nth == 0 || *nth > matches.size()) {
            const std::size_t count = matches.size();
            return Failed("there " + std::string(count == 1 ? "is " : "are ") +
                          std::to_string(count) + " HID device" + (count == 1 ? "" : "s") + " " +
                          pair + ", numbered from 1");
        }
        return Found(*matches[*nth - 1]);
    }
    if (matches.size() > 1) {
        std::string ids;
        for (const HidDevice* device : matches) {
            ids += (ids.empty() ? "" : ", ") + device->id;
        }
        return Failed(std::to_string(matches.size()) + " HID devices are " + pair + " (" + ids +
                      "): add /1 to /" + std::to_string(matches.size()) + " to pick one");
    }
    return Found(*matches.front());
}

} // namespace

bool ParseHidrawName(std::string_view text, std::string& node)
{
    constexpr std::string_view kDev = "/dev/";
    if (text.substr(0, kDev.size()) == kDev) {
        text.remove_prefix(kDev.size());
    }
    constexpr std::string_view kHidraw = "hidraw";
    if (text.size() > 16 || text.substr(0, kHidraw.size()) != kHidraw ||
        !IsDecimal(text.substr(kHidraw.size()))) {
        return false;
    }
    node = text;
    return true;
}

DeviceSelection SelectDevice(const std::vector<HidDevice>& devices, std::string_view selector)
{
    std::string node;
    const bool isHidraw = ParseHidrawName(selector, node);
    const std::optional<HidDeviceId> id = ParseHidDeviceId(selector);

    // VID:PID, then an optional /N.
    std::string_view pair = selector;
    std::optional<std::size_t> nth;
    const std::size_t slash = selector.find('/');
    bool isPair = false;
    if (!isHidraw && !id) {
        if (slash != std::string_view::npos) {
            const std::string_view number = selector.substr(slash + 1);
            pair = selector.substr(0, slash);
            if (IsDecimal(number) && number.size() <= 6) {
                nth = static_cast<std::size_t>(std::stoul(std::string(number)));
            }
        }
        const std::size_t colon = pair.find(':');
        isPair = colon != std::string_view::npos && colon <= 4 && pair.size() - colon - 1 <= 4 &&
                 IsHex(pair.substr(0, colon)) && IsHex(pair.substr(colon + 1)) &&
                 (slash == std::string_view::npos || nth);
    }
    if (!isHidraw && !id && !isPair) {
        return Failed("not a device: give hidrawN, /dev/hidrawN, a sysfs id such as "
                      "0003:046D:C52B.0001, or VID:PID with an optional /N");
    }
    if (devices.empty()) {
        return Failed("no HID devices found");
    }
    if (isHidraw) {
        return SelectByHidraw(devices, node);
    }
    if (id) {
        return SelectById(devices, *id);
    }
    const std::size_t colon = pair.find(':');
    return SelectByVendorProduct(devices, HexValue(pair.substr(0, colon)),
                                 HexValue(pair.substr(colon + 1)), nth);
}

} // namespace quorlix
