#include "capture/CapturedDescriptors.h"

#include "support/HexDigits.h"

#include <charconv>
#include <string_view>

namespace quorlix {
namespace {

std::string HexId(std::uint16_t value, bool upper)
{
    std::string text;
    for (int shift = 12; shift >= 0; shift -= 4) {
        const char digit = UpperHexDigit(value >> shift);
        text += upper || digit < 'A' ? digit : static_cast<char>(digit - 'A' + 'a');
    }
    return text;
}

const CapturedDevice* DeviceWithIds(const CaptureInventory& inventory, const CapturedDescriptor& d)
{
    // The last entry wins, as a device that was re-enumerated at the same address is the newer.
    const CapturedDevice* found = nullptr;
    for (const CapturedDevice& device : inventory.devices) {
        if (device.bus == d.bus && device.address == d.address && device.hasIds) {
            found = &device;
        }
    }
    return found;
}

} // namespace

bool ParseInterfaceSelector(const std::string& text, std::uint16_t& bus, std::uint8_t& address,
                            int& interface)
{
    const char* p = text.data();
    const char* end = text.data() + text.size();
    unsigned busNumber = 0;
    unsigned addressNumber = 0;
    auto r = std::from_chars(p, end, busNumber);
    if (r.ec != std::errc() || r.ptr == end || *r.ptr != '.' || busNumber > 0xFFFF) {
        return false;
    }
    r = std::from_chars(r.ptr + 1, end, addressNumber);
    if (r.ec != std::errc() || addressNumber > 0xFF) {
        return false;
    }
    bus = static_cast<std::uint16_t>(busNumber);
    address = static_cast<std::uint8_t>(addressNumber);
    interface = -1;
    if (r.ptr == end) {
        return true;
    }
    unsigned number = 0;
    if (*r.ptr != ':') {
        return false;
    }
    r = std::from_chars(r.ptr + 1, end, number);
    if (r.ec != std::errc() || r.ptr != end || number > 0xFFFF) {
        return false;
    }
    interface = static_cast<int>(number);
    return true;
}

Expected<CapturedDescriptorChoice, CapturedDescriptorError>
ChooseCapturedDescriptor(const CaptureInventory& inventory,
                         const CapturedDescriptorRequest& request, DescriptorInput& input)
{
    input = DescriptorInput{};
    input.form = InputForm::Binary;
    const std::vector<CapturedDescriptor>& descriptors = inventory.descriptors;
    input.descriptors = descriptors.size();
    for (std::size_t k = 0; k < descriptors.size(); ++k) {
        const CapturedDescriptor& d = descriptors[k];
        DescriptorCandidate candidate;
        candidate.index = k;
        candidate.length = d.bytes.size();
        candidate.reportDescriptor = ParsesAsReportDescriptor(
            std::string_view(reinterpret_cast<const char*>(d.bytes.data()), d.bytes.size()));
        candidate.label = InterfaceName(d.bus, d.address, d.interface);
        if (const CapturedDevice* device = DeviceWithIds(inventory, d)) {
            candidate.device =
                HexId(device->vendorId, false) + ':' + HexId(device->productId, false);
        }
        input.candidates.push_back(std::move(candidate));
    }

    if (descriptors.empty()) {
        return Unexpected(CapturedDescriptorError::NoDescriptor);
    }
    CapturedDescriptorChoice choice;
    choice.index = request.index.value_or(0);
    if (!request.interfaceSelector.empty()) {
        std::uint16_t bus = 0;
        std::uint8_t address = 0;
        int interface = -1;
        if (!ParseInterfaceSelector(request.interfaceSelector, bus, address, interface)) {
            return Unexpected(CapturedDescriptorError::BadSelector);
        }
        choice.index = descriptors.size();
        for (std::size_t k = 0; k < descriptors.size(); ++k) {
            const CapturedDescriptor& d = descriptors[k];
            if (d.bus == bus && d.address == address &&
                (interface < 0 || d.interface == interface)) {
                choice.index = k;
                break;
            }
        }
        if (choice.index == descriptors.size()) {
            return Unexpected(CapturedDescriptorError::NoSuchInterface);
        }
    } else if (choice.index >= descriptors.size()) {
        return Unexpected(CapturedDescriptorError::NoSuchIndex);
    }
    const CapturedDescriptor& d = descriptors[choice.index];
    choice.interfaceName = InterfaceName(d.bus, d.address, d.interface);
    if (const CapturedDevice* device = DeviceWithIds(inventory, d)) {
        choice.deviceId =
            "0003:" + HexId(device->vendorId, true) + ':' + HexId(device->productId, true);
    }
    input.bytes.assign(d.bytes.begin(), d.bytes.end());
    input.index = choice.index;
    return choice;
}

} // namespace quorlix
