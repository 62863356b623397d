// Undo, redo and moves of a list that keeps a history, on the real control,
// read back through raw messages.
#include "TestSupport.h"
#include "platform/Picture.h"
#include "services/ListBulk.h"

#include <gtest/gtest.h>

namespace {

class ListHistory : public testing::Test {
protected:
    void SetUp() override
    {
        images.Create(16, 16);
        for (const char* key : {"Text", "Image"})
            ASSERT_TRUE(images.ListImages.Add(key, Picture(Bitmap(CreateBitmap(16, 16, 1, 32, nullptr)))));
        host.Show();
        host.LV.SmallIcons(images);
        host.LV.KeepHistory(true);
        for (char c = 'a'; c <= 'f'; ++c) host.LV.ListItems.Add(std::string("C:\\") + c, c % 2 ? "Text" : "Image");
        host.LV.StartHistory();
    }
    // Each row as the control shows it: the end of its text, its image when
    // asked, and a star when it is selected.
    std::string Shown(bool withImages = false) const
    {
        std::string shown;
        for (int i = 0; i < ItemCount(list()); ++i) {
            LVITEMA item{};
            item.mask = LVIF_IMAGE;
            item.iItem = i;
            SendMessageA(list(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
            shown += ItemText(list(), i).back() + (withImages ? std::to_string(item.iImage) : "");
            if (IsSelected(list(), i)) shown += '*';
        }
        return shown;
    }
    void Select(const std::vector<int>& positions, int focus)
    {
        SetItemState(list(), -1, 0, LVIS_SELECTED);
        for (int position : positions) SetItemState(list(), position, LVIS_SELECTED, LVIS_SELECTED);
        SetItemState(list(), focus, LVIS_FOCUSED, LVIS_FOCUSED);
    }
    HWND list() const { return host.LV.hWnd(); }

    ImageList images;
    ListHost host;
};

}  // namespace

TEST_F(ListHistory, UndoAndRedoOfAClearAndARemoveBringBackRowsImagesAndSelection)
{
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"Clear List", [&] { ClearLV(host.LV); }},
        {"Remove", [&] { host.LV.RemoveSelected(); }},
    };
    for (const auto& [name, change] : changes) {
        Select({1, 3}, 3);
        const std::string before = Shown(true);
        change();
        const std::string after = Shown(true);
        ASSERT_NE(after, before) << name;
        EXPECT_EQ(host.LV.UndoName(), name);
        ASSERT_TRUE(host.LV.Undo()) << name;
        EXPECT_EQ(Shown(true), before);
        EXPECT_EQ(FocusedItem(list()), 1) << name;
        EXPECT_EQ(host.LV.RedoName(), name);
        ASSERT_TRUE(host.LV.Redo()) << name;
        EXPECT_EQ(Shown(true), after);
        ASSERT_TRUE(host.LV.Undo()) << name;
    }
    const ListView::Change reading(host.LV, "Open List");
    EXPECT_FALSE(host.LV.Undo());
}

TEST_F(ListHistory, MovesCarryTheSelectionAndTheFocusWithTheirEntries)
{
    using Where = ListView::Where;
    const auto to = [](Where where) { return [where](ListView& list) { return list.MoveSelected(where); }; };
    const std::tuple<std::vector<int>, int, std::function<bool(ListView&)>, const char*, int> cases[] = {
        {{0, 2}, 2, to(Where::Up), "a*c*bdef", 1},
        {{3, 5}, 3, to(Where::Down), "abced*f*", 4},
        {{2, 3}, 2, to(Where::Top), "c*d*abef", 0},
        {{0, 4}, 4, to(Where::Bottom), "bcdfa*e*", 5},
        {{1, 4}, 4, [](ListView& list) { return list.MoveSelectedTo(6); }, "acdfb*e*", 5},
    };
    for (const auto& [selected, focus, move, shown, focusAfter] : cases) {
        Select(selected, focus);
        move(host.LV);
        EXPECT_EQ(Shown(), shown);
        EXPECT_EQ(FocusedItem(list()), focusAfter) << shown;
        while (host.LV.Undo()) {
        }
    }
    // The focus is kept in view (Wine's list also scrolls to it by itself).
    for (int i = 0; i < 200; ++i) host.LV.ListItems.Add("C:\\z" + std::to_string(i), "");
    Select({0}, 0);
    ASSERT_TRUE(host.LV.MoveSelected(Where::Bottom));
    EXPECT_GT(SendMessageA(list(), LVM_GETTOPINDEX, 0, 0), 100);
    EXPECT_EQ(FocusedItem(list()), 205);
}
