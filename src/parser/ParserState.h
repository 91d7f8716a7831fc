#pragma once

#include "annotation/ItemStateWalker.h"
#include "parser/ParserCallbacks.h"
#include "parser/ParseResult.h"

#include <cstdint>

namespace quorlix {

struct HidCollection;

// The global items in force, as the parse reads them from the item walker at each main item.
// The same struct is the block one Push costs the parse, counted against the parse's memory
// bound: the walker keeps the values Push saves, the block only its place on the Push stack.
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
    GlobalItemState* savedGlobals; // on the Push stack: the next older block, or nullptr
};

// The parser's working state. Allocated zero-filled, so every field starts at 0 or nullptr.
// The items' state is the item walker's: the globals and locals here are its reading at the
// main item being handled (ReadItemState), in the parse's own widths.
struct ParserState
{
    GlobalItemState globals;
    GlobalItemState* pushStack; // newest block of the Push stack, or nullptr
    // Local items: they describe the next main item only. The usages are the walker's list,
    // valid while the parse runs.
    const ListedUsage* usages;
    std::uint32_t usageCount;
    std::uint32_t usageMinimum;
    std::uint32_t usageMaximum;
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

// Reads the walker's globals and listed locals into state, for the main item just stepped.
void ReadItemState(const ItemStateWalker& walker, ParserState& state);

// Push and Pop on the parse's Push stack of blocks; the values they save and restore are the
// walker's. A Push whose block cannot be allocated returns false: the parse then says a bound was
// reached. A Pop with nothing on the stack changes nothing.
bool PushBlock(const ParserCallbacks& callbacks, ParserState& state);
void PopBlock(const ParserCallbacks& callbacks, ParserState& state);

// Releases every block on the Push stack, newest first, each after its debug line.
void ReleasePushStack(const ParserCallbacks& callbacks, ParserState& state);

} // namespace quorlix
