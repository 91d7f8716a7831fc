// What needs the USB interface: the boot subclass and protocol, the HID descriptor's length,
// and the interrupt endpoint's packet budget.

#include "hosts/HostChecker.h"

#include <algorithm>
#include <string>

namespace quorlix::hosts {

void HostChecker::CheckInterface(HostProfileId profile)
{
    const UsbInterfaceFacts& usb = m_options.usb;
    if (ProfileOf(profile).sharesOsRules && !ProfileOf(profile).parent) {
        if (!usb.descriptorLength) {
            NotChecked("ALL-07");
        } else if (*usb.descriptorLength != m_bytes.size()) {
            ReportAtStart(profile, "ALL-07",
                          "wDescriptorLength is " + std::to_string(*usb.descriptorLength) +
                              " but the descriptor is " + std::to_string(m_bytes.size()) +
                              " bytes long",
                          "set wDescriptorLength in the HID descriptor to the report "
                          "descriptor's length");
        }
    }
    const bool keyboard = profile == HostProfileId::UsbBootKeyboard;
    if (!keyboard && profile != HostProfileId::UsbBootMouse) {
        return;
    }
    const char* rule = keyboard ? "BK-01" : "BM-01";
    const std::uint8_t protocol = keyboard ? 1 : 2;
    if (!usb.subclass || !usb.protocol) {
        NotChecked(rule);
        return;
    }
    if (*usb.subclass != 1 || *usb.protocol != protocol) {
        ReportAtStart(
            profile, rule,
            "the interface has subclass " + std::to_string(*usb.subclass) + " and protocol " +
                std::to_string(*usb.protocol) + ", not 1 and " + std::to_string(protocol),
            std::string("set bInterfaceSubClass 1 (boot) and bInterfaceProtocol ") +
                (keyboard ? "1 (keyboard)" : "2 (mouse)") + " in the interface descriptor");
    }
}

void HostChecker::CheckPacketBudget()
{
    const UsbInterfaceFacts& usb = m_options.usb;
    if (!usb.maxPacketSize) {
        const bool asked = std::find(m_result.profiles.begin(), m_result.profiles.end(),
                                     HostProfileId::Usb) != m_result.profiles.end();
        if (asked) {
            NotChecked("SZ-01");
            NotChecked("SZ-02");
            NotChecked("SZ-03");
        }
        return;
    }
    constexpr HostProfileId kProfile = HostProfileId::Usb;
    const std::uint32_t size = *usb.maxPacketSize & 0x7FFu;
    const std::uint32_t transactions = 1 + ((*usb.maxPacketSize >> 11) & 3u);
    const std::uint64_t budget = std::uint64_t{ size } * transactions;
    const std::uint32_t limit = !usb.speed                     ? 1024
                                : *usb.speed == UsbSpeed::Low  ? 8
                                : *usb.speed == UsbSpeed::Full ? 64
                                                               : 1024;
    if (size > limit || size == 0) {
        ReportAtStart(kProfile, "SZ-01",
                      "wMaxPacketSize " + std::to_string(size) + " is " +
                          (size == 0 ? "no packet at all"
                                     : "over the " + std::to_string(limit) +
                                           " bytes of this interrupt endpoint"),
                      "set wMaxPacketSize to at most " + std::to_string(limit));
    }
    if (budget == 0) {
        return;
    }
    for (const quorlix::Report& report : m_outline.model.reports) {
        if (report.type != ReportType::Input || report.fields.empty()) {
            continue;
        }
        const std::string name =
            "Input report " +
            (report.reportId == 0 ? std::string("without an id") : std::to_string(report.reportId));
        if (report.byteLength > budget) {
            // Point at the field that carries the first byte past the packet.
            const ReportField* crossing = &report.fields.back();
            for (const ReportField& field : report.fields) {
                if (field.bitOffset + field.BitLength() > budget * 8) {
                    crossing = &field;
                    break;
                }
            }
            const OutlineField* item = FieldAt(crossing->itemOffset);
            Report(kProfile, "SZ-02", crossing->itemOffset, item ? item->length : 1,
                   name + " is " + std::to_string(report.byteLength) +
                       " bytes on the wire, more than the endpoint's " + std::to_string(budget) +
                       "-byte packet, and this field crosses it",
                   "keep the report within " + std::to_string(budget) +
                       " bytes (split it under two report ids) or raise wMaxPacketSize");
        } else if (report.byteLength % budget == 0) {
            const OutlineField* item = FieldAt(report.fields.front().itemOffset);
            Report(kProfile, "SZ-03", report.fields.front().itemOffset, item ? item->length : 1,
                   name + " fills " + std::to_string(report.byteLength / budget) + " whole packet" +
                       (report.byteLength / budget == 1 ? "" : "s"),
                   "read it with a buffer of exactly " + std::to_string(report.byteLength) +
                       " bytes, or send a zero-length packet after it");
        }
    }
}

} // namespace quorlix::hosts
