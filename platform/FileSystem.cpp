#include "platform/FileSystem.h"

#include "platform/CodePage.h"
#include "platform/Handles.h"
#include "platform/Letters.h"
#include "platform/PathParts.h"

#include <memory>
#include <vector>

namespace {

// The longest path the ordinary form takes everywhere: a folder's path must
// leave room for an 8.3 name (MAX_PATH - 12).
constexpr std::size_t kOrdinaryPathLength = MAX_PATH - 12;

// Errors of opening a folder that mean there is no folder to read, not a failure to read one.
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

// A folder's entries, fetched many at a time: under Wine this reads a folder
// in about four fifths of the time FindNextFile takes.
class FolderRecords {
public:
    explicit FolderRecords(HANDLE folder) : folder_(folder) {}

    // The next batch; false, with the thread's last error, when none came.
    bool Fetch()
    {
        at_ = GetFileInformationByHandleEx(folder_, FileFullDirectoryInfo, batch_.get(), kBatchBytes)
                  ? reinterpret_cast<const char*>(batch_.get())
                  : nullptr;
        return at_ != nullptr;
    }
    bool Next(std::wstring_view& name, DWORD& attributes, DWORD& reparseTag)
    {
        if (!at_ && !Fetch()) return false;
        const auto& record = *(current_ = reinterpret_cast<const FILE_FULL_DIR_INFO*>(at_));
        name = std::wstring_view(record.FileName, record.FileNameLength / sizeof(WCHAR));
        attributes = record.FileAttributes;
        // A reparse point's record holds its tag where the extended attributes' size would be.
        reparseTag = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ? record.EaSize : 0;
        at_ = record.NextEntryOffset != 0 ? at_ + record.NextEntryOffset : nullptr;
        return true;
    }
    // The entry given last was the last of its batch.
    bool BatchDone() const { return at_ == nullptr; }
    // The record of the entry given last.
    const FILE_FULL_DIR_INFO& Current() const { return *current_; }

private:
    static constexpr DWORD kBatchBytes = 64 * 1024;  // the most a network share gives at once
    HANDLE folder_;
    std::unique_ptr<LONGLONG[]> batch_{new LONGLONG[kBatchBytes / sizeof(LONGLONG)]};  // records are 8-byte aligned
    const char* at_ = nullptr;
    const FILE_FULL_DIR_INFO* current_ = nullptr;
};

bool IsFolder(HANDLE handle)
{
    BY_HANDLE_FILE_INFORMATION info{};
    // Unknown, it is taken for the folder it was opened as.
    return !GetFileInformationByHandle(handle, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A read that found no entry, for the reason given.
FolderRead NothingRead(DWORD error)
{
    FolderRead read;
    if (error != ERROR_NO_MORE_FILES) read.error = error;
    if (error != ERROR_NO_MORE_FILES && !NamesNoFolder(error)) read.end = FolderRead::End::Failed;
    return read;
}

// Reads a folder's entries, visiting each with its record as `visit(name,
// attributes, reparseTag, record)`; `carryOn` as for ReadFolder.
template <typename Visit>
FolderRead ReadRecords(const std::string& folder, const CarryOn& carryOn, const Visit& visit)
{
    // Named with its backslash: "C:" alone would be the drive's current folder.
    const File handle(CreateFileW(SystemPath(WithSlash(folder)).c_str(), FILE_LIST_DIRECTORY,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle) return NothingRead(GetLastError());
    FolderRecords records(handle.get());
    if (!records.Fetch()) {
        const DWORD error = GetLastError();
        return NothingRead(IsFolder(handle.get()) ? error : ERROR_DIRECTORY);  // a file opens too
    }
    return ReadEntries(
        [&records](std::wstring_view& name, DWORD& attributes, DWORD& reparseTag) {
            return records.Next(name, attributes, reparseTag);
        },
        [&](std::string_view name, DWORD attributes, DWORD reparseTag) {
            return visit(name, attributes, reparseTag, records.Current()) &&
                   (!carryOn || !records.BatchDone() || carryOn());
        });
}

unsigned long long Ticks(LARGE_INTEGER time)
{
    return static_cast<unsigned long long>(time.QuadPart);
}

unsigned long long Ticks(FILETIME time)
{
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// A name as the file system compares names, letter case aside: ASCII in lower
// case, others upper-cased (as the system does) and then so.
std::string_view FoldedName(std::string_view name, std::string& buffer)
{
    if (IsAscii(name)) buffer.assign(name);
    else buffer = UpperCaseUtf8(name);
    for (char& c : buffer) c = FoldAscii(c);
    return buffer;
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

std::string LocalTimeText(std::uint64_t ticks)
{
    const FILETIME utc{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    FILETIME local{};
    SYSTEMTIME time{};
    if (ticks == 0 || !FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &time)) return "";
    // Digits put in place: the C library's formatting would add much to the program's size.
    std::string text = "0000-00-00 00:00:00";
    const struct {
        std::size_t end;
        unsigned value;
    } parts[] = {{4, time.wYear},  {7, time.wMonth},   {10, time.wDay},
                 {13, time.wHour}, {16, time.wMinute}, {19, time.wSecond}};
    for (const auto& part : parts)
        for (unsigned value = part.value, at = static_cast<unsigned>(part.end); value != 0; value /= 10)
            text[--at] = static_cast<char>('0' + value % 10);
    return text;
}

FolderRead ReadFolder(const std::string& folder, const FolderVisitor& visit, const CarryOn& carryOn)
{
    return ReadRecords(folder, carryOn, [&](std::string_view name, DWORD attributes, DWORD reparseTag,
                                            const FILE_FULL_DIR_INFO&) { return visit(name, attributes, reparseTag); });
}

bool ReadEntryRecord(const std::string& path, EntryRecord& record)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(SystemPath(path).c_str(), GetFileExInfoStandard, &data)) return false;
    record.attributes = data.dwFileAttributes;
    record.size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    record.modified = Ticks(data.ftLastWriteTime);
    record.created = Ticks(data.ftCreationTime);
    return true;
}

FolderRead ReadFolderRecords(const std::string& folder, const RecordVisitor& visit)
{
    return ReadRecords(folder, nullptr, [&](std::string_view name, DWORD attributes, DWORD,
                                            const FILE_FULL_DIR_INFO& record) {
        visit(name, {attributes, static_cast<unsigned long long>(record.EndOfFile.QuadPart), Ticks(record.LastWriteTime),
                     Ticks(record.CreationTime)});
        return true;
    });
}

FolderEntries::FolderEntries(const std::string& folder)
{
    std::string key;  // one buffer for every key
    const FolderRead read = ReadFolderRecords(folder, [&](std::string_view name, const EntryRecord& record) {
                 const auto at = static_cast<std::uint32_t>(bytes_.size());
                 bytes_.append(name);
                 // Most names are their own key (ASCII in lower case): held once.
                 const auto keyAt = FoldedName(name, key) == name ? at : static_cast<std::uint32_t>(bytes_.size());
                 if (keyAt != at) bytes_.append(key);
                 entries_.push_back({at, static_cast<std::uint32_t>(name.size()), keyAt,
                                     static_cast<std::uint32_t>(key.size()), record});
             });
    whole_ = read.end == FolderRead::End::Done && (read.error == 0 || SaysNothingThere(read.error));
    std::size_t size = 16;
    while (size < entries_.size() * 2) size *= 2;
    table_.assign(size, kNoEntry);
    const std::size_t mask = size - 1;
    for (std::uint32_t i = 0; i < entries_.size(); ++i) {
        std::size_t slot = FirstSlot(Text(entries_[i].key, entries_[i].keyLength));
        while (table_[slot] != kNoEntry) slot = (slot + 1) & mask;
        table_[slot] = i;
    }
}

std::size_t FolderEntries::FirstSlot(std::string_view key) const
{
    return std::hash<std::string_view>()(key) & (table_.size() - 1);
}

const EntryRecord* FolderEntries::Find(std::string_view name) const
{
    const std::string_view key = FoldedName(name, key_);
    const EntryRecord* caseAside = nullptr;
    for (std::size_t slot = FirstSlot(key); table_[slot] != kNoEntry; slot = (slot + 1) & (table_.size() - 1)) {
        const Entry& entry = entries_[table_[slot]];
        if (Text(entry.key, entry.keyLength) != key) continue;
        if (Text(entry.name, entry.nameLength) == name) return &entry.record;
        if (!caseAside) caseAside = &entry.record;
    }
    return caseAside;
}

bool SaysNothingThere(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_DIRECTORY:
        return true;
    default:
        return false;
    }
}

bool ShownAsWritten(std::string_view name)
{
    return !name.empty() && name.back() != '.' && name.back() != ' ' && name.find_first_of("~:") == std::string_view::npos;
}

bool EntersFolder(DWORD attributes, DWORD reparseTag)
{
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return true;
    // No tag is 0: a reparse point whose tag the system does not give (Wine
    // gives none for its symbolic links) is taken for a link, which may lead back up.
    return reparseTag != 0 && !IsReparseTagNameSurrogate(reparseTag);
}

TreeRead ReadTree(const std::string& folder, bool below, const TreeVisitor& visit, const CarryOn& carryOn,
                  FolderReader read)
{
    TreeRead tree;
    std::vector<std::string> waiting{WithSlash(folder)};
    for (bool first = true; !tree.stopped && !waiting.empty(); first = false) {
        if (!first && !carryOn()) break;
        const std::string current = std::move(waiting.back());
        waiting.pop_back();
        const FolderRead done = read(current, [&](std::string_view name, DWORD attributes, DWORD reparseTag) {
            if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return visit(current, name);
            if (below && EntersFolder(attributes, reparseTag))
                waiting.push_back(current + std::string(name) + '\\');
            return true;
        }, carryOn);
        tree.outsideCodePage += done.outsideCodePage;
        tree.stopped = done.end == FolderRead::End::Stopped;
        if (first)
            tree.top = done;
        else if (done.end == FolderRead::End::Failed)
            ++tree.skipped;
    }
    tree.stopped = tree.stopped || !waiting.empty();
    return tree;
}

FolderRead ReadEntries(const EntrySource& next, const FolderVisitor& visit)
{
    FolderRead read;
    std::wstring_view wide;
    DWORD attributes = 0, reparseTag = 0;
    std::string name;  // one buffer for every name
    while (next(wide, attributes, reparseTag)) {
        if (wide == L"." || wide == L"..") continue;
        name.clear();
        if (!AppendCodePage(wide, name)) {
            ++read.outsideCodePage;  // a name with substitutes would name no file
            continue;
        }
        if (!visit(name, attributes, reparseTag)) {
            read.end = FolderRead::End::Stopped;
            return read;
        }
    }
    // Only "no more files" ends a read whole; any other error ends it part-way.
    const DWORD error = GetLastError();
    if (error != ERROR_NO_MORE_FILES) {
        read.end = FolderRead::End::Failed;
        read.error = error;
    }
    return read;
}
