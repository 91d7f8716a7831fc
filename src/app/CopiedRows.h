#pragma once

#include "files/SavedAnalysisWriter.h"

#include <string>

namespace quorlix {

// Appends a row as the plain saved form writes it (bytes in a field of 20, "\t\t//", offset in
// a field of 4, tab, name, tab, description), but in UTF-8 with a line feed, for the clipboard:
// unlike the file, no character is lost to GBK.
void AppendCopiedRow(std::string& out, const SavedRowTexts& row);

} // namespace quorlix
