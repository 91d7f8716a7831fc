#pragma once

#include "annotation/FillInUsageNames.h"
#include "parser/DeviceDescription.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace quorlix {

// The most characters each pane text may hold: 32 MiB of UTF-16. The largest real descriptor we
// know writes a detail text of about 2 million characters, an eighth of this; a field takes about
// 100 characters, so kMaxReportFields fields could write 26 million. Past the bound nothing more
// is appended (a report's header or a field's lines go in whole or not at all) and the texts say
// so through their truncated flag.
inline constexpr std::size_t kMaxLayoutTextChars = std::size_t{ 1 } << 24;

// The detail and summary texts of the two panes.
struct LayoutTexts
{
    std::u16string detail;
    std::u16string summary;
    bool truncated = false;                  // a text reached limit
    std::size_t limit = kMaxLayoutTextChars; // characters each text may hold
    // With full names, each collection's page and usage and each field's usage range are
    // followed by their names in parentheses; the classic texts show numbers alone.
    UsageNames usageNames = UsageNames::Classic;
};

// Appends the reports of the subtree whose collection block starts at blockOffset of the
// context: each report's header to both texts, each field's lines to the detail text only,
// depth-first. Writes a plain copy to out (nullptr: none).
void AppendReportLayout(const std::uint8_t* context, std::uint32_t blockOffset, LayoutTexts& texts,
                        std::FILE* out);

// The same from the records of the collection tree, which hold every size and offset in full.
void AppendReportLayout(const HidCollection& collection, LayoutTexts& texts,
                        std::FILE* out = stdout);

// Both pane texts of a parse: for each top-level collection its header line, then its layout.
void BuildLayoutTexts(const DeviceDescription& description, LayoutTexts& texts, std::FILE* out);

} // namespace quorlix
