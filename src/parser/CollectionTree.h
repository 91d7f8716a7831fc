#pragma once

#include "parser/HidCollection.h"
#include "parser/ParserCallbacks.h"
#include "parser/ParseResult.h"
#include "support/Expected.h"
#include "parser/ParserState.h"

#include <cstdint>

namespace quorlix {

// A new collection node of the given kind under parent, its usage and indices taken from the
// local items; nullptr when it cannot be allocated. The node is not linked into the tree.
[[nodiscard]] HidCollection* CreateCollection(const ParserCallbacks& callbacks,
                                              HidCollection* parent, std::uint8_t kind,
                                              const ParserState& state);

// Links child as the last child of parent; false (and nothing linked) when the list cannot grow.
[[nodiscard]] bool AppendChild(const ParserCallbacks& callbacks, HidCollection& parent,
                               HidCollection* child);

// A new empty report record appended to collection's reports; nullptr when it cannot be
// allocated.
[[nodiscard]] HidReport* CreateReport(const ParserCallbacks& callbacks, HidCollection& collection,
                                      ReportType type, std::uint8_t reportId);

// The first report of the type and id in the subtree, depth-first with a collection's own
// reports before its children; result NoSuchReport when there is none.
[[nodiscard]] ParseResult FindReport(const HidCollection& collection, ReportType type,
                                     std::uint8_t reportId, HidReport** found);

// Appends the state's reportCount fields to report, with positions, limits and usages from the
// state. Adds no field and gives BoundReached when the record's image would pass 32 bits or the
// parse would pass kMaxReportFields, and NoMemory when the record cannot grow.
// A record that does not belong to the top-level collection opened last (one kept by the root)
// receives no fields: the fields would go to a copy that nothing refers to.
Expected<void, ParseError> AddReportItems(const ParserCallbacks& callbacks, ParserState& state,
                                          HidReport& report, std::uint8_t flags);

// Releases the subtree: every collection, list, report record and field storage, without
// recursion, so nesting of any depth is safe.
void ReleaseCollectionTree(const ParserCallbacks& callbacks, HidCollection* collection);

} // namespace quorlix
