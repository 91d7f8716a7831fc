#include "forms/LsusbInterface.h"

#include "forms/FormText.h"

namespace quorlix {
namespace {

using forms::HexValue;
using forms::IsDecimalDigit;
using forms::LineWalker;
using forms::StartsWith;
using forms::TrimBlanks;

// The number after the field's name, decimal or 0x hexadecimal; nothing when there is none.
std::optional<std::uint32_t> FieldNumber(std::string_view line, std::string_view name)
{
    const std::size_t at = line.find(name);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view rest = TrimBlanks(line.substr(at + name.size()));
    std::uint32_t base = 10;
    if (StartsWith(rest, "0x")) {
        base = 16;
        rest.remove_prefix(2);
    }
    std::uint64_t value = 0;
    std::size_t digits = 0;
    for (; digits < rest.size() && digits < 8; ++digits) {
        const int digit = base == 16                     ? HexValue(rest[digits])
                          : IsDecimalDigit(rest[digits]) ? rest[digits] - '0'
                                                         : -1;
        if (digit < 0) {
            break;
        }
        value = value * base + static_cast<std::uint64_t>(digit);
    }
    if (digits == 0 || value > UINT32_MAX) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

} // namespace

LsusbInterface ReadLsusbInterface(std::string_view text, std::uint32_t sectionLine)
{
    LsusbInterface current;
    LsusbInterface chosen;
    std::optional<std::uint8_t> speed;
    bool holdsChosen = false;
    bool found = false;
    bool endpointIn = false;
    bool interrupt = false;
    LineWalker lines(text);
    std::string_view line;
    const auto close = [&]() {
        if (holdsChosen && !found) {
            chosen = current;
            found = true;
        }
        holdsChosen = false;
    };
    while (lines.Next(line)) {
        const std::string_view trimmed = TrimBlanks(line);
        if (StartsWith(trimmed, "Negotiated speed:") || StartsWith(trimmed, "Bus ")) {
            close();
            if (StartsWith(trimmed, "Negotiated speed:")) {
                speed = trimmed.find("Low") != std::string_view::npos    ? 0
                        : trimmed.find("Full") != std::string_view::npos ? 1
                                                                         : 2;
            } else {
                speed.reset();
            }
        } else if (StartsWith(trimmed, "Interface Descriptor:")) {
            close();
            current = {};
            current.speed = speed;
        } else if (StartsWith(trimmed, "bInterfaceSubClass")) {
            if (const auto value = FieldNumber(trimmed, "bInterfaceSubClass");
                value && *value < 256) {
                current.subclass = static_cast<std::uint8_t>(*value);
            }
        } else if (StartsWith(trimmed, "bInterfaceProtocol")) {
            if (const auto value = FieldNumber(trimmed, "bInterfaceProtocol");
                value && *value < 256) {
                current.protocol = static_cast<std::uint8_t>(*value);
            }
        } else if (StartsWith(trimmed, "wDescriptorLength")) {
            current.descriptorLength = FieldNumber(trimmed, "wDescriptorLength");
        } else if (StartsWith(trimmed, "Report Descriptor:")) {
            holdsChosen = holdsChosen || lines.Number() == sectionLine;
        } else if (StartsWith(trimmed, "bEndpointAddress")) {
            endpointIn = trimmed.find(" IN") != std::string_view::npos;
            interrupt = false;
        } else if (StartsWith(trimmed, "Transfer Type")) {
            interrupt = trimmed.find("Interrupt") != std::string_view::npos;
        } else if (StartsWith(trimmed, "wMaxPacketSize")) {
            const auto value = FieldNumber(trimmed, "wMaxPacketSize");
            if (endpointIn && interrupt && value && *value <= 0xFFFF && !current.maxPacketSize) {
                current.maxPacketSize = static_cast<std::uint16_t>(*value);
            }
        }
    }
    close();
    return chosen;
}

} // namespace quorlix
