#include "services/FolderChooser.h"

#include "platform/Handles.h"

#include <cstring>

// Eight fields, each pointer-sized or padded to it: 32 bytes in the 32-bit program, 64 in the 64-bit one.
static_assert(sizeof(BROWSEINFOA) == 8 * sizeof(void*), "the chooser reads eight pointer-sized fields");

std::string BrowseFolder(const std::string& initialFolder, HWND owner, const std::string& title)
{
    char chosen[MAX_PATH] = {};
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
    if (!SHGetPathFromIDListA(item.get(), chosen)) return "";  // not a folder on disk
    return std::string(chosen, strnlen(chosen, sizeof(chosen)));
}

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM data)
{
    // A folder that does not exist selects nothing; the dialog stays where it opened.
    if (message == BFFM_INITIALIZED && data) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}
