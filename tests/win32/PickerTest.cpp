// The picker window: its opening and closing from the selection window, its
// folder choice, selection rule, pop-up menu, choice by name patterns, sorting
// and layout.
#include "PickerFixture.h"
#include "common/FolderFiles.h"
#include "platform/Runtime.h"
#include "services/PathData.h"

#include <functional>

namespace {

HWND SelectionButton(const char* caption)
{
    return FindChild(frmSel::Default().hWnd(), "BUTTON", caption);
}

std::vector<HWND> PickerWindows()
{
    return FormsOfThisThread("Select Files");
}

class Picker : public PickerFixture {
protected:
    bool AddEnabled() { return IsWindowEnabled(picker.cmdAdd.hWnd()) != FALSE; }
    // Right-clicks an entry; while the menu is open, notes which items are
    // enabled, then chooses the item at index (or closes the menu for -1).
    void RightClickMenu(int position, int choose)
    {
        menuOpened = false;
        WhenWindowOpens menu("#32768", [&](HWND menuWindow) {
            menuOpened = true;
            for (UINT i = 0; i < 3; ++i)
                itemEnabled[i] = !(GetMenuState(picker.LVPop.Handle(), i, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED));
            if (choose < 0) {
                EndMenu();
                return;
            }
            for (int i = 0; i <= choose; ++i)  // the arrow keys pass over separators
                if (!(GetMenuState(picker.LVPop.Handle(), static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR))
                    PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
        });
        PressButton(List(), WM_RBUTTONDOWN, WM_RBUTTONUP, ItemCentre(List(), position));
        ASSERT_TRUE(menu.Ran());
    }

    // Runs an action that may open the patterns dialog and answers it: the
    // text and OK, or Cancel for nullptr. Notes what the dialog showed, its
    // caption and then the patterns offered; false when none opened.
    bool AnswerPatterns(const char* text, const std::function<void()>& action)
    {
        shown.clear();
        WhenWindowOpens dialog("#32770", [&](HWND window) {
            HWND box = FindChild(window, "ComboBox", nullptr);
            char line[64] = {};
            GetWindowTextA(window, line, sizeof(line));
            shown.push_back(line);
            for (WPARAM i = 0; SendMessageA(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(line)) > 0; ++i)
                shown.push_back(line);
            if (text) SetWindowTextA(box, text);
            PostMessageA(FindChild(window, "Button", text ? "OK" : "Cancel"), BM_CLICK, 0, 0);
        });
        action();
        return dialog.Ran();
    }
    std::vector<std::string> SelectedNames()
    {
        std::vector<std::string> names;
        for (int i = 0; i < ItemCount(List()); ++i)
            if (IsSelected(List(), i)) names.push_back(ItemText(List(), i).substr(folder.Path().size() + 1));
        return names;
    }

    bool menuOpened = false;
    bool itemEnabled[3] = {};
    std::vector<std::string> shown;
};

}  // namespace

TEST_F(Picker, SelectFilesOpensThePickerAtTheRightEdgeListingTheCurrentFolder)
{
    frmSel& selection = frmSel::Default();
    selection.Left(1200);
    selection.Top(900);
    strCurFolder = "C:\\";
    SendMessageA(SelectionButton("Select Files"), BM_CLICK, 0, 0);
    const auto pickers = PickerWindows();
    ASSERT_EQ(pickers.size(), 1u);
    EXPECT_TRUE(IsWindowVisible(pickers[0]));
    RECT selectionRect{}, pickerRect{};
    GetWindowRect(selection.hWnd(), &selectionRect);
    GetWindowRect(pickers[0], &pickerRect);
    EXPECT_EQ(selectionRect.left, 80);  // 1200 twips
    EXPECT_EQ(pickerRect.left, selectionRect.right);
    EXPECT_EQ(pickerRect.top, selectionRect.top);
    EXPECT_EQ(GetWindow(pickers[0], GW_OWNER), nullptr);
    HWND list = FindChild(pickers[0], WC_LISTVIEWA, nullptr);
    EXPECT_EQ(ItemCount(list), FilesIn("C:\\"));
    char path[MAX_PATH] = {};
    GetWindowTextA(FindChild(pickers[0], "EDIT", nullptr), path, sizeof(path));
    EXPECT_STREQ(path, "C:\\");
}

TEST_F(Picker, SelectFilesAgainWhileOpenDoesNothing)
{
    SendMessageA(SelectionButton("Select Files"), BM_CLICK, 0, 0);
    HWND first = PickerWindows().at(0);
    SetWindowPos(first, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageA(SelectionButton("Select Files"), BM_CLICK, 0, 0);
    ASSERT_EQ(PickerWindows().size(), 1u);
    EXPECT_EQ(PickerWindows()[0], first);
    RECT rect{};
    GetWindowRect(first, &rect);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 20);
}

TEST_F(Picker, SelectFilesAfterThePickerWasClosedOpensANewOne)
{
    SendMessageA(SelectionButton("Select Files"), BM_CLICK, 0, 0);
    SendMessageA(PickerWindows().at(0), WM_CLOSE, 0, 0);
    EXPECT_TRUE(PickerWindows().empty());
    SendMessageA(SelectionButton("Select Files"), BM_CLICK, 0, 0);
    ASSERT_EQ(PickerWindows().size(), 1u);
    EXPECT_EQ(ItemCount(FindChild(PickerWindows()[0], WC_LISTVIEWA, nullptr)), 5);
}

TEST_F(Picker, ClosingTheSelectionWindowClosesThePickerAndEndsTheProgram)
{
    SendMessageA(SelectionButton("Select Files"), BM_CLICK, 0, 0);
    frmSel::Default().LV.ListItems.Add("C:\\x.txt", "");
    Pump();
    HWND selection = frmSel::Default().hWnd();
    SendMessageA(selection, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(selection));
    EXPECT_TRUE(PickerWindows().empty());
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(Picker, LoadWithNoCurrentFolderListsNothing)
{
    strCurFolder.clear();
    Open();
    EXPECT_EQ(ItemCount(List()), 0);
    EXPECT_EQ(picker.txtPath.Text(), "");
}

TEST_F(Picker, OpensWithTheListFilledSortedAndAddDisabled)
{
    Open();
    EXPECT_EQ(picker.Caption(), "Select Files");
    EXPECT_EQ(ItemTexts(List()), (std::vector<std::string>{Path("a.txt"), Path("b.txt"), Path("c.txt"),
                                                             Path("d.txt"), Path("e.txt")}));
    EXPECT_EQ(picker.txtPath.Text(), folder.Path());
    EXPECT_FALSE(AddEnabled());
    EXPECT_TRUE(IsWindowEnabled(picker.cmdBr.hWnd()));
    SetActiveWindow(picker.hWnd());
    EXPECT_EQ(GetFocus(), List());  // first in tab order
    const LONG style = GetWindowLongA(picker.hWnd(), GWL_STYLE);
    EXPECT_TRUE((style & WS_THICKFRAME) && (style & WS_MINIMIZEBOX) && (style & WS_MAXIMIZEBOX));
    EXPECT_FALSE(GetWindowLongA(List(), GWL_STYLE) & LVS_SINGLESEL);
}

TEST_F(Picker, ChoosingAFolderListsItAndLeavesAddAlone)
{
    Open();
    TempFolder other;
    other.File("only.txt");
    // Wine's chooser now and then loses a selection made while it fills its
    // tree; a person would simply choose again.
    for (int attempt = 0; attempt < 3 && strCurFolder != other.Path(); ++attempt) {
        WhenWindowOpens choose("#32770", [&](HWND dialog) {
            SelectInChooser(dialog, other.Path());
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        SendMessageA(picker.cmdBr.hWnd(), BM_CLICK, 0, 0);
        ASSERT_TRUE(choose.Ran());
    }
    EXPECT_EQ(strCurFolder, other.Path());
    EXPECT_EQ(picker.txtPath.Text(), other.Path());
    EXPECT_EQ(ItemTexts(List()), (std::vector<std::string>{other.Path() + "\\only.txt"}));
    EXPECT_FALSE(AddEnabled());
    EXPECT_TRUE(IsWindowVisible(List()));
}

TEST_F(Picker, CancellingTheChooserChangesNothing)
{
    Open();
    ClickItem(List(), 1);
    ASSERT_TRUE(AddEnabled());
    WhenWindowOpens cancel("#32770", [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    SendMessageA(picker.cmdBr.hWnd(), BM_CLICK, 0, 0);
    ASSERT_TRUE(cancel.Ran());
    EXPECT_EQ(strCurFolder, folder.Path());
    EXPECT_EQ(picker.txtPath.Text(), folder.Path());
    EXPECT_EQ(ItemCount(List()), 5);
    EXPECT_TRUE(IsSelected(List(), 1));
    EXPECT_TRUE(AddEnabled());
}

TEST_F(Picker, TextTypedIntoThePathIsIgnored)
{
    Open();
    SetWindowTextA(picker.txtPath.hWnd(), "C:\\windows");
    Pump();
    EXPECT_EQ(strCurFolder, folder.Path());
    EXPECT_EQ(ItemCount(List()), 5);
}

TEST_F(Picker, ClickingAnEntryEnablesAddAndTheKeyboardCountsAsClicking)
{
    Open();
    ClickItem(List(), 2);
    EXPECT_TRUE(AddEnabled());
    ClickItem(List(), 2, MK_CONTROL);  // deselects it: still an item click
    EXPECT_EQ(SelectedCount(List()), 0);
    EXPECT_FALSE(AddEnabled());
    SetFocus(List());
    SendMessageA(List(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(SelectedCount(List()), 1);
    EXPECT_TRUE(AddEnabled());
}

TEST_F(Picker, TypingTheStartOfAnEntrySelectsItAndEnablesAdd)
{
    Open();
    SetFocus(List());
    const char first = folder.Path()[0];
    SendMessageA(List(), WM_CHAR, static_cast<WPARAM>(first == 'C' ? 'c' : first), 1);  // repeat count 1
    EXPECT_EQ(SelectedCount(List()), 1);
    EXPECT_TRUE(AddEnabled());
}

TEST_F(Picker, ThePickerSurvivesBeingClosedAndReopenedWhileItsFolderChoiceRuns)
{
    SendMessageA(SelectionButton("Select Files"), BM_CLICK, 0, 0);
    HWND window = PickerWindows().at(0);
    const LONG_PTR object = GetWindowLongPtrA(window, GWLP_USERDATA);
    TempFolder other;
    other.File("only.txt");
    // The chooser's OK, then a close of the picker and "Select Files", all
    // queued: the folder choice meets the last two in its DoEvents.
    WhenWindowOpens choose("#32770", [&](HWND dialog) {
        SelectInChooser(dialog, other.Path());
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        PostMessageA(window, WM_CLOSE, 0, 0);
        PostMessageA(SelectionButton("Select Files"), BM_CLICK, 0, 0);
    });
    SendMessageA(FindChild(window, "BUTTON", "..."), BM_CLICK, 0, 0);
    ASSERT_TRUE(choose.Ran());
    Pump();
    const auto pickers = PickerWindows();
    ASSERT_EQ(pickers.size(), 1u);
    EXPECT_EQ(GetWindowLongPtrA(pickers[0], GWLP_USERDATA), object);  // the same picker, loaded again
    EXPECT_EQ(ItemCount(FindChild(pickers[0], WC_LISTVIEWA, nullptr)), FilesIn(strCurFolder + "\\"));
}

TEST_F(Picker, NoMenuOffTheEntriesOrForOtherButtons)
{
    Open();
    const int shown = Menu::TimesShown();
    RECT client{};
    GetClientRect(List(), &client);
    PressButton(List(), WM_RBUTTONDOWN, WM_RBUTTONUP, {client.right / 2, client.bottom - 5});
    PressButton(List(), WM_LBUTTONDOWN, WM_LBUTTONUP, ItemCentre(List(), 0));
    PressButton(List(), WM_MBUTTONDOWN, WM_MBUTTONUP, ItemCentre(List(), 0));
    EXPECT_EQ(Menu::TimesShown(), shown);
}

TEST_F(Picker, MenuOnAnEntryGreysAddWhenNothingIsSelected)
{
    Open();
    RightClickMenu(3, -1);
    EXPECT_TRUE(menuOpened);
    EXPECT_TRUE(itemEnabled[0]);
    EXPECT_TRUE(itemEnabled[1]);
    EXPECT_FALSE(itemEnabled[2]);
    EXPECT_EQ(SelectedCount(List()), 0);  // the right-click that opened the menu selected nothing
    ClickItem(List(), 0);
    RightClickMenu(3, -1);
    EXPECT_TRUE(itemEnabled[2]);
}

TEST_F(Picker, SelectAllThenSelectNoneFromTheMenu)
{
    Open();
    RightClickMenu(0, 0);
    EXPECT_EQ(SelectedCount(List()), 5);
    EXPECT_TRUE(AddEnabled());
    RightClickMenu(0, 1);
    EXPECT_EQ(SelectedCount(List()), 0);
    EXPECT_FALSE(AddEnabled());
}

TEST_F(Picker, AddFromTheMenuDisablesAddButTheButtonLeavesItEnabled)
{
    Open();
    ClickItem(List(), 0);
    RightClickMenu(0, 2);
    EXPECT_EQ(SelectedCount(List()), 0);
    EXPECT_FALSE(AddEnabled());
    EXPECT_EQ(ItemTexts(SelectionList()), (std::vector<std::string>{Path("a.txt")}));
    ClickItem(List(), 1);
    SendMessageA(picker.cmdAdd.hWnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(SelectedCount(List()), 0);
    EXPECT_TRUE(AddEnabled());
    EXPECT_EQ(ItemCount(SelectionList()), 2);
}

TEST_F(Picker, TheMenuKeepsItsFirstItemsAndOffersTheNewCommandsBehindASeparator)
{
    Open();
    const char* expected[] = {"Select All", "Select None", "Add", "", "Select Matching...\tCtrl+M",
                              "Deselect Matching...\tNum -", "Invert Selection\tNum *", "Include Subfolders\tCtrl+B"};
    HMENU menu = picker.LVPop.Handle();
    ASSERT_EQ(GetMenuItemCount(menu), 8);
    for (UINT i = 0; i < 8; ++i) {
        char text[64] = {};
        GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
        EXPECT_STREQ(text, expected[i]);
        EXPECT_EQ((GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR) != 0, i == 3) << i;
    }
}

TEST_F(Picker, SelectMatchingAddsToTheSelectionLetterCaseAside)
{
    folder.File("b.dat");
    folder.File("\xc3\x89" "cu.dat");  // capital E with acute
    Open();
    SetItemState(List(), 0, LVIS_SELECTED, LVIS_SELECTED);  // a.txt, with no click: "Add" stays disabled
    ASSERT_TRUE(AnswerPatterns("B*.TXT; \xc3\xa9*", [&] { PressKey(List(), 'M', true); }));  // small e with acute
    EXPECT_EQ(SelectedNames(), (std::vector<std::string>{"a.txt", "b.txt", "\xc3\x89" "cu.dat"}));
    EXPECT_TRUE(AddEnabled());
    SendMessageA(picker.cmdAdd.hWnd(), BM_CLICK, 0, 0);  // takes the selection as the list holds it
    EXPECT_EQ(ItemTexts(SelectionList()), (std::vector<std::string>{Path("a.txt"), Path("b.txt"), Path("\xc3\x89" "cu.dat")}));
}

TEST_F(Picker, DeselectMatchingLeavesTheOthersSelected)
{
    Open();
    PressKey(List(), 'A', true);
    ASSERT_TRUE(AnswerPatterns("b*;D.TXT", [&] { PressKey(List(), VK_SUBTRACT, false); }));
    EXPECT_EQ(SelectedNames(), (std::vector<std::string>{"a.txt", "c.txt", "e.txt"}));
}

TEST_F(Picker, InvertSelectionFromTheMenuEnablesAdd)
{
    Open();
    SetItemState(List(), 0, LVIS_SELECTED, LVIS_SELECTED);
    RightClickMenu(0, 6);
    EXPECT_EQ(SelectedNames(), (std::vector<std::string>{"b.txt", "c.txt", "d.txt", "e.txt"}));
    EXPECT_TRUE(AddEnabled());
}

TEST_F(Picker, NumberPadKeysAndCtrlMRunTheNewCommands)
{
    Open();
    const struct {
        WPARAM key;
        bool control;
        const char* dialog;  // the caption of the dialog the key opens, or ""
        int selectedAfter;   // of one selected entry, the dialog cancelled
    } cases[] = {{VK_ADD, false, "Select Matching", 1}, {'M', true, "Select Matching", 1},
                 {VK_SUBTRACT, false, "Deselect Matching", 1}, {VK_MULTIPLY, false, "", 4},
                 {VK_ADD, true, "", 1}, {'M', false, "", 1}};
    for (const auto& c : cases) {
        SetItemState(List(), -1, 0, LVIS_SELECTED);
        SetItemState(List(), 0, LVIS_SELECTED, LVIS_SELECTED);
        const bool opened = AnswerPatterns(nullptr, [&] { PressKey(List(), c.key, c.control); });
        EXPECT_EQ(opened ? shown.at(0) : "", c.dialog) << c.key;
        EXPECT_EQ(SelectedCount(List()), c.selectedAfter) << c.key;
    }
}

TEST_F(Picker, CtrlBTogglesIncludeSubfoldersItsCheckAndTheListing)
{
    folder.Folder("sub");
    folder.File("sub\\f.txt");
    Open();
    const auto checked = [&] { return (GetMenuState(picker.LVPop.Handle(), 7, MF_BYPOSITION) & MF_CHECKED) != 0; };
    EXPECT_FALSE(checked());
    PressKey(List(), 'B', true);
    EXPECT_TRUE(checked());
    EXPECT_EQ(ItemCount(List()), 6);
    PressKey(List(), 'B', true);
    EXPECT_FALSE(checked());
    EXPECT_EQ(ItemCount(List()), 5);
}

TEST_F(Picker, EscStopsAListingPartWayKeepingItsEntriesUntilTheNextListing)
{
    folder.Folder("sub");
    folder.File("sub\\f.txt");
    picker.pace = {0, 0};  // lets messages through, and shows the count, at every chance
    Open();
    PostMessageA(picker.hWnd(), WM_KEYDOWN, VK_ESCAPE, 0);  // seen before the folder below is read
    PressKey(List(), 'B', true);
    EXPECT_EQ(ItemCount(List()), 5);
    EXPECT_EQ(WindowText(picker.hWnd()), "Select Files - stopped at 5 files");
    EXPECT_TRUE(IsWindowEnabled(picker.cmdBr.hWnd()));
    PressKey(List(), 'B', true);
    EXPECT_EQ(WindowText(picker.hWnd()), "Select Files");
}

TEST_F(Picker, ClosingThePickerWhileItListsStopsTheListing)
{
    folder.Folder("sub");
    folder.File("sub\\f.txt");
    picker.pace = {0, 0};
    Open();
    PostMessageA(picker.hWnd(), WM_CLOSE, 0, 0);
    PressKey(List(), 'B', true);
    EXPECT_FALSE(picker.Loaded());
}

TEST_F(Picker, ThePatternsDialogOffersThePatternsUsedNewestFirst)
{
    strRecentPatterns.clear();  // those of earlier tests in the process
    Open();
    for (const char* patterns : {"*.a", "*.b", "*.a", " ; "})
        ASSERT_TRUE(AnswerPatterns(patterns, [&] { PressKey(List(), 'M', true); }));
    ASSERT_TRUE(AnswerPatterns(nullptr, [&] { PressKey(List(), VK_SUBTRACT, false); }));
    EXPECT_EQ(shown, (std::vector<std::string>{"Deselect Matching", "*.a", "*.b"}));
}

TEST_F(Picker, TwoHeaderClicksRestoreTheOrder)
{
    Open();
    const auto ascending = ItemTexts(List());
    HWND header = reinterpret_cast<HWND>(SendMessageA(List(), LVM_GETHEADER, 0, 0));
    const auto clickHeader = [&] {
        SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
        SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
    };
    clickHeader();
    EXPECT_EQ(ItemTexts(List()), std::vector<std::string>(ascending.rbegin(), ascending.rend()));
    clickHeader();
    EXPECT_EQ(ItemTexts(List()), ascending);
}

TEST_F(Picker, WideningMovesOnlyTheList)
{
    Open();
    const RECT path = ChildRect(picker.txtPath.hWnd()), browse = ChildRect(picker.cmdBr.hWnd()),
               add = ChildRect(picker.cmdAdd.hWnd());
    RECT window{};
    GetWindowRect(picker.hWnd(), &window);
    SetWindowPos(picker.hWnd(), nullptr, 0, 0, window.right - window.left + 200, window.bottom - window.top + 50,
                 SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    RECT client{};
    GetClientRect(picker.hWnd(), &client);
    const RECT list = ChildRect(List());
    EXPECT_EQ(list.left, 0);
    EXPECT_EQ(list.top, 19);  // 285 twips
    EXPECT_EQ(list.right, client.right);
    EXPECT_EQ(list.bottom, client.bottom);
    EXPECT_EQ(SendMessageA(List(), LVM_GETCOLUMNWIDTH, 0, 0), client.right - 19);
    EXPECT_TRUE(EqualRect(&path, &static_cast<const RECT&>(ChildRect(picker.txtPath.hWnd()))));
    const RECT browseAfter = ChildRect(picker.cmdBr.hWnd()), addAfter = ChildRect(picker.cmdAdd.hWnd());
    EXPECT_TRUE(EqualRect(&browse, &browseAfter));
    EXPECT_TRUE(EqualRect(&add, &addAfter));
}

TEST_F(Picker, MinimisingKeepsTheLayoutValid)
{
    Open();
    picker.WindowState(Form::vbMinimized);
    Pump();
    const RECT list = ChildRect(List());
    EXPECT_GE(list.bottom - list.top, 0);
    picker.WindowState(Form::vbNormal);
    Pump();
    RECT client{};
    GetClientRect(picker.hWnd(), &client);
    EXPECT_EQ(ChildRect(List()).bottom, client.bottom);
}

// The selection window's own picker, letting messages through at every chance
// of a listing of the fixture's folder and the one folder below it.
class PickerListing : public PickerFixture {
protected:
    void SetUp() override
    {
        PickerFixture::SetUp();
        folder.Folder("sub");
        folder.File("sub\\f.txt");
        blnSubfolders = true;
        own.pace = {0, 0};
    }
    void ExpectTheProgramEnded()
    {
        EXPECT_FALSE(frmSel::Default().Loaded());
        EXPECT_FALSE(own.Loaded());
        MSG quit;
        EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        Pump();  // nothing queued brings a window back either
        EXPECT_TRUE(FormsOfThisThread(nullptr).empty());
    }

    frmAdd& own = frmSel::Default().Picker();
};

TEST_F(PickerListing, AFolderDroppedWhileThePickerListsIsListedAloneAfterThatListingStops)
{
    TempFolder other;
    other.File("dropped.txt");
    PostMessageA(frmSel::Default().hWnd(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(FileListBlock({other.Path()}).release()), 0);  // as the shell drops
    SendMessageA(SelectionButton("Select Files"), BM_CLICK, 0, 0);
    Pump();
    ASSERT_TRUE(own.Loaded());
    EXPECT_EQ(ItemTexts(own.LV.hWnd()), (std::vector<std::string>{other.Path() + "\\dropped.txt"}));
    EXPECT_EQ(own.txtPath.Text(), other.Path());
    EXPECT_EQ(WindowText(own.hWnd()), "Select Files");
    EXPECT_TRUE(IsWindowVisible(own.LV.hWnd()));
    EXPECT_TRUE(IsWindowEnabled(own.cmdBr.hWnd()));
}

TEST_F(PickerListing, ThePickerClosedAndOpenedAgainWhileItListsShowsItsFolderOnce)
{
    blnSubfolders = false;
    SendMessageA(SelectionButton("Select Files"), BM_CLICK, 0, 0);
    PostMessageA(PickerWindows().at(0), WM_CLOSE, 0, 0);
    PostMessageA(SelectionButton("Select Files"), BM_CLICK, 0, 0);
    PressKey(own.LV.hWnd(), 'B', true);  // the listing with the folder below meets both
    Pump();
    ASSERT_EQ(PickerWindows().size(), 1u);
    EXPECT_EQ(ItemTexts(own.LV.hWnd()), (std::vector<std::string>{Path("a.txt"), Path("b.txt"), Path("c.txt"),
                                                                 Path("d.txt"), Path("e.txt"), Path("sub\\f.txt")}));
    EXPECT_TRUE(IsWindowEnabled(own.cmdBr.hWnd()));
}

TEST_F(PickerListing, ClosingTheSelectionWindowWhileThePickerListsEndsTheProgram)
{
    const auto close = [] { PostMessageA(frmSel::Default().hWnd(), WM_CLOSE, 0, 0); };
    const auto selectFiles = [] { SendMessageA(SelectionButton("Select Files"), BM_CLICK, 0, 0); };
    const struct {
        const char* when;
        std::function<void()> closeWhileListing;
    } cases[] = {
        {"its first listing", [&] {
             close();
             selectFiles();
         }},
        {"a listing with the folders below", [&] {
             blnSubfolders = false;
             selectFiles();
             close();
             blnSubfolders = true;
             own.ListFolder(folder.Path());
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.when);
        frmSel::Default().Load();  // again after the case before closed it
        frmSel::Default().Show();
        blnSubfolders = true;
        c.closeWhileListing();
        ExpectTheProgramEnded();
    }
}
