// The transfer of selected files into the selection list, through the
// picker's own controls.
#include "PickerFixture.h"

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
