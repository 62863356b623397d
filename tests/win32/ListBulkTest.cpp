// The bulk operations on real list views, checked through raw messages.
#include "TestSupport.h"
#include "platform/CodePage.h"
#include "services/ListBulk.h"

#include <gtest/gtest.h>

namespace {

class ListBulk : public testing::Test {
protected:
    void Fill(int count)
    {
        for (int i = 0; i < count; ++i) host.LV.ListItems.Add("C:\\file" + std::to_string(i) + ".txt", "");
    }
    HWND List() { return host.LV.hWnd(); }
    ListHost host;
};

}  // namespace

TEST_F(ListBulk, EmptyListChangesNothing)
{
    host.Load();
    EXPECT_EQ(GetSelCount(host.LV), 0);
    SetAllSelected(host.LV, true);
    EXPECT_EQ(GetSelCount(host.LV), 0);
    SetAllSelected(host.LV, false);
    ClearLV(host.LV);
    EXPECT_EQ(ItemCount(List()), 0);
    EXPECT_EQ(host.LV.ListItems.Count(), 0);
}

TEST_F(ListBulk, SelectAllOnAPartlySelectedListKeepsTheFocus)
{
    host.Load();
    Fill(6);
    SetItemState(List(), 4, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SetItemState(List(), 1, LVIS_SELECTED, LVIS_SELECTED);
    SetAllSelected(host.LV, true);
    EXPECT_EQ(GetSelCount(host.LV), 6);
    EXPECT_EQ(SelectedCount(List()), ItemCount(List()));
    for (int i = 1; i <= 6; ++i) EXPECT_TRUE(host.LV.ListItems.Item(i).Selected()) << i;
    EXPECT_EQ(FocusedItem(List()), 4);
}

TEST_F(ListBulk, SelectNoneLeavesNothingSelected)
{
    host.Load();
    Fill(4);
    SetAllSelected(host.LV, true);
    SetAllSelected(host.LV, false);
    EXPECT_EQ(GetSelCount(host.LV), 0);
    EXPECT_EQ(SelectedCount(List()), 0);
}

TEST_F(ListBulk, CountsEverySelectedItemNotOnlyTheFocusedOne)
{
    host.Load();
    Fill(8);
    for (int i : {0, 3, 5, 7}) SetItemState(List(), i, LVIS_SELECTED, LVIS_SELECTED);
    SetItemState(List(), 3, LVIS_FOCUSED, LVIS_FOCUSED);
    EXPECT_EQ(GetSelCount(host.LV), 4);
}

TEST_F(ListBulk, ClearThenRefillStartsFromAnEmptyList)
{
    host.Load();
    Fill(5);
    SetAllSelected(host.LV, true);
    ClearLV(host.LV);
    EXPECT_EQ(ItemCount(List()), 0);
    EXPECT_EQ(host.LV.ListItems.Count(), 0);
    EXPECT_EQ(GetSelCount(host.LV), 0);
    Fill(2);
    EXPECT_EQ(ItemCount(List()), 2);
    EXPECT_EQ(GetSelCount(host.LV), 0);
    EXPECT_EQ(ItemTexts(List()), (std::vector<std::string>{"C:\\file0.txt", "C:\\file1.txt"}));
}

TEST_F(ListBulk, EntriesSelectedByMessageReadSelectedThroughTheList)
{
    host.Load();
    Fill(3);
    SetItemState(List(), 2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_FALSE(host.LV.ListItems.Item(1).Selected());
    EXPECT_TRUE(host.LV.ListItems.Item(3).Selected());
    host.LV.ListItems.Item(1).Selected(true);
    EXPECT_TRUE(IsSelected(List(), 0));
    EXPECT_EQ(GetSelCount(host.LV), 2);
}

TEST_F(ListBulk, SelectingAllOnAHiddenListLeavesItHidden)
{
    host.Show();
    Fill(3);
    host.LV.Visible(false);
    SetAllSelected(host.LV, true);
    EXPECT_FALSE(IsWindowVisible(List()));
    EXPECT_EQ(SelectedCount(List()), 3);
    host.LV.Visible(true);
    SetAllSelected(host.LV, false);
    EXPECT_TRUE(IsWindowVisible(List()));
    EXPECT_EQ(SelectedCount(List()), 0);
}

TEST_F(ListBulk, FindingAPathIgnoresLetterCaseAsTheFileSystemComparesNames)
{
    // Pairs the system's ordinal comparison, letter case aside, calls equal
    // or not; the list must find the one as the other exactly then.
    const std::pair<const wchar_t*, const wchar_t*> pairs[] = {
        {L"C:\\Data\\A.txt", L"c:\\data\\a.TXT"}, {L"C:\\caf\u00e9.txt", L"C:\\CAF\u00c9.TXT"},
        {L"C:\\\u03c3\u03b5", L"C:\\\u03a3\u0395"},  {L"C:\\stra\u00dfe", L"C:\\STRASSE"},
        {L"C:\\x_y", L"C:\\X\u007fY"},             {L"C:\\\u0436", L"C:\\\u0416"},
    };
    for (const auto& [listed, asked] : pairs) {
        std::string listedText, askedText;
        if (!ToCodePage(listed, listedText) || !ToCodePage(asked, askedText)) continue;  // not in this code page
        SendMessageA(host.LV.hWnd(), LVM_DELETEALLITEMS, 0, 0);
        host.LV.ListItems.Add(listedText, "");
        const bool same = CompareStringOrdinal(listed, -1, asked, -1, TRUE) == CSTR_EQUAL;
        EXPECT_EQ(static_cast<bool>(host.LV.FindItem(askedText)), same) << askedText;
    }
}
