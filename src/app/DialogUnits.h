#pragma once

#include <QRect>

class QFont;

namespace quorlix {

// A rectangle in dialog units: x and width in quarters of the font's average character width,
// y and height in eighths of its height.
struct DialogRect
{
    int x;
    int y;
    int width;
    int height;
};

// The pixels one dialog unit stands for, times four across and times eight down.
struct DialogBaseUnits
{
    int x; // average character width in pixels
    int y; // character height in pixels
};

// The base units of a font, measured the way dialog units are defined: the average width of the
// 52 Latin letters, rounded, and the font's line height.
DialogBaseUnits DialogBaseUnitsOf(const QFont& font);

// The font both dialogs are laid out in: the application's font at 9 points.
QFont DialogFont();

// The rectangle in pixels. Its corners are mapped, not its size, so neighbouring controls that
// touch in dialog units also touch in pixels.
QRect DialogRectToPixels(const DialogRect& rect, const DialogBaseUnits& units);

} // namespace quorlix
