// Folders and names that try the listing, the transfer and the chooser: none
// may crash, hang, leave the hourglass or a handle behind, or list a path that
// names no file.
#include "PickerFixture.h"
#include "common/FolderFiles.h"
#include "platform/Runtime.h"
#include "services/FolderListing.h"
#include "services/ListBulk.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <new>
#include <set>
#include <stdexcept>
#include <thread>

namespace {

class HostileFolders : public testing::Test {
protected:
    void SetUp() override
    {
        host.Load();
        host.LV.SmallIcons(frmSel::Default().ImageList1);
    }
    // Lists a folder into an empty list and checks what every listing must
    // leave: no message, the default pointer, no handle or window more, the control and
    // the entries in step. Returns the texts shown.
    std::vector<std::string> List(const std::string& path)
    {
        SendMessageA(host.LV.hWnd(), LVM_DELETEALLITEMS, 0, 0);
        const ResourceUse before = ResourceUse::Now();
        EXPECT_EQ(ListFiles(path, host.LV, frmSel::Default().ImageList1, frmSel::Default().pIcon), "") << path;
        EXPECT_EQ(Screen.MousePointer(), vbDefault) << path;
        const ResourceUse after = ResourceUse::Now();
        EXPECT_EQ(after.ownedHandles, before.ownedHandles) << path;
        EXPECT_LE(after.kernelHandles, before.kernelHandles + 2) << path;  // the shell's own caches
        EXPECT_EQ(ItemCount(host.LV.hWnd()), host.LV.ListItems.Count()) << path;
        return ItemTexts(host.LV.hWnd());
    }
    // A name made in UTF-16, for names the 8-bit calls cannot create.
    std::string CreateWide(const std::string& folderPath, const wchar_t* name)
    {
        wchar_t path[1024] = L"\\\\?\\";
        MultiByteToWideChar(CP_ACP, 0, folderPath.c_str(), -1, path + 4, 900);
        wcscat(path, L"\\");
        wcscat(path, name);
        CloseHandle(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        char narrow[1024] = {};
        WideCharToMultiByte(CP_ACP, 0, name, -1, narrow, sizeof(narrow), nullptr, nullptr);
        return folderPath + "\\" + narrow;
    }

    TempFolder folder;
    ListHost host;
};

}  // namespace

TEST_F(HostileFolders, FoldersWithNothingToListGiveAnEmptyList)
{
    folder.Folder("only");
    folder.Folder("subfolders");
    const std::string file = folder.File("plain.txt");
    TempFolder empty;
    for (const std::string& path : {folder.Path() + "\\missing", file, folder.Path() + "\\a<b>c", empty.Path(),
                                    folder.Path() + "\\only"})
        EXPECT_TRUE(List(path).empty()) << path;
    EXPECT_EQ(List(folder.Path()), (std::vector<std::string>{file}));
}

TEST_F(HostileFolders, TheRootFolderListsItsFiles)
{
    EXPECT_EQ(static_cast<int>(List("C:\\").size()), FilesIn("C:\\"));
}

TEST_F(HostileFolders, NamesWithTrailingDotsOrSpacesAreListedAsTheyAre)
{
    const std::string dot = CreateWide(folder.Path(), L"dot.");
    const std::string space = CreateWide(folder.Path(), L"space ");
    auto texts = List(folder.Path());
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(texts, (std::vector<std::string>{dot, space}));
}

TEST_F(HostileFolders, AFolderChangingWhileItIsListedListsOnlyNamesItSaw)
{
    for (int i = 0; i < 1500; ++i) folder.File("f" + std::to_string(i) + ".txt");
    std::atomic<bool> stop{false};
    std::set<std::string> everSeen;
    for (int i = 0; i < 1500; ++i) everSeen.insert(folder.Path() + "\\f" + std::to_string(i) + ".txt");
    for (int i = 0; i < 1500; ++i) everSeen.insert(folder.Path() + "\\n" + std::to_string(i) + ".txt");
    for (int i = 0; i < 1500; ++i) everSeen.insert(folder.Path() + "\\r" + std::to_string(i) + ".txt");
    std::thread changer([&] {
        for (int i = 0; i < 1500 && !stop; ++i) {
            const std::string n = std::to_string(i);
            folder.File("n" + n + ".txt");
            DeleteFileA((folder.Path() + "\\f" + n + ".txt").c_str());
            MoveFileA((folder.Path() + "\\n" + n + ".txt").c_str(), (folder.Path() + "\\r" + n + ".txt").c_str());
        }
    });
    const auto texts = List(folder.Path());
    stop = true;
    changer.join();
    for (const auto& text : texts) EXPECT_TRUE(everSeen.count(text)) << text;
    EXPECT_EQ(std::set<std::string>(texts.begin(), texts.end()).size(), texts.size());
}

class ManyScripts : public PickerFixture {};

TEST_F(ManyScripts, NamesInEveryScriptGoThroughListingTransferAndTheDuplicateTest)
{
    ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));  // the manifest asks for UTF-8
    std::vector<std::string> names{"\xce\xb1\xce\xb2\xce\xb3.txt",          // Greek
                                   "\xd0\xb6\xd1\x83\xd0\xba.txt",          // Cyrillic
                                   "\xe6\x97\xa5\xe6\x9c\xac.txt",          // CJK
                                   "\xf0\x9f\x98\x80.txt"};                 // emoji, outside the BMP
    for (const auto& name : names) folder.File(name);
    Open();
    SetAllSelected(picker.LV, true);
    SendMessageA(picker.cmdAdd.hWnd(), BM_CLICK, 0, 0);
    SetAllSelected(picker.LV, true);
    SendMessageA(picker.cmdAdd.hWnd(), BM_CLICK, 0, 0);  // all already there: nothing added
    auto shown = ItemTexts(SelectionList());
    EXPECT_EQ(shown, ItemTexts(List()));
    for (const auto& name : names)
        EXPECT_NE(std::find(shown.begin(), shown.end(), Path(name.c_str())), shown.end()) << name;
}

TEST_F(ManyScripts, AShownTextIsNeverCutInsideACharacter)
{
    std::string text = "C:\\";
    for (int i = 0; i < 200; ++i) text += "\xd0\xb6";  // 2 bytes each
    frmSel::Default().LV.ListItems.Add(text, "");
    for (int room : {2, 6, 7, 100, 261}) {
        std::vector<char> buffer(static_cast<std::size_t>(room), '\x7f');
        LVITEMA item{};
        item.pszText = buffer.data();
        item.cchTextMax = room;
        SendMessageA(SelectionList(), LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&item));
        const std::string shown(item.pszText);
        EXPECT_EQ(text.compare(0, shown.size(), shown), 0) << room;
        EXPECT_GE(shown.size() + 2, static_cast<std::size_t>(room - 1)) << room;  // as much as fits
        EXPECT_NE(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, shown.c_str(), -1, nullptr, 0), 0) << room;
    }
}

namespace {

// A form with a button and a list whose handlers fail as asked.
class FailingForm : public Form {
public:
    FailingForm() : Form({"Failing", 3000, 2000, WS_OVERLAPPEDWINDOW, 0, false}) {}
    CommandButton button;
    ListView LV;
    std::function<void()> fail;

private:
    void CreateControls() override
    {
        button.Create(hWnd(), 100, "Fail", {0, 0, 900, 300});
        LV.Create(hWnd(), 101, {{0, 400, 3000, 1500}, "File Name", false, 0x80000005, 0x80000008});
        button.Click = [this] { fail(); };
        LV.KeyDown = [this](int, int) {
            fail();
            return true;
        };
    }
    bool Form_QueryUnload(int) override
    {
        fail();
        return false;
    }
};

}  // namespace

TEST(FailingHandlers, EveryFailureOfAHandlerIsToldInOneMessage)
{
    struct Case {
        std::function<void()> fail;
        const char* told;
    };
    const Case cases[] = {
        {[] { throw std::bad_alloc(); }, "not enough memory"},
        {[] { throw std::runtime_error("the disk went away"); }, "the disk went away"},
        {[] { throw 7; }, "failed"},
    };
    FailingForm form;
    form.Load();
    for (const Case& c : cases) {
        form.fail = c.fail;
        // From the form's own procedure, and from the list's.
        for (const auto& send : std::vector<std::function<void()>>{
                 [&] { SendMessageA(form.button.hWnd(), BM_CLICK, 0, 0); },
                 [&] { SendMessageA(form.LV.hWnd(), WM_KEYDOWN, 'Q', 0); }}) {
            std::string text;
            int boxes = 0;
            WhenWindowOpens answer("#32770", [&](HWND box) {
                char shown[1024] = {};
                GetDlgItemTextA(box, 0xFFFF, shown, sizeof(shown));
                text = shown;
                ++boxes;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
            });
            send();
            Pump();
            EXPECT_TRUE(answer.Ran()) << c.told;
            EXPECT_EQ(boxes, 1) << c.told;
            EXPECT_NE(text.find(c.told), std::string::npos) << text;
        }
    }
    // At the session's end the form goes all the same, once the failure is told.
    bool told = false;
    WhenWindowOpens answer("#32770", [&](HWND box) {
        told = true;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    SendMessageA(form.hWnd(), WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(told);
    EXPECT_FALSE(form.Loaded());
}
