// The collected list going somewhere and coming in: copy, drag data, remove,
// save and open, files dropped in, and the keyboard.
#include "PickerFixture.h"
#include "app/ListOutput.h"
#include "app/mdlMain.h"
#include "common/FileText.h"
#include "common/FolderFiles.h"
#include "services/DragOut.h"
#include "services/ListBulk.h"
#include "services/ListFile.h"
#include "services/ListText.h"
#include "services/PathData.h"
#include "platform/Runtime.h"

#include <oleacc.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <thread>
#include <tuple>

namespace {

std::vector<std::wstring> DroppedNames(HGLOBAL block)
{
    std::vector<std::wstring> names;
    auto drop = static_cast<HDROP>(block);
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        wchar_t name[MAX_PATH * 2] = {};
        DragQueryFileW(drop, i, name, MAX_PATH * 2);
        names.emplace_back(name);
    }
    return names;
}

// The bytes of a block a data object or the clipboard gave.
std::string BlockBytes(HGLOBAL block)
{
    const auto* bytes = static_cast<const char*>(GlobalLock(block));
    std::string copy(bytes ? bytes : "", bytes ? GlobalSize(block) : 0);
    GlobalUnlock(block);
    return copy;
}

std::wstring Wide(const std::string& text)
{
    wchar_t wide[2048] = {};
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, 2048);
    return wide;
}

// Answers the dialogs of this thread as they open, one step per new dialog.
class DialogScript {
public:
    explicit DialogScript(std::vector<std::function<void(HWND)>> steps)
    {
        script = this;
        steps_ = std::move(steps);
        timer_ = SetTimer(nullptr, 0, 50, Tick);
    }
    ~DialogScript()
    {
        KillTimer(nullptr, timer_);
        script = nullptr;
    }
    std::size_t Done() const { return next_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        if (!script || script->next_ >= script->steps_.size()) return;
        for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", nullptr));) {
            if (GetWindowThreadProcessId(w, nullptr) != GetCurrentThreadId() || !IsWindowVisible(w)) continue;
            if (script->seen_.count(w)) continue;
            script->seen_.insert(w);
            script->steps_[script->next_++](w);
            return;
        }
    }
    static inline DialogScript* script = nullptr;
    std::vector<std::function<void(HWND)>> steps_;
    std::set<HWND> seen_;
    std::size_t next_ = 0;
    UINT_PTR timer_ = 0;
};

// Types a file name into a common file dialog and presses its OK button.
std::function<void(HWND)> NameFile(const std::string& path)
{
    return [path](HWND dialog) {
        for (int id : {0x47c, 0x480}) SetDlgItemTextA(dialog, id, path.c_str());  // the name box of either layout
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    };
}

std::function<void(HWND)> Press(int button, std::string* text = nullptr)
{
    return [button, text](HWND dialog) {
        if (text) {
            char shown[1024] = {};
            GetDlgItemTextA(dialog, 0xFFFF, shown, sizeof(shown));  // a message box's text
            *text = shown;
        }
        PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(button), 0);
    };
}

class ListOut : public PickerFixture {
protected:
    void SetUp() override
    {
        PickerFixture::SetUp();
        frmSel::Default().Show();
    }
    ListView& Selection() { return frmSel::Default().LV; }
    void Fill(const std::vector<std::string>& paths)
    {
        for (const auto& path : paths) Selection().ListItems.Add(path, "");
        Pump();
    }
    // A point of the screen a quarter of a row above or below an entry's middle.
    POINT OverRow(int position, bool lowerHalf)
    {
        POINT at = ItemCentre(SelectionList(), position);
        at.y += (ItemCentre(SelectionList(), 1).y - ItemCentre(SelectionList(), 0).y) / (lowerHalf ? 4 : -4);
        ClientToScreen(SelectionList(), &at);
        return at;
    }
    // Where the selection list's insertion mark stands: the position it goes before, or -1.
    int Mark()
    {
        LVINSERTMARK mark{sizeof(LVINSERTMARK), 0, -2, 0};
        SendMessageA(SelectionList(), LVM_GETINSERTMARK, 0, reinterpret_cast<LPARAM>(&mark));
        return mark.iItem < 0 ? mark.iItem : mark.iItem + ((mark.dwFlags & LVIM_AFTER) ? 1 : 0);
    }
};

}  // namespace

TEST_F(ListOut, CopyPutsTheSelectedPathsOnTheClipboardThreeWays)
{
    const std::string cyrillic = "C:\\\xd0\xb6\xd1\x83\xd0\xba.txt";
    Fill({"C:\\a.txt", "C:\\b.txt", cyrillic});
    SetItemState(SelectionList(), 0, LVIS_SELECTED, LVIS_SELECTED);
    SetItemState(SelectionList(), 2, LVIS_SELECTED, LVIS_SELECTED);
    PressKey(SelectionList(), 'C', true);
    ASSERT_TRUE(OpenClipboard(nullptr));
    const auto* text = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::wstring(text), L"C:\\a.txt\r\n" + Wide(cyrillic) + L"\r\n");
    GlobalUnlock(GetClipboardData(CF_UNICODETEXT));
    EXPECT_EQ(DroppedNames(GetClipboardData(CF_HDROP)), (std::vector<std::wstring>{L"C:\\a.txt", Wide(cyrillic)}));
    const auto* effect = static_cast<const DWORD*>(GlobalLock(GetClipboardData(PreferredDropEffectFormat())));
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(*effect, static_cast<DWORD>(DROPEFFECT_COPY));
    GlobalUnlock(GetClipboardData(PreferredDropEffectFormat()));
    CloseClipboard();

    Open();  // the picker copies its selection the same way
    SetItemState(List(), 1, LVIS_SELECTED, LVIS_SELECTED);
    PressKey(List(), 'C', true);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(DroppedNames(GetClipboardData(CF_HDROP)), (std::vector<std::wstring>{Wide(Path("b.txt"))}));
    CloseClipboard();
}

TEST_F(ListOut, TheDragOffersTheSameDataForCopyOrLinkOnly)
{
    Fill({"C:\\a.txt", "C:\\b.txt"});
    PressKey(SelectionList(), 'A', true);
    PressKey(SelectionList(), 'C', true);  // the copy's three shapes, as the test above reads them
    IDataObject* data = NewPathDataObject({"C:\\a.txt", "C:\\b.txt"});
    IEnumFORMATETC* formats = nullptr;
    ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, &formats), S_OK);
    ASSERT_TRUE(OpenClipboard(nullptr));
    FORMATETC format{};
    std::set<CLIPFORMAT> offered;
    while (formats->Next(1, &format, nullptr) == S_OK) {
        offered.insert(format.cfFormat);
        STGMEDIUM medium{};
        EXPECT_EQ(data->GetData(&format, &medium), S_OK) << format.cfFormat;
        EXPECT_EQ(BlockBytes(medium.hGlobal), BlockBytes(GetClipboardData(format.cfFormat))) << format.cfFormat;
        ReleaseStgMedium(&medium);
    }
    CloseClipboard();
    formats->Release();
    EXPECT_EQ(offered, (std::set<CLIPFORMAT>{CF_HDROP, CF_UNICODETEXT, static_cast<CLIPFORMAT>(PreferredDropEffectFormat())}));
    for (UINT id : {static_cast<UINT>(CF_UNICODETEXT), PreferredDropEffectFormat()}) {
        format.cfFormat = static_cast<CLIPFORMAT>(id);
        EXPECT_EQ(data->QueryGetData(&format), S_OK) << id;
    }
    format.cfFormat = CF_TEXT;
    EXPECT_NE(data->QueryGetData(&format), S_OK);
    // Null pointers are answered, not followed.
    STGMEDIUM medium{};
    EXPECT_EQ(data->GetData(nullptr, &medium), E_POINTER);
    EXPECT_EQ(data->GetData(&format, nullptr), E_POINTER);
    EXPECT_EQ(data->QueryGetData(nullptr), E_POINTER);
    EXPECT_EQ(data->EnumFormatEtc(DATADIR_GET, nullptr), E_POINTER);
    EXPECT_EQ(data->GetCanonicalFormatEtc(&format, nullptr), E_POINTER);
    EXPECT_EQ(data->QueryInterface(IID_IDataObject, nullptr), E_POINTER);
    data->Release();
    EXPECT_EQ(kDragEffects & DROPEFFECT_MOVE, 0u);
    EXPECT_EQ(kDragEffects, static_cast<DWORD>(DROPEFFECT_COPY | DROPEFFECT_LINK));
}

TEST_F(ListOut, ADragMarksWhereEntriesGoInTheListMovesThemThereAndNeverDropsOnItsWindow)
{
    Fill({"C:\\a.txt", "C:\\b.txt", "C:\\c.txt"});
    IDropSource* source = NewPathDropSource(Selection());
    RECT own{};
    GetWindowRect(FindChild(frmSel::Default().hWnd(), "Button", "Clear List"), &own);
    const POINT button{(own.left + own.right) / 2, (own.top + own.bottom) / 2};
    GetWindowRect(frmSel::Default().hWnd(), &own);
    const POINT outside{own.left > 100 ? own.left - 50 : own.right + 50, own.top + 10};
    // Each from a mark before the first entry: the answer, and where the mark is then.
    const std::tuple<BOOL, DWORD, POINT, HRESULT, int> cases[] = {
        {FALSE, MK_LBUTTON, OverRow(1, false), S_OK, 1},
        {FALSE, MK_LBUTTON, OverRow(1, true), S_OK, 2},
        {FALSE, MK_LBUTTON, OverRow(2, true), S_OK, 3},
        {FALSE, MK_LBUTTON, outside, S_OK, -1},
        {TRUE, MK_LBUTTON, OverRow(1, false), DRAGDROP_S_CANCEL, -1},
        {FALSE, MK_LBUTTON | MK_RBUTTON, OverRow(1, false), DRAGDROP_S_CANCEL, -1},
        {FALSE, 0, outside, DRAGDROP_S_DROP, -1},
        {FALSE, 0, button, DRAGDROP_S_CANCEL, -1},
        {FALSE, 0, OverRow(1, false), DRAGDROP_S_CANCEL, -1},  // a move inside drops nothing
    };
    for (const auto& [escape, keys, at, answer, mark] : cases) {
        ASSERT_TRUE(SetCursorPos(OverRow(0, false).x, OverRow(0, false).y));
        ASSERT_EQ(source->QueryContinueDrag(FALSE, MK_LBUTTON), S_OK);
        ASSERT_TRUE(SetCursorPos(at.x, at.y));
        EXPECT_EQ(source->QueryContinueDrag(escape, keys), answer) << keys << " at " << at.x << "," << at.y;
        EXPECT_EQ(Mark(), mark) << keys << " at " << at.x << "," << at.y;
    }
    // A real drag let go over the list at once: its first turn finds no button held.
    SetItemState(SelectionList(), 0, LVIS_SELECTED, LVIS_SELECTED);
    ASSERT_TRUE(SetCursorPos(OverRow(1, true).x, OverRow(1, true).y));
    NMHDR begin{SelectionList(), 0, LVN_BEGINDRAG};
    SendMessageA(frmSel::Default().hWnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&begin));
    EXPECT_EQ(ItemTexts(SelectionList()), (std::vector<std::string>{"C:\\b.txt", "C:\\a.txt", "C:\\c.txt"}));
    EXPECT_EQ(Selection().UndoName(), "Move");
    EXPECT_EQ(Mark(), -1);
    // The drag loop lets a close through: the list gone, its paths can only drop out.
    ASSERT_EQ(source->QueryContinueDrag(FALSE, MK_LBUTTON), S_OK);
    frmSel::Default().Unload();
    EXPECT_EQ(source->QueryContinueDrag(FALSE, 0), DRAGDROP_S_DROP);
    EXPECT_FALSE(frmSel::Default().Loaded());
    source->Release();
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST_F(ListOut, ScreenReadersNameEachListByWhatItHolds)
{
    // Wine's names no entry of a list: what the program gives, the whole text, is tested with the drawing.
    Open();
    for (const auto& [list, name] : {std::pair{SelectionList(), L"Chosen files"}, {List(), L"Files in the folder"}}) {
        IAccessible* accessible = nullptr;
        const auto out = reinterpret_cast<void**>(&accessible);
        ASSERT_EQ(AccessibleObjectFromWindow(list, OBJID_CLIENT, __uuidof(IAccessible), out), S_OK);
        VARIANT self{};
        self.vt = VT_I4;  // CHILDID_SELF, 0: the list itself
        BSTR read = nullptr;
        EXPECT_EQ(accessible->get_accName(self, &read), S_OK);
        EXPECT_EQ(std::wstring(read ? read : L""), name);
        SysFreeString(read);
        accessible->Release();
    }
}

TEST_F(ListOut, ACopyWaitsForAClipboardAnotherProgramHoldsForAMoment)
{
    // The clipboard is locked to the thread that opened it: to this window a
    // thread with a window of its own is another program, as clipboard history is.
    Fill({"C:\\a.txt"});
    SetItemState(SelectionList(), 0, LVIS_SELECTED, LVIS_SELECTED);
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([opened] {
        HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        OpenClipboard(window);
        SetEvent(opened);
        Sleep(200);
        CloseClipboard();
        DestroyWindow(window);
    });
    WaitForSingleObject(opened, INFINITE);
    ASSERT_FALSE(OpenClipboard(nullptr));  // held, as it is for the copy
    std::string message;
    DialogScript answer({Press(IDOK, &message)});
    PressKey(SelectionList(), 'C', true);
    holder.join();
    CloseHandle(opened);
    EXPECT_EQ(message, "");
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(DroppedNames(GetClipboardData(CF_HDROP)), (std::vector<std::wstring>{L"C:\\a.txt"}));
    CloseClipboard();
}

TEST_F(ListOut, DeleteRemovesTheSelectedEntriesAndSelectsTheOneAfter)
{
    Fill({"C:\\a.txt", "C:\\b.txt", "C:\\c.txt", "C:\\d.txt", "C:\\e.txt"});
    SetItemState(SelectionList(), 1, LVIS_SELECTED, LVIS_SELECTED);
    SetItemState(SelectionList(), 2, LVIS_SELECTED, LVIS_SELECTED);
    PressKey(SelectionList(), VK_DELETE, false);
    EXPECT_EQ(ItemTexts(SelectionList()), (std::vector<std::string>{"C:\\a.txt", "C:\\d.txt", "C:\\e.txt"}));
    EXPECT_EQ(SelectedCount(SelectionList()), 1);
    EXPECT_TRUE(IsSelected(SelectionList(), 1));
    EXPECT_EQ(FocusedItem(SelectionList()), 1);
    EXPECT_TRUE(Selection().FindItem("C:\\e.txt"));
    EXPECT_FALSE(Selection().FindItem("C:\\b.txt"));
}

TEST_F(ListOut, SaveWritesTheListByteForByteAndAsksBeforeReplacing)
{
    Fill({Path("a.txt"), "C:\\\xe6\x97\xa5.txt"});
    const std::string target = folder.Path() + "\\list.txt";
    WriteBytes(target, "old list\r\n");
    DialogScript answers({NameFile(target), Press(IDYES)});
    PressKey(SelectionList(), 'S', true);
    EXPECT_EQ(answers.Done(), 2u);  // the name, then "replace it?"
    EXPECT_EQ(FileBytes(target), Path("a.txt") + "\r\nC:\\\xe6\x97\xa5.txt\r\n");
}

TEST_F(ListOut, AFailingWriteLeavesTheOldListWholeAndSaysWhy)
{
    const std::string target = folder.Path() + "\\kept.txt";
    WriteBytes(target, "kept\r\n");
    const int files = FilesIn(folder.Path() + "\\");
    // Another program holds it open, sharing nothing: it cannot be replaced.
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_NE(SaveList(target, {"C:\\new.txt"}).failure, "");
    CloseHandle(held);
    EXPECT_EQ(FileBytes(target), "kept\r\n");
    EXPECT_EQ(FilesIn(folder.Path() + "\\"), files);  // no temporary file left, the program's or the system's
}

TEST_F(ListOut, SavingOverAListKeepsItsHiddenMark)
{
    const std::string target = folder.File("hidden list.txt", FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(SaveList(target, {"C:\\new.txt"}).failure, "");
    EXPECT_EQ(FileBytes(target), "C:\\new.txt\r\n");
    EXPECT_TRUE(GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(ListOut, AFolderPastThePathLimitGoesEverywhereAnEntryGoes)
{
    const std::string outer(150, 'd');
    folder.Folder(outer);
    const std::string deep = folder.Folder(outer + "\\" + std::string(300 - folder.Path().size() - 152, 'e'));
    ASSERT_EQ(deep.size(), 300u);
    std::string longest;  // the longest name Linux holds: 85 CJK characters, 255 bytes
    for (int i = 0; i < 85; ++i) longest += "\xe6\x97\xa5";
    const std::vector<std::string> files{deep + "\\a.txt", deep + "\\" + longest};
    for (const auto& file : files) folder.File(file.substr(folder.Path().size() + 1));
    strCurFolder = deep;
    Open();
    EXPECT_EQ(ItemTexts(List()), files);
    const int image = frmSel::Default().ImageList1.IndexOf(picker.LV.ListItems.Item(1).SmallIcon());
    ASSERT_GE(image, 0);
    const auto pixels = ImagePixels(frmSel::Default().ImageList1.HandleAsIs(), image);
    EXPECT_NE(std::count(pixels.begin(), pixels.end(), RGB(255, 255, 255)), static_cast<long>(pixels.size()));
    SetAllSelected(picker.LV, true);
    SendMessageA(picker.cmdAdd.hWnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(ItemTexts(SelectionList()), files);

    PressKey(SelectionList(), 'A', true);
    PressKey(SelectionList(), 'C', true);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(DroppedNames(GetClipboardData(CF_HDROP)), (std::vector<std::wstring>{Wide(files[0]), Wide(files[1])}));
    CloseClipboard();

    const std::string list = folder.Path() + "\\long.txt";
    DialogScript save({NameFile(list)});
    PressKey(SelectionList(), 'S', true);
    EXPECT_EQ(FileBytes(list), ListText(files));
    ClearLV(Selection());
    std::string message;
    DialogScript open({NameFile(list), Press(IDOK, &message)});
    PressKey(SelectionList(), 'O', true);
    EXPECT_EQ(ItemTexts(SelectionList()), files);
    EXPECT_EQ(message, "");
}

TEST_F(ListOut, OpenAddsTheNamedFilesByTheDupesRuleAndCountsTheRest)
{
    Fill({Path("a.txt")});
    const std::string list = folder.Path() + "\\in.txt";
    WriteBytes(list, Path("a.txt") + "\r\n\r\n" + Path("b.txt") + "\r\nC:\\no such file.txt\r\n.\\c.txt\n");  // the last relative to the list
    std::string message;
    DialogScript answers({NameFile(list), Press(IDOK, &message)});
    PressKey(SelectionList(), 'O', true);
    EXPECT_EQ(ItemTexts(SelectionList()), (std::vector<std::string>{Path("a.txt"), Path("b.txt"), Path("c.txt")}));
    EXPECT_NE(message.find("1 line"), std::string::npos) << message;
    EXPECT_EQ(Selection().ListItems.Item(2).SmallIcon(), Selection().ListItems.Item(3).SmallIcon());

    const std::string binary = folder.Path() + "\\program.bin";
    WriteBytes(binary, std::string("MZ\x90\0\x03\0", 6));
    DialogScript refuse({NameFile(binary), Press(IDOK, &message)});
    PressKey(SelectionList(), 'O', true);
    EXPECT_NE(message.find("not a text file"), std::string::npos) << message;
    EXPECT_EQ(ItemCount(SelectionList()), 3);
}

TEST_F(ListOut, FilesDroppedInJoinTheListAndAFolderOpensInThePicker)
{
    TempFolder other;
    other.File("dropped.txt");
    const std::vector<std::string> paths{Path("a.txt"), folder.Path(), Path("gone.txt"), Path("b.txt"), other.Path()};
    std::wstring names;
    for (const auto& path : paths) names.append(Wide(path)).push_back(L'\0');
    names.push_back(L'\0');
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(GlobalLock(block));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(block);
    std::string message;
    DialogScript answer({Press(IDOK, &message)});
    PostMessageA(frmSel::Default().hWnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);  // as the shell drops
    Pump();
    EXPECT_EQ(ItemTexts(SelectionList()), (std::vector<std::string>{Path("a.txt"), Path("b.txt")}));
    EXPECT_EQ(strCurFolder, other.Path());  // the last folder
    EXPECT_EQ(message, "1 dropped item named no existing file and was skipped.");
    HWND picker = FindWindowA("QuorvelForm", "Select Files");
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(ItemTexts(FindChild(picker, WC_LISTVIEWA, nullptr)),
              (std::vector<std::string>{other.Path() + "\\dropped.txt"}));
}

TEST_F(ListOut, PasteTakesTheClipboardsFilesOrTextLinesAsDroppedFilesAreTaken)
{
    TempFolder other;
    other.File("pasted.txt");
    const std::string a = Path("a.txt"), b = Path("b.txt");
    const std::string text = "\"" + a + "\"\r\n\r\n  " + folder.Path() + "\t\r\n" + Path("gone.txt") + "\r\n \r\n\"" +
                             b + "\"\n" + other.Path();
    struct { const char* shape; UINT format; GlobalMemory block; bool byMenu; } shapes[] = {
        {"file list", CF_HDROP, FileListBlock({a, folder.Path(), Path("gone.txt"), b, other.Path()}), false},
        {"text", CF_UNICODETEXT, GlobalMemory(GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t))), true},
    };
    const std::wstring wide = Wide(text);
    memcpy(GlobalLock(shapes[1].block.get()), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(shapes[1].block.get());
    for (auto& shape : shapes) {
        ClearLV(Selection());
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        SetClipboardData(shape.format, shape.block.release());
        SetClipboardData(PreferredDropEffectFormat(), DropEffectBlock(DROPEFFECT_MOVE).release());  // Explorer's Cut
        CloseClipboard();
        std::string message;
        DialogScript answer({Press(IDOK, &message)});
        if (shape.byMenu) {
            WhenWindowOpens open("#32768", [](HWND menuWindow) {
                for (WPARAM key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN})  // "Paste"
                    PostMessageA(menuWindow, WM_KEYDOWN, key, 0);
            });
            PressButton(SelectionList(), WM_RBUTTONDOWN, WM_RBUTTONUP, {10, 10});
            Pump();
        } else {
            PressKey(SelectionList(), 'V', true);
        }
        EXPECT_EQ(ItemTexts(SelectionList()), (std::vector<std::string>{a, b})) << shape.shape;
        EXPECT_EQ(strCurFolder, other.Path()) << shape.shape;  // the last folder
        EXPECT_EQ(message, "1 pasted item named no existing file and was skipped.") << shape.shape;
        HWND picker = FindWindowA("QuorvelForm", "Select Files");
        ASSERT_NE(picker, nullptr) << shape.shape;
        EXPECT_EQ(ItemTexts(FindChild(picker, WC_LISTVIEWA, nullptr)),
                  (std::vector<std::string>{other.Path() + "\\pasted.txt"})) << shape.shape;
    }
    EXPECT_EQ(GetFileAttributesA(a.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);  // a Cut moves nothing
}

TEST_F(ListOut, CommandLinePathsJoinInOrderAFolderOpensBesideAndTheListGoesOutAtClose)
{
    TempFolder other;
    other.File("listed.txt");
    const std::string output = folder.Path() + "\\out.txt";
    std::string message;
    DialogScript answer({Press(IDOK, &message)});
    ASSERT_TRUE(Main("-o \"" + output + "\" \"" + Path("c.txt") + "\" \"" + folder.Path() + "\" \"" + Path("gone.txt") +
                     "\" -st \"" + other.Path() + "\" \"" + Path("a.txt") + "\""));
    Pump();
    EXPECT_EQ(ItemTexts(SelectionList()), (std::vector<std::string>{Path("c.txt"), Path("a.txt")}));
    EXPECT_EQ(message, "1 word of the command line named no existing file and was skipped.");
    HWND main = frmSel::Default().hWnd();
    EXPECT_TRUE(IsIconic(main));
    HWND selectFiles = FindWindowA("QuorvelForm", "Select Files");
    ASSERT_NE(selectFiles, nullptr);
    EXPECT_EQ(ItemTexts(FindChild(selectFiles, WC_LISTVIEWA, nullptr)),
              (std::vector<std::string>{other.Path() + "\\listed.txt"}));  // the last folder
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(main, &placement);
    RECT beside{};
    GetWindowRect(selectFiles, &beside);
    EXPECT_NEAR(beside.left, placement.rcNormalPosition.right, 1);
    EXPECT_EQ(beside.top, placement.rcNormalPosition.top);
    SendMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(FileBytes(output), Path("c.txt") + "\r\n" + Path("a.txt") + "\r\n");
}

TEST_F(ListOut, CtrlASelectsEveryEntryInEitherList)
{
    Fill({"C:\\a.txt", "C:\\b.txt"});
    PressKey(SelectionList(), 'A', true);
    EXPECT_EQ(SelectedCount(SelectionList()), 2);
    Open();
    PressKey(List(), 'A', true);
    EXPECT_EQ(SelectedCount(List()), 5);
    EXPECT_TRUE(IsWindowEnabled(picker.cmdAdd.hWnd()));
}

TEST_F(ListOut, AnOutputFileThatCannotBeWrittenIsRefusedAtStartAndNothingIsTouched)
{
    const std::string readOnly = folder.File("read-only.txt", FILE_ATTRIBUTE_READONLY);
    const std::string existing = folder.File("existing.txt");
    const struct { std::string file; bool accepted; } cases[] = {
        {folder.Path() + "\\no such folder\\out.txt", false},
        {folder.Folder("sub"), false},
        {readOnly, false},
        {existing, true},
        {folder.Path() + "\\new.txt", true},
    };
    const int files = FilesIn(folder.Path() + "\\");
    for (const auto& c : cases) {
        requestedOutput = ListOutput();
        App.ExitCode(0);
        const std::string refusal = requestedOutput.Request(c.file);
        EXPECT_EQ(refusal.empty(), c.accepted) << c.file << ": " << refusal;
        if (!c.accepted) {
            EXPECT_NE(refusal.find("cannot be written to " + c.file), std::string::npos) << refusal;
        }
        EXPECT_EQ(App.ExitCode(), c.accepted ? 2 : 0) << c.file;  // a failure until the list is written
    }
    EXPECT_EQ(FileBytes(existing), "quorvel");
    EXPECT_EQ(FileBytes(readOnly), "quorvel");
    EXPECT_EQ(FilesIn(folder.Path() + "\\"), files);  // no probe left behind, no file made
}

TEST_F(ListOut, AListThatCannotBeWrittenAtCloseKeepsTheWindowAndTheListUntilItCan)
{
    const std::string lists = folder.Folder("lists");
    const std::string output = lists + "\\out.txt";
    ASSERT_EQ(requestedOutput.Request(output), "");
    Fill({Path("a.txt"), Path("b.txt")});
    ASSERT_TRUE(RemoveDirectoryA(lists.c_str()));  // gone since the start-up check
    HWND main = frmSel::Default().hWnd();
    std::string message;
    {
        DialogScript answer({Press(IDOK, &message)});
        SendMessageA(main, WM_CLOSE, 0, 0);
    }
    EXPECT_TRUE(IsWindow(main));
    EXPECT_EQ(ItemTexts(SelectionList()), (std::vector<std::string>{Path("a.txt"), Path("b.txt")}));
    EXPECT_NE(message.find("could not be written to " + output), std::string::npos) << message;
    EXPECT_EQ(App.ExitCode(), 2);
    ASSERT_TRUE(CreateDirectoryA(lists.c_str(), nullptr));
    SendMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(FileBytes(output), Path("a.txt") + "\r\n" + Path("b.txt") + "\r\n");
    EXPECT_EQ(App.ExitCode(), 0);
}

TEST_F(ListOut, AnOutputThatBecameAFolderOrReadOnlyIsRefusedAtCloseAndLeftAsItWas)
{
    // Each change gives the file whose bytes must survive.
    const struct { const char* what; std::function<std::string(const std::string&)> become; } changes[] = {
        {"a folder",
         [](const std::string& t) {
             CreateDirectoryA(t.c_str(), nullptr);
             WriteBytes(t + "\\in.txt", "inside");
             return t + "\\in.txt";
         }},
        {"a read-only file",
         [](const std::string& t) {
             WriteBytes(t, "inside");
             SetFileAttributesA(t.c_str(), FILE_ATTRIBUTE_READONLY);
             return t;
         }},
    };
    const struct { const char* how; bool told; std::function<void(HWND)> end; } ways[] = {
        {"closed", true, [](HWND main) { SendMessageA(main, WM_CLOSE, 0, 0); }},
        {"the session ends", false,
         [](HWND w) { if (SendMessageA(w, WM_QUERYENDSESSION, 0, 0)) SendMessageA(w, WM_ENDSESSION, TRUE, 0); }},
    };
    for (const auto& change : changes) {
        for (const auto& way : ways) {
            SCOPED_TRACE(std::string(change.what) + ", " + way.how);
            TempFolder place;
            const std::string target = place.Path() + "\\list.txt";
            requestedOutput = ListOutput();
            ASSERT_EQ(requestedOutput.Request(target), "");
            frmSel::Default().Show();
            Fill({Path("a.txt")});
            const std::string kept = change.become(target);
            const int files = FilesIn(place.Path() + "\\");
            std::string message;
            {
                DialogScript answer({Press(IDOK, &message)});
                way.end(frmSel::Default().hWnd());
            }
            EXPECT_EQ(App.ExitCode(), 2);
            const std::string refusal = "written to " + target + ":\n\n" + CheckListTarget(target);
            if (way.told) {
                EXPECT_NE(message.find(refusal), std::string::npos) << message;
            }
            EXPECT_EQ(FileBytes(kept), "inside");
            EXPECT_EQ(FilesIn(place.Path() + "\\"), files);  // nothing moved aside, nothing left
            requestedOutput = ListOutput();
            frmSel::Default().Unload();
            MSG quit;
            PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        }
    }
}

TEST_F(ListOut, ARelativeOutputFileIsTakenFromTheFolderCurrentAtStart)
{
    char before[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, before);
    TempFolder elsewhere;
    SetCurrentDirectoryA(folder.Path().c_str());
    const bool started = Main("-o out.txt");
    SetCurrentDirectoryA(elsewhere.Path().c_str());  // as the Open dialog leaves it on Windows
    Fill({Path("a.txt")});
    SendMessageA(frmSel::Default().hWnd(), WM_CLOSE, 0, 0);
    SetCurrentDirectoryA(before);
    EXPECT_TRUE(started);
    EXPECT_EQ(FileBytes(folder.Path() + "\\out.txt"), Path("a.txt") + "\r\n");
    EXPECT_EQ(FilesIn(elsewhere.Path() + "\\"), 0);
    EXPECT_EQ(App.ExitCode(), 0);
}

TEST_F(ListOut, HoweverTheMainWindowGoesTheListIsWrittenAndThePickerGoesWithIt)
{
    const struct { const char* how; std::function<void(HWND)> end; } ways[] = {
        {"the session ends",
         [](HWND w) { if (SendMessageA(w, WM_QUERYENDSESSION, 0, 0)) SendMessageA(w, WM_ENDSESSION, TRUE, 0); }},
        {"its hidden owner is destroyed", [](HWND main) { DestroyWindow(GetWindow(main, GW_OWNER)); }},
    };
    const std::string output = folder.Path() + "\\out.txt";
    for (const auto& way : ways) {
        requestedOutput = ListOutput();
        ASSERT_EQ(requestedOutput.Request(output), "");
        frmSel::Default().Show();
        Fill({Path("c.txt")});
        HWND main = frmSel::Default().hWnd();
        SendMessageA(FindChild(main, "BUTTON", "Select Files"), BM_CLICK, 0, 0);
        HWND selectFiles = FindWindowA("QuorvelForm", "Select Files");
        ASSERT_NE(selectFiles, nullptr) << way.how;
        way.end(main);
        EXPECT_FALSE(IsWindow(main)) << way.how;
        EXPECT_FALSE(IsWindow(selectFiles)) << way.how;
        MSG quit;
        EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << way.how;
        EXPECT_EQ(FileBytes(output), Path("c.txt") + "\r\n") << way.how;
        EXPECT_EQ(App.ExitCode(), 0) << way.how;
        DeleteFileA(output.c_str());
    }
}

// Every caption of a menu and of its submenus, a submenu's after its own.
static void MenuCaptions(HMENU menu, std::vector<std::string>& captions)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char caption[64] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), caption, sizeof(caption), MF_BYPOSITION);
        captions.emplace_back(caption);
        if (HMENU submenu = GetSubMenu(menu, i)) MenuCaptions(submenu, captions);
    }
}

TEST_F(ListOut, ThePopUpMenuOffersItsCommandsWithTheirShortcuts)
{
    Fill({"C:\\a.txt", "C:\\b.txt"});
    Selection().StartHistory();
    SetItemState(SelectionList(), 1, LVIS_SELECTED, LVIS_SELECTED);  // the right-click on another entry selects that one
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    HMENU menu = frmSel::Default().mnuList.Handle();
    std::vector<std::string> captions;
    bool pasteGreyed = false;
    WhenWindowOpens open("#32768", [&](HWND menuWindow) {
        MenuCaptions(menu, captions);
        pasteGreyed = (GetMenuState(menu, 5, MF_BYPOSITION) & MF_GRAYED) != 0;  // nothing to paste
        for (WPARAM key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN})
            PostMessageA(menuWindow, WM_KEYDOWN, key, 0);  // "Remove"
    });
    PressButton(SelectionList(), WM_RBUTTONDOWN, WM_RBUTTONUP, ItemCentre(SelectionList(), 0));
    ASSERT_TRUE(open.Ran());
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Undo\tCtrl+Z", "Redo\tCtrl+Y", "", "Copy\tCtrl+C", "Copy As",
                                        "Quoted Paths\tCtrl+Shift+Q", "Command Line\tCtrl+Shift+C",
                                        "Names\tCtrl+Alt+C", "Forward Slashes\tCtrl+Shift+F",
                                        "WSL Paths\tCtrl+Shift+W", "Paste\tCtrl+V",
                                        "Remove\tDel", "Remove Missing\tCtrl+Del", "Select All\tCtrl+A", "",
                                        "Move Up\tAlt+Up", "Move Down\tAlt+Down", "Move to Top\tAlt+Home",
                                        "Move to Bottom\tAlt+End", "Sort By", "Name\tCtrl+1", "Folder\tCtrl+2",
                                        "Extension\tCtrl+3", "Size\tCtrl+4", "Date Modified\tCtrl+5", "",
                                        "Reverse Order\tCtrl+R", "", "Save List...\tCtrl+S", "Open List...\tCtrl+O"}));
    EXPECT_TRUE(pasteGreyed);
    EXPECT_EQ(ItemTexts(SelectionList()), (std::vector<std::string>{"C:\\b.txt"}));
    EXPECT_EQ(Selection().UndoName(), "Remove");
}

TEST_F(ListOut, ManyPathsOfOneFolderAreTakenByTheSameRulesAsAFew)
{
    // Enough paths in one folder that it is read once instead of asked about
    // path by path: what joins must not change.
    TempFolder many;
    std::vector<std::string> paths, expected;
    for (int i = 0; i < 70; ++i) paths.push_back(many.File("file" + std::to_string(i) + ".txt"));
    expected = paths;
    const std::string upper = many.Path() + "\\FILE7.TXT";  // the same file, written otherwise: not again
    const std::string sub = many.Folder("sub");
    paths.insert(paths.begin() + 3, many.Path() + "\\gone.txt");
    paths.insert(paths.begin() + 5, sub);
    paths.push_back(upper);
    std::string message;
    DialogScript answer({Press(IDOK, &message)});
    frmSel::Default().TakeIn(paths, "pasted item", "", "Paste");
    Pump();
    EXPECT_EQ(ItemTexts(SelectionList()), expected);
    EXPECT_EQ(message, "1 pasted item named no existing file and was skipped.");
    EXPECT_EQ(strCurFolder, sub);
}
