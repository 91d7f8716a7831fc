#include "cli/DeviceListOutput.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

namespace quorlix {
namespace {

std::string Hex4(std::uint32_t value)
{
    char text[12];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(value));
    return text;
}

std::string Printable(std::string text)
{
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            c = '?';
        }
    }
    return text;
}

std::string JoinedHidraw(const HidDevice& device)
{
    std::string text;
    for (const std::string& node : device.hidraw) {
        text += (text.empty() ? "" : ",") + node;
    }
    return text.empty() ? "-" : text;
}

} // namespace

void WriteDeviceTable(std::ostream& out, const std::vector<HidDevice>& devices)
{
    if (devices.empty()) {
        out << "no HID devices found\n";
        return;
    }
    constexpr std::size_t kColumns = 6;
    using Row = std::array<std::string, kColumns>;
    std::vector<Row> rows;
    rows.push_back({ "ID", "BUS", "VID:PID", "HIDRAW", "BYTES", "NAME" });
    for (const HidDevice& device : devices) {
        rows.push_back({ device.id, std::string(BusName(device.bus)),
                         Hex4(device.vendorId) + ":" + Hex4(device.productId), JoinedHidraw(device),
                         device.descriptorLength ? std::to_string(*device.descriptorLength) : "?",
                         Printable(device.name) });
    }
    std::array<std::size_t, kColumns> widths{};
    for (const Row& row : rows) {
        for (std::size_t i = 0; i < kColumns; ++i) {
            widths[i] = std::max(widths[i], row[i].size());
        }
    }
    for (const Row& row : rows) {
        std::string line;
        for (std::size_t i = 0; i + 1 < kColumns; ++i) {
            // The byte count is a number: right-aligned.
            const std::string pad(widths[i] - row[i].size(), ' ');
            line += i == 4 ? pad + row[i] : row[i] + pad;
            line += "  ";
        }
        line += row[kColumns - 1];
        while (!line.empty() && line.back() == ' ') {
            line.pop_back();
        }
        out << line << '\n';
    }
}

void WriteDeviceJson(std::ostream& out, const std::vector<HidDevice>& devices)
{
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const HidDevice& device : devices) {
        nlohmann::ordered_json length = nullptr;
        if (device.descriptorLength) {
            length = *device.descriptorLength;
        }
        list.push_back({
            { "id", device.id },
            { "bus", std::string(BusName(device.bus)) },
            { "vendorId", device.vendorId },
            { "productId", device.productId },
            { "name", device.name },
            { "hidraw", device.hidraw },
            { "descriptorLength", length },
            { "descriptorPath", device.descriptorPath },
        });
    }
    const nlohmann::ordered_json document = { { "devices", list } };
    out << document.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

} // namespace quorlix
