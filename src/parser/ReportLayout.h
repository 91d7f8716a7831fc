#pragma once

#include "parser/DeviceDescription.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace quorlix {

// The most characters each pane text may hold. Real descriptors need tens of thousands; the
// field bound could otherwise let one text reach hundreds of megabytes. Past it nothing more is
// appended and the texts say so through their truncated flag.
inline constexpr std::size_t kMaxLayoutTextChars = std::size_t{ 1 } << 22;

// The detail and summary texts of the two panes.
struct LayoutTexts
{
    std::u16string detail;
    std::u16string summary;
    bool truncated = false; // a text reached kMaxLayoutTextChars
};

// Appends the reports of the subtree whose collection block starts at blockOffset of the
// context: each report's header to both texts, each field's lines to the detail text only,
// depth-first. Writes a plain copy to out (nullptr: none).
void AppendReportLayout(const std::uint8_t* context, std::uint32_t blockOffset, LayoutTexts& texts,
                        std::FILE* out = stdout);

// Both pane texts of a parse: for each top-level collection its header line, then its layout.
void BuildLayoutTexts(const DeviceDescription& description, LayoutTexts& texts,
                      std::FILE* out = stdout);

} // namespace quorlix
