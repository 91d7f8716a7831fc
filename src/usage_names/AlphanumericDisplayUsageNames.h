#pragma once

#include "UsageNameEntry.h"

#include <iterator>

namespace quorlix {

// Usage names of the Alphanumeric Display page (0x0014), ascending by id.
// Mostly a tab, the words, a blank and a tab; nothing at 0x0089.
// clang-format off
inline constexpr UsageNameEntry AlphanumericDisplayUsageNames[] = {
    { 0x0000, u"\tUndefined\t" },   // No blank before the closing tab.
    { 0x0001, u"\tAlphanumeric Display \t" },
    { 0x0002, u"\tBitmapped Display \t" },
    { 0x0020, u"\tDisplay Attributes Report \t" },
    { 0x0021, u"\tASCII Character Set \t" },
    { 0x0022, u"\tData Read Back \t" },
    { 0x0023, u"\tFont Read Back \t" },
    { 0x0024, u"\tDisplay Control Report \t" },
    { 0x0025, u"\tClear Display \t" },
    { 0x0026, u"\tDisplay Enable \t" },
    { 0x0027, u"\tScreen Saver Delay \t" },
    { 0x0028, u"\tScreen Saver Enable \t" },
    { 0x0029, u"\tVertical Scroll \t" },
    { 0x002A, u"\tHorizontal Scroll \t" },
    { 0x002B, u"\tCharacter Report \t" },
    { 0x002C, u"\tDisplay Data \t" },
    { 0x002D, u"\tDisplay Status \t" },
    { 0x002E, u"\tStat Not Ready \t" },
    { 0x002F, u"\tStat Ready \t" },
    { 0x0030, u"\tErr Not a loadable character \t" },
    { 0x0031, u"\tErr Font data cannot be read \t" },
    { 0x0032, u"\tCursor Position Report \t" },
    { 0x0033, u"\tRow \t" },
    { 0x0034, u"\tColumn \t" },
    { 0x0035, u"\tRows \t" },
    { 0x0036, u"\tColumns \t" },
    { 0x0037, u"\tCursor Pixel Positioning \t" },
    { 0x0038, u"\tCursor Mode \t" },
    { 0x0039, u"\tCursor Enable \t" },
    { 0x003A, u"\tCursor Blink \t" },
    { 0x003B, u"\tFont Report \t" },
    { 0x003C, u"\tFont Data \t" },
    { 0x003D, u"\tCharacter Width \t" },
    { 0x003E, u"\tCharacter Height \t" },
    { 0x003F, u"\tCharacter Spacing Horizontal \t" },
    { 0x0040, u"\tCharacter Spacing Vertical \t" },
    { 0x0041, u"\tUnicode Character Set \t" },
    { 0x0042, u"\tFont 7-Segment \t" },
    { 0x0043, u"\t7-Segment Direct Map \t" },
    { 0x0044, u"\tFont 14-Segment \t" },
    { 0x0045, u"\t14-Segment Direct Map \t" },
    { 0x0046, u"\tDisplay Brightness \t" },
    { 0x0047, u"\tDisplay Contrast \t" },
    { 0x0048, u"\tCharacter Attribute \t" },
    { 0x0049, u"\tAttribute Readback \t" },
    { 0x004A, u"\tAttribute Data \t" },
    { 0x004B, u"\tChar Attr Enhance \t" },
    { 0x004C, u"\tChar Attr Underline \t" },
    { 0x004D, u"\tChar Attr Blink \t" },
    { 0x0080, u"\tBitmap Size X \t" },
    { 0x0081, u"\tBitmap Size Y \t" },
    { 0x0082, u"\tReserved\t" },    // No blank before the closing tab.
    { 0x0083, u"\tBit Depth Format \t" },
    { 0x0084, u"\tDisplay Orientation \t" },
    { 0x0085, u"\tPalette Report \t" },
    { 0x0086, u"\tPalette Data Size \t" },
    { 0x0087, u"\tPalette Data Offset \t" },
    { 0x0088, u"\tPalette Data \t" },
    { 0x008A, u"\tBlit Report \t" },
    { 0x008B, u"\tBlit Rectangle X1 \t" },
    { 0x008C, u"\tBlit Rectangle Y1 \t" },
    { 0x008D, u"\tBlit Rectangle X2 \t" },
    { 0x008E, u"\tBlit Rectangle Y2 \t" },
    { 0x008F, u"\tBlit Data \t" },
    { 0x0090, u"\tSoft Button \t" },
    { 0x0091, u"\tSoft Button ID \t" },
    { 0x0092, u"\tSoft Button Side \t" },
    { 0x0093, u"\tSoft Button Offset 1 \t" },
    { 0x0094, u"\tSoft Button Offset 2 \t" },
    { 0x0095, u"\tSoft Button Report \t" },
};
// clang-format on

static_assert(std::size(AlphanumericDisplayUsageNames) == 70,
              "Alphanumeric Display must have 70 usage names");
static_assert(IsStrictlyAscending(AlphanumericDisplayUsageNames),
              "Alphanumeric Display usage ids must ascend without repeats");

} // namespace quorlix
