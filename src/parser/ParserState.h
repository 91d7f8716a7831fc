#pragma once

#include "parser/ParserCallbacks.h"
#include "parser/ParseResult.h"

#include <cstdint>

namespace quorlix {

struct HidCollection;

// The global items: in force until changed, saved whole by Push and restored by Pop.
struct GlobalItemState
{
    std::uint16_t usagePage;
    std::uint32_t logicalMinimum; // as decoded: zero-extended, never sign-extended
    std::uint32_t logicalMaximum;
    std::uint32_t physicalMinimum;
    std::uint32_t physicalMaximum;
    std::uint8_t unitExponent;
    std::uint8_t unit;
    std::uint32_t reportSize;
    std::uint32_t reportCount;
    std::uint8_t reportId;
    GlobalItemState* savedGlobals; // newest block of the Push stack, or nullptr
};

// One Usage item; hasPage is 1 when the high half of value already holds a usage page.
struct LocalUsage
{
    std::uint32_t value;
    std::uint8_t hasPage;
};

// The parser's working state. Allocated zero-filled, so every field starts at 0 or nullptr.
struct ParserState
{
    GlobalItemState globals;

    // Local items: they describe the next main item only.
    LocalUsage* usages;
    std::uint32_t usageCount;
    std::uint32_t usageCapacity;
    std::uint32_t usagesWithPage; // the first this many usages already hold their page
    std::uint32_t usageMinimum;
    std::uint8_t usageMinimumHasPage;
    std::uint32_t usageMaximum;
    std::uint8_t usageMaximumHasPage;
    std::uint8_t usageMinimumSet;
    std::uint8_t usageMaximumSet;
    std::uint32_t designatorIndex;
    std::uint8_t designatorIndexSet;
    std::uint32_t designatorMinimum;
    std::uint32_t designatorMaximum;
    std::uint8_t stringIndex;
    std::uint8_t stringIndexSet;
    std::uint8_t stringMinimum;
    std::uint8_t stringMaximum;

    HidCollection* rootCollection;

    // Working values of the whole parse, outside the items' state.
    std::uint32_t totalFieldCount; // report fields added so far, in all reports
    std::uint8_t boundReached;     // 1 once an item lost its fields to a bound or to memory
    std::uint8_t sizesSaturated;   // 1 once a length or offset was held at its largest value
};

// The most report fields one parse keeps. Report Count is a 32-bit number, so a few items could
// otherwise ask for billions of fields; past this bound an item adds no fields, like an item
// whose record cannot grow. The largest real descriptor we know (a touch screen) holds about
// 21,000 fields, a twelfth of this. At the bound the fields take about 10 MiB (40 bytes each),
// their context images 9 MiB (34 bytes each), so records stay far below kParseMemoryBound, and
// the detail text and the JSON document, which grow by each field, stay bounded with them.
inline constexpr std::uint32_t kMaxReportFields = 1u << 18;

// The usage list's room at the start of a parse.
inline constexpr std::uint32_t kInitialUsageCapacity = 10;

// Applies a global item (tags 0 to 11; other tags change nothing). Push fails quietly when its
// block cannot be allocated: the stack simply does not grow.
void ApplyGlobalItem(const ParserCallbacks& callbacks, ParserState& state, unsigned tag,
                     std::uint32_t value);

// Applies a local item (tags 0 to 5 and 7 to 9; other tags change nothing). dataSize is the
// item's data size in bytes (4 marks a usage that carries its own page). A Usage that finds
// the list full and cannot grow it is dropped.
void ApplyLocalItem(const ParserCallbacks& callbacks, ParserState& state, unsigned tag,
                    std::uint32_t value, unsigned dataSize);

// Gives every usage without a page, and the usage minimum and maximum, the current page.
void CompleteUsagesWithPage(ParserState& state);

// Clears the local items, keeping the usage list's storage for the next main item.
void ClearLocalItems(ParserState& state);

// Releases every block on the Push stack, newest first, each after its debug line.
void ReleasePushStack(const ParserCallbacks& callbacks, ParserState& state);

} // namespace quorlix
