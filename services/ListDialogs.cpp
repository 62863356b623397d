#include "services/ListDialogs.h"

#include <commdlg.h>

#include <vector>

namespace {

const char kFilter[] = "Text files (*.txt)\0*.txt\0All files (*.*)\0*.*\0";

std::string Ask(HWND owner, bool save)
{
    std::vector<char> file(32768);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kFilter;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrDefExt = "txt";
    dialog.Flags = OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                   (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL chosen = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    return chosen ? std::string(file.data()) : std::string();  // cancelled or failed: nothing
}

}  // namespace

std::string AskSaveListPath(HWND owner)
{
    return Ask(owner, true);
}

std::string AskOpenListPath(HWND owner)
{
    return Ask(owner, false);
}
