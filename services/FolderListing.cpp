#include "services/FolderListing.h"

#include "platform/FileSystem.h"
#include "platform/Letters.h"
#include "platform/PathParts.h"
#include "platform/Runtime.h"
#include "platform/SystemError.h"
#include "services/ListText.h"
#include "services/PathText.h"

#include <unordered_map>

namespace {

// The icon handle is pointer-sized: 352 bytes in the 32-bit program, 360 in the 64-bit one.
static_assert(sizeof(SHFILEINFOA) == (sizeof(void*) == 4 ? 352 : 360), "the shell fills its record");

constexpr UINT kSmallIconFlags = SHGFI_SYSICONINDEX | SHGFI_EXETYPE | SHGFI_TYPENAME | SHGFI_DISPLAYNAME |
                                 SHGFI_SHELLICONSIZE | SHGFI_SMALLICON;  // 0x6605

// A name of no type: the shell answers for it as for any file of a type it does not know.
constexpr char kUntypedName[] = "file";

// Asks the shell about a file with a fresh record. Some shells (Wine's among
// them) answer 0 and leave the record empty when SHGFI_EXETYPE comes with
// other flags; then the question is asked once more without it.
DWORD_PTR ShellFileInfo(const std::string& path, UINT flags, SHFILEINFOA& info)
{
    // The shell's 8-bit calls take no path past the platform's limit, and a
    // name alone can be that long too (255 characters of three bytes each):
    // such a file is asked about as any file of its type, by a short name
    // with its extension, or with none where even the extension is too long.
    if (path.size() >= MAX_PATH) {
        std::string_view extension = ExtensionOf(NameOf(path));
        if (extension.size() >= MAX_PATH - 1) extension = {};
        return ShellFileInfo(kUntypedName + std::string(extension), flags | SHGFI_USEFILEATTRIBUTES, info);
    }
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
// (SHGFI_USEFILEATTRIBUTES), small, at the DC's top left corner.
void DrawShellIcon(const std::string& path, UINT lookup, HDC dc)
{
    SHFILEINFOA info;
    // The shell's own image list, borrowed: never destroyed here.
    auto systemImages = reinterpret_cast<HIMAGELIST>(ShellFileInfo(path, kSmallIconFlags | lookup, info));
    // A failed lookup gives no list, and the draw then paints nothing.
    ImageList_Draw(systemImages, info.iIcon, dc, 0, 0, ILD_TRANSPARENT);
}

// What a listing knows of a type of file.
struct FileType {
    std::string name;       // the shell's type name, or what stands for it
    bool promised = false;  // the icon of the type's key is promised to the image list
};

// The types of one listing, asked of the shell once per extension.
class FileTypes {
public:
    FileType& Of(std::string_view name)
    {
        std::string extension(ExtensionOf(name));
        for (char& c : extension) c = FoldAscii(c);
        const auto found = byExtension_.find(extension);
        if (found != byExtension_.end()) return found->second;
        std::string typeName = ShellTypeName(std::string(name));
        // A type the shell gives no name (Wine's for an extension registered
        // with only a content type) still needs a key for its icon: its
        // extension, which no type name looks like.
        if (typeName.empty()) typeName = extension.empty() ? "." : extension;
        return byExtension_.emplace(std::move(extension), FileType{std::move(typeName)}).first->second;
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
    DrawShellIcon(path, lookup, dc);
}

// Draws a file's icon on the surface, at the surface's size.
void DrawFileIconOn(const std::string& file, UINT lookup, PictureBox& surface)
{
    if (surface.ImageWidth() == GetSystemMetrics(SM_CXSMICON))
        DrawShellIcon(file, lookup, surface.hDC());
    else
        DrawFileIconAtSize(file, lookup, surface.hDC(), surface.ImageWidth());
}

// Whether every pixel of the surface's image is still the colour it was cleared to.
bool StillCleared(PictureBox& surface, COLORREF cleared)
{
    const int size = surface.ImageWidth();
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (GetPixel(surface.hDC(), x, y) != cleared) return false;
    return true;
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
    const COLORREF cleared = GetPixel(surface.hDC(), 0, 0);
    DrawFileIconOn(file, lookup, surface);
    // Where the shell gives no icon, or one that draws nothing, the file gets
    // the one of a file of no known type, as Explorer shows it: every entry has an icon.
    if (StillCleared(surface, cleared)) DrawFileIconOn(kUntypedName, SHGFI_USEFILEATTRIBUTES, surface);
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
        AddFileEntry(path, types.Of(NameOf(path)), list, images);
        ++added;
    }
    list.Refresh();
    return added;
}

Listing FillTreeList(const std::string& folder, bool subfolders, ListView& list, ImageList& images,
                     PictureBox& surface, const ListingProgress& progress)
{
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
                ++listing.entries;
                return true;
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

void AddToImageList(const std::string& key, ImageList& images, PictureBox& surface)
{
    // The first image stored under a key stays: a refused store is expected
    // for every later file of that key, and any other failure is ignored too.
    const bool stored = images.ListImages.Add(key, surface.Image());
    (void)stored;
}
