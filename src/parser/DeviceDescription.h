#pragma once

#include "annotation/ItemRow.h"
#include "parser/ParseResult.h"
#include "parser/ParserCallbacks.h"
#include "parser/ParserState.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

namespace quorlix {

// One top-level collection. Its lengths always count one report id byte.
struct CollectionDescription
{
    std::uint16_t usagePage;
    std::uint16_t usage;
    std::uint32_t collectionNumber; // 1 for the first top-level collection
    // Lengths in whole bytes, a part byte rounded up; held at the largest 32-bit value (and
    // sizesSaturated set) when a report is longer.
    std::uint32_t inputLength;
    std::uint32_t outputLength;
    std::uint32_t featureLength;
    std::uint32_t contextSize; // 32 bits, so that no subtree can overflow its context
    std::uint8_t* context;     // the collection's context, owned by the description
};

// The report id of a top-level collection's first report, with lengths that count the report
// id byte only where that report has a non-zero id.
struct ReportIdEntry
{
    std::uint8_t reportId;
    std::uint32_t collectionNumber;
    std::uint32_t inputLength;
    std::uint32_t outputLength;
    std::uint32_t featureLength;
};

// The two records above in one; the output length comes before the input length.
struct CollectionSummary
{
    std::uint8_t reportId;
    std::uint16_t usagePage;
    std::uint16_t usage;
    std::uint32_t outputLength;
    std::uint32_t inputLength;
    std::uint32_t featureLength;
};

struct ParseMemory;

// The result of one parse. It owns its arrays, contexts and rows, and the parser's state and
// tree, and releases them all when it goes; it is neither copied nor moved, since the memory
// callbacks refer to it.
struct DeviceDescription
{
    CollectionDescription* collections = nullptr;
    std::uint32_t collectionCount = 0;
    ReportIdEntry* reportIds = nullptr;
    std::uint32_t reportIdCount = 0;
    std::vector<ItemRow> rows;
    std::vector<CollectionSummary> summaries;

    // What the parse was given and keeps alive: the callbacks that own the memory, and the
    // state with the collection tree.
    ParserCallbacks callbacks{};
    ParserState* state = nullptr;
    std::unique_ptr<ParseMemory> memory;
    bool boundReached = false; // an item lost its fields, or memory ran out, at a bound
    // A length, offset or running total was too large to hold and is shown at its largest value.
    bool sizesSaturated = false;

    DeviceDescription();
    ~DeviceDescription();
    DeviceDescription(const DeviceDescription&) = delete;
    DeviceDescription& operator=(const DeviceDescription&) = delete;
};

// Releases everything the description holds and leaves it empty, as a new one.
void ReleaseDeviceDescription(DeviceDescription& description);

// The most memory one parse may take through its callbacks (records and contexts). The largest
// real descriptor we know takes 1.3 MiB; kMaxReportFields fields take 17 to 25 MiB with their
// context (more when their storage grew by doubling), and the largest text the reader takes,
// made all of collections or Push items, about 20 MiB. So this is the last line, not the bound
// that shapes a parse: past it an allocation fails like any other, and the parse goes on with
// what it has.
inline constexpr std::size_t kParseMemoryBound = std::size_t{ 64 } << 20;

struct ParseOptions
{
    // Where the parser's debug lines and the entry's own lines go; nullptr (the default) drops
    // them unformatted. The parser chooses no stream of its own.
    std::FILE* debugOut = nullptr;
    std::size_t memoryBound = kParseMemoryBound;
};

// Parses bytes into description with heap memory and debug lines to options.debugOut, first
// releasing whatever an earlier parse left in it. Gives the result of BuildDeviceDescription.
[[nodiscard]] ParseResult ParseDescriptor(const std::uint8_t* bytes, std::size_t length,
                                          DeviceDescription& description,
                                          const ParseOptions& options = {});

// Releases what an earlier parse left in description, then runs the item loop and describes
// every top-level collection with its context. Gives EmptyDescriptor, or NoMemory when the loop
// cannot start, with nothing in description; Ok with the rows (and, unless the arrays could not
// be allocated, the collections); NoMemory when a context cannot be allocated, with the rows and
// earlier summaries but no arrays. Its own lines go to out (nullptr: none).
[[nodiscard]] ParseResult BuildDeviceDescription(const ParserCallbacks& callbacks,
                                                 const std::uint8_t* bytes, std::size_t length,
                                                 DeviceDescription& description, std::FILE* out);

} // namespace quorlix
