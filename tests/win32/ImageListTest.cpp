#include "platform/ImageList.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

// A 16 x 16 bitmap selected into a DC of its own.
struct Canvas {
    Canvas()
    {
        const WindowDc screen(nullptr);
        bitmap.reset(CreateCompatibleBitmap(screen.get(), 16, 16));
        dc.reset(CreateCompatibleDC(screen.get()));
        previous = SelectObject(dc.get(), bitmap.get());
    }
    ~Canvas()
    {
        if (previous) SelectObject(dc.get(), previous);
    }
    void Fill(COLORREF color)
    {
        Brush brush(CreateSolidBrush(color));
        const RECT all{0, 0, 16, 16};
        FillRect(dc.get(), &all, brush.get());
    }
    Bitmap bitmap;
    MemoryDc dc;
    HGDIOBJ previous = nullptr;
};

Picture SolidPicture(COLORREF color)
{
    Canvas canvas;
    canvas.Fill(color);
    SelectObject(canvas.dc.get(), canvas.previous);  // the picture's bitmap leaves the DC
    canvas.previous = nullptr;
    return Picture(std::move(canvas.bitmap));
}

COLORREF PixelOf(const ImageList& images, int index)
{
    Canvas canvas;
    ImageList_Draw(images.HandleAsIs(), index, canvas.dc.get(), 0, 0, ILD_NORMAL);
    return GetPixel(canvas.dc.get(), 8, 8);
}

}  // namespace

TEST(ImageList, TheFirstImageStoredUnderAKeyStays)
{
    ImageList images;
    images.Create(16, 16);
    EXPECT_TRUE(images.ListImages.Add("Text Document", SolidPicture(RGB(255, 0, 0))));
    EXPECT_FALSE(images.ListImages.Add("Text Document", SolidPicture(RGB(0, 0, 255))));
    EXPECT_TRUE(images.ListImages.Add("Bitmap Image", SolidPicture(RGB(0, 0, 255))));
    EXPECT_EQ(ImageList_GetImageCount(images.HandleAsIs()), 2);
    EXPECT_EQ(PixelOf(images, images.IndexOf("Text Document")), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(images, images.IndexOf("Bitmap Image")), RGB(0, 0, 255));
}

TEST(ImageList, KeysAreExactAndEmptyKeysOrPicturesAreRefused)
{
    ImageList images;
    images.Create(16, 16);
    EXPECT_TRUE(images.ListImages.Add("Application", SolidPicture(RGB(1, 2, 3))));
    EXPECT_TRUE(images.ListImages.Add("application", SolidPicture(RGB(1, 2, 3))));
    EXPECT_FALSE(images.ListImages.Add("", SolidPicture(RGB(1, 2, 3))));
    EXPECT_FALSE(images.ListImages.Add("No picture", Picture()));
    EXPECT_EQ(images.IndexOf("No picture"), -1);
    EXPECT_EQ(ImageList_GetImageCount(images.HandleAsIs()), 2);
}

TEST(ImageList, ManyStoresLeakNothing)
{
    ImageList images;
    images.Create(16, 16);
    const ResourceUse before = ResourceUse::Now();
    for (int i = 0; i < 300; ++i) (void)images.ListImages.Add("key" + std::to_string(i % 50), SolidPicture(RGB(i, 0, 0)));
    ExpectNoGrowth(before, ResourceUse::Now(), 256 * 1024);
    EXPECT_EQ(ImageList_GetImageCount(images.HandleAsIs()), 50);
}
