#pragma once

#include "annotation/ItemRow.h"
#include "annotation/ItemStateWalker.h"
#include "usage_names/FullUsageNames.h"

#include <cstdint>
#include <vector>

namespace quorlix {

// What a row names: a page (Usage Page), a usage (Usage, Usage Minimum, Usage Maximum), or
// nothing.
enum class RowUsageKind : std::uint8_t
{
    None,
    Page,
    Usage,
    UsageMinimum,
    UsageMaximum,
};

struct RowUsage
{
    RowUsageKind kind = RowUsageKind::None;
    PagedUsage usage{};      // the page alone (usageId 0) for a Usage Page row
    std::uint32_t value = 0; // the item's data value, as the parser read it
    bool fourBytes = false;  // a four-byte usage, whose page is its high half
};

// Follows the current usage page through the rows of one parse, in order, on the one item
// walker: Usage Page sets it, Push saves it, Pop restores the last saved one (and does nothing
// with none saved). Lets an output name each row's usage after the parse without the parser
// state.
class RowUsageTracker
{
public:
    // What row names, with the page in force at it; then takes the row's own effect on the page.
    RowUsage Next(const ItemRow& row);

    std::uint16_t CurrentPage() const { return m_walker.Globals().UsagePage(); }

private:
    ItemStateWalker m_walker;
};

} // namespace quorlix
