#pragma once

#include "forms/DescriptorInput.h"
#include "parser/DeviceDescription.h"
#include "parser/ParseResult.h"

#include <ostream>

namespace quorlix {

// Writes the parse as one UTF-8 JSON document: result, rows, the collection tree from the root,
// collections, reportIds, summaries and, when given, how the input was read. Rows and the tree
// are streamed, so memory stays that of the parse; nesting of any depth is written without
// recursion.
void WriteJsonDocument(std::ostream& out, ParseResult result, const DeviceDescription& description,
                       const DescriptorInput* input = nullptr);

} // namespace quorlix
