#pragma once

#include <string_view>

namespace quorlix::forms {

// The dump tools whose output the hexdump form reads, told apart by the first line's offset.
enum class DumpLayout
{
    Unknown,
    Xxd,       // "00000000: 0501 0902  ....", hex offsets, digit groups, ASCII after two blanks
    HexdumpC,  // "00000000  05 01 ...  |....|", hex offsets, ASCII between bars
    Wireshark, // "0000   05 01 ...   ....", hex offsets, ASCII after two blanks or more
    Od,        // "0000000 05 01 ...", octal offsets, no ASCII
    OdNoOffset // " 05 01 ...", od -An
};

// The layout a dump's first non-blank line shows.
DumpLayout DumpLayoutOf(std::string_view firstLine);

} // namespace quorlix::forms
