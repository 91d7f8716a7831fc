#include "parser/CollectionContext.h"

#include "parser/CollectionWalk.h"
#include "support/Bits.h"

#include <vector>

namespace quorlix {
namespace {

namespace layout = context_layout;

std::uint64_t OwnBlockSize(const HidCollection& collection)
{
    std::uint64_t size = kCollectionImageSize +
                         4 * (std::uint64_t{ collection.reportListCount } + collection.childCount);
    for (std::uint32_t i = 0; i < collection.reportListCount; ++i) {
        size += ReportImageSize(collection.reports[i]->itemCount);
    }
    return size;
}

} // namespace

std::uint64_t GetContextBlockSize(const HidCollection& collection)
{
    std::uint64_t size = 0;
    ForEachCollection(collection,
                      [&](const HidCollection& current) { size += OwnBlockSize(current); });
    return size;
}

std::uint64_t GetContextSize(const HidCollection& topLevel)
{
    return GetContextBlockSize(topLevel) + kContextHeaderSize + 1;
}

std::uint32_t BuildContextBlock(const ParserCallbacks& callbacks, const HidCollection& collection,
                                std::uint8_t* context, std::uint32_t position)
{
    std::uint8_t* rawData = context + kContextHeaderSize;

    // Blocks go out in depth-first order: a collection's block, its reports, then each child's
    // blocks. The offset tables of the open collections are kept, so that each child can write
    // its own offset into its parent's table.
    std::vector<std::uint32_t> openTables;
    std::uint32_t next = position;
    std::uint8_t image[kCollectionImageSize];
    WalkCollections(
        collection,
        [&](const HidCollection& current) {
            const std::uint32_t block = next;
            if (&current != &collection) {
                const HidCollection& parent = *current.parent;
                PutLe32(rawData + openTables.back() +
                            4 * (parent.reportListCount + current.indexInParent),
                        block);
            }
            WriteCollectionImage(current, image);
            callbacks.copy(callbacks.context, rawData + block, image, kCollectionImageSize);
            const std::uint32_t table = block + layout::kCollectionOffsetTable;
            next = block + static_cast<std::uint32_t>(kCollectionImageSize) +
                   4 * (current.reportListCount + current.childCount);
            for (std::uint32_t k = 0; k < current.reportListCount; ++k) {
                const HidReport& report = *current.reports[k];
                WriteReportImage(report, rawData + next);
                PutLe32(rawData + table + 4 * k, next);
                next += static_cast<std::uint32_t>(ReportImageSize(report.itemCount));
            }
            // The table's last slot, after all entries, is zero; write it in case the image's
            // offset slot landed there.
            PutLe32(rawData + table + 4 * (current.reportListCount + current.childCount), 0);
            openTables.push_back(table);
        },
        [&](const HidCollection&) { openTables.pop_back(); });
    return next - position;
}

const std::uint8_t* FindReportInContext(const std::uint8_t* context, std::uint32_t blockOffset,
                                        ReportType type)
{
    const std::uint8_t* rawData = ContextRawData(context);
    const std::uint8_t* found = nullptr;
    ForEachContextBlock(context, blockOffset, [&](std::uint32_t offset) {
        const std::uint8_t* block = rawData + offset;
        const std::uint32_t reportCount = ReadLe32(block + layout::kCollectionReportCount);
        const std::uint8_t* table = block + layout::kCollectionOffsetTable;
        for (std::uint32_t k = 0; k < reportCount; ++k) {
            const std::uint8_t* report = rawData + ReadLe32(table + 4 * k);
            if (report[layout::kReportType] == static_cast<std::uint8_t>(type)) {
                found = report;
                return false;
            }
        }
        return true;
    });
    return found;
}

std::uint32_t GetReportLength(const std::uint8_t* context, ReportType type)
{
    const std::uint8_t* report = FindReportInContext(context, 0, type);
    if (report == nullptr) {
        return 0;
    }
    // A part byte takes a whole one: a 12-bit report is 2 bytes long.
    const std::uint32_t bits = ReadLe32(report + layout::kReportBitSize);
    return bits / 8 + (bits % 8 != 0 ? 1 : 0);
}

std::uint8_t GetFirstReportId(const std::uint8_t* context, ReportType type)
{
    const std::uint8_t* report = FindReportInContext(context, 0, type);
    return report == nullptr ? 0 : report[layout::kReportId];
}

bool UsesReportIds(const std::uint8_t* context, ReportType type)
{
    return GetFirstReportId(context, type) != 0;
}

} // namespace quorlix
