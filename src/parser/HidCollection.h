#pragma once

#include <cstddef>
#include <cstdint>

namespace quorlix {

enum class ReportType : std::uint8_t
{
    Input = 1,
    Output = 2,
    Feature = 4,
};

// Where a report type's entry sits in arrays of three: Input 0, Output 1, Feature 2.
constexpr unsigned ReportTypeSlot(ReportType type)
{
    return type == ReportType::Input ? 0u : type == ReportType::Output ? 1u : 2u;
}

struct HidCollection;

// One report field. In memory it is a plain struct; WriteReportItemImage gives its packed
// 34-byte image.
struct HidReportItem
{
    std::uint64_t byteOffset; // bits before this field in its report, divided by 8
    std::uint8_t shift;       // the same, modulo 8
    std::uint32_t mask;       // the low reportSize bits set (all 32 for 32 and more)
    std::uint32_t bitCount;   // reportSize; the image holds it in one byte, held at 255
    std::uint8_t hasData;     // the Constant flag clear
    std::uint8_t isArray;     // the Variable flag clear
    std::uint8_t isRelative;  // the Relative flag set
    std::uint32_t logicalMinimum;
    std::uint32_t logicalMaximum;
    std::uint32_t usageMinimum;
    std::uint32_t usageMaximum;
};

// One report: all fields of one type and report id within a top-level collection's subtree.
struct HidReport
{
    ReportType type;
    std::uint8_t reportId;
    // Bits of all fields so far, the report id byte not counted; held at the largest 64-bit
    // value rather than wrapped. The image holds 32 bits, held at their largest value.
    std::uint64_t bitSize;
    std::uint32_t itemCount;    // fields in use
    std::uint32_t itemCapacity; // fields the record holds in its image: equal to itemCount

    // Working storage, not part of the image: room for storageCapacity fields, grown by
    // doubling so that adding fields item by item stays linear.
    HidReportItem* items;
    std::uint32_t storageCapacity;
    HidCollection* owner; // the collection whose report list holds this record
};

// One collection node of the tree.
struct HidCollection
{
    std::uint8_t type;   // the collection kind; 2 (Logical) for the root
    std::uint32_t usage; // usage page in the high half, usage id in the low half
    std::uint8_t stringIndex;
    std::uint8_t designatorIndex;
    std::uint32_t reportListCount;
    std::uint32_t childCount;
    HidCollection** children;     // in the order they were opened
    HidCollection* parent;        // nullptr for the root
    HidReport** reports;          // in the order they were created
    std::uint32_t contextOffsets; // 0 in the tree

    // Working storage of the two lists, not part of the image.
    std::uint32_t childCapacity;
    std::uint32_t reportCapacity;
    std::uint32_t indexInParent; // its place in parent's children, so a walk needs no stack
};

inline constexpr std::size_t kCollectionImageSize = 31;
inline constexpr std::size_t kReportHeaderImageSize = 14;
inline constexpr std::size_t kReportItemImageSize = 34;
// A report image: header, its fields, and one spare field slot that stays zero.
inline constexpr std::size_t kReportImageBaseSize = kReportHeaderImageSize + kReportItemImageSize;

// Bytes of a report's image: 48 + 34 per field.
constexpr std::uint64_t ReportImageSize(std::uint64_t itemCount)
{
    return kReportImageBaseSize + kReportItemImageSize * itemCount;
}

// Writes the 31-byte image of a collection. Its three references are written as 0: machine
// addresses need not fit four bytes, and a context is navigated by its offset table.
void WriteCollectionImage(const HidCollection& collection, std::uint8_t* out);

// Writes the image of a report: header, fields, and the zero spare slot (ReportImageSize bytes).
void WriteReportImage(const HidReport& report, std::uint8_t* out);

// Writes the 34-byte image of one field.
void WriteReportItemImage(const HidReportItem& item, std::uint8_t* out);

} // namespace quorlix
