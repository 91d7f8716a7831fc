#pragma once

#include "parser/HidCollection.h"
#include "reports/ReportModel.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quorlix {

enum class ControlKind : std::uint8_t
{
    Variable, // elements each with its own usage
    Array,    // elements each holding the index of a usage from a list
    Padding,  // constant bits with no usage, which no application reads
};

// What an application reads besides the place: equal meaning gives equal attributes.
struct ControlAttributes
{
    std::uint32_t flags = 0; // Constant to Buffered Bytes; higher bits have no meaning
    std::int64_t logicalMinimum = 0;
    std::int64_t logicalMaximum = 0;
    std::int64_t physicalMinimum = 0; // the logical limits when none were given
    std::int64_t physicalMaximum = 0;
    std::uint32_t unit = 0;
    std::int32_t unitExponent = 0;
    // Physical limits were written; the limits above count either way, this only tells whether a
    // change of them is more than the logical change they follow.
    bool physicalGiven = false;

    bool operator==(const ControlAttributes& other) const
    {
        return flags == other.flags && logicalMinimum == other.logicalMinimum &&
               logicalMaximum == other.logicalMaximum && physicalMinimum == other.physicalMinimum &&
               physicalMaximum == other.physicalMaximum && unit == other.unit &&
               unitExponent == other.unitExponent;
    }
};

// One control of a report in a form where equal meaning gives equal records: adjacent padding
// is one control, and a Variable field's elements are cut into runs of consecutive (or of one
// repeated) usage, joined across items, so "Button 1 to 8" reads the same as eight items of one
// button each.
struct ReportControl
{
    ControlKind kind = ControlKind::Variable;
    std::uint64_t bitOffset = 0;
    std::uint32_t bitSize = 0; // 1 for padding, whose count is its bits
    std::uint64_t count = 0;
    std::uint32_t firstUsage = 0; // Variable: the first element's; Array: the list's first
    std::uint32_t usageStep = 1;  // Variable: 1 for consecutive usages, 0 for one repeated
    std::vector<UsageRun> usages; // Array: the usage list, runs joined where they continue
    std::uint32_t usageCount = 0; // Array: entries of the list
    ControlAttributes attributes;
    std::size_t itemOffset = 0; // of the main item that declared it (the first, when joined)

    std::uint64_t BitLength() const;
};

struct ControlReport
{
    ReportType type = ReportType::Input;
    std::uint8_t reportId = 0;
    std::uint64_t bitLength = 0;
    std::uint64_t byteLength = 0;
    std::vector<ReportControl> controls; // in bit order as declared
};

// One collection with what identifies it: its kind and usage, and those of every collection
// around it, folded into one key so that deep nesting costs no more than shallow.
struct ControlCollection
{
    std::uint8_t kind = 0;
    std::uint32_t usage = 0;
    std::uint64_t pathKey = 0;
    std::size_t depth = 1; // 1 for a top-level collection
    std::size_t itemOffset = 0;
};

// A descriptor as the diff compares it: its reports ordered by type and id, and its collections
// in item order.
struct DiffModel
{
    std::vector<ControlReport> reports;
    std::vector<ControlCollection> collections;
    bool boundReached = false; // a usage list was cut or a size saturated: the view is partial
};

// The diff's view of a descriptor. Any bytes are fine. Time and memory grow linearly with the
// descriptor.
DiffModel BuildDiffModel(std::span<const std::uint8_t> descriptor);

} // namespace quorlix
