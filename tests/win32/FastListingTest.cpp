// The listing takes shortcuts (type names once per extension, icons drawn when
// first shown); a mixed folder must come out exactly as a straightforward
// listing gives it: the type name asked of the shell for each file, each
// program's icon drawn from a full shell lookup of it, and each other type's
// the icon the shell hands out for the type.
#include "TestSupport.h"
#include "forms/frmSel.h"
#include "services/FolderListing.h"
#include "services/PathText.h"

#include <gtest/gtest.h>

#include <map>

namespace {

void MakeShortcut(const std::string& link, const std::string& target)
{
    IShellLinkA* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&shellLink))))
        return;
    shellLink->SetPath(target.c_str());
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t wide[MAX_PATH] = {};
        MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
        file->Save(wide, TRUE);
        file->Release();
    }
    shellLink->Release();
}

}  // namespace

TEST(FastListing, AMixedFolderComesOutAsAFullShellLookupPerFileGivesIt)
{
    TempFolder folder;
    for (const char* name : {"lower.txt", "UPPER.TXT", "Mixed.Txt", "noextension", "unregistered.zzz", "notes.ini",
                             "two.dots.bmp", "blank. name"})
        folder.File(name);
    folder.File("hidden.txt", FILE_ATTRIBUTE_HIDDEN);
    folder.Folder("subfolder");
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, sizeof(system));
    for (const char* program : {"notepad.exe", "regedit.exe", "winemine.exe", "cmd.exe"})
        CopyFileA((std::string(system) + "\\" + program).c_str(), (folder.Path() + "\\" + program).c_str(), FALSE);
    MakeShortcut(folder.Path() + "\\notepad.lnk", std::string(system) + "\\notepad.exe");
    MakeShortcut(folder.Path() + "\\cmd.lnk", std::string(system) + "\\cmd.exe");

    frmSel& selection = frmSel::Default();
    ListHost host;
    host.Load();
    host.LV.SmallIcons(selection.ImageList1);
    ListFiles(folder.Path(), host.LV, selection.ImageList1, selection.pIcon);

    // The straightforward way, in the order the folder is read.
    ImageList reference;
    reference.Create(16, 16);
    std::vector<std::pair<std::string, std::string>> expected;  // text, key
    WIN32_FIND_DATAA found{};
    FindHandle search(FindFirstFileA((folder.Path() + "\\*.*").c_str(), &found));
    ASSERT_TRUE(search);
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::string path = folder.Path() + "\\" + found.cFileName;
        const std::string key = IconKey(ShellTypeNameOf(path), path);
        expected.emplace_back(path, key);
        if (reference.IndexOf(key) >= 0) continue;
        selection.pIcon.Picture(LoadPicture());
        SHFILEINFOA type{};
        if (key == path) {  // a program's own icon, from a full lookup of the file
            const auto shellImages = reinterpret_cast<HIMAGELIST>(
                SHGetFileInfoA(path.c_str(), 0, &type, sizeof(type), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
            ImageList_Draw(shellImages, type.iIcon, selection.pIcon.hDC(), 0, 0, ILD_TRANSPARENT);
        } else if (SHGetFileInfoA(found.cFileName, FILE_ATTRIBUTE_NORMAL, &type, sizeof(type),
                                  SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES))
            DrawIconEx(selection.pIcon.hDC(), 0, 0, Icon(type.hIcon).get(), 16, 16, 0, nullptr, DI_NORMAL);
        (void)reference.ListImages.Add(key, selection.pIcon.Image());
    } while (FindNextFileA(search.get(), &found));

    ASSERT_EQ(host.LV.ListItems.Count(), static_cast<int>(expected.size()));
    std::map<std::string, bool> keysCompared;
    for (int i = 0; i < static_cast<int>(expected.size()); ++i) {
        const ListItem entry = host.LV.ListItems.Item(i + 1);
        EXPECT_EQ(entry.Text(), expected[static_cast<std::size_t>(i)].first);
        const std::string& key = expected[static_cast<std::size_t>(i)].second;
        EXPECT_EQ(entry.SmallIcon(), key) << entry.Text();
        if (keysCompared[key]) continue;
        keysCompared[key] = true;
        const int index = selection.ImageList1.IndexOf(key);
        ASSERT_GE(index, 0) << key;
        EXPECT_EQ(ImagePixels(selection.ImageList1.HandleAsIs(), index),
                  ImagePixels(reference.HandleAsIs(), reference.IndexOf(key)))
            << key;
    }
    EXPECT_GE(keysCompared.size(), 9u);  // the programs' and the shortcuts' own, and the types'
}
