// Start-up, product information and the window icons.
#include "TestSupport.h"
#include "app/CommandLine.h"
#include "app/mdlMain.h"
#include "app/mdlSetFormIcon32.h"
#include "forms/frmSel.h"
#include "platform/CodePage.h"
#include "platform/Handles.h"
#include "platform/Runtime.h"

#include <gtest/gtest.h>

TEST(Startup, NoArgumentOpensTheWindowNormallyUnderTheApplicationTitle)
{
    EXPECT_TRUE(Main(""));
    Pump();
    EXPECT_TRUE(IsWindowVisible(frmSel::Default().hWnd()));
    EXPECT_EQ(frmSel::Default().WindowState(), Form::vbNormal);
    char title[64] = {};
    GetWindowTextA(GetWindow(frmSel::Default().hWnd(), GW_OWNER), title, sizeof(title));
    EXPECT_STREQ(title, "Quorvel 1.0");  // what the taskbar and the task list show
}

TEST(Startup, SwitchStMinimisesAfterTheWindowIsSetUp)
{
    Main("-st");
    Pump();
    frmSel& window = frmSel::Default();
    EXPECT_EQ(window.WindowState(), Form::vbMinimized);
    EXPECT_EQ(window.Caption(), "Quorvel");
    // The first layout ran at the normal size, before minimising.
    window.WindowState(Form::vbNormal);
    Pump();
    EXPECT_EQ(ChildRect(window.LV.hWnd()).top, 59);
}

TEST(Startup, NearMissesOfTheSwitchOpenNormally)
{
    // One process per test: the first call creates the window, the others show it again.
    for (const char* argument : {"-ST", "x-st", "-st x", "x -st"}) {
        Main(argument);
        Pump();
        EXPECT_EQ(frmSel::Default().WindowState(), Form::vbNormal) << argument;
    }
}

TEST(Startup, TheCommandLineSplitsAsThePlatformSplitsIt)
{
    for (const std::string text :
         {"", " \t ", "a b", "a\tb  c ", "\"a b\" c", "a\"b c\"d", "\\\\server\\share\\", "a\\\\\"b c\"",
          "a\\\"b", "a\\\\\\\"b", "\"\"", "\"\" x", "\"\"\"\"", "\"a\"\"b c\"", "\"a\"\"\"b c\"",
          "\"\"\"\"\"\"\"", "-o \"C:\\My Lists\\\" x", "\"unclosed b", "\xc3\xa9t\xc3\xa9 \"caf\xc3\xa9 au lait\""}) {
        std::vector<std::wstring> expected;
        int count = 0;
        const LocalMemory block(CommandLineToArgvW((L"quorvel.exe " + ToUtf16(text)).c_str(), &count));
        ASSERT_TRUE(block);
        const auto argv = static_cast<LPWSTR*>(block.get());
        for (int i = 1; i < count; ++i) expected.emplace_back(argv[i]);
        std::vector<std::wstring> split;
        for (const std::string& word : SplitArguments(text)) split.push_back(ToUtf16(word));
        EXPECT_EQ(split, expected) << text;
    }
}

namespace {

HICON IconOf(HWND window, WPARAM size)
{
    return reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, size, 0));
}

struct TwoWindows {
    TwoWindows()
    {
        owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        owned = CreateWindowExA(0, "STATIC", "owned", WS_POPUP, 0, 0, 10, 10, owner, nullptr, nullptr, nullptr);
    }
    ~TwoWindows()
    {
        DestroyWindow(owned);
        DestroyWindow(owner);
    }
    HWND owner, owned;
};

}  // namespace

TEST(SetFormIcon, GivesBothSizesToTheWindowAndItsTopOwner)
{
    TwoWindows windows;
    SetFormIcon(windows.owned, "AAA", true);
    const HICON big = IconOf(windows.owned, ICON_BIG);
    const HICON small = IconOf(windows.owned, ICON_SMALL);
    ASSERT_NE(big, nullptr);
    ASSERT_NE(small, nullptr);
    EXPECT_NE(big, small);
    EXPECT_EQ(IconOf(windows.owner, ICON_BIG), big);
    EXPECT_EQ(IconOf(windows.owner, ICON_SMALL), small);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(big, &info));
    BITMAP bitmap{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
    EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(SM_CXICON));
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

TEST(SetFormIcon, WithoutTopOwnerOnlyTheWindowGetsIcons)
{
    TwoWindows windows;
    SetFormIcon(windows.owned, "AAA", false);
    EXPECT_NE(IconOf(windows.owned, ICON_BIG), nullptr);
    EXPECT_EQ(IconOf(windows.owner, ICON_BIG), nullptr);
    EXPECT_EQ(IconOf(windows.owner, ICON_SMALL), nullptr);
}

TEST(SetFormIcon, AWindowWithoutOwnerIsItsOwnTop)
{
    TwoWindows windows;
    SetFormIcon(windows.owner, "AAA", true);
    EXPECT_NE(IconOf(windows.owner, ICON_BIG), nullptr);
    EXPECT_NE(IconOf(windows.owner, ICON_SMALL), nullptr);
}

TEST(SetFormIcon, AMissingGroupLeavesNoIcon)
{
    TwoWindows windows;
    SetFormIcon(windows.owned, "AAA", false);
    SetFormIcon(windows.owned, "NOSUCHGROUP", true);
    EXPECT_EQ(IconOf(windows.owned, ICON_BIG), nullptr);
    EXPECT_EQ(IconOf(windows.owned, ICON_SMALL), nullptr);
}

TEST(SetFormIcon, TheSelectionWindowAndTheApplicationWindowCarryTheProgramIcon)
{
    frmSel& window = frmSel::Default();
    HWND application = GetWindow(window.hWnd(), GW_OWNER);
    ASSERT_NE(application, nullptr);
    EXPECT_NE(IconOf(window.hWnd(), ICON_BIG), nullptr);
    EXPECT_EQ(IconOf(application, ICON_SMALL), IconOf(window.hWnd(), ICON_SMALL));
}
