#pragma once

#include "annotation/ItemRow.h"
#include "parser/ParseResult.h"
#include "parser/ParserCallbacks.h"
#include "parser/ParserState.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorlix {

// Walks the descriptor item by item, building the state and the collection tree, and appends
// one row per item to rows. Gives EmptyDescriptor for no bytes and NoMemory when the state, the
// usage list or the root cannot be allocated; in both cases no row is appended. Once started it
// never stops early: odd, reserved and truncated items get their rows too, and bytes past the
// end are never read. On success *stateOut owns the state and the tree; release them with
// ReleaseParserState.
[[nodiscard]] ParseResult ParseItems(const ParserCallbacks& callbacks, const std::uint8_t* bytes,
                                     std::size_t length, std::vector<ItemRow>& rows,
                                     ParserState** stateOut);

// Releases a state handed out by ParseItems, with its whole collection tree.
void ReleaseParserState(const ParserCallbacks& callbacks, ParserState* state);

} // namespace quorlix
