#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorlix {

// The name HID gives an item of that type (0 main, 1 global, 2 local) and tag ("Logical
// Maximum"), or an empty view for a tag it leaves undefined.
std::string_view HidItemName(unsigned type, unsigned tag);

// The data read as the signed number the HID rules make of it: one byte gives -128..127, two
// bytes -32768..32767, four bytes the full signed range; no data gives 0.
std::int64_t SignedItemValue(std::uint32_t value, std::size_t dataSize);

// "-1", "255".
std::string DecimalText(std::int64_t value);

// "0x0F", "0x1234": upper-case, at least two digits.
std::string HexText(std::uint32_t value);

// The bytes of an item as they are written in the descriptor: "26 FF 00".
std::string ItemBytesText(std::uint8_t prefix, std::uint32_t value, std::size_t dataSize);

// The shortest short item (of one data byte at least) of that type and tag whose data holds
// value, read signed or unsigned, as "26 FF 00"; empty when even four bytes do not hold it.
std::string ShortestItemText(unsigned type, unsigned tag, std::int64_t value, bool isSigned);

// How many data bytes (1, 2 or 4) the shortest such item needs, or 0 when none holds it.
std::size_t ShortestDataSize(std::int64_t value, bool isSigned);

// "Application", "Physical", "vendor-defined", for the data of a Collection item.
std::string CollectionKindText(std::uint32_t kind);

// "one byte", "two bytes", "four bytes".
std::string_view DataSizeWords(std::size_t dataSize);

} // namespace quorlix
