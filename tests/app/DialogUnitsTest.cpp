#include "app/DialogUnits.h"

#include <gtest/gtest.h>

namespace quorlix::test {
namespace {

TEST(QuorlixDialogUnits, CornersAreScaledAndRounded)
{
    struct Case
    {
        const char* name;
        DialogRect rect;
        DialogBaseUnits units;
        QRect pixels;
    };
    const Case cases[] = {
        // 345 * 6 / 4 = 517.5 and 395 * 6 / 4 = 592.5 both round up; 7 * 13 / 8 = 11.375 down.
        { "Browse button at 6x13", { 345, 7, 50, 14 }, { 6, 13 }, QRect(518, 11, 75, 23) },
        { "link at 7x16", { 10, 26, 40, 8 }, { 7, 16 }, QRect(18, 52, 70, 16) },
        { "odd link at 7x16", { 119, 26, 62, 8 }, { 7, 16 }, QRect(208, 52, 109, 16) },
        // 1.5 rounds to 2 and 3 stays 3: one pixel wide, where scaling the width gives two.
        { "corners, not sizes, are rounded", { 1, 0, 1, 0 }, { 6, 13 }, QRect(2, 0, 1, 0) },
        { "whole window at 8x16", { 0, 0, 519, 439 }, { 8, 16 }, QRect(0, 0, 1038, 878) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DialogRectToPixels(c.rect, c.units), c.pixels);
    }
}

} // namespace
} // namespace quorlix::test
