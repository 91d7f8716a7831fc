#include "annotation/HidItems.h"

#include "support/Bits.h"

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
    return static_cast<std::int32_t>(SignExtend(item.value, 8 * DataSizeOf(item.sizeCode)));
}

} // namespace quorlix
