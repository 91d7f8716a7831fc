#include "app/MainDialogLayout.h"

#include <gtest/gtest.h>

namespace quorlix::test {
namespace {

// One pixel per dialog unit either way, so the designed rectangles read as pixels.
constexpr DialogBaseUnits kUnitPixels{ 4, 8 };

TEST(MainDialogLayout, DesignedSizeGivesTheDesignedPlaces)
{
    EXPECT_EQ(DesignedClientSize(kUnitPixels), QSize(519, 439));
    const GrowingPlaces places = PlaceGrowingControls(QSize(519, 439), 0, kUnitPixels);
    EXPECT_EQ(places.summaryPane, QRect(7, 39, 312, 113));
    EXPECT_EQ(places.itemList, QRect(7, 155, 312, 277));
    // Level with the summary pane, 2 units lower than the template has it.
    EXPECT_EQ(places.detailPane, QRect(327, 39, 185, 393));
    EXPECT_EQ(places.statusLine.height(), 0);
    EXPECT_EQ(places.pathEdit, QRect(34, 7, 306, 14));
    EXPECT_EQ(places.browse, QRect(345, 7, 50, 14));
    EXPECT_EQ(places.analyse, QRect(402, 7, 50, 14));
    EXPECT_EQ(places.save, QRect(462, 7, 50, 14));
    EXPECT_EQ(places.downloadLink, QRect(473, 26, 32, 8));

    // A status bar of 20 pixels and its 3-unit gap come below the designed bottom.
    EXPECT_EQ(DesignedClientSizeWithStatus(20, kUnitPixels), QSize(519, 462));
    const GrowingPlaces withStatus = PlaceGrowingControls(QSize(519, 462), 20, kUnitPixels);
    EXPECT_EQ(withStatus.itemList, places.itemList);
    EXPECT_EQ(withStatus.detailPane, places.detailPane);
    EXPECT_EQ(withStatus.statusLine, QRect(7, 435, 505, 20));
}

TEST(MainDialogLayout, PathEditGrowsAndTheButtonsKeepToTheRightEdge)
{
    const GrowingPlaces wide = PlaceGrowingControls(QSize(1016, 829), 0, kUnitPixels);
    EXPECT_EQ(wide.pathEdit, QRect(34, 7, 306 + 497, 14));
    EXPECT_EQ(wide.browse, QRect(345 + 497, 7, 50, 14));
    EXPECT_EQ(wide.analyse, QRect(402 + 497, 7, 50, 14));
    EXPECT_EQ(wide.save, QRect(462 + 497, 7, 50, 14));
    EXPECT_EQ(wide.downloadLink, QRect(473 + 497, 26, 32, 8));
}

TEST(MainDialogLayout, ChangeIsSharedInTheDesignedRatiosAndTheStatusTakesTheBottom)
{
    struct Case
    {
        const char* name;
        QSize client;
        int status;
        QRect summary, list, detail, statusLine;
    };
    // 497 more pixels across split 312:185, 390 more down split 113:277. With a 20-pixel status
    // the panes give up 23 (the text and a 3-unit gap): 367 split 106:261.
    const Case cases[] = {
        { "twice the columns",
          { 1016, 829 },
          0,
          { 7, 39, 624, 226 },
          { 7, 268, 624, 554 },
          { 639, 39, 370, 783 },
          { 7, 822, 1002, 0 } },
        { "with a status line",
          { 1016, 829 },
          20,
          { 7, 39, 624, 219 },
          { 7, 261, 624, 538 },
          { 639, 39, 370, 760 },
          { 7, 802, 1002, 20 } },
        { "shrunk to the minimum",
          { 519, 300 },
          0,
          { 7, 39, 312, 73 },
          { 7, 115, 312, 178 },
          { 327, 39, 185, 254 },
          { 7, 293, 505, 0 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const GrowingPlaces places = PlaceGrowingControls(c.client, c.status, kUnitPixels);
        EXPECT_EQ(places.summaryPane, c.summary);
        EXPECT_EQ(places.itemList, c.list);
        EXPECT_EQ(places.detailPane, c.detail);
        EXPECT_EQ(places.statusLine, c.statusLine);
    }
}

TEST(MainDialogLayout, OpensAtTheDesignedSizeOnlyWhereItFits)
{
    const QSize designed(908, 768);
    const QSize minimum(908, 525);
    const QSize frame(10, 40);
    struct Case
    {
        const char* name;
        QSize available;
        QSize opening;
    };
    const Case cases[] = {
        { "full HD with a panel", { 1920, 1040 }, { 908, 768 } },
        { "laptop with a panel", { 1366, 728 }, { 908, 688 } },
        { "smaller than the minimum", { 800, 500 }, { 908, 525 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(OpeningClientSize(designed, minimum, c.available, frame), c.opening);
    }
}

} // namespace
} // namespace quorlix::test
