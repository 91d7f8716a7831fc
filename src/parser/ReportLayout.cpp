#include "parser/ReportLayout.h"

#include "parser/CollectionContext.h"

#include <cinttypes>
#include <string_view>
#include <vector>

namespace quorlix {
namespace {

namespace layout = context_layout;

// A report header or a field block is far shorter than this.
constexpr std::size_t kLineBuffer = 256;

void AppendAscii(std::u16string& text, const char* ascii, int length)
{
    if (length > 0) {
        text.append(ascii, ascii + length);
    }
}

bool HasRoom(const LayoutTexts& texts, std::size_t more)
{
    return texts.detail.size() + more <= texts.limit && texts.summary.size() + more <= texts.limit;
}

const char* ReportTypeName(std::uint8_t type)
{
    switch (type) {
    case 1:
        return "(InputReport)";
    case 2:
        return "(OutputReport)";
    case 4:
        return "(FeatuerReport)";
    default:
        return "";
    }
}

void AppendReport(const std::uint8_t* report, LayoutTexts& texts, std::FILE* out)
{
    const unsigned reportId = report[layout::kReportId];
    const std::uint32_t bitSize = ReadLe32(report + layout::kReportBitSize);
    const unsigned type = report[layout::kReportType];
    const std::uint32_t itemCount = ReadLe32(report + layout::kReportItemCount);
    if (out != nullptr) {
        std::fprintf(out, "ReportID=%d ReportSize=%d ReportType=%d\n", reportId,
                     static_cast<int>(bitSize), type);
    }

    char line[kLineBuffer];
    int length = std::snprintf(line, sizeof line,
                               "\tReportID=%d(%X)\r\n\tReportContentSize=%d Bytes(%d Bits)\r\n"
                               "\tReportType=%d%s\r\n",
                               reportId, reportId, static_cast<int>(bitSize / 8),
                               static_cast<int>(bitSize), type, ReportTypeName(type));
    if (!HasRoom(texts, static_cast<std::size_t>(length))) {
        texts.truncated = true;
        return;
    }
    AppendAscii(texts.detail, line, length);
    AppendAscii(texts.summary, line, length);

    const std::uint8_t* item = report + layout::kReportItems;
    for (std::uint32_t k = 0; k < itemCount; ++k, item += kReportItemImageSize) {
        const std::uint32_t byteOffset = ReadLe32(item + layout::kItemByteOffset);
        const unsigned bitCount = item[layout::kItemBitCount];
        const unsigned shift = item[layout::kItemShift];
        const std::uint32_t usageMinimum = ReadLe32(item + layout::kItemUsageMinimum);
        const std::uint32_t usageMaximum = ReadLe32(item + layout::kItemUsageMaximum);
        if (out != nullptr) {
            std::fprintf(out,
                         "[%d]\tByteoffset=%d\n\tBitCount=%d\n\tShift=%d\n\tUsageMinimum=%08x\n"
                         "\tUsageMaximum=%08x\r\n",
                         static_cast<int>(k), static_cast<int>(byteOffset), bitCount, shift,
                         usageMinimum, usageMaximum);
        }
        length = std::snprintf(line, sizeof line,
                               "[%d]\tByteoffset=%d\r\n\tBitCount=%d\r\n\tShift=%d\r\n"
                               "\tUsageMinimum=%08x\r\n\tUsageMaximum=%08x\r\n",
                               static_cast<int>(k), static_cast<int>(byteOffset), bitCount, shift,
                               usageMinimum, usageMaximum);
        if (texts.detail.size() + static_cast<std::size_t>(length) > texts.limit) {
            texts.truncated = true;
            return;
        }
        AppendAscii(texts.detail, line, length);
    }
}

} // namespace

void AppendReportLayout(const std::uint8_t* context, std::uint32_t blockOffset, LayoutTexts& texts,
                        std::FILE* out)
{
    const std::uint8_t* rawData = ContextRawData(context);
    // Depth-first without recursion: a collection's own reports, then each child's subtree.
    std::vector<std::uint32_t> pending{ blockOffset };
    while (!pending.empty() && !texts.truncated) {
        const std::uint8_t* block = rawData + pending.back();
        pending.pop_back();
        const std::uint32_t reportCount = ReadLe32(block + layout::kCollectionReportCount);
        const std::uint32_t childCount = ReadLe32(block + layout::kCollectionChildCount);
        const std::uint8_t* table = block + layout::kCollectionOffsetTable;
        for (std::uint32_t k = 0; k < reportCount && !texts.truncated; ++k) {
            AppendReport(rawData + ReadLe32(table + 4 * k), texts, out);
        }
        for (std::uint32_t j = childCount; j > 0; --j) {
            pending.push_back(ReadLe32(table + 4 * (reportCount + j - 1)));
        }
    }
}

void BuildLayoutTexts(const DeviceDescription& description, LayoutTexts& texts, std::FILE* out)
{
    for (std::uint32_t i = 0; i < description.collectionCount && !texts.truncated; ++i) {
        const CollectionDescription& collection = description.collections[i];
        char line[kLineBuffer];
        const int length =
            std::snprintf(line, sizeof line, "----Col_%d---USAGE_PAGE:%d----USAGE:%d-----\r\n",
                          collection.collectionNumber, collection.usagePage, collection.usage);
        if (!HasRoom(texts, static_cast<std::size_t>(length))) {
            texts.truncated = true;
            break;
        }
        AppendAscii(texts.detail, line, length);
        AppendAscii(texts.summary, line, length);
        AppendReportLayout(collection.context, 0, texts, out);
    }
}

} // namespace quorlix
