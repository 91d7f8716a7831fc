#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quorlix {

// Where one item lies in its descriptor.
struct ItemSpan
{
    std::size_t offset = 0;
    std::size_t length = 0; // inside the descriptor: a truncated last item is cut at its end
};

// A run of items that differ between two descriptors: oldCount items from index oldFirst of the
// old descriptor stand where newCount items from newFirst stand in the new one.
struct ItemHunk
{
    std::size_t oldFirst = 0;
    std::size_t oldCount = 0;
    std::size_t newFirst = 0;
    std::size_t newCount = 0;
};

// The items of a descriptor, in order.
std::vector<ItemSpan> SplitItems(std::span<const std::uint8_t> descriptor);

// The fewest items to take out and put in to turn the old items into the new ones, items being
// equal when their bytes are, as hunks in order. Past kMaxAlignmentCells the part between the
// common start and end is one hunk, so time and memory stay bounded.
std::vector<ItemHunk> AlignItems(std::span<const std::uint8_t> oldBytes,
                                 std::span<const ItemSpan> oldItems,
                                 std::span<const std::uint8_t> newBytes,
                                 std::span<const ItemSpan> newItems);

// Items of one side times items of the other that the alignment compares at most.
// A million: two descriptors of a thousand items each, more than almost any real one has, align
// in about a millisecond; a fix, which changes a few items, leaves a far smaller middle.
inline constexpr std::size_t kMaxAlignmentCells = std::size_t{ 1 } << 20;

} // namespace quorlix
