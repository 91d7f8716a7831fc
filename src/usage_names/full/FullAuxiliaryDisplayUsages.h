#pragma once

// Written by src/usage_names/generate/generate_full_usage_names.py from the HID Usage
// Tables data beside it. Do not edit: change the data or the script and run it again.

#include "usage_names/full/FullUsageEntry.h"

#include <iterator>

namespace quorlix::full_usages {

// Usages of the Auxiliary Display page (0x0014), ascending by id.
// clang-format off
inline constexpr FullUsageEntry FullAuxiliaryDisplayUsages[] = {
    { 0x0001, CA,            "Alphanumeric Display" },
    { 0x0002, CA,            "Auxiliary Display" },
    { 0x0020, CL,            "Display Attributes Report" },
    { 0x0021, SF,            "ASCII Character Set" },
    { 0x0022, SF,            "Data Read Back" },
    { 0x0023, SF,            "Font Read Back" },
    { 0x0024, CL,            "Display Control Report" },
    { 0x0025, DF,            "Clear Display" },
    { 0x0026, DF,            "Display Enable" },
    { 0x0027, DV | SV,       "Screen Saver Delay" },
    { 0x0028, DF,            "Screen Saver Enable" },
    { 0x0029, DF | SF,       "Vertical Scroll" },
    { 0x002A, DF | SF,       "Horizontal Scroll" },
    { 0x002B, CL,            "Character Report" },
    { 0x002C, DV,            "Display Data" },
    { 0x002D, CL,            "Display Status" },
    { 0x002E, Sel,           "Stat Not Ready" },
    { 0x002F, Sel,           "Stat Ready" },
    { 0x0030, Sel,           "Err Not a loadable character" },
    { 0x0031, Sel,           "Err Font data cannot be read" },
    { 0x0032, Sel,           "Cursor Position Report" },
    { 0x0033, DV,            "Row" },
    { 0x0034, DV,            "Column" },
    { 0x0035, SV,            "Rows" },
    { 0x0036, SV,            "Columns" },
    { 0x0037, SF,            "Cursor Pixel Positioning" },
    { 0x0038, DF,            "Cursor Mode" },
    { 0x0039, DF,            "Cursor Enable" },
    { 0x003A, DF,            "Cursor Blink" },
    { 0x003B, CL,            "Font Report" },
    { 0x003C, BufferedBytes, "Font Data" },
    { 0x003D, SV,            "Character Width" },
    { 0x003E, SV,            "Character Height" },
    { 0x003F, SV,            "Character Spacing Horizontal" },
    { 0x0040, SV,            "Character Spacing Vertical" },
    { 0x0041, SF,            "Unicode Character Set" },
    { 0x0042, SF,            "Font 7-Segment" },
    { 0x0043, SF,            "7-Segment Direct Map" },
    { 0x0044, SF,            "Font 14-Segment" },
    { 0x0045, SF,            "14-Segment Direct Map" },
    { 0x0046, DV,            "Display Brightness" },
    { 0x0047, DV,            "Display Contrast" },
    { 0x0048, CL,            "Character Attribute" },
    { 0x0049, SF,            "Attribute Readback" },
    { 0x004A, DV,            "Attribute Data" },
    { 0x004B, OOC,           "Char Attr Enhance" },
    { 0x004C, OOC,           "Char Attr Underline" },
    { 0x004D, OOC,           "Char Attr Blink" },
    { 0x0080, SV,            "Bitmap Size X" },
    { 0x0081, SV,            "Bitmap Size Y" },
    { 0x0082, SV,            "Max Blit Size" },
    { 0x0083, SV,            "Bit Depth Format" },
    { 0x0084, DV,            "Display Orientation" },
    { 0x0085, CL,            "Palette Report" },
    { 0x0086, SV,            "Palette Data Size" },
    { 0x0087, SV,            "Palette Data Offset" },
    { 0x0088, BufferedBytes, "Palette Data" },
    { 0x008A, CL,            "Blit Report" },
    { 0x008B, SV,            "Blit Rectangle X1" },
    { 0x008C, SV,            "Blit Rectangle Y1" },
    { 0x008D, SV,            "Blit Rectangle X2" },
    { 0x008E, SV,            "Blit Rectangle Y2" },
    { 0x008F, BufferedBytes, "Blit Data" },
    { 0x0090, CL,            "Soft Button" },
    { 0x0091, SV,            "Soft Button ID" },
    { 0x0092, SV,            "Soft Button Side" },
    { 0x0093, SV,            "Soft Button Offset 1" },
    { 0x0094, SV,            "Soft Button Offset 2" },
    { 0x0095, SV,            "Soft Button Report" },
    { 0x00C2, SV,            "Soft Keys" },
    { 0x00CC, SF,            "Display Data Extensions" },
    { 0x00CF, SV,            "Character Mapping" },
    { 0x00DD, SV,            "Unicode Equivalent" },
    { 0x00DF, SV,            "Character Page Mapping" },
    { 0x00FF, DV,            "Request Report" },
};
// clang-format on

static_assert(std::size(FullAuxiliaryDisplayUsages) == 75,
              "the Auxiliary Display page lists 75 usages");
static_assert(IsStrictlyAscending(FullAuxiliaryDisplayUsages),
              "Auxiliary Display usage ids must ascend without repeats");

} // namespace quorlix::full_usages
