#include "services/ListDialogs.h"

#include <commdlg.h>

#include <vector>

namespace {

// Saved, the file type chosen gives the format; opened, a list of any of them is read.
const char kSaveFilter[] = "Text files (*.txt)\0*.txt\0CSV files (*.csv)\0*.csv\0Tab-separated files (*.tsv)\0*.tsv\0"
                           "M3U8 playlists (*.m3u8)\0*.m3u8\0All files (*.*)\0*.*\0";
const char kOpenFilter[] = "Lists (*.txt;*.csv;*.tsv;*.m3u;*.m3u8)\0*.txt;*.csv;*.tsv;*.m3u;*.m3u8\0"
                           "All files (*.*)\0*.*\0";

std::string Ask(HWND owner, bool save)
{
    std::vector<char> file(32768);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = save ? kSaveFilter : kOpenFilter;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrDefExt = "txt";  // or the extension of the file type chosen
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
