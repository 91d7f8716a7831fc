#pragma once

#include "parser/HidCollection.h"
#include "parser/ParserCallbacks.h"

#include <cstdint>

namespace quorlix {

// A collection context is one block of bytes: a 4-byte little-endian size (these 4 bytes
// included), then the raw data: the top-level collection's block, its report blocks, then each
// child's blocks in the same way, and one final zero byte. Offsets count from the raw data.
inline constexpr std::uint32_t kContextHeaderSize = 4;

// Bytes the subtree takes in a context: per collection 31 + 4 per report and child, plus each
// report's image. Computed in 64 bits, so no subtree can wrap it.
std::uint64_t GetContextBlockSize(const HidCollection& collection);

// Bytes of a whole context for a top-level collection: its blocks plus the size word and the
// final byte.
std::uint64_t GetContextSize(const HidCollection& topLevel);

// Writes the subtree into the context at raw-data offset position and gives the bytes written,
// equal to GetContextBlockSize. The context must be zero-filled and large enough.
std::uint32_t BuildContextBlock(const ParserCallbacks& callbacks, const HidCollection& collection,
                                std::uint8_t* context, std::uint32_t position);

// The raw data of a context.
inline const std::uint8_t* ContextRawData(const std::uint8_t* context)
{
    return context + kContextHeaderSize;
}

// The first report block of the type in the subtree of the collection block at blockOffset:
// the block's own reports first, then each child's subtree in order; nullptr when none.
const std::uint8_t* FindReportInContext(const std::uint8_t* context, std::uint32_t blockOffset,
                                        ReportType type);

// For the first report of the type in the context: its length in whole bytes (0 without one),
// its report id (0 without one), and whether that id is not 0.
std::uint32_t GetReportLength(const std::uint8_t* context, ReportType type);
std::uint8_t GetFirstReportId(const std::uint8_t* context, ReportType type);
bool UsesReportIds(const std::uint8_t* context, ReportType type);

// Little-endian reads of a context's numbers.
inline std::uint32_t ReadLe32(const std::uint8_t* bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}

// Offsets of the fields of a collection block and a report block within a context.
namespace context_layout {
inline constexpr std::uint32_t kCollectionType = 0;
inline constexpr std::uint32_t kCollectionUsage = 1;
inline constexpr std::uint32_t kCollectionReportCount = 7;
inline constexpr std::uint32_t kCollectionChildCount = 11;
inline constexpr std::uint32_t kCollectionOffsetTable = 27;
inline constexpr std::uint32_t kReportType = 0;
inline constexpr std::uint32_t kReportId = 1;
inline constexpr std::uint32_t kReportBitSize = 2;
inline constexpr std::uint32_t kReportItemCount = 6;
inline constexpr std::uint32_t kReportItems = 14;
inline constexpr std::uint32_t kItemByteOffset = 0;
inline constexpr std::uint32_t kItemShift = 4;
inline constexpr std::uint32_t kItemBitCount = 9;
inline constexpr std::uint32_t kItemUsageMinimum = 21;
inline constexpr std::uint32_t kItemUsageMaximum = 25;
} // namespace context_layout

} // namespace quorlix
