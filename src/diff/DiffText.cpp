#include "diff/DiffText.h"

#include "codegen/DescriptorArray.h"
#include "support/HexDigits.h"

#include <algorithm>
#include <string>
#include <vector>

namespace quorlix {
namespace {

// Unchanged items shown before and after each run of changed ones.
constexpr std::size_t kContextItems = 2;
// Characters of an item line's bytes column, room for items of up to five bytes.
constexpr std::size_t kBytesColumn = 15;

std::string ItemBytes(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t length)
{
    std::string text;
    for (std::size_t i = offset; i < offset + length; ++i) {
        if (!text.empty()) {
            text += ' ';
        }
        text += UpperHexDigit(bytes[i] >> 4);
        text += UpperHexDigit(bytes[i]);
    }
    return text;
}

void WriteItemLine(std::ostream& out, char marker, std::span<const std::uint8_t> bytes,
                   const ItemLine& line)
{
    std::string offset = std::to_string(line.offset);
    offset.insert(0, offset.size() < 5 ? 5 - offset.size() : 0, ' ');
    std::string hex = ItemBytes(bytes, line.offset, line.length);
    hex.resize(std::max(hex.size(), kBytesColumn), ' ');
    std::string text = std::string(1, marker) + offset + "  " + hex + "  " + line.text;
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    out << text << '\n';
}

std::string PlaceText(const DiffChange& change)
{
    std::string text;
    if (change.oldItem.length > 0) {
        text = "old item at " + std::to_string(change.oldItem.offset);
    }
    if (change.newItem.length > 0) {
        text += (text.empty() ? "" : ", ") + std::string("new item at ") +
                std::to_string(change.newItem.offset);
    }
    return text.empty() ? text : " [" + text + "]";
}

std::size_t HunkBytes(const std::vector<ItemSpan>& items, std::size_t first, std::size_t count)
{
    if (count == 0) {
        return 0;
    }
    return items[first + count - 1].offset + items[first + count - 1].length - items[first].offset;
}

std::size_t HunkOffset(const std::vector<ItemSpan>& items, std::size_t first,
                       std::span<const std::uint8_t> bytes)
{
    return first < items.size() ? items[first].offset : bytes.size();
}

} // namespace

void WriteDiffText(std::ostream& out, const DescriptorDiff& diff,
                   std::span<const std::uint8_t> oldBytes, std::span<const std::uint8_t> newBytes,
                   std::string_view oldName, std::string_view newName)
{
    if (!diff.hunks.empty()) {
        out << "--- " << oldName << '\n' << "+++ " << newName << '\n';
        const std::vector<ItemLine> oldLines = DescribeItems(oldBytes);
        const std::vector<ItemLine> newLines = DescribeItems(newBytes);
        std::size_t shownOld = 0; // old items already written as context or change
        for (std::size_t h = 0; h < diff.hunks.size(); ++h) {
            const ItemHunk& hunk = diff.hunks[h];
            const std::size_t before =
                std::min(kContextItems, hunk.oldFirst - std::min(hunk.oldFirst, shownOld));
            const std::size_t nextOld =
                h + 1 < diff.hunks.size() ? diff.hunks[h + 1].oldFirst : oldLines.size();
            const std::size_t after =
                std::min(kContextItems, nextOld - (hunk.oldFirst + hunk.oldCount));
            out << "@@ -" << HunkOffset(diff.oldItems, hunk.oldFirst, oldBytes) << ','
                << HunkBytes(diff.oldItems, hunk.oldFirst, hunk.oldCount) << " +"
                << HunkOffset(diff.newItems, hunk.newFirst, newBytes) << ','
                << HunkBytes(diff.newItems, hunk.newFirst, hunk.newCount) << " @@\n";
            for (std::size_t i = hunk.oldFirst - before; i < hunk.oldFirst; ++i) {
                WriteItemLine(out, ' ', oldBytes, oldLines[i]);
            }
            for (std::size_t i = hunk.oldFirst; i < hunk.oldFirst + hunk.oldCount; ++i) {
                WriteItemLine(out, '-', oldBytes, oldLines[i]);
            }
            for (std::size_t i = hunk.newFirst; i < hunk.newFirst + hunk.newCount; ++i) {
                WriteItemLine(out, '+', newBytes, newLines[i]);
            }
            const std::size_t end = hunk.oldFirst + hunk.oldCount;
            for (std::size_t i = end; i < end + after; ++i) {
                WriteItemLine(out, ' ', oldBytes, oldLines[i]);
            }
            shownOld = end + after;
        }
    }
    if (!diff.changes.empty()) {
        out << "changes in meaning:\n";
        for (const DiffChange& change : diff.changes) {
            out << (change.compatible ? "  + " : "  ! ") << DiffChangeLine(change)
                << PlaceText(change) << '\n';
        }
    }
    if (diff.boundReached) {
        out << "note: a bound was reached while reading a descriptor; changes past it are not "
               "shown\n";
    }
    out << DiffVerdictName(diff.verdict) << ": " << diff.reason << '\n';
}

} // namespace quorlix
