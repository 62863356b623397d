#include "services/ListCommands.h"

#include "platform/FileSystem.h"
#include "platform/PathParts.h"
#include "platform/Runtime.h"
#include "services/DragOut.h"
#include "services/FolderListing.h"
#include "services/ListBulk.h"
#include "services/ListText.h"
#include "services/PathData.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <unordered_map>

void CopySelected(HWND owner, ListView& list)
{
    const std::vector<std::string> paths = SelectedPaths(list);
    if (paths.empty()) return;
    const std::string failure = CopyPaths(owner, paths);
    if (!failure.empty()) MsgBox(owner, failure);
}

void CopySelectedAs(HWND owner, ListView& list, CopyShape shape)
{
    const std::vector<std::string> paths = SelectedPaths(list);
    if (paths.empty()) return;
    const ShapedText shaped = ShapePaths(paths, shape);
    const std::string failure = CopyText(owner, shaped.text);
    if (!failure.empty()) MsgBox(owner, failure);
    else if (const std::string note = ShapeMessage(shaped); !note.empty()) MsgBox(owner, note, MB_ICONINFORMATION);
}

void DragSelected(ListView& list)
{
    const int inside = DragPaths(list, SelectedPaths(list));
    if (inside >= 0 && list.DropInside) list.DropInside(inside);
}

namespace {

PathKind KindOf(DWORD attributes)
{
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::None;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

// What kinds many paths are, asked in turn. A folder asked about more than a
// few times is read once, and its later paths are looked up in what was
// read; a name that the read does not show (trailing dots, a short name) is
// asked about on its own. Questions are counted by the folder's hash: a hash
// shared by two folders only costs a read.
class PathKinds {
public:
    PathKind Of(const std::string& path)
    {
        const std::string_view folder = FolderPart(path);
        if (folder.empty()) return KindOfPath(path);
        folder_.assign(folder);
        auto read = folders_.find(folder_);
        if (read == folders_.end() && ++asked_[std::hash<std::string_view>()(folder)] > kPathsWorthAFolderRead)
            read = folders_.try_emplace(folder_, folder_).first;
        if (read != folders_.end())
            if (const EntryRecord* found = read->second.Find(std::string_view(path).substr(folder.size())))
                return KindOf(found->attributes);
        return KindOfPath(path);
    }

private:
    std::unordered_map<std::size_t, std::uint32_t> asked_;
    std::unordered_map<std::string, FolderEntries> folders_;
    std::string folder_;  // one buffer for every lookup
};

}  // namespace

PathKind KindOfPath(const std::string& path)
{
    return KindOf(FileAttributes(path));
}

PathSource PathsOf(const std::vector<std::string>& paths)
{
    return {paths.size(), [&paths](std::size_t index, std::string& path) {
                path = paths[index];
                return !path.empty();
            }};
}

Taking TakeFiles(const PathSource& paths, const FileDestination& to, const std::string& what,
                 const std::string& from, const TakingProgress& goesOn)
{
    Taking taking;
    std::string folder;
    unsigned long long skipped = 0, refused = 0;
    {
        HourglassPointer hourglass;
        PathKinds kinds;
        std::size_t next = 0;
        AddFiles(
            [&](std::string& path) {
                while (next < paths.count) {
                    if (!goesOn(next, paths.count)) {
                        taking.stopped = true;
                        return false;
                    }
                    if (!paths.path(next++, path)) {
                        ++refused;
                        continue;
                    }
                    if (path.empty()) continue;
                    switch (kinds.Of(path)) {
                    case PathKind::File:
                        return true;
                    case PathKind::Folder:
                        folder = path;
                        break;
                    case PathKind::None:
                        ++skipped;
                        break;
                    }
                }
                return false;
            },
            to.list, to.images, to.surface, to.allowDupes);
    }
    if (!folder.empty() && !taking.stopped) to.showFolder(folder);
    std::string& message = taking.message;
    if (skipped > 0)
        message = Counted(skipped, what) + from + " named no existing file and " + (skipped == 1 ? "was" : "were") +
                  " skipped.";
    if (refused > 0)
        message += std::string(message.empty() ? "" : "\n\n") + Counted(refused, what) + from +
                   " cannot be written in this system's code page, and " + (refused == 1 ? "was" : "were") +
                   " skipped.";
    return taking;
}
