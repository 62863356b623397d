#include "services/FolderChooser.h"

#include "platform/CodePage.h"
#include "platform/Handles.h"

#include <cstring>
#include <vector>

// Eight fields, each pointer-sized or padded to it: 32 bytes in the 32-bit program, 64 in the 64-bit one.
static_assert(sizeof(BROWSEINFOA) == 8 * sizeof(void*), "the chooser reads eight pointer-sized fields");

namespace {

// The file-system path of an item in the program's 8-bit code page, or "".
// The 8-bit SHGetPathFromIDListA fills at most 260 bytes, which cuts off a
// path whose characters take several bytes each (UTF-8) though the folder is
// within the platform's limit; the UTF-16 path converts whole instead. A path
// the code page cannot hold names no folder and gives "" as well.
std::string FileSystemPath(PCIDLIST_ABSOLUTE item)
{
    std::vector<wchar_t> buffer(32768);  // the longest path the platform has
    if (!SHGetPathFromIDListEx(item, buffer.data(), static_cast<DWORD>(buffer.size()), GPFIDL_DEFAULT)) return "";
    std::string path;
    return ToCodePage(buffer.data(), path) ? path : "";
}

}  // namespace

std::string BrowseFolder(const std::string& initialFolder, HWND owner, const std::string& title)
{
    // The callback reads the initial folder from a block of its own that lives
    // until the dialog has closed.
    LocalMemory initial(LocalAlloc(LMEM_ZEROINIT, initialFolder.size() + 1));
    if (initial) std::memcpy(initial.get(), initialFolder.c_str(), initialFolder.size() + 1);

    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.lpszTitle = title.c_str();
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(initial.get());  // null when it could not be had: no preselection

    const Pidl item(SHBrowseForFolderA(&info));
    if (!item) return "";  // cancelled, closed or failed
    return FileSystemPath(item.get());  // "" for an item that is not a folder on disk
}

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM data)
{
    // A folder that does not exist selects nothing; the dialog stays where it opened.
    if (message == BFFM_INITIALIZED && data) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}
