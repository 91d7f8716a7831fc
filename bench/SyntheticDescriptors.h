#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorlix::bench {

// The kinds of large descriptor that stress different parts of the analysis.
enum class DescriptorShape
{
    ManyFields,      // one report that gains one field per Input item
    ManyReports,     // a new report record per main item: ids 1 to 255 of each type per collection
    ManyCollections, // thousands of small top-level collections, each with its own report
    DeepNesting,     // collections nested thousands deep, one field at the bottom
    ManyUsages,      // tens of thousands of Usage items before one Input item that uses them all
    PushPopStack,    // tens of thousands of Push items, then as many Pop items
};

inline constexpr DescriptorShape kAllShapes[] = {
    DescriptorShape::ManyFields,  DescriptorShape::ManyReports, DescriptorShape::ManyCollections,
    DescriptorShape::DeepNesting, DescriptorShape::ManyUsages,  DescriptorShape::PushPopStack,
};

// The sizes every shape is built at. The largest is the most a descriptor can declare, since
// its length travels in a 16-bit field.
inline constexpr std::size_t kShapeSizes[] = { 1024, 4096, 16384, 65535 };

// A short lower-case name for benchmark labels and file names ("fields", "nesting").
std::string_view ShapeName(DescriptorShape shape);

// "1K", "4K", "16K", "64K" for the sizes above.
std::string SizeLabel(std::size_t size);

// A descriptor of the shape, exactly size bytes long: the shape's items repeated as often as
// they fit, closed properly, and the few bytes left over filled with End Collection items that
// find nothing open.
std::vector<std::uint8_t> MakeDescriptor(DescriptorShape shape, std::size_t size);

// The bytes as a plain hex dump: 16 upper-case bytes per line, blank-separated.
std::string ToHexDumpText(std::span<const std::uint8_t> bytes);

// At least minimumSize characters of firmware source: a C array of descriptor bytes, each item
// on its own line with 0x prefixes, commas and a // comment naming it.
std::string MakeFirmwareArrayText(std::size_t minimumSize);

} // namespace quorlix::bench
