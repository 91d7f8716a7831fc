#pragma once

#include "diff/ItemAlignment.h"
#include "parser/HidCollection.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorlix {

// What two descriptors are to an application reading the old one's reports.
enum class DiffVerdict : std::uint8_t
{
    Equivalent,   // the same meaning, whatever the bytes
    Compatible,   // only additions: every old report still decodes to the same values
    Incompatible, // something an old reader relies on changed or went away
};

enum class DiffChangeKind : std::uint8_t
{
    ReportAdded,
    ReportRemoved,
    ReportResized,
    FieldAdded,
    FieldRemoved,
    FieldMoved,
    FieldResized,
    LogicalRangeChanged,
    PhysicalRangeChanged,
    UnitChanged,
    FlagsChanged,
    UsagesChanged,
    CollectionAdded,
    CollectionRemoved,
};

// An item on one side of a change: where it starts and how long it is; length 0 for none.
struct DiffItemPlace
{
    std::size_t offset = 0;
    std::size_t length = 0;
};

// One difference in meaning.
struct DiffChange
{
    DiffChangeKind kind = DiffChangeKind::ReportAdded;
    bool compatible = false; // an old reader still decodes the same values
    bool aboutReport = true; // false for a collection
    ReportType type = ReportType::Input;
    std::uint8_t reportId = 0;
    std::string subject;  // the field or collection, by its usage: "Hat Switch (Generic Desktop)"
    std::string oldValue; // what it was and is, in words: "0 to 239"; empty where nothing was
    std::string newValue;
    DiffItemPlace oldItem; // the main item (or Collection item) on each side
    DiffItemPlace newItem;
};

struct DescriptorDiff
{
    DiffVerdict verdict = DiffVerdict::Equivalent;
    std::string reason; // one line: why the verdict, from the first change that decides it
    std::vector<DiffChange> changes; // reports by type and id, then collections
    std::vector<ItemSpan> oldItems;
    std::vector<ItemSpan> newItems;
    std::vector<ItemHunk> hunks; // the items whose bytes differ; empty when the bytes are equal
    bool boundReached = false;   // a side was only partly read at a bound: changes may be missing
};

// Compares two descriptors by meaning: reports matched by type and id, their fields by usage
// (else by position), collections by kind and usage within their parents. Items reordered in
// their scope, values in longer forms and repeated globals change nothing. Any bytes are fine
// on either side; time and memory stay bounded by the descriptors' lengths.
DescriptorDiff DiffDescriptors(std::span<const std::uint8_t> oldBytes,
                               std::span<const std::uint8_t> newBytes);

// "equivalent", "compatible" or "incompatible".
std::string_view DiffVerdictName(DiffVerdict verdict);

// The change's name as scripts see it: "report-added", "field-moved", "logical-range", ...
std::string_view DiffChangeKindName(DiffChangeKind kind);

// What the change did, in words for people: "added", "moved", "logical range changed", ...
std::string_view DiffChangeKindText(DiffChangeKind kind);

// "input report 3", or "input report" when the reports of that type carry no id.
std::string DiffReportName(const DiffChange& change);

// One line for people: "input report 1: X (Generic Desktop) moved: bit 8 -> bit 16".
std::string DiffChangeLine(const DiffChange& change);

} // namespace quorlix
