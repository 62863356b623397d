#pragma once
// A picture: an owned bitmap, or nothing (what LoadPicture() with no file gives).
#include "platform/Handles.h"

class Picture {
public:
    Picture() = default;
    explicit Picture(Bitmap bitmap) : bitmap_(std::move(bitmap)) {}

    bool Empty() const { return !bitmap_; }
    HBITMAP Handle() const { return bitmap_.get(); }

private:
    Bitmap bitmap_;
};

// The empty picture.
Picture LoadPicture();
