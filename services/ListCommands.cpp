#include "services/ListCommands.h"

#include "platform/FileSystem.h"
#include "platform/Runtime.h"
#include "services/DragOut.h"
#include "services/FolderListing.h"
#include "services/ListBulk.h"
#include "services/ListText.h"
#include "services/PathData.h"

void CopySelected(HWND owner, ListView& list)
{
    const std::vector<std::string> paths = SelectedPaths(list);
    if (paths.empty()) return;
    const std::string failure = CopyPaths(owner, paths);
    if (!failure.empty()) Warn(owner, failure);
}

void DragSelected(ListView& list)
{
    DragPaths(list.hWnd(), SelectedPaths(list));
}

PathKind KindOfPath(const std::string& path)
{
    const DWORD attributes = FileAttributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::None;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

void TakeFiles(HWND owner, const std::vector<std::string>& paths, const FileDestination& to,
               const std::string& what, const std::string& from)
{
    std::vector<std::string> files;
    std::string folder;
    std::size_t skipped = 0;
    {
        HourglassPointer hourglass;
        for (const auto& path : paths) {
            switch (KindOfPath(path)) {
            case PathKind::File:
                files.push_back(path);
                break;
            case PathKind::Folder:
                folder = path;
                break;
            case PathKind::None:
                ++skipped;
                break;
            }
        }
        if (!files.empty()) AddFiles(files, to.list, to.images, to.surface, to.allowDupes);
    }
    if (!folder.empty()) to.showFolder(folder);
    if (skipped > 0)
        Warn(owner, Decimal(skipped) + " " + what + (skipped == 1 ? "" : "s") + from + " named no existing file and " +
                        (skipped == 1 ? "was" : "were") + " skipped.");
}

void Warn(HWND owner, const std::string& text)
{
    MessageBoxA(owner, text.c_str(), App.Title().c_str(), MB_ICONWARNING);
}
