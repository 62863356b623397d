// The list-view contract over the real control.
#include "TestSupport.h"
#include "platform/ImageList.h"
#include "platform/Runtime.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

TEST(ListView, FindItemOnEmptyAndFilledLists)
{
    ListHost host;
    host.Load();
    EXPECT_FALSE(host.LV.FindItem("C:\\a.txt"));
    host.LV.ListItems.Add("C:\\a.txt", "");
    host.LV.ListItems.Add("C:\\b.txt", "");
    const ListItem found = host.LV.FindItem("C:\\b.txt");
    ASSERT_TRUE(found);
    EXPECT_EQ(found.Text(), "C:\\b.txt");
    EXPECT_FALSE(host.LV.FindItem("C:\\c.txt"));
}

TEST(ListView, TypingSelectsTheEntryBeginningWithTheLettersAndOtherLettersNothing)
{
    const auto typeInto = [](const char* letter) {
        auto host = std::make_unique<ListHost>(true);
        host->Show();
        for (const char* text : {"cherry", "banana", "apple"}) host->LV.ListItems.Add(text, "");
        Pump();
        SetFocus(host->LV.hWnd());
        SendMessageA(host->LV.hWnd(), WM_CHAR, static_cast<WPARAM>(letter[0]), 1);  // repeat count 1
        return host;
    };
    const auto typedB = typeInto("B");
    EXPECT_EQ(SelectedCount(typedB->LV.hWnd()), 1);
    EXPECT_TRUE(IsSelected(typedB->LV.hWnd(), 1));
    const auto typedZ = typeInto("z");  // begins no entry
    EXPECT_EQ(SelectedCount(typedZ->LV.hWnd()), 0);
}

TEST(ListView, NoEntryReadsEmptyAndIgnoresWrites)
{
    ListHost host;
    host.Load();
    ListItem none = host.LV.FindItem("C:\\missing.txt");
    EXPECT_EQ(none.Text(), "");
    EXPECT_EQ(none.SmallIcon(), "");
    EXPECT_FALSE(none.Selected());
    none.Text("C:\\x.txt");
    none.Selected(true);
    EXPECT_EQ(ItemCount(host.LV.hWnd()), 0);
}

TEST(ListView, HitTestFindsTheEntryUnderThePointAndNoneBelowTheLast)
{
    ListHost host;
    host.Show();
    host.LV.ListItems.Add("C:\\first.txt", "");
    host.LV.ListItems.Add("C:\\second.txt", "");
    Pump();
    RECT row{};
    row.left = LVIR_BOUNDS;
    ASSERT_TRUE(SendMessageA(host.LV.hWnd(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row)));
    const float x = PixelsToTwips(row.left + 5, Screen.Dpi());
    const ListItem hit = host.LV.HitTest(x, PixelsToTwips((row.top + row.bottom) / 2, Screen.Dpi()));
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit.Text(), "C:\\second.txt");
    EXPECT_FALSE(host.LV.HitTest(x, PixelsToTwips(row.bottom + 40, Screen.Dpi())));
}

TEST(ListView, ItemIsCountedFromOneAndRefusesOtherPositions)
{
    ListHost host;
    host.Load();
    host.LV.ListItems.Add("one", "");
    host.LV.ListItems.Add("two", "");
    EXPECT_EQ(host.LV.ListItems.Item(1).Text(), "one");
    EXPECT_EQ(host.LV.ListItems.Item(2).Text(), "two");
    EXPECT_THROW(host.LV.ListItems.Item(0), std::out_of_range);
    EXPECT_THROW(host.LV.ListItems.Item(3), std::out_of_range);
}

TEST(ListView, SortedListShowsEntriesInTextOrderAndTwoFlipsRestoreIt)
{
    ListHost host(true);
    host.Show();
    for (const char* text : {"C:\\b.txt", "C:\\c.txt", "C:\\a.txt"}) host.LV.ListItems.Add(text, "");
    host.LV.Refresh();
    const std::vector<std::string> ascending{"C:\\a.txt", "C:\\b.txt", "C:\\c.txt"};
    EXPECT_EQ(ItemTexts(host.LV.hWnd()), ascending);
    host.LV.SortOrder(host.LV.SortOrder() ^ 1);
    EXPECT_EQ(ItemTexts(host.LV.hWnd()), (std::vector<std::string>{"C:\\c.txt", "C:\\b.txt", "C:\\a.txt"}));
    host.LV.SortOrder(host.LV.SortOrder() ^ 1);
    EXPECT_EQ(host.LV.SortOrder(), 0);
    EXPECT_EQ(ItemTexts(host.LV.hWnd()), ascending);
}

TEST(ListView, SortingCarriesSelectionAndFocusWithTheirEntries)
{
    ListHost host(true);
    host.Show();
    for (const char* text : {"b", "c", "a"}) host.LV.ListItems.Add(text, "");
    host.LV.Refresh();  // a b c
    SetItemState(host.LV.hWnd(), 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);  // "a"
    host.LV.SortOrder(1);  // c b a
    EXPECT_EQ(ItemText(host.LV.hWnd(), 2), "a");
    EXPECT_TRUE(IsSelected(host.LV.hWnd(), 2));
    EXPECT_FALSE(IsSelected(host.LV.hWnd(), 0));
    EXPECT_EQ(FocusedItem(host.LV.hWnd()), 2);
    EXPECT_EQ(SelectedCount(host.LV.hWnd()), 1);
}

TEST(ListView, EntriesAddedWhileHiddenShowOnceVisible)
{
    ListHost host(true);
    host.Show();
    host.LV.Visible(false);
    auto item = host.LV.ListItems.Add();
    item.Text("z");
    host.LV.ListItems.Add("y", "");
    host.LV.Visible(true);
    EXPECT_EQ(ItemTexts(host.LV.hWnd()), (std::vector<std::string>{"y", "z"}));
}

TEST(ListView, AListRefilledWhileHiddenIsShownRepaintedAndScrollsAsItsNewEntriesNeed)
{
    for (const auto& [before, after] : {std::pair{100, 2}, std::pair{2, 100}}) {
        ListHost host;
        host.Show();
        HWND list = host.LV.hWnd();
        for (int i = 0; i < before; ++i) host.LV.ListItems.Add("old", "");
        host.LV.Refresh();
        host.LV.Visible(false);
        SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
        for (int i = 0; i < after; ++i) host.LV.ListItems.Add("new", "");
        host.LV.Visible(true);
        EXPECT_TRUE(IsWindowVisible(list)) << after;
        EXPECT_TRUE(GetUpdateRect(list, nullptr, FALSE)) << after;
        EXPECT_EQ(ItemCount(list), after);
        EXPECT_EQ((GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL) != 0, after == 100);
    }
}

TEST(ListView, EntriesShowTheImageOfTheirKey)
{
    ImageList images;
    images.Create(16, 16);
    ListHost host;
    host.Load();
    host.LV.SmallIcons(images);
    Bitmap bitmap(CreateBitmap(16, 16, 1, 32, nullptr));
    ASSERT_TRUE(images.ListImages.Add("Text Document", Picture(std::move(bitmap))));
    host.LV.ListItems.Add("C:\\a.txt", "Text Document");
    host.LV.ListItems.Add("C:\\b.xyz", "Unknown key");
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = 0;
    ASSERT_TRUE(SendMessageA(host.LV.hWnd(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(item.iImage, images.IndexOf("Text Document"));
    item.iItem = 1;
    ASSERT_TRUE(SendMessageA(host.LV.hWnd(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(item.iImage, I_IMAGENONE);
}

TEST(ListView, ColumnClickAndItemClickReachTheirHandlers)
{
    ListHost host;
    host.Show();
    host.LV.ListItems.Add("C:\\a.txt", "");
    int columnClicks = 0;
    std::string clicked;
    host.LV.ColumnClick = [&](int column) { columnClicks += column; };
    host.LV.ItemClick = [&](ListItem item) { clicked = item.Text(); };
    Pump();
    HWND header = reinterpret_cast<HWND>(SendMessageA(host.LV.hWnd(), LVM_GETHEADER, 0, 0));
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
    EXPECT_EQ(columnClicks, 1);
    RECT row{};
    row.left = LVIR_BOUNDS;
    SendMessageA(host.LV.hWnd(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    const LPARAM point = MAKELPARAM(row.left + 20, (row.top + row.bottom) / 2);
    PostMessageA(host.LV.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(host.LV.hWnd(), WM_LBUTTONUP, 0, point);
    Pump();
    EXPECT_EQ(clicked, "C:\\a.txt");
}

TEST(ListView, SelectedItemsFollowEveryWayOfSelecting)
{
    ListHost host(true);
    host.Show();
    for (int i = 0; i < 12; ++i) host.LV.ListItems.Add("C:\\" + std::string(1, static_cast<char>('l' - i)) + ".txt", "");
    host.LV.Refresh();
    HWND list = host.LV.hWnd();
    const auto matchesTheControl = [&] {
        std::vector<std::string> raw, held;
        for (int i = -1; (i = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED))) >= 0;)
            raw.push_back(ItemText(list, i));
        for (const ListItem& item : host.LV.SelectedItems()) held.emplace_back(item.Text());
        return raw == held && !raw.empty();
    };
    ClickItem(list, 2);
    EXPECT_TRUE(matchesTheControl()) << "click";
    ClickItem(list, 5, MK_CONTROL);
    EXPECT_TRUE(matchesTheControl()) << "Ctrl+click";
    ClickItem(list, 9, MK_SHIFT);
    EXPECT_TRUE(matchesTheControl()) << "Shift+click";
    host.LV.SortOrder(1);
    EXPECT_TRUE(matchesTheControl()) << "sort flipped";
    SetItemState(list, -1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_TRUE(matchesTheControl()) << "all";
    SetItemState(list, -1, 0, LVIS_SELECTED);
    SetItemState(list, 3, LVIS_SELECTED, LVIS_SELECTED);
    SetFocus(list);
    SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_TRUE(matchesTheControl()) << "arrow key";
    host.LV.ListItems.Item(1).Selected(true);
    EXPECT_TRUE(matchesTheControl()) << "Selected(true)";
}
