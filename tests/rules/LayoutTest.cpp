#include "forms/Layout.h"
#include "platform/Twips.h"

#include <gtest/gtest.h>

TEST(Layout, SelectionListAtDesignSizeFillsBelowTheButtons)
{
    const auto layout = SelectionListLayout(4320, 5385, 375);
    ASSERT_TRUE(layout);
    EXPECT_FLOAT_EQ(layout->list.left, 0);
    EXPECT_FLOAT_EQ(layout->list.top, 880);
    EXPECT_FLOAT_EQ(layout->list.width, 4320);
    EXPECT_FLOAT_EQ(layout->list.height, 4505);
    EXPECT_FLOAT_EQ(layout->list.top + layout->list.height, 5385);  // down to the client's bottom edge
    EXPECT_FLOAT_EQ(layout->columnWidth, 4035);
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

TEST(Layout, PickerListFollowsTheWindowBelowItsTopRow)
{
    for (float width : {4110.0f, 9000.0f}) {
        const auto layout = PickerListLayout(width, 4740);
        ASSERT_TRUE(layout);
        EXPECT_FLOAT_EQ(layout->list.left, 0);
        EXPECT_FLOAT_EQ(layout->list.top, 285);
        EXPECT_FLOAT_EQ(layout->list.width, width);
        EXPECT_FLOAT_EQ(layout->list.height, 4740 - 285);
        EXPECT_FLOAT_EQ(layout->columnWidth, width - 285);
    }
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
