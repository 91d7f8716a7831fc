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
    QRect statusLine; // empty height when there is no status
};

// The client size the window is designed for, and the smallest it may take: as wide as the
// top rows need and short enough for a 768-pixel screen with a panel.
QSize DesignedClientSize(const DialogBaseUnits& units);
QSize MinimumClientSize(const DialogBaseUnits& units);

// The designed layout stretched or shrunk to client. The path row and the link row stay where
// they are; the left column (summary pane over item list) and the right column (detail pane)
// share the width change in the ratio of their designed widths, and the summary pane and the
// item list share the height change in the ratio of theirs. statusHeight pixels along the
// bottom go to the status line, taken from the panes' height; 0 gives the designed bottom.
GrowingPlaces PlaceGrowingControls(QSize client, int statusHeight, const DialogBaseUnits& units);

// The client size to open at: designed where it fits available with the frame around it,
// smaller where it does not, never below minimum.
QSize OpeningClientSize(QSize designed, QSize minimum, QSize available, QSize frame);

} // namespace quorlix
