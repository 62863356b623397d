#pragma once
// A picture box that keeps a persistent image of what is drawn on it: hDC is
// the image's own DC, the window shows the image, and Image reads it back.
#include "platform/Control.h"
#include "platform/Picture.h"

#include <cstdint>

class PictureBox : public Control {
public:
    void Create(HWND parent, int id, const TwipRect& rect, std::uint32_t backColor);

    HDC hDC() const { return image_.get(); }
    // The image's width in pixels.
    int ImageWidth() const { return width_; }
    void BackColor(std::uint32_t color);
    // Clears the image to the back colour when the picture is empty, else draws it.
    void Picture(const ::Picture& picture);
    // A copy of the persistent image as it is now.
    ::Picture Image() const;
    // Takes its place at the new resolution; the image takes the new size, cleared.
    void DpiChanged(int dpi) override;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void Clear();
    void MakeImage();

    COLORREF backColor_ = 0;
    int width_ = 0, height_ = 0;
    Bitmap bitmap_;   // stays selected into image_ for the box's life;
    MemoryDc image_;  // declared after it, so the DC goes first
};
