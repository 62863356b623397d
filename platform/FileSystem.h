#pragma once
// Files and folders through the platform's UTF-16 calls, which take paths past
// its 260-character limit (in the "\\?\" form) and names of any length; paths
// and names are the program's text, converted in platform/CodePage.
#include "platform/Win32.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// A path for the UTF-16 calls: as it is while short enough for the ordinary
// form, else made full and put in the "\\?\" form, which has no such limit.
std::wstring SystemPath(std::string_view path);
// The attributes of a file or folder, or INVALID_FILE_ATTRIBUTES when there is
// none there (or it cannot be reached): GetFileAttributes for any length.
DWORD FileAttributes(const std::string& path);
// A file time (UTC ticks) as the local time it names, "2026-12-07 23:48:40";
// "" for 0 or a time the system cannot convert.
std::string LocalTimeText(std::uint64_t ticks);

struct FolderRead {
    enum class End { Done, Failed, Stopped };  // Stopped: the caller ended it before the folder's end
    End end = End::Done;
    DWORD error = 0;               // the system's reason, when Failed or when there was no folder to read
    unsigned long long outsideCodePage = 0;  // entries left out: the code page cannot hold their names
};
// Called for each entry but "." and "..": its name (valid during the call
// only), attributes and, for a reparse point, its reparse tag (0 otherwise, or
// when the system gives none); false ends the read, no further entry being fetched.
using FolderVisitor = std::function<bool(std::string_view name, DWORD attributes, DWORD reparseTag)>;
// Asked whether a read goes on; false ends it.
using CarryOn = std::function<bool()>;
// Reads every entry of a folder. A folder that is not there (or not a folder)
// reads as empty; any other failure, at the start or part-way, ends the read
// as Failed, after the entries read before it were visited. The entries come
// in batches of a few hundred, and `carryOn` (when given) is asked after each
// batch, so that even a folder of millions of entries can be stopped at once.
FolderRead ReadFolder(const std::string& folder, const FolderVisitor& visit, const CarryOn& carryOn = nullptr);

// What the file system holds of a file or folder beyond its name.
struct EntryRecord {
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    unsigned long long size = 0;
    unsigned long long modified = 0, created = 0;  // FILETIME ticks, UTC
};
// The record of a file or folder asked about on its own; false, with the
// thread's last error, when there is none there (or it cannot be reached).
bool ReadEntryRecord(const std::string& path, EntryRecord& record);
// Whether the error of a question about a path says that nothing is there
// (the path, or a folder on its way, is gone or names a file), and not that
// the system could not tell (a share offline, a drive not ready, no access).
bool SaysNothingThere(DWORD error);
// Called for each entry but "." and ".." with its name (valid during the
// call only) and record.
using RecordVisitor = std::function<void(std::string_view name, const EntryRecord& record)>;
// Reads every entry of a folder with its record, as ReadFolder reads them.
FolderRead ReadFolderRecords(const std::string& folder, const RecordVisitor& visit);

// Past this many paths in one folder, the folder is read once instead of
// asking about each path. Under Wine a question costs about 10 us and reading
// about 5 us per entry of the folder: the read wins when most of the folder is
// named, as in a paste of a folder's files, and costs more when a few hundred
// paths come from a folder of many thousands.
constexpr std::uint32_t kPathsWorthAFolderRead = 64;

// The entries of one folder read whole, found by name as the file system
// finds them: the name as written, else one differing from it in letter case
// alone (in a folder that tells case apart, both may be there).
class FolderEntries {
public:
    explicit FolderEntries(const std::string& folder);
    // The record of the entry of that name, or null when the read did not show it.
    const EntryRecord* Find(std::string_view name) const;
    // Whether the read reached the folder's end, or found no folder there: a
    // name it did not show is then not there, unless the system takes it for another (a short name,
    // trailing dots), which ShownAsWritten tells.
    bool Whole() const { return whole_; }

private:
    struct Entry {
        std::uint32_t name, nameLength, key, keyLength;  // places in bytes_
        EntryRecord record;
    };
    std::string_view Text(std::uint32_t at, std::uint32_t length) const
    {
        return std::string_view(bytes_).substr(at, length);
    }
    std::size_t FirstSlot(std::string_view key) const;
    static constexpr std::uint32_t kNoEntry = ~std::uint32_t{0};
    std::string bytes_;  // each name, then its key where that differs
    std::vector<Entry> entries_;
    std::vector<std::uint32_t> table_;  // positions in entries_ by their key's hash, open addressing, at most half full
    bool whole_ = false;
    mutable std::string key_;  // one buffer for every name looked up
};
// Whether a folder read shows a file of this name under this name: not so a
// short name ("PROGRA~1"), a name the system trims (trailing dots and
// blanks) or one naming a stream ("a.txt:extra").
bool ShownAsWritten(std::string_view name);

// What a walk through a folder, and the folders below it when asked, found.
struct TreeRead {
    FolderRead top;                  // the read of the folder itself
    unsigned long long skipped = 0;  // folders below it that could not be read whole
    unsigned long long outsideCodePage = 0;   // names left out in all folders read
    bool stopped = false;            // the walk was ended before it was through
};
// Called for each file (never a folder): its folder, ending in a backslash,
// and its name (valid during the call only); false ends the walk.
using TreeVisitor = std::function<bool(const std::string& folder, std::string_view name)>;
using FolderReader = FolderRead (*)(const std::string& folder, const FolderVisitor& visit, const CarryOn& carryOn);
// Whether a walk below a folder goes into this entry: a folder, but not one
// that names another place (a junction, a symbolic link), which may lead back
// up; other reparse points, such as cloud placeholders, hold files of their own.
bool EntersFolder(DWORD attributes, DWORD reparseTag);
// Visits the files of a folder and, when `below`, of every folder under it
// that EntersFolder allows, reading each folder with `read`. `carryOn` is
// asked before each folder after the first, and by each folder's read as it goes.
TreeRead ReadTree(const std::string& folder, bool below, const TreeVisitor& visit, const CarryOn& carryOn,
                  FolderReader read = ReadFolder);
// Gives the next entry's name (valid until the next call), attributes and
// reparse tag; false, with the thread's last error, when none came.
using EntrySource = std::function<bool(std::wstring_view& name, DWORD& attributes, DWORD& reparseTag)>;
// A folder's read from the entries `next` gives, pulled no further than the
// visitor wants.
FolderRead ReadEntries(const EntrySource& next, const FolderVisitor& visit);
