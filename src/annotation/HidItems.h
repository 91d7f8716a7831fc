#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace quorlix {

// The prefix byte: size code in bits 0-1, type in bits 2-3, tag in bits 4-7.
inline constexpr std::uint8_t kSizeCodeMask = 0x03;
inline constexpr unsigned kTypeShift = 2;
inline constexpr std::uint8_t kTypeMask = 0x03;
inline constexpr unsigned kTagShift = 4;

enum class ItemType : std::uint8_t
{
    Main = 0,
    Global = 1,
    Local = 2,
    Long = 3, // every item of type 3 is read as a long item, whatever its tag
};

enum class SizeCode : std::uint8_t
{
    None = 0,
    OneByte = 1,
    TwoBytes = 2,
    FourBytes = 3, // size code 3 means four data bytes, not three
};

// The data bytes a size code stands for.
constexpr unsigned DataSizeOf(SizeCode code)
{
    constexpr unsigned kDataSizes[] = { 0, 1, 2, 4 };
    return kDataSizes[static_cast<unsigned>(code) & kSizeCodeMask];
}

constexpr SizeCode SizeCodeOf(std::uint8_t prefix)
{
    return static_cast<SizeCode>(prefix & kSizeCodeMask);
}

constexpr ItemType ItemTypeOf(std::uint8_t prefix)
{
    return static_cast<ItemType>((prefix >> kTypeShift) & kTypeMask);
}

constexpr std::uint8_t TagOf(std::uint8_t prefix)
{
    return static_cast<std::uint8_t>(prefix >> kTagShift);
}

enum class MainTag : std::uint8_t
{
    Input = 8,
    Output = 9,
    Collection = 10,
    Feature = 11,
    EndCollection = 12,
};

enum class GlobalTag : std::uint8_t
{
    UsagePage = 0,
    LogicalMinimum = 1,
    LogicalMaximum = 2,
    PhysicalMinimum = 3,
    PhysicalMaximum = 4,
    UnitExponent = 5,
    Unit = 6,
    ReportSize = 7,
    ReportId = 8,
    ReportCount = 9,
    Push = 10,
    Pop = 11, // 12 to 15 are reserved
};

enum class LocalTag : std::uint8_t
{
    Usage = 0,
    UsageMinimum = 1,
    UsageMaximum = 2,
    DesignatorIndex = 3,
    DesignatorMinimum = 4,
    DesignatorMaximum = 5,
    StringIndex = 7, // 6 is reserved
    StringMinimum = 8,
    StringMaximum = 9,
    Delimiter = 10, // 11 to 15 are reserved
};

// The data bits of an Input, Output or Feature item; a clear bit means the word before the
// slash: Data/Constant, Array/Variable, Absolute/Relative and so on.
enum class MainItemFlag : std::uint16_t
{
    Constant = 1u << 0,
    Variable = 1u << 1,
    Relative = 1u << 2,
    Wrap = 1u << 3,
    NonLinear = 1u << 4,
    NoPreferredState = 1u << 5,
    NullState = 1u << 6,
    Volatile = 1u << 7, // reserved in Input items
    BufferedBytes = 1u << 8,
};

constexpr bool HasFlag(std::uint32_t data, MainItemFlag flag)
{
    return (data & static_cast<std::uint32_t>(flag)) != 0;
}

// The data byte of a Collection item: its kind. 0x07-0x7F are reserved, 0x80-0xFF vendor-defined.
enum class CollectionKind : std::uint8_t
{
    Physical = 0,
    Application = 1,
    Logical = 2,
    Report = 3,
    NamedArray = 4,
    UsageSwitch = 5,
    UsageModifier = 6,
};
inline constexpr std::uint8_t kFirstVendorCollectionKind = 0x80;

// One item as it stands in the descriptor.
struct DecodedItem
{
    std::size_t offset = 0; // of the prefix, from the descriptor's first byte
    std::uint8_t prefix = 0;
    ItemType type = ItemType::Main;
    std::uint8_t tag = 0; // bits 4-7 of the prefix, also for long items
    SizeCode sizeCode = SizeCode::None;
    // The bytes after the prefix. A long item covers its size code's bytes plus the count in
    // its data-size byte, so "FE 02 10 AA BB" covers four.
    std::uint32_t dataSize = 0;
    std::array<std::uint8_t, 4> data{}; // short items' data bytes, missing ones 0; empty for long
    std::uint32_t value = 0;            // data little-endian, zero-extended; 0 for long items
    std::uint8_t longTag = 0;           // a long item's own tag byte (the third byte)
    std::size_t length = 1;             // 1 + dataSize: where the next item starts
    bool truncated = false;             // the descriptor ends before the item does
};

// The byte at pos, or 0 past the end, so a truncated last item still decodes.
constexpr std::uint8_t ByteAt(std::span<const std::uint8_t> bytes, std::size_t pos)
{
    return pos < bytes.size() ? bytes[pos] : 0;
}

// Decodes the item whose prefix is at offset (which must lie inside bytes). Bytes past the end
// are never read and count as zero, with truncated set.
DecodedItem DecodeItem(std::span<const std::uint8_t> bytes, std::size_t offset);

// The data read as a signed number of the item's own size: "15 FF" gives -1, "16 FF 00" 255.
std::int32_t SignedValue(const DecodedItem& item);

constexpr bool IsItem(const DecodedItem& item, MainTag tag)
{
    return item.type == ItemType::Main && item.tag == static_cast<std::uint8_t>(tag);
}

constexpr bool IsItem(const DecodedItem& item, GlobalTag tag)
{
    return item.type == ItemType::Global && item.tag == static_cast<std::uint8_t>(tag);
}

constexpr bool IsItem(const DecodedItem& item, LocalTag tag)
{
    return item.type == ItemType::Local && item.tag == static_cast<std::uint8_t>(tag);
}

} // namespace quorlix
