#pragma once

#include "app/DialogUnits.h"

#include <QRect>
#include <QSize>

namespace quorlix {

// Where the controls that follow the window's size sit.
struct GrowingPlaces
{
    QRect summaryPane;
    QRect itemList;
    QRect detailPane;
    QRect statusLine;
    // The path row: the edit takes the width change, the buttons and the link above the right
    // pane keep their distance from the right edge.
    QRect pathEdit;
    QRect browse;
    QRect analyse;
    QRect save;
    QRect downloadLink;
};

// The client size the window is designed for, and the smallest it may take: as wide as the
// top rows need and short enough for a 768-pixel screen with a panel.
QSize DesignedClientSize(const DialogBaseUnits& units);
QSize MinimumClientSize(const DialogBaseUnits& units);

// The designed client size with a status bar of statusHeight pixels below the designed bottom,
// where every control sits at its designed place.
QSize DesignedClientSizeWithStatus(int statusHeight, const DialogBaseUnits& units);

// The designed layout stretched or shrunk to client; at the designed size every control is
// where it was designed to be, except that the detail pane's top lines up with the summary
// pane's. The path edit takes the width change and the controls right of it move with the right
// edge; the left column (summary pane over item list) and the right column (detail pane) share
// the width change in the ratio of their designed widths, and the summary pane and the item
// list share the height change in the ratio of theirs. statusHeight pixels along the bottom go
// to the status bar, taken from the panes' height.
GrowingPlaces PlaceGrowingControls(QSize client, int statusHeight, const DialogBaseUnits& units);

// The client size to open at: designed where it fits available with the frame around it,
// smaller where it does not, never below minimum.
QSize OpeningClientSize(QSize designed, QSize minimum, QSize available, QSize frame);

} // namespace quorlix
