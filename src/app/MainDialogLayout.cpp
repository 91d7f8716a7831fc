#include "app/MainDialogLayout.h"

#include "app/MainDialogTemplate.h"

#include <algorithm>

namespace quorlix {
namespace {

// The status line keeps the designed margins: 7 units from the sides and the bottom, 3 units
// below the panes.
constexpr int kMarginUnits = 7;
constexpr int kStatusGapUnits = 3;

// Short enough for 768 screen pixels less a panel and a title bar at the usual 9-point font.
constexpr int kMinimumDialogHeight = 300;

// part of change, with part / whole the designed share; rounded toward zero either way.
int ShareOf(int change, int part, int whole)
{
    return whole > 0 ? static_cast<int>(static_cast<long long>(change) * part / whole) : 0;
}

// The one link right of the path edit's end, over the detail pane.
constexpr DialogRect DownloadLinkRect()
{
    for (const LinkEntry& link : kLinks) {
        if (link.id == ControlId::LinkDownload) {
            return DialogRect{ link.x, kLinkRowY, link.width, kLinkHeight };
        }
    }
    return DialogRect{ 0, 0, 0, 0 };
}

} // namespace

QSize DesignedClientSize(const DialogBaseUnits& units)
{
    return DialogRectToPixels(DialogRect{ 0, 0, kMainDialogWidth, kMainDialogHeight }, units)
        .size();
}

QSize MinimumClientSize(const DialogBaseUnits& units)
{
    return DialogRectToPixels(DialogRect{ 0, 0, kMainDialogWidth, kMinimumDialogHeight }, units)
        .size();
}

namespace {

// The pixels the status bar takes below the panes: its own height and the gap above it.
int StatusBand(int statusHeight, const DialogBaseUnits& units)
{
    const int gap = DialogRectToPixels(DialogRect{ 0, 0, 0, kStatusGapUnits }, units).height();
    return statusHeight > 0 ? statusHeight + gap : 0;
}

} // namespace

QSize DesignedClientSizeWithStatus(int statusHeight, const DialogBaseUnits& units)
{
    return DesignedClientSize(units) + QSize(0, StatusBand(statusHeight, units));
}

GrowingPlaces PlaceGrowingControls(QSize client, int statusHeight, const DialogBaseUnits& units)
{
    const QSize designed = DesignedClientSize(units);
    const QRect summary = DialogRectToPixels(kSummaryPaneRect, units);
    const QRect list = DialogRectToPixels(kItemListRect, units);
    // The detail pane starts level with the summary pane and ends with the list.
    const QRect detailDesigned = DialogRectToPixels(kDetailPaneRect, units);
    const QRect detail(detailDesigned.x(), summary.y(), detailDesigned.width(),
                       detailDesigned.bottom() - summary.y() + 1);
    const QSize margin =
        DialogRectToPixels(DialogRect{ 0, 0, kMarginUnits, kMarginUnits }, units).size();
    const int statusBand = StatusBand(statusHeight, units);
    const int widthChange = client.width() - designed.width();
    const int heightChange = client.height() - designed.height() - statusBand;
    const int leftGrowth = ShareOf(widthChange, summary.width(), summary.width() + detail.width());
    const int rightGrowth = widthChange - leftGrowth;
    const int summaryGrowth =
        ShareOf(heightChange, summary.height(), summary.height() + list.height());
    const int listGrowth = heightChange - summaryGrowth;

    // A pane never turns inside out, however small the window is made.
    const auto atLeastOne = [](int length) { return std::max(length, 1); };
    GrowingPlaces places;
    places.summaryPane = QRect(summary.x(), summary.y(), atLeastOne(summary.width() + leftGrowth),
                               atLeastOne(summary.height() + summaryGrowth));
    places.itemList =
        QRect(list.x(), list.y() + summaryGrowth, atLeastOne(list.width() + leftGrowth),
              atLeastOne(list.height() + listGrowth));
    places.detailPane =
        QRect(detail.x() + leftGrowth, detail.y(), atLeastOne(detail.width() + rightGrowth),
              atLeastOne(detail.height() + heightChange));
    places.statusLine = QRect(margin.width(), client.height() - margin.height() - statusHeight,
                              std::max(client.width() - 2 * margin.width(), 0), statusHeight);

    // A narrower window than designed keeps the designed path row; the minimum size is its
    // width anyway.
    const int rowShift = std::max(widthChange, 0);
    const QRect path = DialogRectToPixels(kPathEditRect, units);
    places.pathEdit = QRect(path.topLeft(), QSize(path.width() + rowShift, path.height()));
    places.browse = DialogRectToPixels(kBrowseRect, units).translated(rowShift, 0);
    places.analyse = DialogRectToPixels(kAnalyseRect, units).translated(rowShift, 0);
    places.save = DialogRectToPixels(kSaveRect, units).translated(rowShift, 0);
    places.downloadLink = DialogRectToPixels(DownloadLinkRect(), units).translated(rowShift, 0);
    return places;
}

QSize OpeningClientSize(QSize designed, QSize minimum, QSize available, QSize frame)
{
    const QSize room = available - frame;
    return QSize(std::max(std::min(designed.width(), room.width()), minimum.width()),
                 std::max(std::min(designed.height(), room.height()), minimum.height()));
}

} // namespace quorlix
