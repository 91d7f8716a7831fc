#include "annotation/RowUsageTracker.h"

#include "annotation/HidItems.h"

namespace quorlix {
namespace {

std::uint32_t RowValue(const ItemRow& row)
{
    const unsigned size = DataSizeOf(SizeCodeOf(row.prefix));
    std::uint32_t value = 0;
    for (unsigned i = 0; i < size; ++i) {
        value |= static_cast<std::uint32_t>(row.data[i]) << (8 * i);
    }
    return value;
}

} // namespace

RowUsage RowUsageTracker::Next(const ItemRow& row)
{
    RowUsage result;
    const ItemType type = ItemTypeOf(row.prefix);
    const std::uint8_t tag = TagOf(row.prefix);
    result.value = RowValue(row);
    result.fourBytes = SizeCodeOf(row.prefix) == SizeCode::FourBytes;
    if (type == ItemType::Global) {
        switch (static_cast<GlobalTag>(tag)) {
        case GlobalTag::UsagePage:
            m_page = static_cast<std::uint16_t>(result.value);
            result.kind = RowUsageKind::Page;
            result.usage = { m_page, 0 };
            break;
        case GlobalTag::Push:
            m_saved.push_back(m_page);
            break;
        case GlobalTag::Pop:
            if (!m_saved.empty()) {
                m_page = m_saved.back();
                m_saved.pop_back();
            }
            break;
        default:
            break;
        }
        return result;
    }
    if (type != ItemType::Local) {
        return result;
    }
    switch (static_cast<LocalTag>(tag)) {
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
        return result;
    }
    result.usage = UsageOfItem(m_page, result.value, result.fourBytes);
    return result;
}

} // namespace quorlix
