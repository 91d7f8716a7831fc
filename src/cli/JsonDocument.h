#pragma once

#include "parser/DeviceDescription.h"
#include "parser/ParseResult.h"

#include <ostream>

namespace quorlix {

// Writes the parse as one UTF-8 JSON document: result, rows, the collection tree from the root,
// collections, reportIds and summaries. Rows and the tree are streamed, so memory stays that of
// the parse; nesting of any depth is written without recursion.
void WriteJsonDocument(std::ostream& out, ParseResult result, const DeviceDescription& description);

} // namespace quorlix
