#pragma once

#include "parser/CollectionContext.h"
#include "parser/HidCollection.h"

#include <concepts>
#include <cstdint>
#include <type_traits>

namespace quorlix {

namespace walk_detail {

// A visitor may give false to end the walk at once; one that gives nothing walks it all.
template <typename Visit, typename Node>
bool CallVisitor(Visit& visit, Node& node)
{
    if constexpr (std::is_void_v<std::invoke_result_t<Visit&, Node&>>) {
        visit(node);
        return true;
    } else {
        return static_cast<bool>(visit(node));
    }
}

} // namespace walk_detail

// Walks the subtree depth-first: enter(collection) before its children, leave(collection)
// after them, children in the order they were opened. It follows the parent links and needs
// neither recursion nor memory, so nesting of any depth is safe, and leave may release the
// collection it is given (the walk reads nothing of it afterwards). enter may give false to end
// the walk; leave is then not called for the collections still open.
template <typename Node, typename Enter, typename Leave>
requires std::same_as<std::remove_const_t<Node>, HidCollection>
void WalkCollections(Node& top, Enter&& enter, Leave&& leave)
{
    Node* current = &top;
    for (;;) {
        if (!walk_detail::CallVisitor(enter, *current)) {
            return;
        }
        if (current->childCount > 0) {
            current = current->children[0];
            continue;
        }
        // Climb until a collection has a next child, leaving each one passed.
        for (;;) {
            Node* parent = current == &top ? nullptr : current->parent;
            const std::uint32_t next = current->indexInParent + 1;
            leave(*current);
            if (parent == nullptr) {
                return;
            }
            if (next < parent->childCount) {
                current = parent->children[next];
                break;
            }
            current = parent;
        }
    }
}

// The subtree depth-first, each collection before its children; visit may give false to stop.
template <typename Node, typename Visit>
requires std::same_as<std::remove_const_t<Node>, HidCollection>
void ForEachCollection(Node& top, Visit&& visit)
{
    WalkCollections(top, visit, [](Node&) {});
}

// Raw-data offsets of a context's collection blocks in the subtree whose block starts at
// blockOffset, depth-first. A context holds its blocks in exactly that order, each followed
// by its reports' images, so the walk reads forward and keeps only a count of the subtrees
// still to come. visit gets the block's offset and may give false to stop.
template <typename Visit>
void ForEachContextBlock(const std::uint8_t* context, std::uint32_t blockOffset, Visit&& visit)
{
    namespace layout = context_layout;
    const std::uint8_t* rawData = ContextRawData(context);
    std::uint64_t blocksLeft = 1;
    std::uint32_t offset = blockOffset;
    while (blocksLeft > 0) {
        const std::uint32_t at = offset;
        if (!walk_detail::CallVisitor(visit, at)) {
            return;
        }
        const std::uint8_t* block = rawData + offset;
        const std::uint32_t reportCount = ReadLe32(block + layout::kCollectionReportCount);
        const std::uint32_t childCount = ReadLe32(block + layout::kCollectionChildCount);
        blocksLeft += childCount;
        --blocksLeft;
        std::uint32_t next = offset + static_cast<std::uint32_t>(kCollectionImageSize) +
                             4 * (reportCount + childCount);
        for (std::uint32_t k = 0; k < reportCount; ++k) {
            const std::uint8_t* report = rawData + next;
            next += static_cast<std::uint32_t>(
                ReportImageSize(ReadLe32(report + layout::kReportItemCount)));
        }
        offset = next;
    }
}

} // namespace quorlix
