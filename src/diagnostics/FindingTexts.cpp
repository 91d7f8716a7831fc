#include "diagnostics/FindingTexts.h"

#include "support/Bits.h"
#include "support/HexDigits.h"

#include <array>
#include <charconv>

namespace quorlix {

std::string_view HidItemName(unsigned type, unsigned tag)
{
    static constexpr std::array<std::string_view, 16> kMain = {
        "",
        "",
        "",
        "",
        "",
        "",
        "",
        "",
        "Input",
        "Output",
        "Collection",
        "Feature",
        "End Collection",
        "",
        "",
        "",
    };
    static constexpr std::array<std::string_view, 16> kGlobal = {
        "Usage Page",
        "Logical Minimum",
        "Logical Maximum",
        "Physical Minimum",
        "Physical Maximum",
        "Unit Exponent",
        "Unit",
        "Report Size",
        "Report ID",
        "Report Count",
        "Push",
        "Pop",
        "",
        "",
        "",
        "",
    };
    static constexpr std::array<std::string_view, 16> kLocal = {
        "Usage",
        "Usage Minimum",
        "Usage Maximum",
        "Designator Index",
        "Designator Minimum",
        "Designator Maximum",
        "",
        "String Index",
        "String Minimum",
        "String Maximum",
        "Delimiter",
        "",
        "",
        "",
        "",
        "",
    };
    if (tag >= 16) {
        return {};
    }
    switch (type) {
    case 0:
        return kMain[tag];
    case 1:
        return kGlobal[tag];
    case 2:
        return kLocal[tag];
    default:
        return {};
    }
}

std::int64_t SignedItemValue(std::uint32_t value, std::size_t dataSize)
{
    return dataSize <= 4 ? SignExtend(value, static_cast<unsigned>(8 * dataSize)) : 0;
}

std::string DecimalText(std::int64_t value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string HexText(std::uint32_t value)
{
    char buffer[12];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
    std::string digits(buffer, result.ptr);
    for (char& c : digits) {
        if (c >= 'a' && c <= 'f') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    if (digits.size() % 2 != 0) {
        digits.insert(digits.begin(), '0');
    }
    return "0x" + digits;
}

std::string ItemBytesText(std::uint8_t prefix, std::uint32_t value, std::size_t dataSize)
{
    std::string text;
    text.reserve(3 * (1 + dataSize));
    const auto append = [&](std::uint8_t byte) {
        if (!text.empty()) {
            text += ' ';
        }
        text += UpperHexDigit(byte >> 4);
        text += UpperHexDigit(byte);
    };
    append(prefix);
    for (std::size_t i = 0; i < dataSize && i < 4; ++i) {
        append(static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF));
    }
    return text;
}

std::size_t ShortestDataSize(std::int64_t value, bool isSigned)
{
    if (isSigned) {
        if (value >= -128 && value <= 127) {
            return 1;
        }
        if (value >= -32768 && value <= 32767) {
            return 2;
        }
        if (value >= INT32_MIN && value <= INT32_MAX) {
            return 4;
        }
        return 0;
    }
    if (value < 0) {
        return 0;
    }
    if (value <= 0xFF) {
        return 1;
    }
    if (value <= 0xFFFF) {
        return 2;
    }
    return value <= 0xFFFFFFFF ? 4 : 0;
}

std::string ShortestItemText(unsigned type, unsigned tag, std::int64_t value, bool isSigned)
{
    const std::size_t size = ShortestDataSize(value, isSigned);
    if (size == 0) {
        return {};
    }
    const unsigned sizeCode = size == 4 ? 3 : static_cast<unsigned>(size);
    const auto prefix = static_cast<std::uint8_t>((tag << 4) | (type << 2) | sizeCode);
    return ItemBytesText(prefix, static_cast<std::uint32_t>(value), size);
}

std::string CollectionKindText(std::uint32_t kind)
{
    static constexpr std::array<std::string_view, 7> kKinds = {
        "Physical",    "Application",  "Logical",        "Report",
        "Named Array", "Usage Switch", "Usage Modifier",
    };
    if (kind < kKinds.size()) {
        return std::string(kKinds[kind]);
    }
    if (kind >= 0x80 && kind <= 0xFF) {
        return "vendor-defined " + HexText(kind);
    }
    return "reserved " + HexText(kind);
}

std::string_view DataSizeWords(std::size_t dataSize)
{
    switch (dataSize) {
    case 0:
        return "no data bytes";
    case 1:
        return "one byte";
    case 2:
        return "two bytes";
    default:
        return "four bytes";
    }
}

} // namespace quorlix
