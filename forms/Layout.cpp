#include "forms/Layout.h"

namespace {

// The list's column leaves room for a vertical scroll bar.
constexpr float kColumnMargin = 285;

std::optional<ListLayout> ListBelow(float top, float scaleWidth, float scaleHeight)
{
    const float height = scaleHeight - top;
    const float columnWidth = scaleWidth - kColumnMargin;
    if (height < 0 || columnWidth < 0) return std::nullopt;
    return ListLayout{{0, top, scaleWidth, height}, columnWidth};
}

}  // namespace

std::optional<ListLayout> SelectionListLayout(float scaleWidth, float scaleHeight, float bannerHeight)
{
    // Below the banner: the buttons' row (255) and a gap (250).
    return ListBelow(bannerHeight + 255 + 250, scaleWidth, scaleHeight);
}

std::optional<ListLayout> PickerListLayout(float scaleWidth, float scaleHeight)
{
    constexpr float kTopRowHeight = 285;
    return ListBelow(kTopRowHeight, scaleWidth, scaleHeight);
}
