#include "services/ListCommands.h"

#include "platform/FileSystem.h"
#include "platform/PathParts.h"
#include "platform/Runtime.h"
#include "services/DragOut.h"
#include "services/FolderListing.h"
#include "services/ListBulk.h"
#include "services/ListText.h"
#include "services/PathData.h"

#include <string_view>
#include <unordered_map>

void CopySelected(HWND owner, ListView& list)
{
    const std::vector<std::string> paths = SelectedPaths(list);
    if (paths.empty()) return;
    const std::string failure = CopyPaths(owner, paths);
    if (!failure.empty()) MsgBox(owner, failure);
}

void DragSelected(ListView& list)
{
    DragPaths(list.hWnd(), SelectedPaths(list));
}

namespace {

PathKind KindOf(DWORD attributes)
{
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::None;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

// From this many paths in one folder on, the folder is read once instead of
// asking about each path. Under Wine a question costs about 10 us and reading
// about 5 us per entry of the folder: the read wins when most of the folder is
// named, as in a paste of a folder's files, and costs more when a few hundred
// paths come from a folder of many thousands.
constexpr std::size_t kPathsWorthAFolderRead = 64;

// The kinds of many paths, in their order. A name that its folder's read does
// not show exactly as it is written (another letter case, trailing dots) is
// asked about on its own, as is every path of a folder named only a few times.
std::vector<PathKind> KindsOfPaths(const std::vector<std::string>& paths)
{
    std::vector<PathKind> kinds(paths.size(), PathKind::None);
    std::vector<bool> known(paths.size(), false);
    std::unordered_map<std::string_view, std::vector<std::size_t>> byFolder;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::size_t name = NameStart(paths[i]);
        if (name > 0 && name < paths[i].size()) byFolder[std::string_view(paths[i]).substr(0, name)].push_back(i);
    }
    for (const auto& [folder, members] : byFolder) {
        if (members.size() < kPathsWorthAFolderRead) continue;
        std::unordered_map<std::string_view, std::vector<std::size_t>> byName;
        for (const std::size_t i : members) byName[std::string_view(paths[i]).substr(folder.size())].push_back(i);
        // A read that fails part-way leaves the rest to be asked about one by one.
        ReadFolder(std::string(folder), [&](std::string_view name, DWORD attributes, DWORD) {
            const auto found = byName.find(name);
            if (found == byName.end()) return true;
            for (const std::size_t i : found->second) {
                kinds[i] = KindOf(attributes);
                known[i] = true;
            }
            return true;
        });
    }
    for (std::size_t i = 0; i < paths.size(); ++i)
        if (!known[i]) kinds[i] = KindOfPath(paths[i]);
    return kinds;
}

}  // namespace

PathKind KindOfPath(const std::string& path)
{
    return KindOf(FileAttributes(path));
}

void TakeFiles(HWND owner, const std::vector<std::string>& paths, const FileDestination& to,
               const std::string& what, const std::string& from)
{
    std::vector<std::string> files;
    std::string folder;
    std::size_t skipped = 0;
    {
        HourglassPointer hourglass;
        const std::vector<PathKind> kinds = KindsOfPaths(paths);
        for (std::size_t i = 0; i < paths.size(); ++i) {
            const std::string& path = paths[i];
            switch (kinds[i]) {
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
        MsgBox(owner, Counted(skipped, what) + from + " named no existing file and " + (skipped == 1 ? "was" : "were") +
                        " skipped.");
}
