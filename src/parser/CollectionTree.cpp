#include "parser/CollectionTree.h"

#include "annotation/CheckedSize.h"
#include "annotation/HidItems.h"
#include "parser/CollectionWalk.h"
#include "support/Bits.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

namespace quorlix {
namespace {

constexpr std::uint32_t kFirstListCapacity = 4;

// Grows a list of pointers to hold one more entry, doubling its storage.
template <typename T>
bool ReserveOneMore(const ParserCallbacks& callbacks, T**& list, std::uint32_t count,
                    std::uint32_t& capacity)
{
    if (count < capacity) {
        return true;
    }
    if (capacity > std::numeric_limits<std::uint32_t>::max() / 2) {
        return false;
    }
    const std::uint32_t grownCapacity = capacity == 0 ? kFirstListCapacity : capacity * 2;
    auto** grown =
        static_cast<T**>(callbacks.allocate(callbacks.context, sizeof(T*) * grownCapacity));
    if (grown == nullptr) {
        return false;
    }
    if (list != nullptr) {
        callbacks.copy(callbacks.context, grown, list, sizeof(T*) * count);
        callbacks.release(callbacks.context, list);
    }
    list = grown;
    capacity = grownCapacity;
    return true;
}

bool TryItemStorage(const ParserCallbacks& callbacks, HidReport& report, std::uint64_t capacity)
{
    if (capacity > std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }
    auto* grown = static_cast<HidReportItem*>(
        callbacks.allocate(callbacks.context, sizeof(HidReportItem) * capacity));
    if (grown == nullptr) {
        return false;
    }
    if (report.items != nullptr) {
        callbacks.copy(callbacks.context, grown, report.items,
                       sizeof(HidReportItem) * report.itemCount);
        callbacks.release(callbacks.context, report.items);
    }
    report.items = grown;
    report.storageCapacity = static_cast<std::uint32_t>(capacity);
    return true;
}

// Asks for room to spare first, so that adding fields item by item stays linear; if that is
// refused, for exactly what this item needs.
bool GrowItemStorage(const ParserCallbacks& callbacks, HidReport& report, std::uint32_t needed)
{
    const std::uint64_t doubled = std::uint64_t{ report.storageCapacity } * 2;
    const std::uint64_t preferred = std::max<std::uint64_t>({ needed, doubled, 4 });
    return TryItemStorage(callbacks, report, preferred) ||
           (preferred != needed && TryItemStorage(callbacks, report, needed));
}

std::uint32_t VariableFieldUsage(const ParserState& state, std::uint32_t index)
{
    if (index < state.usageCount) {
        return state.usages[index].value;
    }
    // Past the usage list the range continues from the minimum: minimum plus the field's index
    // within this item, held at the maximum when one was given.
    std::uint32_t usage = state.usageMinimum + index;
    if (state.usageMaximumSet != 0 && usage > state.usageMaximum) {
        usage = state.usageMaximum;
    }
    return usage;
}

} // namespace

HidCollection* CreateCollection(const ParserCallbacks& callbacks, HidCollection* parent,
                                std::uint8_t kind, const ParserState& state)
{
    auto* collection =
        static_cast<HidCollection*>(callbacks.allocate(callbacks.context, sizeof(HidCollection)));
    if (collection == nullptr) {
        return nullptr;
    }
    collection->type = kind;
    collection->parent = parent;
    collection->stringIndex = state.stringIndex;
    collection->designatorIndex = static_cast<std::uint8_t>(state.designatorIndex);
    if (state.usageCount > 0) {
        collection->usage = state.usages[0].value;
    } else if (state.usageMinimumSet != 0) {
        collection->usage = state.usageMinimum;
    } else if (state.usageMaximumSet != 0) {
        collection->usage = state.usageMaximum;
    } else if (kind != static_cast<std::uint8_t>(CollectionKind::Logical)) {
        // Nothing holds the new collection yet: if the line's callback throws, release it here.
        struct ReleaseUnlessKept
        {
            const ParserCallbacks& callbacks;
            HidCollection* collection;
            ~ReleaseUnlessKept()
            {
                if (collection != nullptr) {
                    callbacks.release(callbacks.context, collection);
                }
            }
        } guard{ callbacks, collection };
        callbacks.debugPrint(callbacks.context, "HIDPARSE] No usage set\n");
        guard.collection = nullptr;
    }
    return collection;
}

bool AppendChild(const ParserCallbacks& callbacks, HidCollection& parent, HidCollection* child)
{
    if (!ReserveOneMore(callbacks, parent.children, parent.childCount, parent.childCapacity)) {
        return false;
    }
    child->indexInParent = parent.childCount;
    parent.children[parent.childCount++] = child;
    return true;
}

HidReport* CreateReport(const ParserCallbacks& callbacks, HidCollection& collection,
                        ReportType type, std::uint8_t reportId)
{
    if (!ReserveOneMore(callbacks, collection.reports, collection.reportListCount,
                        collection.reportCapacity)) {
        return nullptr;
    }
    auto* report =
        static_cast<HidReport*>(callbacks.allocate(callbacks.context, sizeof(HidReport)));
    if (report == nullptr) {
        return nullptr;
    }
    report->type = type;
    report->reportId = reportId;
    report->owner = &collection;
    collection.reports[collection.reportListCount++] = report;
    return report;
}

ParseResult FindReport(const HidCollection& collection, ReportType type, std::uint8_t reportId,
                       HidReport** found)
{
    HidReport* match = nullptr;
    ForEachCollection(collection, [&](const HidCollection& current) {
        for (std::uint32_t i = 0; i < current.reportListCount; ++i) {
            HidReport* report = current.reports[i];
            if (report->type == type && report->reportId == reportId) {
                match = report;
                return false;
            }
        }
        return true;
    });
    if (match == nullptr) {
        return ParseResult::NoSuchReport;
    }
    *found = match;
    return ParseResult::Ok;
}

Expected<void, ParseError> AddReportItems(const ParserCallbacks& callbacks, ParserState& state,
                                          HidReport& report, std::uint8_t flags)
{
    const GlobalItemState& globals = state.globals;
    const std::uint32_t count = globals.reportCount;
    if (report.owner == state.rootCollection) {
        return {};
    }
    const std::uint64_t needed = std::uint64_t{ report.itemCount } + count;
    // The record's image size is a 32-bit number: a count that would overflow it is a bound,
    // as is the field bound of one parse.
    if (ReportImageSize(needed) > std::numeric_limits<std::uint32_t>::max() ||
        std::uint64_t{ state.totalFieldCount } + count > kMaxReportFields) {
        return Unexpected(ParseError::BoundReached);
    }
    if (needed > report.storageCapacity &&
        !GrowItemStorage(callbacks, report, static_cast<std::uint32_t>(needed))) {
        return Unexpected(ParseError::NoMemory);
    }
    report.itemCapacity = static_cast<std::uint32_t>(needed);

    const bool isArray = !HasFlag(flags, MainItemFlag::Variable);
    const std::uint32_t reportSize = globals.reportSize;
    const std::uint32_t mask = reportSize >= 32 ? 0xFFFFFFFFu : (1u << reportSize) - 1u;
    CheckedSize bits = report.bitSize;
    for (std::uint32_t i = 0; i < count; ++i) {
        HidReportItem& item = report.items[report.itemCount];
        item.byteOffset = bits.Value() / 8;
        item.shift = static_cast<std::uint8_t>(bits.Value() % 8);
        item.mask = mask;
        item.bitCount = reportSize;
        item.hasData = HasFlag(flags, MainItemFlag::Constant) ? 0 : 1;
        item.isArray = isArray ? 1 : 0;
        item.isRelative = HasFlag(flags, MainItemFlag::Relative) ? 1 : 0;
        item.logicalMinimum = globals.logicalMinimum;
        item.logicalMaximum = globals.logicalMaximum;
        if (isArray) {
            item.usageMinimum = state.usageMinimum;
            item.usageMaximum = state.usageMaximum;
        } else {
            item.usageMinimum = VariableFieldUsage(state, i);
            item.usageMaximum = item.usageMinimum;
        }
        bits += reportSize;
        ++report.itemCount;
    }
    report.bitSize = bits.Value();
    if (bits.Saturated()) {
        state.sizesSaturated = 1;
    }
    state.totalFieldCount += count;
    return {};
}

void ReleaseCollectionTree(const ParserCallbacks& callbacks, HidCollection* collection)
{
    if (collection == nullptr) {
        return;
    }
    // Each collection goes after its children, so the walk never reads a released one; the
    // walk itself allocates nothing, which keeps a release safe when memory has run out.
    WalkCollections(
        *collection, [](HidCollection&) {},
        [&](HidCollection& current) {
            for (std::uint32_t i = 0; i < current.reportListCount; ++i) {
                HidReport* report = current.reports[i];
                if (report->items != nullptr) {
                    callbacks.release(callbacks.context, report->items);
                }
                callbacks.release(callbacks.context, report);
            }
            if (current.children != nullptr) {
                callbacks.release(callbacks.context, current.children);
            }
            if (current.reports != nullptr) {
                callbacks.release(callbacks.context, current.reports);
            }
            callbacks.release(callbacks.context, &current);
        });
}

void WriteCollectionImage(const HidCollection& collection, std::uint8_t* out)
{
    out[0] = collection.type;
    PutLe32(out + 1, collection.usage);
    out[5] = collection.stringIndex;
    out[6] = collection.designatorIndex;
    PutLe32(out + 7, collection.reportListCount);
    PutLe32(out + 11, collection.childCount);
    PutLe32(out + 15, 0); // children
    PutLe32(out + 19, 0); // parent
    PutLe32(out + 23, 0); // reports
    PutLe32(out + 27, collection.contextOffsets);
}

void WriteReportItemImage(const HidReportItem& item, std::uint8_t* out)
{
    bool held = false; // the records keep the whole values; only the image is narrower
    PutLe32(out + 0, CheckedSize(item.byteOffset).Narrow<std::uint32_t>(held));
    out[4] = item.shift;
    PutLe32(out + 5, item.mask);
    out[9] = CheckedSize(item.bitCount).Narrow<std::uint8_t>(held);
    out[10] = item.hasData;
    out[11] = item.isArray;
    out[12] = item.isRelative;
    PutLe32(out + 13, item.logicalMinimum);
    PutLe32(out + 17, item.logicalMaximum);
    PutLe32(out + 21, item.usageMinimum);
    PutLe32(out + 25, item.usageMaximum);
    std::memset(out + 29, 0, kReportItemImageSize - 29);
}

void WriteReportImage(const HidReport& report, std::uint8_t* out)
{
    out[0] = static_cast<std::uint8_t>(report.type);
    out[1] = report.reportId;
    bool held = false;
    PutLe32(out + 2, CheckedSize(report.bitSize).Narrow<std::uint32_t>(held));
    PutLe32(out + 6, report.itemCount);
    PutLe32(out + 10, report.itemCapacity);
    std::uint8_t* field = out + kReportHeaderImageSize;
    for (std::uint32_t i = 0; i < report.itemCount; ++i, field += kReportItemImageSize) {
        WriteReportItemImage(report.items[i], field);
    }
    std::memset(field, 0, kReportItemImageSize); // the spare slot
}

} // namespace quorlix
