#include "services/FolderListing.h"

#include "platform/Runtime.h"
#include "services/PathText.h"

namespace {

// The icon handle is pointer-sized: 352 bytes in the 32-bit program, 360 in the 64-bit one.
static_assert(sizeof(SHFILEINFOA) == (sizeof(void*) == 4 ? 352 : 360), "the shell fills its record");
static_assert(sizeof(WIN32_FIND_DATAA) == 320, "the search fills a 320-byte record");

constexpr UINT kTypeNameFlags = SHGFI_SYSICONINDEX | SHGFI_EXETYPE | SHGFI_TYPENAME | SHGFI_DISPLAYNAME |
                                SHGFI_SHELLICONSIZE;  // 0x6604
constexpr UINT kSmallIconFlags = kTypeNameFlags | SHGFI_SMALLICON;  // 0x6605

// Shows the hourglass for as long as it lives, on every way out.
class HourglassPointer {
public:
    HourglassPointer() { Screen.MousePointer(vbHourglass); }
    HourglassPointer(const HourglassPointer&) = delete;
    HourglassPointer& operator=(const HourglassPointer&) = delete;
    ~HourglassPointer() { Screen.MousePointer(vbDefault); }
};

// Asks the shell about a file with a fresh record. Some shells (Wine's among
// them) answer 0 and leave the record empty when SHGFI_EXETYPE comes with
// other flags; then the question is asked once more without it.
DWORD_PTR ShellFileInfo(const std::string& path, UINT flags, SHFILEINFOA& info)
{
    info = SHFILEINFOA{};
    DWORD_PTR result = SHGetFileInfoA(path.c_str(), 0, &info, sizeof(info), flags);
    if (result == 0 && (flags & SHGFI_EXETYPE)) {
        info = SHFILEINFOA{};
        result = SHGetFileInfoA(path.c_str(), 0, &info, sizeof(info), flags & ~SHGFI_EXETYPE);
    }
    return result;
}

void AddFileEntry(const std::string& fullPath, ListView& list, ImageList& images, PictureBox& surface)
{
    const std::string typeName = GetFileTypeName(fullPath);
    ListItem entry = list.ListItems.Add();
    entry.Selected(false);
    entry.Text(fullPath);
    const std::string key = IconKey(typeName, fullPath);
    // Only the first image stored under a key is ever shown: the icon of a key
    // already stored is neither drawn nor stored again.
    if (images.IndexOf(key) < 0) {
        surface.Picture(LoadPicture());
        DrawFileIcon(fullPath, surface.hDC(), 0, 0, false);
        AddToImageList(key, images, surface);
    }
    entry.SmallIcon(key);
}

}  // namespace

void FillFileList(const std::string& folder, ListView& list, ImageList& images, PictureBox& surface)
{
    HourglassPointer hourglass;
    const std::string path = AddSlash(folder);
    WIN32_FIND_DATAA found{};
    FindHandle search(FindFirstFileA((path + "*.*").c_str(), &found));
    if (!search) return;  // missing, unreadable or empty: nothing to list
    do {
        // Skips the folder's own entry, its parent's and every subfolder.
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        AddFileEntry(path + TrimNull(std::string(found.cFileName, sizeof(found.cFileName))), list, images, surface);
    } while (FindNextFileA(search.get(), &found));
}

std::string GetFileTypeName(const std::string& path)
{
    SHFILEINFOA info;
    // The type name follows from the file's name, so the shell is told not to
    // open the file, which makes the lookup many times faster. A file that does
    // not exist has no type name.
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return "";
    ShellFileInfo(path, kTypeNameFlags | SHGFI_USEFILEATTRIBUTES, info);  // on failure the record stays empty: ""
    return TrimNull(std::string(info.szTypeName, sizeof(info.szTypeName)));
}

void DrawFileIcon(const std::string& path, HDC dc, int x, int y, bool large)
{
    SHFILEINFOA info;
    // The shell's own image list, borrowed: never destroyed here.
    auto systemImages = reinterpret_cast<HIMAGELIST>(ShellFileInfo(path, large ? kTypeNameFlags : kSmallIconFlags, info));
    // A failed lookup gives no list, and the draw then paints nothing.
    ImageList_Draw(systemImages, info.iIcon, dc, x, y, ILD_TRANSPARENT);
}

void AddToImageList(const std::string& key, ImageList& images, PictureBox& surface)
{
    // The first image stored under a key stays: a refused store is expected
    // for every later file of that key, and any other failure is ignored too.
    const bool stored = images.ListImages.Add(key, surface.Image());
    (void)stored;
}
