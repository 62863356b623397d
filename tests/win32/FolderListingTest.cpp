// The folder listing against real folders, the real shell and a real list.
#include "TestSupport.h"
#include "forms/frmSel.h"
#include "platform/FileSystem.h"
#include "platform/Runtime.h"
#include "services/FolderListing.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class FolderListing : public testing::Test {
protected:
    void SetUp() override { host.Load(); host.LV.SmallIcons(images()); }
    ImageList& images() { return frmSel::Default().ImageList1; }
    PictureBox& surface() { return frmSel::Default().pIcon; }
    void List(const std::string& folder) { ListFiles(folder, host.LV, images(), surface()); }
    std::vector<std::string> SortedTexts()
    {
        auto texts = ItemTexts(host.LV.hWnd());
        std::sort(texts.begin(), texts.end());
        return texts;
    }
    // The images stored once every entry has been shown.
    int ImageCount()
    {
        for (int i = 1; i <= host.LV.ListItems.Count(); ++i) images().IndexOf(host.LV.ListItems.Item(i).SmallIcon());
        return ImageList_GetImageCount(images().HandleAsIs());
    }

    TempFolder folder;
    ListHost host;
};

bool HasNonWhitePixel(HIMAGELIST list, int index)
{
    const auto pixels = ImagePixels(list, index);
    return std::any_of(pixels.begin(), pixels.end(), [](COLORREF pixel) { return pixel != RGB(255, 255, 255); });
}

// The image the list control shows for an entry: its index in the list's image list.
int ShownImage(HWND list, int position)
{
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = position;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

std::string Repeated(const std::string& text, int times)
{
    std::string repeated;
    for (int i = 0; i < times; ++i) repeated += text;
    return repeated;
}

}  // namespace

TEST_F(FolderListing, NamesPastTheShellsLimitGetTheirTypesKeyAndAnIcon)
{
    const std::string day = "\xE6\x97\xA5";  // three bytes in UTF-8
    const auto keyOf = [this](const std::string& path) {
        SendMessageA(host.LV.hWnd(), LVM_DELETEALLITEMS, 0, 0);
        EXPECT_EQ(AddAll({path}, host.LV, images(), surface(), true), 1u);
        return host.LV.ListItems.Item(1).SmallIcon();
    };
    const struct {
        std::string path;
        std::string sameType;  // a short name of its type, or "" for a program keyed by its own path
    } cases[] = {
        {std::string(296, 'n') + ".txt", "a.txt"},
        {folder.Path() + "\\" + Repeated(day, 251) + ".txt", "a.txt"},  // 255 UTF-16 units, 757 bytes
        {folder.Path() + "\\" + Repeated(day, 251) + ".exe", ""},
        {folder.Path() + "\\" + Repeated(day, 167) + "." + Repeated(day, 87), "a"},  // an extension past the limit
        {folder.File(Repeated(day, 83) + ".exe"), ""},  // a real file, its name as long as Linux allows
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.size());
        const std::string expected = c.sameType.empty() ? c.path : keyOf(folder.Path() + "\\" + c.sameType);
        const std::string key = keyOf(c.path);
        EXPECT_EQ(key, expected);
        ASSERT_GE(images().IndexOf(key), 0);
        EXPECT_TRUE(HasNonWhitePixel(images().HandleAsIs(), images().IndexOf(key)));
    }
}

TEST_F(FolderListing, ATypeWithOnlyAContentTypeHasTheIconOfATypeNobodyRegistered)
{
    // As Wine's browser engine registers ".zip" and ".gz": a content type, no
    // class. Wine's classes root does not show the user's classes.
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, ".qvlcontent", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const char type[] = "application/x-quorvel-test";
    RegSetValueExA(key, "Content Type", 0, REG_SZ, reinterpret_cast<const BYTE*>(type), sizeof(type));
    RegCloseKey(key);
    const std::string content = folder.File("packed.qvlcontent");
    folder.File("unknown.qvlnobody");
    List(folder.Path());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, ".qvlcontent");
    const auto texts = ItemTexts(host.LV.hWnd());
    ASSERT_EQ(texts.size(), 2u);
    const int contentAt = texts[0] == content ? 0 : 1;
    const int shown = ShownImage(host.LV.hWnd(), contentAt);
    ASSERT_GE(shown, 0);
    EXPECT_TRUE(HasNonWhitePixel(images().HandleAsIs(), shown));
    EXPECT_EQ(ImagePixels(images().HandleAsIs(), shown),
              ImagePixels(images().HandleAsIs(), ShownImage(host.LV.hWnd(), 1 - contentAt)));
}

TEST_F(FolderListing, WithOrWithoutTrailingBackslashTheSameFullPaths)
{
    folder.File("a.txt");
    folder.File("b.bmp");
    List(folder.Path());
    const auto without = SortedTexts();
    SendMessageA(host.LV.hWnd(), LVM_DELETEALLITEMS, 0, 0);
    List(folder.Path() + "\\");
    EXPECT_EQ(SortedTexts(), without);
    EXPECT_EQ(without, (std::vector<std::string>{folder.Path() + "\\a.txt", folder.Path() + "\\b.bmp"}));
}

TEST_F(FolderListing, FoldersWithNoFilesGiveNoEntriesAndTheDefaultPointer)
{
    folder.Folder("sub1");
    folder.Folder("sub2");
    List(folder.Path());
    EXPECT_EQ(ItemCount(host.LV.hWnd()), 0);
    EXPECT_EQ(Screen.MousePointer(), vbDefault);
    TempFolder empty;
    List(empty.Path());
    EXPECT_EQ(ItemCount(host.LV.hWnd()), 0);
    for (const std::string& noFolder : {folder.Path() + "\\does not exist", folder.File("a file.txt")}) {
        EXPECT_EQ(ListFiles(noFolder, host.LV, images(), surface()), "") << noFolder;
        EXPECT_EQ(ItemCount(host.LV.hWnd()), 0) << noFolder;
    }
    EXPECT_EQ(Screen.MousePointer(), vbDefault);
}

TEST_F(FolderListing, HiddenAndSystemFilesAreListedSubfoldersNever)
{
    folder.File("plain.txt");
    folder.File("hidden.txt", FILE_ATTRIBUTE_HIDDEN);
    folder.File("system.txt", FILE_ATTRIBUTE_SYSTEM);
    folder.File("readonly.txt", FILE_ATTRIBUTE_READONLY);
    folder.Folder("subfolder.txt");
    List(folder.Path());
    const std::string base = folder.Path() + "\\";
    EXPECT_EQ(SortedTexts(), (std::vector<std::string>{base + "hidden.txt", base + "plain.txt",
                                                        base + "readonly.txt", base + "system.txt"}));
}

TEST_F(FolderListing, FilesOfOneTypeShareOneVisibleImageUnderTheRealTypeName)
{
    folder.File("one.txt");
    folder.File("two.txt");
    const int before = ImageCount();
    List(folder.Path());
    ASSERT_EQ(host.LV.ListItems.Count(), 2);
    const std::string key = host.LV.ListItems.Item(1).SmallIcon();
    EXPECT_EQ(key, ShellTypeNameOf(folder.Path() + "\\one.txt"));
    EXPECT_EQ(key, "Text Document");  // the shell's own name, through the fallback where Wine needs it
    EXPECT_EQ(host.LV.ListItems.Item(2).SmallIcon(), key);
    EXPECT_EQ(ImageCount(), before + 1);
    ASSERT_GE(images().IndexOf(key), 0);
    EXPECT_TRUE(HasNonWhitePixel(images().HandleAsIs(), images().IndexOf(key)));
}

TEST_F(FolderListing, EachApplicationHasItsOwnImageKeyedByPathAndRelistingStoresNone)
{
    const std::string first = folder.File("first.exe");
    const std::string second = folder.File("second.exe");
    ASSERT_EQ(ShellTypeNameOf(first), "Application");
    const int before = ImageCount();
    List(folder.Path());
    EXPECT_EQ(ImageCount(), before + 2);
    EXPECT_GE(images().IndexOf(first), 0);
    EXPECT_GE(images().IndexOf(second), 0);
    EXPECT_EQ(images().IndexOf("Application"), -1);
    SendMessageA(host.LV.hWnd(), LVM_DELETEALLITEMS, 0, 0);
    List(folder.Path());
    EXPECT_EQ(ImageCount(), before + 2);
}

TEST_F(FolderListing, ATypeNameDifferingFromApplicationOnlyInCaseIsAKeyItself)
{
    // A file type of the test's own whose name is "application" in small letters.
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, ".qvltest", &key), ERROR_SUCCESS);
    RegSetValueA(key, nullptr, REG_SZ, "QuorvelTestFile", 15);
    RegCloseKey(key);
    ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, "QuorvelTestFile", &key), ERROR_SUCCESS);
    RegSetValueA(key, nullptr, REG_SZ, "application", 11);
    RegCloseKey(key);
    folder.File("a.qvltest");
    folder.File("b.qvltest");
    const int before = ImageCount();
    List(folder.Path());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, ".qvltest");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "QuorvelTestFile");
    ASSERT_EQ(host.LV.ListItems.Count(), 2);
    EXPECT_EQ(host.LV.ListItems.Item(1).SmallIcon(), "application");
    EXPECT_EQ(host.LV.ListItems.Item(2).SmallIcon(), "application");
    EXPECT_EQ(ImageCount(), before + 1);
}

TEST_F(FolderListing, NewEntriesStartUnselectedAndEarlierEntriesAreUntouched)
{
    host.LV.ListItems.Add("C:\\earlier.txt", "Earlier");
    SetItemState(host.LV.hWnd(), 0, LVIS_SELECTED, LVIS_SELECTED);
    folder.File("a.txt");
    folder.File("b.txt");
    List(folder.Path());
    ASSERT_EQ(ItemCount(host.LV.hWnd()), 3);
    EXPECT_EQ(ItemText(host.LV.hWnd(), 0), "C:\\earlier.txt");
    EXPECT_EQ(host.LV.ListItems.Item(1).SmallIcon(), "Earlier");
    EXPECT_TRUE(IsSelected(host.LV.hWnd(), 0));
    EXPECT_FALSE(IsSelected(host.LV.hWnd(), 1));
    EXPECT_FALSE(IsSelected(host.LV.hWnd(), 2));
}

TEST_F(FolderListing, NamesOutsideTheOldCodePagesKeepTheirRealText)
{
    ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));  // the manifest asks for UTF-8
    const std::wstring wide = L"\u0436\u65e5.txt";
    char base[MAX_PATH * 3] = {};
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, base, sizeof(base), nullptr, nullptr);
    wchar_t widePath[MAX_PATH] = {};
    MultiByteToWideChar(CP_UTF8, 0, (folder.Path() + "\\").c_str(), -1, widePath, MAX_PATH);
    HANDLE file = CreateFileW((std::wstring(widePath) + wide).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                              nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    List(folder.Path());
    ASSERT_EQ(ItemCount(host.LV.hWnd()), 1);
    EXPECT_EQ(ItemText(host.LV.hWnd(), 0), folder.Path() + "\\" + base);
    EXPECT_EQ(host.LV.ListItems.Item(1).SmallIcon(), "Text Document");
}

TEST_F(FolderListing, RepeatedListingsLeakNothing)
{
    for (int i = 0; i < 20; ++i) folder.File("file" + std::to_string(i) + (i % 2 ? ".txt" : ".exe"));
    List(folder.Path());
    SendMessageA(host.LV.hWnd(), LVM_DELETEALLITEMS, 0, 0);
    const ResourceUse before = ResourceUse::Now();
    for (int i = 0; i < 15; ++i) {
        List(folder.Path());
        SendMessageA(host.LV.hWnd(), LVM_DELETEALLITEMS, 0, 0);
    }
    ExpectNoGrowth(before, ResourceUse::Now(), 256 * 1024);
}

TEST_F(FolderListing, AStoreLeavesTheSurfaceAsItFoundItForADrawItInterrupted)
{
    // A store runs inside another store's draw when the shell's lookup runs a
    // modal loop that paints a list: the draw under way is a red surface here.
    const std::string tool = folder.File("tool.exe");
    List(folder.Path());
    HDC dc = surface().hDC();
    Brush red(CreateSolidBrush(RGB(255, 0, 0)));
    const RECT all{0, 0, surface().ImageWidth(), surface().ImageWidth()};
    FillRect(dc, &all, red.get());
    const int index = images().IndexOf(tool);
    ASSERT_GE(index, 0);
    for (int y = 0; y < all.bottom; ++y)
        for (int x = 0; x < all.right; ++x) ASSERT_EQ(GetPixel(dc, x, y), RGB(255, 0, 0)) << x << "," << y;
    const auto pixels = ImagePixels(images().HandleAsIs(), index);
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), RGB(255, 0, 0)), 0);
}

TEST(FolderRead, OnlyNoMoreFilesEndsAReadWholeAndAFailureKeepsTheEntriesBeforeIt)
{
    for (const DWORD error : {DWORD{ERROR_NO_MORE_FILES}, DWORD{ERROR_ACCESS_DENIED}, DWORD{ERROR_NETNAME_DELETED}}) {
        const std::wstring names[] = {L"one.txt", L"..", L"two.txt"};
        std::size_t given = 0;
        const auto next = [&](std::wstring_view& name, DWORD& attributes, DWORD&) {  // the names, then the error
            if (given == std::size(names)) {
                SetLastError(error);
                return false;
            }
            name = names[given++];
            attributes = FILE_ATTRIBUTE_NORMAL;
            return true;
        };
        std::vector<std::string> seen;
        const FolderRead read = ReadEntries(next, [&](std::string_view name, DWORD, DWORD) {
            seen.emplace_back(name);
            return true;
        });
        EXPECT_EQ(seen, (std::vector<std::string>{"one.txt", "two.txt"})) << error;
        const bool whole = error == ERROR_NO_MORE_FILES;
        EXPECT_EQ(read.end, whole ? FolderRead::End::Done : FolderRead::End::Failed) << error;
        EXPECT_EQ(read.error, whole ? 0 : error);
    }
}

TEST_F(FolderListing, WithSubfoldersEveryFileBelowIsListedHiddenFoldersToo)
{
    folder.File("a.txt");
    folder.Folder("sub");
    folder.File("sub\\b.txt");
    folder.Folder("sub\\deeper");
    folder.File("sub\\deeper\\c.txt");
    SetFileAttributesA(folder.Folder("hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    folder.File("hidden\\d.txt");
    const Listing listing = FillTreeList(folder.Path(), true, host.LV, images(), surface(),
                                         [](unsigned long long) { return true; });
    const std::string base = folder.Path() + "\\";
    EXPECT_EQ(SortedTexts(), (std::vector<std::string>{base + "a.txt", base + "hidden\\d.txt", base + "sub\\b.txt",
                                                        base + "sub\\deeper\\c.txt"}));
    EXPECT_EQ(listing.entries, 4u);
    EXPECT_FALSE(listing.stopped);
    EXPECT_EQ(listing.problem, "");
}

namespace {

// Reparse tags as Windows gives them; the cloud one is newer than the headers.
constexpr DWORD kCloudTag = 0x9000601A;  // IO_REPARSE_TAG_CLOUD_6: a OneDrive placeholder
constexpr DWORD kReparseFolder = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;

// A tree of made-up folders: links back up, a cloud placeholder, a folder that fails part-way.
FolderRead ReadMadeUpFolder(const std::string& folder, const FolderVisitor& visit, const CarryOn&)
{
    FolderRead read;
    if (folder == "R\\") {
        visit("f.txt", FILE_ATTRIBUTE_NORMAL, 0);
        visit("up", kReparseFolder, IO_REPARSE_TAG_MOUNT_POINT);
        visit("link", kReparseFolder, IO_REPARSE_TAG_SYMLINK);
        visit("OneDrive", kReparseFolder, kCloudTag);
        visit("bad", FILE_ATTRIBUTE_DIRECTORY, 0);
        visit("ok", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN, 0);
    } else if (folder == "R\\bad\\") {
        visit("x.txt", FILE_ATTRIBUTE_NORMAL, 0);
        read.end = FolderRead::End::Failed;
        read.error = ERROR_ACCESS_DENIED;
    } else if (folder == "R\\ok\\") {
        visit("g.txt", FILE_ATTRIBUTE_NORMAL, 0);
    } else if (folder == "R\\OneDrive\\") {
        visit("report.docx", FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_REPARSE_POINT, kCloudTag);
    } else {
        ADD_FAILURE() << "read " << folder;
    }
    return read;
}

}  // namespace

TEST(TreeRead, LinksAreNotEnteredCloudFoldersAreAndFoldersThatFailAreCounted)
{
    std::vector<std::string> seen;
    const auto visit = [&](const std::string& in, std::string_view name) {
        seen.push_back(in + std::string(name));
        return true;
    };
    const TreeRead tree = ReadTree("R", true, visit, [] { return true; }, ReadMadeUpFolder);
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::string>{"R\\OneDrive\\report.docx", "R\\bad\\x.txt", "R\\f.txt",
                                              "R\\ok\\g.txt"}));
    EXPECT_EQ(tree.skipped, 1u);
    EXPECT_EQ(tree.top.end, FolderRead::End::Done);
    EXPECT_FALSE(tree.stopped);
}

TEST(TreeRead, OnlyFoldersThatNameNoOtherPlaceAreEntered)
{
    const struct {
        DWORD attributes, tag;
        bool entered;
    } cases[] = {
        {FILE_ATTRIBUTE_DIRECTORY, 0, true},
        {FILE_ATTRIBUTE_NORMAL, 0, false},
        {FILE_ATTRIBUTE_REPARSE_POINT, kCloudTag, false},  // a cloud file
        {FILE_ATTRIBUTE_REPARSE_POINT, 0x8000001B, false},  // IO_REPARSE_TAG_APPEXECLINK: a program's alias
        {kReparseFolder, IO_REPARSE_TAG_MOUNT_POINT, false},  // a junction or a mounted volume
        {kReparseFolder, IO_REPARSE_TAG_SYMLINK, false},
        {kReparseFolder, 0, false},  // a tag the system does not give
        {kReparseFolder, kCloudTag, true},
        {kReparseFolder, 0x9000001A, true},  // IO_REPARSE_TAG_CLOUD
        {kReparseFolder, 0x80000013, true},  // IO_REPARSE_TAG_DEDUP
        {kReparseFolder | FILE_ATTRIBUTE_OFFLINE, 0xC0000004, true},  // IO_REPARSE_TAG_HSM
    };
    for (const auto& c : cases)
        EXPECT_EQ(EntersFolder(c.attributes, c.tag), c.entered) << std::hex << c.attributes << " " << c.tag;
}

namespace {

// The entries pulled from the made-up folder below.
std::size_t pulled = 0;

// A folder holding a folder, then a million files.
FolderRead ReadMillionFolder(const std::string& folder, const FolderVisitor& visit, const CarryOn&)
{
    EXPECT_EQ(folder, "M\\");  // the folder inside is never read
    return ReadEntries(
        [](std::wstring_view& name, DWORD& attributes, DWORD& reparseTag) {
            if (pulled > 1000000) {
                SetLastError(ERROR_NO_MORE_FILES);
                return false;
            }
            name = pulled == 0 ? L"inside" : L"file.txt";
            attributes = pulled++ == 0 ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
            reparseTag = 0;
            return true;
        },
        visit);
}

}  // namespace

TEST(TreeRead, AWalkEndedInsideAFolderOfAMillionEntriesReadsNoFurther)
{
    pulled = 0;
    std::size_t seen = 0;
    const TreeRead tree = ReadTree(
        "M", true, [&](const std::string&, std::string_view) { return ++seen < 3; }, [] { return true; },
        ReadMillionFolder);
    EXPECT_TRUE(tree.stopped);
    EXPECT_EQ(tree.top.end, FolderRead::End::Stopped);
    EXPECT_EQ(seen, 3u);
    EXPECT_EQ(pulled, 4u);  // the folder and the three files
}

TEST_F(FolderListing, AFolderReadIsAskedWhetherToGoOnBetweenBatchesOfEntries)
{
    constexpr int kFiles = 400;  // of long names: more than one 64 KB batch holds
    for (int i = 0; i < kFiles; ++i) folder.File(std::to_string(i) + std::string(120, 'x') + ".txt");
    int seen = 0, asked = 0;
    const auto count = [&](std::string_view, DWORD, DWORD) {
        ++seen;
        return true;
    };
    const FolderRead stopped = ReadFolder(folder.Path(), count, [&] {
        ++asked;
        return false;
    });
    EXPECT_EQ(stopped.end, FolderRead::End::Stopped);
    EXPECT_EQ(asked, 1);
    EXPECT_GT(seen, 0);
    EXPECT_LT(seen, kFiles);
    seen = 0;
    EXPECT_EQ(ReadFolder(folder.Path(), count).end, FolderRead::End::Done);
    EXPECT_EQ(seen, kFiles);
}
