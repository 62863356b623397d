// The owning handle types: each closes what it holds, once, and is counted
// while it holds it.
#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(Handles, OwnersCloseWhatTheyHoldAndAreCountedMeanwhile)
{
    const long before = liveHandles;
    HBITMAP bitmapHandle = nullptr;
    HDC dcHandle = nullptr;
    HMENU menuHandle = nullptr;
    HANDLE searchHandle = INVALID_HANDLE_VALUE;
    {
        Bitmap bitmap(CreateBitmap(1, 1, 1, 32, nullptr));
        MemoryDc dc(CreateCompatibleDC(nullptr));
        OwnedMenu menu(CreatePopupMenu());
        LocalMemory block(LocalAlloc(LMEM_ZEROINIT, 16));
        WIN32_FIND_DATAA found{};
        FindHandle search(FindFirstFileA("C:\\*", &found));
        bitmapHandle = bitmap.get();
        dcHandle = dc.get();
        menuHandle = menu.get();
        searchHandle = search.get();
        EXPECT_EQ(liveHandles, before + 5);
        Bitmap moved(std::move(bitmap));  // one owner, counted once
        EXPECT_FALSE(bitmap);
        EXPECT_EQ(liveHandles, before + 5);
    }
    EXPECT_EQ(liveHandles, before);
    EXPECT_EQ(GetObjectType(bitmapHandle), 0u);
    EXPECT_EQ(GetObjectType(dcHandle), 0u);
    EXPECT_FALSE(IsMenu(menuHandle));
    WIN32_FIND_DATAA next{};
    EXPECT_FALSE(FindNextFileA(searchHandle, &next));
}
