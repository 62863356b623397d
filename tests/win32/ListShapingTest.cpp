// The selection list's changes as the user makes them: each is one step that
// Ctrl+Z takes back and Ctrl+Y makes again, the list compared whole.
#include "PickerFixture.h"
#include "common/FileText.h"
#include "services/ListBulk.h"
#include "services/PathData.h"

#include <functional>
#include <tuple>

namespace {

// What the user sees of the list: each entry's text, icon and selection, in order.
using Shown = std::vector<std::tuple<std::string, std::string, bool>>;

class ListShaping : public PickerFixture {
protected:
    ListView& Selection() { return frmSel::Default().LV; }
    Shown Seen()
    {
        Shown seen;
        for (int i = 0; i < ItemCount(SelectionList()); ++i)
            seen.emplace_back(ItemText(SelectionList(), i), std::string(Selection().ListItems.Item(i + 1).SmallIcon()),
                              IsSelected(SelectionList(), i));
        return seen;
    }
    // The text of the message box the action shows, answered with OK; "" when none shows.
    std::string MessageOf(const std::function<void()>& action)
    {
        std::string text;
        WhenWindowOpens box("#32770", [&](HWND dialog) {
            char shown[512] = {};
            GetDlgItemTextA(dialog, 0xFFFF, shown, sizeof(shown));
            text = shown;
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        action();
        Pump();
        return text;
    }
};

void PutFilesOnClipboard(const std::vector<std::string>& paths)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_HDROP, FileListBlock(paths).release());
    CloseClipboard();
}

TEST_F(ListShaping, EachChangeIsOneStepThatUndoTakesBackAndRedoMakesAgain)
{
    const std::string listFile = Path("list.txt");
    WriteBytes(listFile, Path("d.txt") + "\r\n" + Path("e.txt") + "\r\n");
    const struct {
        const char* step;
        std::function<void()> change;
    } changes[] = {
        {"Add", [&] {
             Open();
             SetItemState(List(), 3, LVIS_SELECTED, LVIS_SELECTED);
             SendMessageA(picker.cmdAdd.hWnd(), BM_CLICK, 0, 0);
             picker.Unload();
         }},
        {"Paste", [&] { PutFilesOnClipboard({Path("d.txt"), Path("e.txt")}); PressKey(SelectionList(), 'V', true); }},
        {"Drop", [&] { frmSel::Default().TakeIn({Path("e.txt")}, "dropped item", "", "Drop"); }},
        {"Open List", [&] { frmSel::Default().OpenListFile(listFile); }},
        {"Remove", [&] { PressKey(SelectionList(), VK_DELETE, false); }},
        {"Clear List", [&] { SendMessageA(FindChild(frmSel::Default().hWnd(), "Button", "Clear List"), BM_CLICK, 0, 0); }},
        {"Move Up", [&] { PressKeys(SelectionList(), VK_UP, 4); }},
        {"Move Down", [&] { PressKeys(SelectionList(), VK_DOWN, 4); }},
        {"Move to Top", [&] { PressKeys(SelectionList(), VK_HOME, 4); }},
        {"Move to Bottom", [&] { PressKeys(SelectionList(), VK_END, 4); }},
        {"Sort by Name", [&] { PressKey(SelectionList(), '1', true); }},
        {"Reverse Order", [&] { PressKey(SelectionList(), 'R', true); }},
        {"Remove Missing", [&] {
             DeleteFileA(Path("c.txt").c_str());
             EXPECT_EQ(MessageOf([&] { PressKeys(SelectionList(), VK_DELETE, 2); }),
                       "1 entry named a file that no longer exists and was removed.");
         }},
    };
    for (const auto& change : changes) {
        ClearLV(Selection());
        folder.File("c.txt");
        frmSel::Default().TakeIn({Path("c.txt"), Path("a.txt"), Path("b.txt")}, "word", "", "Add");
        Selection().StartHistory();
        SetItemState(SelectionList(), 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        const Shown before = Seen();
        change.change();
        Pump();
        const Shown after = Seen();
        EXPECT_NE(after, before) << change.step;
        EXPECT_EQ(Selection().UndoName(), change.step);
        PressKey(SelectionList(), 'Z', true);
        EXPECT_EQ(Seen(), before) << change.step;
        EXPECT_EQ(Selection().RedoName(), change.step);
        PressKey(SelectionList(), 'Y', true);
        EXPECT_EQ(Seen(), after) << change.step;
    }
}

TEST_F(ListShaping, TheSameSortChosenAgainTurnsTheOrderAndNothingMissingSaysNothing)
{
    frmSel::Default().TakeIn({Path("b.txt"), Path("c.txt"), Path("a.txt")}, "word", "", "Add");
    PressKey(SelectionList(), '1', true);
    EXPECT_EQ(ItemTexts(SelectionList()), (std::vector<std::string>{Path("a.txt"), Path("b.txt"), Path("c.txt")}));
    PressKey(SelectionList(), '1', true);
    EXPECT_EQ(ItemTexts(SelectionList()), (std::vector<std::string>{Path("c.txt"), Path("b.txt"), Path("a.txt")}));
    EXPECT_EQ(MessageOf([&] { PressKeys(SelectionList(), VK_DELETE, 2); }), "");
    EXPECT_EQ(Selection().UndoName(), "Sort by Name");
}

}  // namespace
