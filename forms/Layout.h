#pragma once
// Where each window's list goes for a given client size (twips). A client area
// too small for the fixed parts, as while minimised, gives no layout: the list
// then stays as it is.
#include "platform/Twips.h"

#include <optional>

struct ListLayout {
    TwipRect list;
    float columnWidth;
};

// Below the banner and the row of buttons, across the whole client area.
std::optional<ListLayout> SelectionListLayout(float scaleWidth, float scaleHeight, float bannerHeight);
// Below the picker's top row, across the whole client area.
std::optional<ListLayout> PickerListLayout(float scaleWidth, float scaleHeight);
