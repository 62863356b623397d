// The selection window as the program shows it.
#include "TestSupport.h"
#include "app/mdlMain.h"
#include "forms/SharedState.h"
#include "forms/frmSel.h"
#include "platform/Runtime.h"
#include "services/ListBulk.h"

#include <gtest/gtest.h>

namespace {

HWND Button(const char* caption)
{
    return FindChild(frmSel::Default().hWnd(), "BUTTON", caption);
}

HWND Banner()
{
    // The picture box after the drawing surface, in creation order.
    frmSel& window = frmSel::Default();
    return FindWindowExA(window.hWnd(), window.pIcon.hWnd(), "QuorvelPictureBox", nullptr);
}

COLORREF ShownPixel(HWND window, int x, int y)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC dc = GetWindowDC(window);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return color;
}

}  // namespace

TEST(SelectionWindow, AfterStartTheListIsEmptyAndTheBannerVioletWithTheProductName)
{
    frmSel& window = frmSel::Default();
    window.Show();
    EXPECT_EQ(window.Caption(), "Quorvel");
    EXPECT_EQ(ItemCount(window.LV.hWnd()), 0);
    EXPECT_EQ(strCurFolder, "C:\\");
    EXPECT_FALSE(blnAllowDupes);
    EXPECT_EQ(SendMessageA(Button("Allow Dupes"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    HWND label = FindChild(Banner(), "STATIC", nullptr);
    char text[64] = {};
    GetWindowTextA(label, text, sizeof(text));
    EXPECT_STREQ(text, "Quorvel");
    EXPECT_EQ(ShownPixel(Banner(), 2, 2), RGB(128, 0, 255));
}

TEST(SelectionWindow, ControlsStandWhereTheyAreDesigned)
{
    frmSel& window = frmSel::Default();
    window.Show();
    RECT client{};
    GetClientRect(window.hWnd(), &client);
    EXPECT_EQ(client.right, 288);
    EXPECT_EQ(client.bottom, 359);
    const RECT select = ChildRect(Button("Select Files"));
    EXPECT_EQ(select.left, 216);
    EXPECT_EQ(select.top, 40);
    EXPECT_EQ(select.right - select.left, 65);
    const RECT banner = ChildRect(Banner());
    EXPECT_EQ(banner.right - banner.left, 603);  // wider than the window, cut off at its edge
    EXPECT_EQ(banner.bottom, 25);
    // The drawing surface: 16 x 16 pixels, beyond the client area's right edge.
    const RECT surface = ChildRect(window.pIcon.hWnd());
    EXPECT_EQ(surface.left, 328);
    EXPECT_EQ(surface.right - surface.left, 16);
    EXPECT_EQ(surface.bottom - surface.top, 16);
    EXPECT_EQ(GetFocus(), window.LV.hWnd());
}

TEST(SelectionWindow, FixedDialogBorderWithACloseBoxOnly)
{
    frmSel& window = frmSel::Default();
    const LONG style = GetWindowLongA(window.hWnd(), GWL_STYLE);
    // Windows gives the default placement to overlapped windows only and puts a
    // pop-up at (0, 0); Wine puts both there, so the style is what is checked.
    EXPECT_FALSE(style & WS_POPUP);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_NE(GetWindow(window.hWnd(), GW_OWNER), nullptr);  // owned: no taskbar button
}

TEST(SelectionWindow, LayoutAtDesignSizePutsTheListBelowTheButtons)
{
    frmSel& window = frmSel::Default();
    window.Show();
    const RECT list = ChildRect(window.LV.hWnd());
    // 0, 880, 4320 x 4505 twips at 15 twips a pixel, bottom on the client's bottom edge.
    EXPECT_EQ(list.left, 0);
    EXPECT_EQ(list.top, 59);
    EXPECT_EQ(list.right, 288);
    EXPECT_EQ(list.bottom, 359);
    EXPECT_EQ(SendMessageA(window.LV.hWnd(), LVM_GETCOLUMNWIDTH, 0, 0), 269);  // 4035 twips
}

TEST(SelectionWindow, MinimisingAndRestoringKeepsTheLayout)
{
    frmSel& window = frmSel::Default();
    window.Show();
    window.WindowState(Form::vbMinimized);
    Pump();
    EXPECT_EQ(window.WindowState(), Form::vbMinimized);
    const RECT whileMinimised = ChildRect(window.LV.hWnd());
    EXPECT_GE(whileMinimised.bottom - whileMinimised.top, 0);
    EXPECT_GE(SendMessageA(window.LV.hWnd(), LVM_GETCOLUMNWIDTH, 0, 0), 0);
    window.WindowState(Form::vbNormal);
    Pump();
    const RECT list = ChildRect(window.LV.hWnd());
    EXPECT_EQ(list.top, 59);
    EXPECT_EQ(list.bottom, 359);
    EXPECT_EQ(SendMessageA(window.LV.hWnd(), LVM_GETCOLUMNWIDTH, 0, 0), 269);
}

TEST(SelectionWindow, AllowDupesTracksTheCheckBoxAndLeavesTheList)
{
    frmSel& window = frmSel::Default();
    window.Show();
    window.LV.ListItems.Add("C:\\a.txt", "");
    SendMessageA(Button("Allow Dupes"), BM_CLICK, 0, 0);
    EXPECT_TRUE(blnAllowDupes);
    SendMessageA(Button("Allow Dupes"), BM_CLICK, 0, 0);
    EXPECT_FALSE(blnAllowDupes);
    EXPECT_EQ(ItemCount(window.LV.hWnd()), 1);
}

TEST(SelectionWindow, ClearListEmptiesTheListAndKeepsTheRest)
{
    frmSel& window = frmSel::Default();
    window.Show();
    SendMessageA(Button("Clear List"), BM_CLICK, 0, 0);  // on an empty list: nothing happens
    EXPECT_EQ(ItemCount(window.LV.hWnd()), 0);
    window.LV.ListItems.Add("C:\\a.txt", "");
    window.LV.ListItems.Add("C:\\b.txt", "");
    SendMessageA(Button("Allow Dupes"), BM_CLICK, 0, 0);
    SendMessageA(Button("Clear List"), BM_CLICK, 0, 0);
    EXPECT_EQ(ItemCount(window.LV.hWnd()), 0);
    EXPECT_EQ(window.LV.ListItems.Count(), 0);
    EXPECT_TRUE(blnAllowDupes);
}

TEST(SelectionWindow, ClosingEmptiesTheListAndEndsTheProgram)
{
    frmSel& window = frmSel::Default();
    window.Show();
    window.LV.ListItems.Add("C:\\a.txt", "");
    Pump();
    SendMessageA(window.hWnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(window.Loaded());
    EXPECT_EQ(window.LV.ListItems.Count(), 0);
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(SelectionWindow, ClosedWhileTheCommandLinesMessageIsUpTheProgramEndsAndNothingComesBack)
{
    TempFolder folder;
    const std::string file = folder.File("a.txt");
    WhenWindowOpens message("#32770", [](HWND box) {
        PostMessageA(frmSel::Default().hWnd(), WM_CLOSE, 0, 0);
        PostMessageA(box, WM_COMMAND, IDOK, 0);  // for a box its owner's going left open
    });
    // Minimised once the command line's files are taken in: the window is touched after the message.
    Main("-st \"" + file + "\" \"" + folder.Path() + "\\gone.txt\"");
    EXPECT_TRUE(message.Ran());
    EXPECT_FALSE(frmSel::Default().Loaded());
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    Pump();
    EXPECT_TRUE(FormsOfThisThread(nullptr).empty());
}
