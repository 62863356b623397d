#include "services/FolderListing.h"

#include "platform/FileSystem.h"
#include "platform/Letters.h"
#include "platform/Runtime.h"
#include "platform/SystemError.h"
#include "services/ListText.h"
#include "services/PathText.h"

#include <unordered_map>

namespace {

// The icon handle is pointer-sized: 352 bytes in the 32-bit program, 360 in the 64-bit one.
static_assert(sizeof(SHFILEINFOA) == (sizeof(void*) == 4 ? 352 : 360), "the shell fills its record");

constexpr UINT kTypeNameFlags = SHGFI_SYSICONINDEX | SHGFI_EXETYPE | SHGFI_TYPENAME | SHGFI_DISPLAYNAME |
                                SHGFI_SHELLICONSIZE;  // 0x6604
constexpr UINT kSmallIconFlags = kTypeNameFlags | SHGFI_SMALLICON;  // 0x6605

// Asks the shell about a file with a fresh record. Some shells (Wine's among
// them) answer 0 and leave the record empty when SHGFI_EXETYPE comes with
// other flags; then the question is asked once more without it.
DWORD_PTR ShellFileInfo(const std::string& path, UINT flags, SHFILEINFOA& info)
{
    // The shell's 8-bit calls take no path past the platform's limit: such a
    // file is asked about by its name alone, as any file of its type.
    if (path.size() >= MAX_PATH)
        return ShellFileInfo(path.substr(path.find_last_of('\\') + 1), flags | SHGFI_USEFILEATTRIBUTES, info);
    info = SHFILEINFOA{};
    DWORD_PTR result = SHGetFileInfoA(path.c_str(), 0, &info, sizeof(info), flags);
    if (result == 0 && (flags & SHGFI_EXETYPE)) {
        info = SHFILEINFOA{};
        result = SHGetFileInfoA(path.c_str(), 0, &info, sizeof(info), flags & ~SHGFI_EXETYPE);
    }
    return result;
}

// The shell's type name for a file name (or path): with SHGFI_USEFILEATTRIBUTES
// the shell names a type from the name alone, without opening the file, which
// makes the lookup many times faster; asked for the name alone, it does not
// look up the type's icon too.
std::string ShellTypeName(const std::string& name)
{
    SHFILEINFOA info;
    ShellFileInfo(name, SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES, info);  // on failure the record stays empty: ""
    return TrimNull(std::string(info.szTypeName, sizeof(info.szTypeName)));
}

// Draws the icon the shell gives the file (lookup 0), or any file of its type
// (SHGFI_USEFILEATTRIBUTES), at x, y on the DC.
void DrawShellIcon(const std::string& path, UINT lookup, HDC dc, int x, int y, bool large)
{
    SHFILEINFOA info;
    // The shell's own image list, borrowed: never destroyed here.
    auto systemImages = reinterpret_cast<HIMAGELIST>(
        ShellFileInfo(path, (large ? kTypeNameFlags : kSmallIconFlags) | lookup, info));
    // A failed lookup gives no list, and the draw then paints nothing.
    ImageList_Draw(systemImages, info.iIcon, dc, x, y, ILD_TRANSPARENT);
}

// What a listing knows of a type of file.
struct FileType {
    std::string name;       // the shell's type name
    bool promised = false;  // the icon of the type's key is promised to the image list
};

// The types of one listing, asked of the shell once per extension.
class FileTypes {
public:
    FileType& Of(std::string_view name)
    {
        // The shell's extension: from the last dot, unless a blank follows it.
        const std::size_t dot = name.rfind('.');
        std::string extension(dot == std::string_view::npos || name.find(' ', dot) != std::string_view::npos
                                  ? std::string_view()
                                  : name.substr(dot));
        for (char& c : extension) c = FoldAscii(c);
        const auto found = byExtension_.find(extension);
        if (found != byExtension_.end()) return found->second;
        return byExtension_.emplace(std::move(extension), FileType{ShellTypeName(std::string(name))}).first->second;
    }

private:
    std::unordered_map<std::string, FileType> byExtension_;
};

// Where the shell locates a file's icon, asked as `lookup` says; and of the
// file itself where the shell locates none from the name alone (Wine's does not).
bool LocateIcon(const std::string& path, UINT lookup, SHFILEINFOA& info)
{
    if (ShellFileInfo(path, SHGFI_ICONLOCATION | lookup, info) && info.szDisplayName[0]) return true;
    return lookup != 0 && LocateIcon(path, 0, info);
}

// Draws a file's icon at a size other than the system's small icons (on a
// monitor of another resolution): the icon where the shell locates it,
// extracted at that size; the system's small icon where it names no place.
void DrawFileIconAtSize(const std::string& path, UINT lookup, HDC dc, int size)
{
    SHFILEINFOA info;
    if (LocateIcon(path, lookup, info)) {
        HICON extracted = nullptr;
        if (PrivateExtractIconsA(info.szDisplayName, info.iIcon, size, size, &extracted, nullptr, 1, 0) == 1) {
            const Icon icon(extracted);
            if (icon && DrawIconEx(dc, 0, 0, icon.get(), size, size, 0, nullptr, DI_NORMAL)) return;
        }
    }
    DrawShellIcon(path, lookup, dc, 0, 0, false);
}

// Draws a file's icon on the surface and stores it under its key; the image
// list asks for it when a row first shows the key. The shell's lookup inside
// the draw may run a modal loop (an icon handler in another process, a drive
// asking for its disk) that paints a list, which asks for another key and
// draws that one here, in the middle of this draw: so each store puts back
// what was on the surface when it began.
void StoreIcon(const std::string& key, const std::string& file, ImageList& images, PictureBox& surface)
{
    // A type's icon is the one the shell gives any file of the type, asked of
    // it without opening the file: a lookup of the file itself costs more the
    // more files its folder holds. A file with an icon of its own (its key is
    // its path) is looked up itself.
    const UINT lookup = key == file ? 0 : SHGFI_USEFILEATTRIBUTES;
    const Picture before = surface.Image();
    surface.Picture(LoadPicture());
    if (surface.ImageWidth() == GetSystemMetrics(SM_CXSMICON))
        DrawShellIcon(file, lookup, surface.hDC(), 0, 0, false);
    else
        DrawFileIconAtSize(file, lookup, surface.hDC(), surface.ImageWidth());
    AddToImageList(key, images, surface);
    surface.Picture(before);
}

// Appends the file's entry, unselected, with its icon key.
void AddFileEntry(const std::string& fullPath, FileType& type, ListView& list, ImageList& images)
{
    const std::string& key = IconKey(type.name, fullPath);
    // Only the first image stored under a key is ever shown, so a key shared
    // by the type is promised once; it is drawn when a row first shows the
    // key, not for files nobody scrolls to.
    const bool ownKey = &key == &fullPath;
    if (ownKey || !type.promised) images.Promise(key, fullPath);
    type.promised = !ownKey;
    list.ListItems.Add(fullPath, key);
}

void KeepIconsFor(ImageList& images, PictureBox& surface)
{
    images.Promised([&images, &surface](const std::string& key, const std::string& file) {
        StoreIcon(key, file, images, surface);
    });
}

}  // namespace

unsigned long long AddFiles(const NextFile& next, ListView& list, ImageList& images, PictureBox& surface,
                            bool allowDupes)
{
    KeepIconsFor(images, surface);
    FileTypes types;
    unsigned long long added = 0;
    std::string path;  // one buffer for every path
    while (next(path)) {
        if (!allowDupes && list.FindItem(path)) continue;
        const std::size_t slash = path.find_last_of('\\');
        AddFileEntry(path, types.Of(std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1)), list,
                     images);
        ++added;
    }
    list.Refresh();
    return added;
}

std::string FillFileList(const std::string& folder, ListView& list, ImageList& images, PictureBox& surface)
{
    return FillTreeList(folder, false, list, images, surface, [](unsigned long long) { return true; }).problem;
}

Listing FillTreeList(const std::string& folder, bool subfolders, ListView& list, ImageList& images,
                     PictureBox& surface, const ListingProgress& progress)
{
    constexpr unsigned long long kProgressEvery = 4096;  // entries; a power of two keeps the test cheap
    Listing listing;
    TreeRead read;
    {
        HourglassPointer hourglass;
        KeepIconsFor(images, surface);
        FileTypes types;
        std::string path;  // one buffer for every path
        read = ReadTree(
            folder, subfolders,
            [&](const std::string& in, std::string_view name) {
                path.assign(in).append(name);
                AddFileEntry(path, types.Of(name), list, images);
                return ++listing.entries % kProgressEvery != 0 || progress(listing.entries);
            },
            [&] { return progress(listing.entries); });
    }
    listing.stopped = read.stopped;
    std::string& problem = listing.problem;
    if (read.top.end == FolderRead::End::Failed)
        problem = "The folder " + folder + " could not be read whole:\n\n" + SystemErrorText(read.top.error) +
                  "\n\nThe list shows only the files read before that.";
    if (read.skipped > 0)
        problem += std::string(problem.empty() ? "" : "\n\n") + Counted(read.skipped, "folder") + " below " + folder +
                   " could not be read whole, and the files not read were left out.";
    if (const unsigned long long names = read.outsideCodePage; names > 0)
        problem += std::string(problem.empty() ? "" : "\n\n") + Counted(names, "name") + " in " + folder +
                   " cannot be written in this system's code page, and " + (names == 1 ? "was" : "were") +
                   " left out.";
    return listing;
}

std::string GetFileTypeName(const std::string& path)
{
    // A file that does not exist has no type name.
    if (FileAttributes(path) == INVALID_FILE_ATTRIBUTES) return "";
    return ShellTypeName(path);
}

void DrawFileIcon(const std::string& path, HDC dc, int x, int y, bool large)
{
    DrawShellIcon(path, 0, dc, x, y, large);
}

void AddToImageList(const std::string& key, ImageList& images, PictureBox& surface)
{
    // The first image stored under a key stays: a refused store is expected
    // for every later file of that key, and any other failure is ignored too.
    const bool stored = images.ListImages.Add(key, surface.Image());
    (void)stored;
}
