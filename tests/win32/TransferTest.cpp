// The transfer of selected files into the selection list, through the
// picker's own controls.
#include "PickerFixture.h"

#include <algorithm>
#include <fstream>
#include <functional>

namespace {

class Transfer : public PickerFixture {
protected:
    void SetUp() override
    {
        PickerFixture::SetUp();
        Open();
    }
    // Selects picker entries by position as the user would (Ctrl+click), then presses "Add".
    void SelectAndAdd(std::initializer_list<int> positions)
    {
        for (int position : positions) ClickItem(List(), position, MK_CONTROL);
        SendMessageA(picker.cmdAdd.hWnd(), BM_CLICK, 0, 0);
    }
    void AllowDupes() { SendMessageA(FindChild(frmSel::Default().hWnd(), "BUTTON", "Allow Dupes"), BM_CLICK, 0, 0); }
};

}  // namespace

TEST_F(Transfer, EntriesTwoAndFiveArriveInThatOrderAndEndDeselected)
{
    SelectAndAdd({4, 1});
    EXPECT_EQ(ItemTexts(SelectionList()), (std::vector<std::string>{Path("b.txt"), Path("e.txt")}));
    EXPECT_EQ(SelectedCount(List()), 0);
    EXPECT_EQ(ItemCount(List()), 5);
}

TEST_F(Transfer, WithNothingSelectedNothingIsAdded)
{
    SelectAndAdd({0});
    SendMessageA(picker.cmdAdd.hWnd(), BM_CLICK, 0, 0);  // still enabled, nothing selected
    EXPECT_EQ(ItemTexts(SelectionList()), (std::vector<std::string>{Path("a.txt")}));
}

TEST_F(Transfer, PathsAlreadyListedAreSkippedButDeselected)
{
    frmSel::Default().LV.ListItems.Add(Path("b.txt"), "Text Document");
    SelectAndAdd({1, 2});
    EXPECT_EQ(ItemTexts(SelectionList()), (std::vector<std::string>{Path("b.txt"), Path("c.txt")}));
    EXPECT_EQ(SelectedCount(List()), 0);
    SelectAndAdd({0, 1, 2, 3, 4});
    EXPECT_EQ(ItemCount(SelectionList()), 5);
}

TEST_F(Transfer, WithAllowDupesTheSameSelectionTwiceAddsEachPathTwice)
{
    AllowDupes();
    ASSERT_TRUE(blnAllowDupes);
    SelectAndAdd({0, 2});
    SelectAndAdd({0, 2});
    EXPECT_EQ(ItemTexts(SelectionList()),
              (std::vector<std::string>{Path("a.txt"), Path("c.txt"), Path("a.txt"), Path("c.txt")}));
}

TEST_F(Transfer, NewEntriesShowTheSameImageAsInThePicker)
{
    SelectAndAdd({3});
    LVITEMA source{}, target{};
    source.mask = target.mask = LVIF_IMAGE;
    source.iItem = 3;
    ASSERT_TRUE(SendMessageA(List(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&source)));
    ASSERT_TRUE(SendMessageA(SelectionList(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&target)));
    EXPECT_GE(source.iImage, 0);
    EXPECT_EQ(target.iImage, source.iImage);
    EXPECT_EQ(frmSel::Default().LV.ListItems.Item(1).SmallIcon(), picker.LV.ListItems.Item(4).SmallIcon());
}

namespace {

// A list file of a million lines naming the fixture's five files over and
// over (each by its name alone, beside the list),
// opened with duplicates allowed, and what happens at the reading's turns:
// `atTurn` runs from a timer, which fires only while the reading lets
// messages through.
class LongRead : public PickerFixture {
protected:
    static constexpr std::size_t kLines = 1000000;
    void SetUp() override
    {
        PickerFixture::SetUp();
        SendMessageA(SelectionList(), LVM_DELETEALLITEMS, 0, 0);
        blnAllowDupes = true;
        std::string text;
        for (std::size_t i = 0; i < kLines; ++i) text.append(kNames[i % 5]).append("\r\n");
        bytes = text.size();
        list = folder.Path() + "\\list.txt";
        std::ofstream(list, std::ios::binary) << text;
    }
    void TearDown() override { blnAllowDupes = false; }
    void Read(std::function<void()> atTurn)
    {
        turn = std::move(atTurn);
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, Tick);
        frmSel::Default().OpenListFile(list);
        KillTimer(nullptr, timer);
    }
    // The texts shown are the file's first lines, in order.
    void ExpectTheFirstLines(std::size_t count)
    {
        ASSERT_EQ(static_cast<std::size_t>(ItemCount(SelectionList())), count);
        for (std::size_t i = 0; i < count; i += 9973)
            EXPECT_EQ(ItemText(SelectionList(), static_cast<int>(i)), Path(kNames[i % 5])) << i;
    }
    static constexpr const char* kNames[] = {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"};
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        if (turn) turn();
    }
    static inline std::function<void()> turn;
    std::string list;
    std::size_t bytes = 0;
};

}  // namespace

TEST_F(LongRead, ShowsItsCountAndEscStopsItKeepingWhatWasAdded)
{
    std::string shown;
    bool pressed = false;
    Read([&] {
        const std::string caption = frmSel::Default().Caption();
        if (pressed || caption.find(" - reading ") == std::string::npos) return;
        shown = caption;
        PostMessageA(SelectionList(), WM_KEYDOWN, VK_ESCAPE, 0);
        pressed = true;
    });
    ASSERT_TRUE(pressed);
    EXPECT_EQ(shown.substr(shown.size() - 13), " of 1,000,000") << shown;
    const std::size_t kept = static_cast<std::size_t>(frmSel::Default().LV.ListItems.Count());
    EXPECT_GT(kept, 0u);
    EXPECT_LT(kept, kLines);
    ExpectTheFirstLines(kept);
    EXPECT_EQ(frmSel::Default().Caption().find(" - reading "), std::string::npos);
}

TEST_F(LongRead, AnotherTakingMeanwhileIsRefusedWithAMessageAndTheReadGoesOn)
{
    std::vector<std::string> told;
    WhenWindowOpens answer("#32770", [&](HWND box) {
        char text[512] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
        told.push_back(text);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    const std::string other = folder.File("other.txt");
    bool tried = false;
    Read([&] {
        if (tried) return;
        tried = true;
        frmSel::Default().TakeIn({other}, "dropped item", "", "Drop");  // as a drop comes
    });
    ASSERT_TRUE(tried);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("still being read"), std::string::npos) << told[0];
    ExpectTheFirstLines(kLines);
}

TEST_F(LongRead, ClosingTheWindowMeanwhileStopsTheReadAndCloses)
{
    const HWND window = frmSel::Default().hWnd();
    bool closed = false;
    Read([&] {
        if (closed) return;
        closed = true;
        PostMessageA(window, WM_CLOSE, 0, 0);
    });
    ASSERT_TRUE(closed);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(LongRead, HoldsTheFileOnceAndLittleMorePerLine)
{
    // Private bytes at the reading's turns (at the 1st, 2nd, 4th, 8th...: a
    // reading costs much here), against those of the entries once read:
    // beyond them, the file's bytes and 64 bytes a line at most.
    const SIZE_T before = ResourceUse::Now().privateBytes;
    SIZE_T most = before;
    unsigned turns = 0;
    Read([&] {
        ++turns;
        if ((turns & (turns - 1)) == 0) most = std::max(most, ResourceUse::Now().privateBytes);
    });
    const SIZE_T entries = ResourceUse::Now().privateBytes - before;
    ASSERT_EQ(static_cast<std::size_t>(frmSel::Default().LV.ListItems.Count()), kLines);
    EXPECT_LE(most - before, entries + bytes + 64 * kLines);
}
