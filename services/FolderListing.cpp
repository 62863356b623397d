#include "services/FolderListing.h"

#include "platform/FileSystem.h"
#include "platform/Runtime.h"
#include "services/ListFile.h"
#include "services/ListText.h"
#include "services/PathText.h"

#include <cctype>
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
// makes the lookup many times faster.
std::string ShellTypeName(const std::string& name)
{
    SHFILEINFOA info;
    ShellFileInfo(name, kTypeNameFlags | SHGFI_USEFILEATTRIBUTES, info);  // on failure the record stays empty: ""
    return TrimNull(std::string(info.szTypeName, sizeof(info.szTypeName)));
}

// The type names of one listing, asked of the shell once per extension.
class TypeNames {
public:
    const std::string& Of(std::string_view name)
    {
        // The shell's extension: from the last dot, unless a blank follows it.
        const std::size_t dot = name.rfind('.');
        std::string extension(dot == std::string_view::npos || name.find(' ', dot) != std::string_view::npos
                                  ? std::string_view()
                                  : name.substr(dot));
        for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const auto found = byExtension_.find(extension);
        if (found != byExtension_.end()) return found->second;
        return byExtension_.emplace(extension, ShellTypeName(std::string(name))).first->second;
    }

private:
    std::unordered_map<std::string, std::string> byExtension_;
};

// Draws a file's icon at a size other than the system's small icons (on a
// monitor of another resolution): the icon where the shell locates it,
// extracted at that size; the system's small icon where it names no place.
void DrawFileIconAtSize(const std::string& path, HDC dc, int size)
{
    SHFILEINFOA info{};
    if (SHGetFileInfoA(path.c_str(), 0, &info, sizeof(info), SHGFI_ICONLOCATION) && info.szDisplayName[0]) {
        HICON extracted = nullptr;
        if (PrivateExtractIconsA(info.szDisplayName, info.iIcon, size, size, &extracted, nullptr, 1, 0) == 1) {
            const Icon icon(extracted);
            if (icon && DrawIconEx(dc, 0, 0, icon.get(), size, size, 0, nullptr, DI_NORMAL)) return;
        }
    }
    DrawFileIcon(path, dc, 0, 0, false);
}

// Draws a file's icon on the surface and stores it under its key; the image
// list asks for it when a row first shows the key. The shell's lookup inside
// the draw may run a modal loop (an icon handler in another process, a drive
// asking for its disk) that paints a list, which asks for another key and
// draws that one here, in the middle of this draw: so each store puts back
// what was on the surface when it began.
void StoreIcon(const std::string& key, const std::string& file, ImageList& images, PictureBox& surface)
{
    const Picture before = surface.Image();
    surface.Picture(LoadPicture());
    if (surface.ImageWidth() == GetSystemMetrics(SM_CXSMICON))
        DrawFileIcon(file, surface.hDC(), 0, 0, false);
    else
        DrawFileIconAtSize(file, surface.hDC(), surface.ImageWidth());
    AddToImageList(key, images, surface);
    surface.Picture(before);
}

void AddFileEntry(const std::string& fullPath, const std::string& typeName, ListView& list, ImageList& images)
{
    ListItem entry = list.ListItems.Add();
    entry.Selected(false);
    entry.Text(fullPath);
    const std::string key = IconKey(typeName, fullPath);
    // Only the first image stored under a key is ever shown, so only the first
    // file of a key is kept for it; its icon is drawn when a row first shows
    // the key, not for files nobody scrolls to (a shell lookup of a real file
    // costs more the more files its folder holds).
    images.Promise(key, fullPath);
    entry.SmallIcon(key);
}

void KeepIconsFor(ImageList& images, PictureBox& surface)
{
    images.Promised([&images, &surface](const std::string& key, const std::string& file) {
        StoreIcon(key, file, images, surface);
    });
}

}  // namespace

int AddFiles(const std::vector<std::string>& paths, ListView& list, ImageList& images, PictureBox& surface,
             bool allowDupes)
{
    KeepIconsFor(images, surface);
    TypeNames typeNames;
    int added = 0;
    for (const auto& path : paths) {
        if (!allowDupes && list.FindItem(path)) continue;
        const std::size_t slash = path.find_last_of('\\');
        AddFileEntry(path, typeNames.Of(slash == std::string::npos ? path : path.substr(slash + 1)), list, images);
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
        TypeNames typeNames;
        std::string path;  // one buffer for every path
        read = ReadTree(
            folder, subfolders,
            [&](const std::string& in, std::string_view name) {
                path.assign(in).append(name);
                AddFileEntry(path, typeNames.Of(name), list, images);
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
    if (read.unheld > 0)
        problem += std::string(problem.empty() ? "" : "\n\n") + Counted(read.unheld, "name") + " in " + folder +
                   " cannot be written in this system's code page, and " + (read.unheld == 1 ? "was" : "were") +
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
