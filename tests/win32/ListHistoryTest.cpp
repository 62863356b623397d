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
        host.LV.Refresh();
        host.LV.StartHistory();
    }
    // Each row's text and image, and a star when it is selected.
    std::vector<std::string> Rows() const
    {
        std::vector<std::string> rows;
        for (int i = 0; i < ItemCount(list()); ++i) {
            LVITEMA item{};
            item.mask = LVIF_IMAGE;
            item.iItem = i;
            SendMessageA(list(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
            rows.push_back(ItemText(list(), i) + "|" + std::to_string(item.iImage) + (IsSelected(list(), i) ? "*" : ""));
        }
        return rows;
    }
    std::string Order() const
    {
        std::string order;
        for (const std::string& text : ItemTexts(list())) order += text.back();
        return order;
    }
    void Select(const std::vector<int>& positions, int focus)
    {
        SetItemState(list(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        for (int position : positions) SetItemState(list(), position, LVIS_SELECTED, LVIS_SELECTED);
        if (focus >= 0) SetItemState(list(), focus, LVIS_FOCUSED, LVIS_FOCUSED);
    }
    std::vector<int> Selected() const
    {
        std::vector<int> selected;
        for (int i = 0; i < ItemCount(list()); ++i)
            if (IsSelected(list(), i)) selected.push_back(i);
        return selected;
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
        const std::vector<std::string> before = Rows();
        change();
        const std::vector<std::string> after = Rows();
        ASSERT_NE(after, before) << name;
        EXPECT_EQ(host.LV.UndoName(), name);
        ASSERT_TRUE(host.LV.Undo()) << name;
        EXPECT_EQ(Rows(), before) << name;
        EXPECT_EQ(SelectedCount(list()), 2) << name;
        EXPECT_EQ(FocusedItem(list()), 1) << name;
        EXPECT_EQ(host.LV.RedoName(), name);
        ASSERT_TRUE(host.LV.Redo()) << name;
        EXPECT_EQ(Rows(), after) << name;
        ASSERT_TRUE(host.LV.Undo()) << name;
    }
    {
        const ListView::Change reading(host.LV, "Open List");
        EXPECT_FALSE(host.LV.Undo());
    }
    EXPECT_EQ(Rows().size(), 6u);
}

TEST_F(ListHistory, MovesCarryTheSelectionAndTheFocusWithTheirEntries)
{
    using Where = ListView::Where;
    struct Case {
        std::vector<int> selected;
        int focus;
        std::function<bool(ListView&)> move;
        const char* order;
        std::vector<int> selectedAfter;
        int focusAfter;
    };
    const auto to = [](Where where) { return [where](ListView& list) { return list.MoveSelected(where); }; };
    const Case cases[] = {
        {{0, 2}, 2, to(Where::Up), "acbdef", {0, 1}, 1},
        {{3, 5}, 3, to(Where::Down), "abcedf", {4, 5}, 4},
        {{2, 3}, 2, to(Where::Top), "cdabef", {0, 1}, 0},
        {{0, 4}, 4, to(Where::Bottom), "bcdfae", {4, 5}, 5},
        {{0, 1}, 1, to(Where::Top), "abcdef", {0, 1}, 1},
        {{1, 4}, 4, [](ListView& list) { return list.MoveSelectedTo(6); }, "acdfbe", {4, 5}, 5},
    };
    for (const Case& c : cases) {
        Select(c.selected, c.focus);
        c.move(host.LV);
        EXPECT_EQ(Order(), c.order);
        EXPECT_EQ(Selected(), c.selectedAfter) << c.order;
        EXPECT_EQ(FocusedItem(list()), c.focusAfter) << c.order;
        while (host.LV.Undo()) {
        }
    }
    EXPECT_EQ(Order(), "abcdef");
    // The focus stays in view.
    for (int i = 0; i < 200; ++i) host.LV.ListItems.Add("C:\\z" + std::to_string(i), "");
    Select({205}, 205);
    SendMessageA(list(), LVM_ENSUREVISIBLE, 205, FALSE);
    EXPECT_GT(SendMessageA(list(), LVM_GETTOPINDEX, 0, 0), 100);
    ASSERT_TRUE(host.LV.MoveSelected(Where::Top));
    EXPECT_EQ(SendMessageA(list(), LVM_GETTOPINDEX, 0, 0), 0);
    EXPECT_EQ(FocusedItem(list()), 0);
    ASSERT_TRUE(host.LV.MoveSelected(Where::Bottom));
    EXPECT_GT(SendMessageA(list(), LVM_GETTOPINDEX, 0, 0), 100);
    EXPECT_EQ(FocusedItem(list()), 205);
}
