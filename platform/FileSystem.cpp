#include "platform/FileSystem.h"

#include "platform/CodePage.h"
#include "platform/Handles.h"

#include <cwchar>
#include <vector>

namespace {

// The longest path the ordinary form takes everywhere: a folder's path must
// leave room for an 8.3 name (MAX_PATH - 12).
constexpr std::size_t kOrdinaryPathLength = MAX_PATH - 12;

// Errors of a search that mean there is no folder to read, not a failure to read one.
bool NamesNoFolder(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_DIRECTORY:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_NOT_READY:
        return true;
    default:
        return false;
    }
}

HANDLE StartSearch(const std::wstring& pattern, WIN32_FIND_DATAW& record)
{
    // Without the short names, and in large reads: both faster where the
    // system has them (Windows 7 on); older systems refuse them as parameters.
    HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &record, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER)
        search = FindFirstFileExW(pattern.c_str(), FindExInfoStandard, &record, FindExSearchNameMatch, nullptr, 0);
    return search;
}

}  // namespace

std::wstring SystemPath(std::string_view path)
{
    std::wstring wide = ToUtf16(path);
    if (wide.size() < kOrdinaryPathLength || wide.compare(0, 4, L"\\\\?\\") == 0) return wide;
    // The "\\?\" form is taken as it is: no relative parts, no "/", so the
    // path is made full first, as the ordinary form would be.
    const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    if (size == 0 || GetFullPathNameW(wide.c_str(), size, &full[0], nullptr) != size - 1) return wide;
    full.pop_back();  // the terminator
    if (full.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

DWORD FileAttributes(const std::string& path)
{
    return GetFileAttributesW(SystemPath(path).c_str());
}

FolderRead ReadFolder(const std::string& folder, const FolderVisitor& visit)
{
    std::string pattern = folder;
    if (pattern.empty() || pattern.back() != '\\') pattern += '\\';
    WIN32_FIND_DATAW record{};
    FindHandle search(StartSearch(SystemPath(pattern + '*'), record));
    if (!search) {
        const DWORD error = GetLastError();
        FolderRead read;
        if (!NamesNoFolder(error)) {
            read.end = FolderRead::End::Failed;
            read.error = error;
        }
        return read;
    }
    return ReadEntries(record, [&search](WIN32_FIND_DATAW& found) { return FindNextFileW(search.get(), &found) != FALSE; },
                       visit);
}

TreeRead ReadTree(const std::string& folder, bool below, const TreeVisitor& visit,
                  const std::function<bool()>& carryOn, FolderReader read)
{
    TreeRead tree;
    std::vector<std::string> waiting{folder.empty() || folder.back() != '\\' ? folder + '\\' : folder};
    bool going = true;
    for (bool first = true; going && !waiting.empty(); first = false) {
        if (!first && !carryOn()) break;
        const std::string current = std::move(waiting.back());
        waiting.pop_back();
        const FolderRead done = read(current, [&](std::string_view name, DWORD attributes) {
            if (!going) return;  // the rest of a folder read when the walk ended is passed over
            if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
                going = visit(current, name);
            else if (below && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))  // may lead back up: never entered
                waiting.push_back(current + std::string(name) + '\\');
        });
        tree.unheld += done.unheld;
        if (first)
            tree.top = done;
        else if (done.end == FolderRead::End::Failed)
            ++tree.skipped;
    }
    tree.stopped = !waiting.empty() || !going;
    return tree;
}

FolderRead ReadEntries(WIN32_FIND_DATAW& record, const std::function<bool(WIN32_FIND_DATAW&)>& next,
                       const FolderVisitor& visit)
{
    FolderRead read;
    std::string name;  // one buffer for every name
    do {
        const std::wstring_view wide(record.cFileName, wcsnlen(record.cFileName, MAX_PATH));
        if (wide == L"." || wide == L"..") continue;
        name.clear();
        if (!AppendCodePage(wide, name)) {
            ++read.unheld;  // a name with substitutes would name no file
            continue;
        }
        visit(name, record.dwFileAttributes);
    } while (next(record));
    // Only "no more files" ends a read whole; any other error ends it part-way.
    const DWORD error = GetLastError();
    if (error != ERROR_NO_MORE_FILES) {
        read.end = FolderRead::End::Failed;
        read.error = error;
    }
    return read;
}
