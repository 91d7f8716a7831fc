#include "parser/CollectionContext.h"

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

void PutLe32(std::uint8_t* out, std::uint32_t value)
{
    out[0] = static_cast<std::uint8_t>(value);
    out[1] = static_cast<std::uint8_t>(value >> 8);
    out[2] = static_cast<std::uint8_t>(value >> 16);
    out[3] = static_cast<std::uint8_t>(value >> 24);
}

} // namespace

std::uint64_t GetContextBlockSize(const HidCollection& collection)
{
    std::uint64_t size = 0;
    std::vector<const HidCollection*> pending{ &collection };
    while (!pending.empty()) {
        const HidCollection* current = pending.back();
        pending.pop_back();
        size += OwnBlockSize(*current);
        for (std::uint32_t i = 0; i < current->childCount; ++i) {
            pending.push_back(current->children[i]);
        }
    }
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
    // blocks. Each pending child knows the table entry of its parent that must point at it.
    struct Pending
    {
        const HidCollection* collection;
        std::uint32_t tableEntry; // raw-data offset of the parent's entry; 0 for the start
    };
    std::vector<Pending> pending{ { &collection, 0 } };
    std::uint32_t next = position;
    std::uint8_t image[kCollectionImageSize];
    while (!pending.empty()) {
        const Pending item = pending.back();
        pending.pop_back();
        const HidCollection& current = *item.collection;
        const std::uint32_t block = next;
        if (item.collection != &collection) {
            PutLe32(rawData + item.tableEntry, block);
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
        for (std::uint32_t j = current.childCount; j > 0; --j) {
            pending.push_back(
                { current.children[j - 1], table + 4 * (current.reportListCount + j - 1) });
        }
    }
    return next - position;
}

const std::uint8_t* FindReportInContext(const std::uint8_t* context, std::uint32_t blockOffset,
                                        ReportType type)
{
    const std::uint8_t* rawData = ContextRawData(context);
    std::vector<std::uint32_t> pending{ blockOffset };
    while (!pending.empty()) {
        const std::uint8_t* block = rawData + pending.back();
        pending.pop_back();
        const std::uint32_t reportCount = ReadLe32(block + layout::kCollectionReportCount);
        const std::uint32_t childCount = ReadLe32(block + layout::kCollectionChildCount);
        const std::uint8_t* table = block + layout::kCollectionOffsetTable;
        for (std::uint32_t k = 0; k < reportCount; ++k) {
            const std::uint8_t* report = rawData + ReadLe32(table + 4 * k);
            if (report[layout::kReportType] == static_cast<std::uint8_t>(type)) {
                return report;
            }
        }
        for (std::uint32_t j = childCount; j > 0; --j) {
            pending.push_back(ReadLe32(table + 4 * (reportCount + j - 1)));
        }
    }
    return nullptr;
}

std::uint32_t GetReportLength(const std::uint8_t* context, ReportType type)
{
    const std::uint8_t* report = FindReportInContext(context, 0, type);
    return report == nullptr ? 0 : ReadLe32(report + layout::kReportBitSize) / 8;
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
