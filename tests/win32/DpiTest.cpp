// The windows at the screen's resolution: run at 96 dots per inch with the
// other tests, and again at 120 and 144 (QUORVEL_DPI names the resolution the
// Wine prefix was set to).
#include "PickerFixture.h"
#include "platform/Runtime.h"

#include <algorithm>
#include <cstdlib>

namespace {

int ExpectedDpi()
{
    const char* dpi = std::getenv("QUORVEL_DPI");
    return dpi ? std::atoi(dpi) : 96;
}

SIZE ClientSize(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

// Whether a control's text fits the width of its window in the control's own
// font; a check box also needs room for its box.
bool TextFits(HWND control, int extra = 0)
{
    char text[128] = {};
    GetWindowTextA(control, text, sizeof(text));
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &extent);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    const SIZE room = ClientSize(control);
    return extent.cx + extra <= room.cx;
}

class Dpi : public PickerFixture {};

}  // namespace

TEST_F(Dpi, TheWindowsKeepTheirDesignInTwipsAtTheScreensResolution)
{
    const int dpi = ExpectedDpi();
    ASSERT_EQ(Screen.Dpi(), dpi);
    frmSel& selection = frmSel::Default();
    EXPECT_EQ(selection.Dpi(), dpi);
    EXPECT_EQ(ClientSize(selection.hWnd()).cx, TwipsToPixels(4320, dpi));
    EXPECT_EQ(ClientSize(selection.hWnd()).cy, TwipsToPixels(5385, dpi));
    Open();
    EXPECT_EQ(ClientSize(picker.hWnd()).cx, TwipsToPixels(4110, dpi));
    EXPECT_EQ(ClientSize(picker.hWnd()).cy, TwipsToPixels(4740, dpi));
    RECT selectionRect{}, pickerRect{};
    strCurFolder = folder.Path();
    SendMessageA(FindChild(selection.hWnd(), "BUTTON", "Select Files"), BM_CLICK, 0, 0);
    HWND opened = FindWindowA("QuorvelForm", "Select Files");
    GetWindowRect(selection.hWnd(), &selectionRect);
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "QuorvelForm", "Select Files"));)
        if (w != picker.hWnd()) opened = w;
    GetWindowRect(opened, &pickerRect);
    EXPECT_EQ(pickerRect.left, selectionRect.right);  // it still meets the selection window's edge
}

TEST_F(Dpi, NoTextIsCutOff)
{
    HWND window = frmSel::Default().hWnd();
    EXPECT_TRUE(TextFits(FindChild(window, "BUTTON", "Allow Dupes"), GetSystemMetrics(SM_CXMENUCHECK) + 4));
    EXPECT_TRUE(TextFits(FindChild(window, "BUTTON", "Clear List")));
    EXPECT_TRUE(TextFits(FindChild(window, "BUTTON", "Select Files")));
    HWND banner = FindWindowExA(window, frmSel::Default().pIcon.hWnd(), "QuorvelPictureBox", nullptr);
    EXPECT_TRUE(TextFits(FindChild(banner, "STATIC", nullptr)));
    Open();
    EXPECT_TRUE(TextFits(picker.cmdAdd.hWnd()));
    EXPECT_TRUE(TextFits(picker.cmdBr.hWnd()));
}

TEST_F(Dpi, IconsAreTheSystemsSmallIconSizeAndNotBlank)
{
    const int size = GetSystemMetrics(SM_CXSMICON);
    frmSel& selection = frmSel::Default();
    int width = 0, height = 0;
    ImageList_GetIconSize(selection.ImageList1.HandleAsIs(), &width, &height);
    EXPECT_EQ(width, size);
    EXPECT_EQ(height, size);
    EXPECT_EQ(ClientSize(selection.pIcon.hWnd()).cx, size);  // the drawing surface is exactly that size
    Open();
    const int index = selection.ImageList1.IndexOf("Text Document");
    ASSERT_GE(index, 0);
    HICON icon = ImageList_GetIcon(selection.ImageList1.HandleAsIs(), index, ILD_NORMAL);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap{};
    GetObject(info.hbmColor, sizeof(bitmap), &bitmap);
    EXPECT_EQ(bitmap.bmWidth, size);
    const auto pixels = ImagePixels(selection.ImageList1.HandleAsIs(), index);  // its top-left 16 x 16
    EXPECT_TRUE(std::any_of(pixels.begin(), pixels.end(), [](COLORREF p) { return p != RGB(255, 255, 255); }));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

TEST_F(Dpi, MovingToAScreenOfAnotherResolutionLaysTheWindowOutAgain)
{
    frmSel& selection = frmSel::Default();
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, sizeof(system));
    const std::string program = folder.Path() + "\\notepad.exe";  // an icon of its own
    CopyFileA((std::string(system) + "\\notepad.exe").c_str(), program.c_str(), FALSE);
    Open();
    const int before = selection.Dpi();
    const int after = before * 3 / 2;
    RECT suggested{};
    GetWindowRect(selection.hWnd(), &suggested);
    suggested.right = suggested.left + MulDiv(suggested.right - suggested.left, after, before);
    suggested.bottom = suggested.top + MulDiv(suggested.bottom - suggested.top, after, before);
    SendMessageA(selection.hWnd(), WM_DPICHANGED, MAKEWPARAM(after, after), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(selection.Dpi(), after);
    EXPECT_EQ(ChildRect(FindChild(selection.hWnd(), "BUTTON", "Select Files")).left, TwipsToPixels(3240, after));
    const RECT list = ChildRect(selection.LV.hWnd());
    const RECT banner = ChildRect(FindWindowExA(selection.hWnd(), selection.pIcon.hWnd(), "QuorvelPictureBox", nullptr));
    EXPECT_EQ(banner.bottom, TwipsToPixels(375, after));
    EXPECT_GT(list.top, banner.bottom);
    EXPECT_EQ(list.right, ClientSize(selection.hWnd()).cx);
    EXPECT_EQ(list.bottom, ClientSize(selection.hWnd()).cy);
    int width = 0, height = 0;
    ImageList_GetIconSize(selection.ImageList1.HandleAsIs(), &width, &height);
    EXPECT_EQ(width, SmallIconSize(after));
    EXPECT_EQ(ClientSize(selection.pIcon.hWnd()).cx, TwipsToPixels(240, after));
    EXPECT_GE(selection.ImageList1.IndexOf("Text Document"), 0);  // drawn again at the new size
    // The program's own icon is drawn at the new size, not the old one in a corner.
    const int index = selection.ImageList1.IndexOf(program);
    ASSERT_GE(index, 0);
    const WindowDc screen(nullptr);
    Bitmap bitmap(CreateCompatibleBitmap(screen.get(), width, width));
    MemoryDc dc(CreateCompatibleDC(screen.get()));
    SelectedObject selected(dc.get(), bitmap.get());
    Brush white(CreateSolidBrush(RGB(255, 255, 255)));
    const RECT all{0, 0, width, width};
    FillRect(dc.get(), &all, white.get());
    ImageList_Draw(selection.ImageList1.HandleAsIs(), index, dc.get(), 0, 0, ILD_TRANSPARENT);
    int beyondOldSize = 0;
    for (int y = 0; y < width; ++y)
        for (int x = 0; x < width; ++x)
            if ((x >= SmallIconSize(before) || y >= SmallIconSize(before)) && GetPixel(dc.get(), x, y) != RGB(255, 255, 255))
                ++beyondOldSize;
    EXPECT_GT(beyondOldSize, 0);
}
