#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorlix {

// One item of a descriptor with the item list's text for it, made safe for a C comment.
struct ItemLine
{
    std::size_t offset = 0; // of the prefix
    std::size_t length = 0; // the item's bytes inside the descriptor; a truncated one is cut
    std::string text;       // UTF-8; empty where the parse gave the item no row
};

// Every item of the descriptor in order, each with its text as the item list names it (full
// usage names filled in). Any bytes are fine: a parse that stops early leaves the rest without
// text. Time and memory grow linearly with the descriptor.
std::vector<ItemLine> DescribeItems(std::span<const std::uint8_t> descriptor);

// Writes opening (such as "static const uint8_t x[12] = {") on a line of its own, then one line
// per item, its bytes as 0xNN literals and its text as a comment, then "};".
void WriteDescriptorArray(std::ostream& out, std::span<const std::uint8_t> descriptor,
                          std::string_view opening);

// A text made safe inside /* */ on one line: control characters and runs of blanks become one
// blank, and "*/", "/*" and "??" (which C99 may read as a trigraph) are broken by a blank.
std::string CommentText(std::string_view text);

// UTF-8 of an item list text; an unpaired surrogate becomes U+FFFD.
std::string Utf8Of(std::u16string_view text);

// "0x5A": a byte as a C literal, upper-case digits.
std::string HexByte(std::uint8_t byte);

} // namespace quorlix
