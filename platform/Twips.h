#pragma once
// Lengths on windows are given in twips (1/1440 inch); the platform works in
// pixels. Rectangles convert by their edges so that adjacent rectangles stay
// adjacent after rounding.
struct TwipRect {
    float left = 0, top = 0, width = 0, height = 0;
};
struct PixelRect {
    int left = 0, top = 0, width = 0, height = 0;
};

constexpr int kTwipsPerInch = 1440;

int TwipsToPixels(float twips, int dpi);
float PixelsToTwips(int pixels, int dpi);
PixelRect ToPixels(const TwipRect& rect, int dpi);
