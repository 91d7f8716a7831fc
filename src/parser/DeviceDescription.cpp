#include "parser/DeviceDescription.h"

#include "annotation/CheckedSize.h"
#include "parser/CollectionContext.h"
#include "parser/CollectionWalk.h"
#include "parser/CollectionTree.h"
#include "parser/ParseItems.h"
#include "support/Bits.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <cassert>
#include <limits>

namespace quorlix {

// The heap behind ParseDescriptor's callbacks, with the bound of one parse. Each block carries
// its size in front, so the bound counts memory in use, not memory ever taken.
struct ParseMemory
{
    std::size_t bound = kParseMemoryBound;
    std::size_t inUse = 0;
    bool boundReached = false;
    std::FILE* debugOut = nullptr;
};

namespace {

constexpr std::size_t kBlockHeader = alignof(std::max_align_t);

void* HeapAllocate(void* context, std::size_t size)
{
    auto& memory = *static_cast<ParseMemory*>(context);
    // kParseMemoryBound (or the caller's own bound) is enforced here, for every record.
    if (size > memory.bound - memory.inUse || size > memory.bound) {
        memory.boundReached = true;
        return nullptr;
    }
    void* block = std::calloc(1, size + kBlockHeader);
    if (block == nullptr) {
        return nullptr;
    }
    std::memcpy(block, &size, sizeof size);
    memory.inUse += size;
    return static_cast<unsigned char*>(block) + kBlockHeader;
}

void HeapRelease(void* context, void* block)
{
    if (block == nullptr) {
        return;
    }
    auto& memory = *static_cast<ParseMemory*>(context);
    unsigned char* start = static_cast<unsigned char*>(block) - kBlockHeader;
    std::size_t size = 0;
    std::memcpy(&size, start, sizeof size);
    memory.inUse -= size;
    std::free(start);
}

void HeapZero(void*, void* block, std::size_t size)
{
    std::memset(block, 0, size);
}

void HeapCopy(void*, void* destination, const void* source, std::size_t size)
{
    if (size != 0) {
        std::memcpy(destination, source, size);
    }
}

void StreamDebugPrint(void* context, const char* format, ...)
{
    std::FILE* out = static_cast<ParseMemory*>(context)->debugOut;
    if (out == nullptr) {
        return;
    }
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(out, format, arguments);
    va_end(arguments);
}

// The first report of the type in the subtree, a collection's own reports before its
// children's, as the context search finds it; nullptr for none.
const HidReport* FirstReportOfType(const HidCollection& topLevel, ReportType type)
{
    const HidReport* found = nullptr;
    ForEachCollection(topLevel, [&](const HidCollection& collection) {
        for (std::uint32_t i = 0; i < collection.reportListCount; ++i) {
            if (collection.reports[i]->type == type) {
                found = collection.reports[i];
                return false;
            }
        }
        return true;
    });
    return found;
}

void ReleaseArrays(DeviceDescription& description)
{
    const ParserCallbacks& callbacks = description.callbacks;
    if (description.collections != nullptr) {
        for (std::uint32_t i = 0; i < description.collectionCount; ++i) {
            callbacks.release(callbacks.context, description.collections[i].context);
        }
        callbacks.release(callbacks.context, description.collections);
    }
    if (description.reportIds != nullptr) {
        callbacks.release(callbacks.context, description.reportIds);
    }
    description.collections = nullptr;
    description.reportIds = nullptr;
    description.collectionCount = 0;
    description.reportIdCount = 0;
}

// Fills the two records of top-level collection i from its built context. The lengths come
// from the tree's 64-bit bit counts, a part byte rounded up, so a 12-bit report takes 2 bytes.
void DescribeCollection(DeviceDescription& description, std::uint32_t i, std::uint8_t* context,
                        std::uint32_t contextSize, const HidCollection& topLevel)
{
    static constexpr ReportType kTypes[] = { ReportType::Input, ReportType::Output,
                                             ReportType::Feature };
    CheckedSize lengths[3];
    bool usesIds[3];
    for (int t = 0; t < 3; ++t) {
        const HidReport* report = FirstReportOfType(topLevel, kTypes[t]);
        lengths[t] = report == nullptr ? CheckedSize() : CheckedSize(report->bitSize).BitsToBytes();
        usesIds[t] = UsesReportIds(context, kTypes[t]);
    }
    bool& held = description.sizesSaturated;
    const auto length32 = [&](CheckedSize length) { return length.Narrow<std::uint32_t>(held); };

    ReportIdEntry& entry = description.reportIds[i];
    entry.collectionNumber = i + 1;
    entry.inputLength = length32(lengths[0] + (usesIds[0] ? 1 : 0));
    entry.outputLength = length32(lengths[1] + (usesIds[1] ? 1 : 0));
    entry.featureLength = length32(lengths[2] + (usesIds[2] ? 1 : 0));
    entry.reportId = GetFirstReportId(context, ReportType::Input);
    if (entry.reportId == 0) {
        entry.reportId = GetFirstReportId(context, ReportType::Output);
    }
    if (entry.reportId == 0) {
        entry.reportId = GetFirstReportId(context, ReportType::Feature);
    }

    CollectionDescription& collection = description.collections[i];
    const std::uint32_t usage =
        ReadLe32(ContextRawData(context) + context_layout::kCollectionUsage);
    collection.usagePage = static_cast<std::uint16_t>(usage >> 16);
    collection.usage = static_cast<std::uint16_t>(usage);
    collection.collectionNumber = entry.collectionNumber;
    collection.contextSize = contextSize;
    collection.context = context;
    // Here the report id byte is always counted.
    collection.inputLength = length32(lengths[0] + 1);
    collection.outputLength = length32(lengths[1] + 1);
    collection.featureLength = length32(lengths[2] + 1);

    description.summaries.push_back({ entry.reportId, collection.usagePage, collection.usage,
                                      entry.outputLength, entry.inputLength, entry.featureLength });
}

} // namespace

DeviceDescription::DeviceDescription() = default;

DeviceDescription::~DeviceDescription()
{
    ReleaseDeviceDescription(*this);
}

void ReleaseDeviceDescription(DeviceDescription& description)
{
    if (description.callbacks.release != nullptr) {
        ReleaseArrays(description);
        ReleaseParserState(description.callbacks, description.state);
    }
    description.state = nullptr;
    description.callbacks = {};
    description.rows.clear();
    description.summaries.clear();
    description.boundReached = false;
    description.sizesSaturated = false;
}

ParseResult BuildDeviceDescription(const ParserCallbacks& callbacks, const std::uint8_t* bytes,
                                   std::size_t length, DeviceDescription& description,
                                   std::FILE* out)
{
    // A description parsed before gives back what it holds first, with the callbacks that
    // gave it, so a second parse neither leaks the first nor adds to its rows.
    ReleaseDeviceDescription(description);
    description.callbacks = callbacks;
    ParserState* state = nullptr;
    const ParseResult result = ParseItems(callbacks, bytes, length, description.rows, &state);
    if (result != ParseResult::Ok) {
        callbacks.debugPrint(callbacks.context,
                             "[HIDPARSER] Failed to parse report descriptor with %x\n",
                             static_cast<unsigned>(result));
        return result;
    }
    description.state = state;
    description.boundReached = state->boundReached != 0;
    description.sizesSaturated = state->sizesSaturated != 0;
    if (out != nullptr) {
        std::fputs("----------------------------\n", out);
    }

    const HidCollection& root = *state->rootCollection;
    const std::uint32_t count = root.childCount;
    if (count == 0) {
        return ParseResult::Ok;
    }
    description.collections = static_cast<CollectionDescription*>(
        callbacks.allocate(callbacks.context, sizeof(CollectionDescription) * count));
    if (description.collections == nullptr) {
        return ParseResult::Ok;
    }
    description.reportIds = static_cast<ReportIdEntry*>(
        callbacks.allocate(callbacks.context, sizeof(ReportIdEntry) * count));
    if (description.reportIds == nullptr) {
        ReleaseArrays(description);
        return ParseResult::Ok;
    }
    description.summaries.reserve(count);

    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint64_t size = GetContextSize(*root.children[i]);
        auto* context = size > std::numeric_limits<std::uint32_t>::max()
                            ? nullptr
                            : static_cast<std::uint8_t*>(callbacks.allocate(
                                  callbacks.context, static_cast<std::size_t>(size)));
        if (context == nullptr) {
            // Contexts built so far are released with the arrays.
            description.collectionCount = i;
            ReleaseArrays(description);
            return ParseResult::NoMemory;
        }
        // Held by the description before anything else can fail, so a release finds it.
        description.collections[i].context = context;
        description.collectionCount = i + 1;
        const auto contextSize = static_cast<std::uint32_t>(size);
        PutLe32(context, contextSize);
        [[maybe_unused]] const std::uint32_t end =
            BuildContextBlock(callbacks, *root.children[i], context, 0);
        assert(end + kContextHeaderSize + 1 == size && "the context's blocks fill it");
        if (out != nullptr) {
            std::fprintf(out, "CollectionContext %p\n", static_cast<void*>(context));
            std::fprintf(out, "CollectionContext RawData %p\n",
                         static_cast<void*>(context + kContextHeaderSize));
            std::fprintf(out, "CollectionContext Size %lu\n",
                         static_cast<unsigned long>(contextSize));
        }
        DescribeCollection(description, i, context, contextSize, *root.children[i]);
    }
    description.collectionCount = count;
    description.reportIdCount = count;
    return ParseResult::Ok;
}

ParseResult ParseDescriptor(const std::uint8_t* bytes, std::size_t length,
                            DeviceDescription& description, const ParseOptions& options)
{
    // Released while the memory that gave the earlier parse its blocks is still there.
    ReleaseDeviceDescription(description);
    description.memory = std::make_unique<ParseMemory>();
    ParseMemory& memory = *description.memory;
    memory.bound = options.memoryBound;
    memory.debugOut = options.debugOut;

    ParserCallbacks callbacks;
    callbacks.context = &memory;
    callbacks.allocate = HeapAllocate;
    callbacks.release = HeapRelease;
    callbacks.zero = HeapZero;
    callbacks.copy = HeapCopy;
    callbacks.debugPrint = StreamDebugPrint;
    const ParseResult result =
        BuildDeviceDescription(callbacks, bytes, length, description, options.debugOut);
    description.boundReached = description.boundReached || memory.boundReached;
    return result;
}

} // namespace quorlix
