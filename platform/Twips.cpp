#include "platform/Twips.h"

#include <cmath>

int TwipsToPixels(float twips, int dpi)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / kTwipsPerInch));
}

float PixelsToTwips(int pixels, int dpi)
{
    return static_cast<float>(static_cast<double>(pixels) * kTwipsPerInch / dpi);
}

PixelRect ToPixels(const TwipRect& rect, int dpi)
{
    const int left = TwipsToPixels(rect.left, dpi);
    const int top = TwipsToPixels(rect.top, dpi);
    return {left, top, TwipsToPixels(rect.left + rect.width, dpi) - left,
            TwipsToPixels(rect.top + rect.height, dpi) - top};
}
