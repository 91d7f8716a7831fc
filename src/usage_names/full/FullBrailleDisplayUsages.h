#pragma once

// Written by src/usage_names/generate/generate_full_usage_names.py from the HID Usage
// Tables data beside it. Do not edit: change the data or the script and run it again.

#include "usage_names/full/FullUsageEntry.h"

#include <iterator>

namespace quorlix::full_usages {

// Usages of the Braille Display page (0x0041), ascending by id.
// clang-format off
inline constexpr FullUsageEntry FullBrailleDisplayUsages[] = {
    { 0x0001, CA,   "Braille Display" },
    { 0x0002, NAry, "Braille Row" },
    { 0x0003, DV,   "8 Dot Braille Cell" },
    { 0x0004, DV,   "6 Dot Braille Cell" },
    { 0x0005, DV,   "Number of Braille Cells" },
    { 0x0006, NAry, "Screen Reader Control" },
    { 0x0007, DV,   "Screen Reader Identifier" },
    { 0x00FA, NAry, "Router Set 1" },
    { 0x00FB, NAry, "Router Set 2" },
    { 0x00FC, NAry, "Router Set 3" },
    { 0x0100, Sel,  "Router Key" },
    { 0x0101, Sel,  "Row Router Key" },
    { 0x0200, NAry, "Braille Buttons" },
    { 0x0201, Sel,  "Braille Keyboard Dot 1" },
    { 0x0202, Sel,  "Braille Keyboard Dot 2" },
    { 0x0203, Sel,  "Braille Keyboard Dot 3" },
    { 0x0204, Sel,  "Braille Keyboard Dot 4" },
    { 0x0205, Sel,  "Braille Keyboard Dot 5" },
    { 0x0206, Sel,  "Braille Keyboard Dot 6" },
    { 0x0207, Sel,  "Braille Keyboard Dot 7" },
    { 0x0208, Sel,  "Braille Keyboard Dot 8" },
    { 0x0209, Sel,  "Braille Keyboard Space" },
    { 0x020A, Sel,  "Braille Keyboard Left Space" },
    { 0x020B, Sel,  "Braille Keyboard Right Space" },
    { 0x020C, NAry, "Braille Face Controls" },
    { 0x020D, NAry, "Braille Left Controls" },
    { 0x020E, NAry, "Braille Right Controls" },
    { 0x020F, NAry, "Braille Top Controls" },
    { 0x0210, Sel,  "Braille Joystick Center" },
    { 0x0211, Sel,  "Braille Joystick Up" },
    { 0x0212, Sel,  "Braille Joystick Down" },
    { 0x0213, Sel,  "Braille Joystick Left" },
    { 0x0214, Sel,  "Braille Joystick Right" },
    { 0x0215, Sel,  "Braille D-Pad Center" },
    { 0x0216, Sel,  "Braille D-Pad Up" },
    { 0x0217, Sel,  "Braille D-Pad Down" },
    { 0x0218, Sel,  "Braille D-Pad Left" },
    { 0x0219, Sel,  "Braille D-Pad Right" },
    { 0x021A, Sel,  "Braille Pan Left" },
    { 0x021B, Sel,  "Braille Pan Right" },
    { 0x021C, Sel,  "Braille Rocker Up" },
    { 0x021D, Sel,  "Braille Rocker Down" },
    { 0x021E, Sel,  "Braille Rocker Press" },
};
// clang-format on

static_assert(std::size(FullBrailleDisplayUsages) == 43,
              "the Braille Display page lists 43 usages");
static_assert(IsStrictlyAscending(FullBrailleDisplayUsages),
              "Braille Display usage ids must ascend without repeats");

} // namespace quorlix::full_usages
