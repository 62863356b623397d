// Long runs of the program's everyday operations: nothing may pile up, not a
// handle, a window or memory. The leak check itself is shown to see a leak.
#include "PickerFixture.h"
#include "services/ListBulk.h"

#include <cstdio>
#include <vector>

namespace {

class Soak : public PickerFixture {
protected:
    void SetUp() override
    {
        PickerFixture::SetUp();
        Open();
    }
    void Report(const char* what, const ResourceUse& before, const ResourceUse& after)
    {
        std::printf("%s: owned handles %ld -> %ld, windows %d -> %d, kernel handles %lu -> %lu, private KB %lu -> %lu\n",
                    what, before.ownedHandles, after.ownedHandles, before.windows, after.windows,
                    static_cast<unsigned long>(before.kernelHandles), static_cast<unsigned long>(after.kernelHandles),
                    static_cast<unsigned long>(before.privateBytes / 1024),
                    static_cast<unsigned long>(after.privateBytes / 1024));
        ExpectNoGrowth(before, after, 1024 * 1024);
    }
};

}  // namespace

TEST(LeakCheck, SeesAHandleNeverClosedAWindowNeverDestroyedAndMemoryKept)
{
    const ResourceUse before = ResourceUse::Now();
    Bitmap leaked(CreateBitmap(1, 1, 1, 32, nullptr));
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    std::vector<char> memory(4 * 1024 * 1024, 1);
    const ResourceUse during = ResourceUse::Now();
    EXPECT_EQ(during.ownedHandles, before.ownedHandles + 1);
    EXPECT_EQ(during.windows, before.windows + 1);
    EXPECT_EQ(during.kernelHandles, before.kernelHandles + 1);
    EXPECT_GE(during.privateBytes, before.privateBytes + memory.size());
    CloseHandle(event);
    DestroyWindow(window);
}

TEST_F(Soak, ReopeningAndRefillingThePickerAThousandTimes)
{
    // Closing and opening the picker again refills it, as "Select Files" would.
    const auto refill = [&] {
        picker.Unload();
        picker.Show();
    };
    for (int i = 0; i < 20; ++i) refill();  // the shell's caches warm up first
    const ResourceUse before = ResourceUse::Now();
    for (int i = 0; i < 1000; ++i) refill();
    Report("refill x1000", before, ResourceUse::Now());
    EXPECT_EQ(ItemCount(List()), 5);
}

TEST_F(Soak, TransferAndClearAThousandTimes)
{
    HWND clear = FindChild(frmSel::Default().hWnd(), "BUTTON", "Clear List");
    const ResourceUse before = ResourceUse::Now();
    for (int i = 0; i < 1000; ++i) {
        SetAllSelected(picker.LV, true);
        SendMessageA(picker.cmdAdd.hWnd(), BM_CLICK, 0, 0);
        ASSERT_EQ(ItemCount(SelectionList()), 5);
        SendMessageA(clear, BM_CLICK, 0, 0);
    }
    Report("transfer and clear x1000", before, ResourceUse::Now());
    EXPECT_EQ(ItemCount(SelectionList()), 0);
}

TEST_F(Soak, OpeningAndCancellingTheFolderChooserAHundredTimes)
{
    const auto cancelOnce = [&] {
        WhenWindowOpens cancel("#32770", [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
        SendMessageA(picker.cmdBr.hWnd(), BM_CLICK, 0, 0);
        return cancel.Ran();
    };
    for (int i = 0; i < 5; ++i) cancelOnce();
    const ResourceUse before = ResourceUse::Now();
    int opened = 0;
    for (int i = 0; i < 100; ++i) opened += cancelOnce() ? 1 : 0;
    Report("chooser x100", before, ResourceUse::Now());
    EXPECT_EQ(opened, 100);
    EXPECT_EQ(strCurFolder, folder.Path());
}
