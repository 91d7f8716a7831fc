#include "diff/ItemAlignment.h"

#include "annotation/HidItems.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace quorlix {
namespace {

// Items compared through a key each: the bytes of an item of up to five fit 64 bits with its
// length, so equal keys mean equal bytes; the rare longer (long) items are compared byte by
// byte.
class ItemComparer
{
public:
    ItemComparer(std::span<const std::uint8_t> oldBytes, std::span<const ItemSpan> oldItems,
                 std::span<const std::uint8_t> newBytes, std::span<const ItemSpan> newItems)
        : m_oldBytes(oldBytes), m_oldItems(oldItems), m_newBytes(newBytes), m_newItems(newItems),
          m_oldKeys(Keys(oldBytes, oldItems)), m_newKeys(Keys(newBytes, newItems))
    {}

    bool Equal(std::size_t oldIndex, std::size_t newIndex) const
    {
        const Key& a = m_oldKeys[oldIndex];
        const Key& b = m_newKeys[newIndex];
        if (!a.isLong || !b.isLong) {
            return a.isLong == b.isLong && a.value == b.value;
        }
        const ItemSpan& x = m_oldItems[oldIndex];
        const ItemSpan& y = m_newItems[newIndex];
        return x.length == y.length && std::memcmp(m_oldBytes.data() + x.offset,
                                                   m_newBytes.data() + y.offset, x.length) == 0;
    }

private:
    struct Key
    {
        std::uint64_t value = 0;
        bool isLong = false;
    };

    static std::vector<Key> Keys(std::span<const std::uint8_t> bytes,
                                 std::span<const ItemSpan> items)
    {
        std::vector<Key> keys;
        keys.reserve(items.size());
        for (const ItemSpan& item : items) {
            Key key;
            if (item.length > 5) {
                key.isLong = true;
            } else {
                // The length in the top byte keeps "05" apart from "05 00".
                key.value = std::uint64_t{ item.length } << 56;
                for (std::size_t i = 0; i < item.length; ++i) {
                    key.value |= std::uint64_t{ bytes[item.offset + i] } << (8 * i);
                }
            }
            keys.push_back(key);
        }
        return keys;
    }

    std::span<const std::uint8_t> m_oldBytes;
    std::span<const ItemSpan> m_oldItems;
    std::span<const std::uint8_t> m_newBytes;
    std::span<const ItemSpan> m_newItems;
    std::vector<Key> m_oldKeys;
    std::vector<Key> m_newKeys;
};

void AddHunk(std::vector<ItemHunk>& hunks, std::size_t oldFirst, std::size_t oldEnd,
             std::size_t newFirst, std::size_t newEnd)
{
    if (oldFirst == oldEnd && newFirst == newEnd) {
        return;
    }
    hunks.push_back({ oldFirst, oldEnd - oldFirst, newFirst, newEnd - newFirst });
}

} // namespace

std::vector<ItemSpan> SplitItems(std::span<const std::uint8_t> descriptor)
{
    std::vector<ItemSpan> items;
    std::size_t offset = 0;
    while (offset < descriptor.size()) {
        const DecodedItem item = DecodeItem(descriptor, offset);
        const std::size_t end = std::min<std::size_t>(offset + item.length, descriptor.size());
        items.push_back({ offset, end - offset });
        offset = end;
    }
    return items;
}

std::vector<ItemHunk> AlignItems(std::span<const std::uint8_t> oldBytes,
                                 std::span<const ItemSpan> oldItems,
                                 std::span<const std::uint8_t> newBytes,
                                 std::span<const ItemSpan> newItems)
{
    const ItemComparer comparer(oldBytes, oldItems, newBytes, newItems);
    std::size_t head = 0;
    while (head < oldItems.size() && head < newItems.size() && comparer.Equal(head, head)) {
        ++head;
    }
    std::size_t oldEnd = oldItems.size();
    std::size_t newEnd = newItems.size();
    while (oldEnd > head && newEnd > head && comparer.Equal(oldEnd - 1, newEnd - 1)) {
        --oldEnd;
        --newEnd;
    }
    std::vector<ItemHunk> hunks;
    const std::size_t rows = oldEnd - head;
    const std::size_t columns = newEnd - head;
    if (rows == 0 || columns == 0 || rows > kMaxAlignmentCells / columns) {
        AddHunk(hunks, head, oldEnd, head, newEnd);
        return hunks;
    }
    // Longest common subsequence from the back: common[i][j] for the items from head + i and
    // head + j on. A side of the bounded table is at most kMaxAlignmentCells items, but the
    // shorter side, which bounds every entry, is at most its square root: 16 bits hold it.
    const std::size_t width = columns + 1;
    std::vector<std::uint16_t> common((rows + 1) * width, 0);
    for (std::size_t i = rows; i-- > 0;) {
        for (std::size_t j = columns; j-- > 0;) {
            common[i * width + j] =
                comparer.Equal(head + i, head + j)
                    ? static_cast<std::uint16_t>(common[(i + 1) * width + j + 1] + 1)
                    : std::max(common[(i + 1) * width + j], common[i * width + j + 1]);
        }
    }
    std::size_t i = 0;
    std::size_t j = 0;
    std::size_t hunkOld = 0;
    std::size_t hunkNew = 0;
    while (i < rows && j < columns) {
        if (comparer.Equal(head + i, head + j) &&
            common[i * width + j] == common[(i + 1) * width + j + 1] + 1) {
            AddHunk(hunks, head + hunkOld, head + i, head + hunkNew, head + j);
            ++i;
            ++j;
            hunkOld = i;
            hunkNew = j;
        } else if (common[(i + 1) * width + j] >= common[i * width + j + 1]) {
            ++i;
        } else {
            ++j;
        }
    }
    AddHunk(hunks, head + hunkOld, oldEnd, head + hunkNew, newEnd);
    return hunks;
}

} // namespace quorlix
