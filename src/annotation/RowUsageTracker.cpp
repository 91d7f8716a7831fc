#include "annotation/RowUsageTracker.h"

#include "annotation/HidItems.h"

namespace quorlix {
namespace {

// The row's item as the decoder gives it; a long item's row keeps no data, and no state
// looks at it.
DecodedItem ItemOfRow(const ItemRow& row)
{
    DecodedItem item;
    item.offset = row.offset < 0 ? 0 : static_cast<std::size_t>(row.offset);
    item.prefix = row.prefix;
    item.type = ItemTypeOf(row.prefix);
    item.tag = TagOf(row.prefix);
    item.sizeCode = SizeCodeOf(row.prefix);
    item.dataSize = DataSizeOf(item.sizeCode);
    item.data = row.data;
    for (unsigned i = 0; i < item.dataSize; ++i) {
        item.value |= static_cast<std::uint32_t>(row.data[i]) << (8 * i);
    }
    item.length = 1 + item.dataSize;
    return item;
}

} // namespace

RowUsage RowUsageTracker::Next(const ItemRow& row)
{
    RowUsage result;
    const DecodedItem item = ItemOfRow(row);
    result.value = item.value;
    result.fourBytes = item.sizeCode == SizeCode::FourBytes;
    if (item.type == ItemType::Global) {
        m_walker.Step(item);
        if (IsItem(item, GlobalTag::UsagePage)) {
            result.kind = RowUsageKind::Page;
            result.usage = { CurrentPage(), 0 };
        }
        return result;
    }
    if (item.type != ItemType::Local) {
        if (item.type == ItemType::Main) {
            m_walker.Step(item);
        }
        return result;
    }
    switch (static_cast<LocalTag>(item.tag)) {
    case LocalTag::Usage:
        result.kind = RowUsageKind::Usage;
        break;
    case LocalTag::UsageMinimum:
        result.kind = RowUsageKind::UsageMinimum;
        break;
    case LocalTag::UsageMaximum:
        result.kind = RowUsageKind::UsageMaximum;
        break;
    default:
        m_walker.Step(item);
        return result;
    }
    result.usage = UsageOfItem(CurrentPage(), result.value, result.fourBytes);
    m_walker.Step(item);
    return result;
}

} // namespace quorlix
