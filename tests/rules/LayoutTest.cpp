#include "forms/Layout.h"
#include "platform/Twips.h"

#include <gtest/gtest.h>

TEST(Layout, EachListFillsTheClientAreaBelowItsTopControlsWithRoomForAScrollBar)
{
    constexpr float kScrollBar = 17 * 15;  // 17 pixels at 96 dots per inch
    // controlsBottom: the lowest edge of the controls above the list, as the window places them.
    const struct { const char* window; float width, height, controlsBottom; std::optional<ListLayout> layout; } cases[] = {
        {"selection window", 4320, 5385, 600 + 255, SelectionListLayout(4320, 5385, 375)},
        {"selection window, enlarged", 9000, 8000, 600 + 255, SelectionListLayout(9000, 8000, 375)},
        {"picker", 4110, 4740, 285, PickerListLayout(4110, 4740)},
        {"picker, enlarged", 9000, 8000, 285, PickerListLayout(9000, 8000)},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(c.layout) << c.window;
        const TwipRect& list = c.layout->list;
        EXPECT_FLOAT_EQ(list.left, 0) << c.window;
        EXPECT_FLOAT_EQ(list.width, c.width) << c.window;
        EXPECT_FLOAT_EQ(list.top + list.height, c.height) << c.window << ": down to the client's bottom edge";
        EXPECT_GE(list.top, c.controlsBottom) << c.window << ": the controls above stay uncovered";
        EXPECT_LE(c.layout->columnWidth + kScrollBar, list.width) << c.window << ": a vertical scroll bar fits";
        EXPECT_GT(c.layout->columnWidth, list.width - 2 * kScrollBar) << c.window << ": the column fills the rest";
    }
}

TEST(Layout, NoLayoutWhenTheClientAreaIsTooSmall)
{
    EXPECT_FALSE(SelectionListLayout(0, 0, 375));       // minimised
    EXPECT_FALSE(SelectionListLayout(4320, 879, 375));  // negative height
    EXPECT_FALSE(SelectionListLayout(284, 5385, 375));  // negative column
    EXPECT_TRUE(SelectionListLayout(285, 880, 375));    // exactly enough: zero sizes are fine
    EXPECT_FALSE(PickerListLayout(0, 0));
    EXPECT_FALSE(PickerListLayout(4000, 284));
    EXPECT_FALSE(PickerListLayout(284, 4000));
}

TEST(Twips, ConvertAt96And120Dpi)
{
    EXPECT_EQ(TwipsToPixels(4320, 96), 288);
    EXPECT_EQ(TwipsToPixels(240, 96), 16);
    EXPECT_EQ(TwipsToPixels(4320, 120), 360);
    EXPECT_FLOAT_EQ(PixelsToTwips(288, 96), 4320);
    EXPECT_FLOAT_EQ(PixelsToTwips(1, 120), 12);
}

TEST(Twips, RectanglesConvertByTheirEdgesSoNeighboursStayAdjacent)
{
    // 880 twips is 58.67 pixels: the list's top rounds to 59 and its bottom
    // still meets the client area's bottom edge (5385 twips = 359 pixels).
    const PixelRect list = ToPixels({0, 880, 4320, 4505}, 96);
    EXPECT_EQ(list.left, 0);
    EXPECT_EQ(list.top, 59);
    EXPECT_EQ(list.width, 288);
    EXPECT_EQ(list.top + list.height, 359);
}
