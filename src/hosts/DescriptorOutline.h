#pragma once

#include "annotation/HidItems.h"
#include "annotation/ItemStateWalker.h"
#include "reports/ReportModel.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quorlix {

inline constexpr std::size_t kNoCollection = SIZE_MAX;

// A global value as a host rule looks at it: what was written and where.
struct OutlineValue
{
    std::uint32_t value = 0;
    std::uint32_t offset = 0;
    std::uint8_t dataSize = 0;
    std::uint8_t length = 0;
    bool set = false;

    std::int64_t Signed() const;
};

struct OutlineCollection
{
    std::size_t offset = 0;
    std::size_t length = 0;
    std::uint32_t kind = 0;
    std::uint32_t usage = 0; // page in the high half; 0 when none came before it
    std::size_t parent = kNoCollection;
    std::size_t topLevel = 0; // index of its top-level collection (itself at the top)
    std::uint64_t number = 0; // of a top-level collection: 1 for the first, as reports count
    bool closed = false;
    bool unnumberedField = false; // of a top-level collection: a field in it has no Report ID
};

// One Input, Output or Feature item with the state it saw.
struct OutlineField
{
    std::size_t offset = 0;
    std::size_t length = 0;
    ReportType type = ReportType::Input;
    std::uint32_t flags = 0;
    std::size_t collection = kNoCollection; // the innermost one open
    bool numbered = false;                  // a Report ID was in force
    std::uint8_t reportId = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::vector<UsageSpan> usages; // with their pages; the first kMaxOutlineSpans only
    OutlineValue logicalMinimum;
    OutlineValue logicalMaximum;
    OutlineValue physicalMinimum;
    OutlineValue physicalMaximum;
    OutlineValue unitExponent;
    OutlineValue unit;

    bool IsConstant() const { return (flags & 0x01) != 0; }
    bool IsVariable() const { return (flags & 0x02) != 0; }
    bool IsRelative() const { return (flags & 0x04) != 0; }
    bool HasUsage(std::uint32_t usage) const;
};

struct ItemPlace
{
    std::size_t offset = 0;
    std::size_t length = 0;
    std::uint32_t value = 0;
};

// What host rules read of a descriptor: its collections, its fields with the globals they saw,
// the items of interest, and the one report model for lengths and ids.
struct DescriptorOutline
{
    std::vector<OutlineCollection> collections;
    std::vector<OutlineField> fields;
    std::vector<ItemPlace> reportIdItems;
    std::vector<ItemPlace> extraEndCollections;
    std::vector<ItemPlace> unknownMainItems;
    std::size_t firstItemLength = 0;
    ReportModel model;
};

inline constexpr std::size_t kMaxOutlineSpans = 64;

// Walks the descriptor once through the shared item walker. Odd input is not an error.
DescriptorOutline BuildOutline(std::span<const std::uint8_t> bytes);

} // namespace quorlix
