#pragma once

#include "parser/HidCollection.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quorlix {

// The unit systems a Unit item's low nibble names.
enum class UnitSystem : std::uint8_t
{
    None = 0,
    SiLinear = 1,
    SiRotation = 2,
    EnglishLinear = 3,
    EnglishRotation = 4,
    Vendor = 15,
    Reserved = 255, // any other nibble
};

// A Unit item decoded: the system, then the signed exponent of each base quantity in the order
// the item packs them (length, mass, time, temperature, current, luminous intensity).
struct ReportUnit
{
    std::uint32_t raw = 0;
    UnitSystem system = UnitSystem::None;
    std::array<std::int8_t, 6> exponents{};
};

// A run of consecutive usages in a field's usage list: usage firstUsage for list index
// firstIndex, firstUsage + 1 for the next index, up to the next run's firstIndex. A usage is
// 32 bits: usage page in the high half, usage id in the low half.
struct UsageRun
{
    std::uint32_t firstUsage;
    std::uint32_t firstIndex;
};

// One Input, Output or Feature item of a report, as the HID rules read it.
struct ReportField
{
    std::size_t itemOffset = 0;  // of the Input, Output or Feature item in the descriptor
    std::uint64_t bitOffset = 0; // from the report's first byte, the report id byte included
    std::uint32_t bitSize = 0;   // Report Size: bits per element
    std::uint32_t count = 0;     // Report Count: elements
    std::uint32_t flags = 0;     // the main item's value: Constant, Variable, Relative, ...
    // Signed when the minimum's item reads negative; a maximum is read signed only when the
    // minimum is negative, so 15 00 26 FF 00 gives 0 to 255 and 15 81 25 7F gives -127 to 127.
    std::int64_t logicalMinimum = 0;
    std::int64_t logicalMaximum = 0;
    std::int64_t physicalMinimum = 0; // the logical limits when the descriptor gave both as 0
    std::int64_t physicalMaximum = 0;
    bool physicalGiven = false; // physical limits, a unit or an exponent were declared
    ReportUnit unit;
    std::int32_t unitExponent = 0;      // power of ten of the physical value
    std::uint32_t applicationUsage = 0; // usage of the top-level collection holding the field
    std::uint32_t usageCount = 0;       // entries of the usage list
    std::vector<UsageRun> usages;       // the usage list, in runs

    bool IsConstant() const { return (flags & 0x01) != 0; }
    bool IsVariable() const { return (flags & 0x02) != 0; }
    bool IsRelative() const { return (flags & 0x04) != 0; }
    bool HasNullState() const { return (flags & 0x40) != 0; }
    // No bits, or constant bits that no usage names: filler that carries nothing.
    bool IsPadding() const
    {
        return bitSize == 0 || count == 0 || (IsConstant() && usageCount == 0);
    }
    std::uint64_t BitLength() const { return std::uint64_t{ bitSize } * count; }
};

// One report: all fields of one type and report id in the whole descriptor, in item order.
struct Report
{
    ReportType type = ReportType::Input;
    std::uint8_t reportId = 0;    // 0 when reports of this type are not numbered
    std::uint64_t bitLength = 0;  // the report id byte included when numbered
    std::uint64_t byteLength = 0; // likewise; the fields' bits rounded up to whole bytes
    bool saturated = false;       // the length passed 64 bits and is held at the largest value
    // The top-level collection (1 for the first) of the first field. A report id used in two
    // top-level collections is still one report of the device, as hosts read it.
    std::uint64_t firstCollection = 0;
    bool spansCollections = false;
    std::size_t secondCollectionOffset = 0; // the first item of another top-level collection
    std::vector<ReportField> fields;
};

// The reports of a descriptor as a device sends and takes them.
struct ReportModel
{
    std::vector<Report> reports;    // in the order their first field came
    std::array<bool, 3> numbered{}; // per type (Input, Output, Feature): a Report ID came
    bool boundReached = false;      // a usage list was cut at kMaxFieldUsages
    bool sizesSaturated = false;    // a length or offset is held at the largest 64-bit value
    // Per type and report id, the index + 1 of the report in reports; 0 for none.
    std::array<std::array<std::uint16_t, 256>, 3> reportIndex{};

    bool IsNumbered(ReportType type) const;
    // The report of that type and id; nullptr when the descriptor has none.
    const Report* Find(ReportType type, std::uint8_t reportId) const;
};

// The most usages one field's list keeps. Report counts and usage ranges may each reach 65535
// and more; the list is kept as runs, so this bounds the index arithmetic, not the memory,
// which grows with the descriptor's items only.
inline constexpr std::uint32_t kMaxFieldUsages = std::uint32_t{ 1 } << 20;

// Builds the report model of a descriptor. Odd input is not an error: reserved and long items
// are skipped, a truncated last item reads its missing bytes as zero, and main items outside
// any collection still add their fields. Time and memory grow linearly with the descriptor.
ReportModel BuildReportModel(std::span<const std::uint8_t> descriptor);

// The usage at index of the field's usage list; 0 when the list is shorter.
std::uint32_t UsageAtIndex(const ReportField& field, std::uint32_t index);

// The usage of a Variable field's element: the list in order, the last usage repeating for
// the elements past its end; 0 when the list is empty.
std::uint32_t ElementUsage(const ReportField& field, std::uint32_t element);

// A Unit item's value decoded: its system and the signed nibble of each base quantity.
ReportUnit DecodeUnit(std::uint32_t raw);

// The unit as a formula of base units, such as "cm/s²" or "cm²·g/s²"; "" for no unit and for
// vendor or reserved systems (whose units have no names).
std::string UnitText(const ReportUnit& unit);

// "none", "SI linear", "SI rotation", "English linear", "English rotation", "vendor" or
// "reserved".
const char* UnitSystemName(UnitSystem system);

// "input", "output" or "feature".
const char* ReportTypeName(ReportType type);

} // namespace quorlix
