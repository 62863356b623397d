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
    DragPaths(list.hWnd(), SelectedPaths(list));
}

namespace {

PathKind KindOf(DWORD attributes)
{
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::None;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

// Past this many paths in one folder, the folder is read once instead of
// asking about each path. Under Wine a question costs about 10 us and reading
// about 5 us per entry of the folder: the read wins when most of the folder is
// named, as in a paste of a folder's files, and costs more when a few hundred
// paths come from a folder of many thousands.
constexpr std::uint32_t kPathsWorthAFolderRead = 64;

// The folder part of a path with its backslash, or "" for a path that names
// no file in a folder.
std::string_view FolderPart(std::string_view path)
{
    const std::size_t name = NameStart(path);
    return name == 0 || name == path.size() ? std::string_view() : path.substr(0, name);
}

// The names of one folder read whole, held in one block, to be looked up by
// their exact bytes through a table of their positions (open addressing, at
// most half full).
class FolderNames {
public:
    explicit FolderNames(const std::string& folder)
    {
        // A read that fails part-way leaves the names not read to be asked about one by one.
        ReadFolder(folder, [this](std::string_view name, DWORD attributes, DWORD) {
            names_.push_back({static_cast<std::uint32_t>(bytes_.size()), static_cast<std::uint32_t>(name.size()), attributes});
            bytes_.append(name);
            return true;
        });
        std::size_t size = 16;
        while (size < names_.size() * 2) size *= 2;
        table_.assign(size, kEmpty);
        for (std::uint32_t i = 0; i < names_.size(); ++i) table_[FreeOrSame(Of(names_[i]))] = i;
    }
    // The attributes of the name as read, or INVALID_FILE_ATTRIBUTES.
    DWORD Attributes(std::string_view name) const
    {
        const std::uint32_t held = table_[FreeOrSame(name)];
        return held == kEmpty ? INVALID_FILE_ATTRIBUTES : names_[held].attributes;
    }

private:
    struct Name {
        std::uint32_t at, length;
        DWORD attributes;
    };
    static constexpr std::uint32_t kEmpty = ~std::uint32_t{0};
    std::string_view Of(const Name& name) const { return std::string_view(bytes_).substr(name.at, name.length); }
    std::size_t FreeOrSame(std::string_view name) const
    {
        const std::size_t mask = table_.size() - 1;
        std::size_t slot = std::hash<std::string_view>()(name) & mask;
        while (table_[slot] != kEmpty && Of(names_[table_[slot]]) != name) slot = (slot + 1) & mask;
        return slot;
    }
    std::string bytes_;
    std::vector<Name> names_;
    std::vector<std::uint32_t> table_;
};

// What kinds many paths are, asked in turn. A folder asked about more than a
// few times is read once, and its later paths are looked up in what was
// read; a name that the read does not show exactly as it is written (another
// letter case, trailing dots) is asked about on its own. Questions are counted
// by the folder's hash: a hash shared by two folders only costs a read.
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
            if (const DWORD attributes = read->second.Attributes(std::string_view(path).substr(folder.size()));
                attributes != INVALID_FILE_ATTRIBUTES)
                return KindOf(attributes);
        return KindOfPath(path);
    }

private:
    std::unordered_map<std::size_t, std::uint32_t> asked_;
    std::unordered_map<std::string, FolderNames> folders_;
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
