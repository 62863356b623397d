#pragma once
// Files and folders through the platform's UTF-16 calls, which take paths past
// its 260-character limit (in the "\\?\" form) and names of any length; paths
// and names are the program's text, converted in platform/CodePage.
#include "platform/Win32.h"

#include <functional>
#include <string>
#include <string_view>

// A path for the UTF-16 calls: as it is while short enough for the ordinary
// form, else made full and put in the "\\?\" form, which has no such limit.
std::wstring SystemPath(std::string_view path);
// The attributes of a file or folder, or INVALID_FILE_ATTRIBUTES when there is
// none there (or it cannot be reached): GetFileAttributes for any length.
DWORD FileAttributes(const std::string& path);

struct FolderRead {
    enum class End { Done, Failed };
    End end = End::Done;
    DWORD error = 0;               // the system's reason, when Failed
    unsigned long long unheld = 0;  // entries left out: the code page cannot hold their names
};
// Called for each entry but "." and "..": its name (valid during the call
// only) and attributes.
using FolderVisitor = std::function<void(std::string_view name, DWORD attributes)>;
// Reads every entry of a folder. A folder that is not there (or not a folder)
// reads as empty; any other failure, at the start or part-way, ends the read
// as Failed, after the entries read before it were visited.
FolderRead ReadFolder(const std::string& folder, const FolderVisitor& visit);
// The read from its first record on: `next` fetches the following record as
// FindNextFileW does (false, with the thread's last error, when none came).
FolderRead ReadEntries(WIN32_FIND_DATAW& record, const std::function<bool(WIN32_FIND_DATAW&)>& next,
                       const FolderVisitor& visit);
