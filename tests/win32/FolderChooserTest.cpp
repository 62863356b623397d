// The shell's folder chooser, driven for real: a timer inside its modal loop
// finds the dialog, reads it and presses its buttons.
#include "TestSupport.h"
#include "services/FolderChooser.h"

#include <gtest/gtest.h>

namespace {

class FolderChooser : public testing::Test {
protected:
    void SetUp() override
    {
        owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override { DestroyWindow(owner); }

    // Opens the chooser on the folder; once it is up, notes its title text and presses the button.
    std::string Choose(const std::string& initial, int button)
    {
        WhenWindowOpens press("#32770", [&](HWND dialog) {
            titleShown = FindWindowExA(dialog, nullptr, "STATIC", "Select Folder") != nullptr;
            ownedByOwner = GetWindow(dialog, GW_OWNER) == owner;
            PostMessageA(dialog, WM_COMMAND, button, 0);
        });
        const std::string result = BrowseFolder(initial, owner, "Select Folder");
        opened = press.Ran();
        return result;
    }

    // Wine's chooser now and then loses a selection made while it fills its
    // tree; a person would simply choose again. Three tries, then it counts.
    std::string ChooseExpecting(const std::string& initial, const std::string& expected)
    {
        std::string result;
        for (int attempt = 0; attempt < 3 && result != expected; ++attempt) result = Choose(initial, IDOK);
        return result;
    }

    HWND owner = nullptr;
    bool opened = false, titleShown = false, ownedByOwner = false;
    TempFolder folder;
};

}  // namespace

TEST_F(FolderChooser, OkReturnsThePreselectedFolderWithTheTitleShown)
{
    const std::string chosen = folder.Folder("Chosen");
    EXPECT_EQ(ChooseExpecting(chosen, chosen), chosen);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(titleShown);
    EXPECT_TRUE(ownedByOwner);
}

TEST_F(FolderChooser, CancelReturnsNothing)
{
    EXPECT_EQ(Choose(folder.Path(), IDCANCEL), "");
    EXPECT_TRUE(opened);
}

TEST_F(FolderChooser, DriveCIsPreselectedAndComesBackAsItsRoot)
{
    EXPECT_EQ(ChooseExpecting("C:\\", "C:\\"), "C:\\");
}

TEST_F(FolderChooser, EmptyOrMissingInitialFolderStillOpensTheDialog)
{
    Choose("", IDCANCEL);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(titleShown);
    EXPECT_EQ(Choose(folder.Path() + "\\missing", IDCANCEL), "");
    EXPECT_TRUE(opened);
}

TEST_F(FolderChooser, AVirtualItemGivesNothing)
{
    WhenWindowOpens press("#32770", [&](HWND dialog) {
        PIDLIST_ABSOLUTE computer = nullptr;
        SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer);  // "My Computer": no path on disk
        const Pidl item(computer);
        SendMessageA(dialog, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(item.get()));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(BrowseFolder("C:\\", owner, "Select Folder"), "");
    EXPECT_TRUE(press.Ran());
}

TEST_F(FolderChooser, ALongestPathComesBackWhole)
{
    // 259 bytes: the most a 260-byte buffer holds with its terminator.
    std::string path = folder.Path();
    while (path.size() + 61 < 259) {
        path += "\\" + std::string(60, 'd');
        CreateDirectoryA(path.c_str(), nullptr);
    }
    path += "\\" + std::string(259 - path.size() - 1, 'e');
    ASSERT_EQ(path.size(), 259u);
    wchar_t wide[400] = L"\\\\?\\";
    MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide + 4, 390);
    ASSERT_TRUE(CreateDirectoryW(wide, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    EXPECT_EQ(ChooseExpecting(path, path), path);
}

TEST_F(FolderChooser, AFolderWhoseUtf8NameIsLongerThan259BytesComesBackWhole)
{
    std::string name;
    for (int i = 0; i < 80; ++i) name += "\xe6\x97\xa5";  // 80 x U+65E5: 240 bytes, 80 characters
    const std::string path = folder.Path() + "\\" + name;
    ASSERT_GT(path.size(), 259u);
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    EXPECT_EQ(ChooseExpecting(path, path), path);
}
