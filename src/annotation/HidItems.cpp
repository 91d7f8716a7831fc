#include "annotation/HidItems.h"

namespace quorlix {

DecodedItem DecodeItem(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    DecodedItem item;
    item.offset = offset;
    item.prefix = ByteAt(bytes, offset);
    item.sizeCode = SizeCodeOf(item.prefix);
    item.type = ItemTypeOf(item.prefix);
    item.tag = TagOf(item.prefix);
    item.dataSize = DataSizeOf(item.sizeCode);
    if (item.type == ItemType::Long) {
        item.dataSize += ByteAt(bytes, offset + 1);
        item.longTag = ByteAt(bytes, offset + 2);
    } else {
        for (unsigned i = 0; i < item.dataSize; ++i) {
            item.data[i] = ByteAt(bytes, offset + 1 + i);
            item.value |= static_cast<std::uint32_t>(item.data[i]) << (8 * i);
        }
    }
    item.length = 1 + std::size_t{ item.dataSize };
    item.truncated = offset >= bytes.size() || bytes.size() - offset < item.length;
    return item;
}

std::int32_t SignedValue(const DecodedItem& item)
{
    switch (item.sizeCode) {
    case SizeCode::OneByte:
        return static_cast<std::int8_t>(item.data[0]);
    case SizeCode::TwoBytes:
        return static_cast<std::int16_t>(item.data[0] | (item.data[1] << 8));
    case SizeCode::FourBytes:
        return static_cast<std::int32_t>(item.value);
    case SizeCode::None:
        break;
    }
    return 0;
}

} // namespace quorlix
