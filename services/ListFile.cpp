#include "services/ListFile.h"

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/Handles.h"
#include "platform/PathParts.h"
#include "platform/SystemError.h"
#include "services/ListText.h"

#include <algorithm>

namespace {

// A file another program holds for a moment is tried again for about 2 s.
constexpr unsigned kPlaceAttempts = 20;
constexpr DWORD kPlacePause = 100;

// A list is converted and written in slices of about this many bytes.
constexpr std::size_t kSliceBytes = 1 << 20;

// "" or why not. A write that takes nothing without failing leaves no error
// of its own: the disk is full.
std::string WriteAll(HANDLE file, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) return LastErrorText();
        if (written == 0) return SystemErrorText(ERROR_HANDLE_DISK_FULL);
        done += written;
    }
    return "";
}

// The rows in UTF-8, written; "" or why not.
std::string WriteSlice(HANDLE out, const std::string& rows, std::string& bytes)
{
    if (!ToUtf8(rows, bytes)) return "The list holds text that is not valid in this system's code page.";
    return WriteAll(out, bytes);
}

// A new file in the folder under a name of the program's own, short enough
// for a folder near the path limit (which GetTempFileName refuses).
File CreateTemporary(const std::string& folder, std::string& name)
{
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        name = folder + "~qvl" + Decimal(GetCurrentProcessId()) + "-" + Decimal(attempt) + ".tmp";
        File file(CreateFileW(SystemPath(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                              nullptr));
        if (file || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return File();
}

// Why no list may go where a file or folder with these attributes is, or "".
std::string TargetRefusal(DWORD attributes)
{
    if (attributes == INVALID_FILE_ATTRIBUTES) return "";
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return "It is a folder.";
    if (attributes & FILE_ATTRIBUTE_READONLY) return "The file is read-only.";
    return "";
}

DWORD Outcome(BOOL done)
{
    return done ? 0 : GetLastError();
}

// Wine's ReplaceFile moves the new file over the old one, which loses the old
// one's hidden and system marks: they are put back.
void KeepMarks(const std::wstring& target, DWORD before)
{
    const DWORD after = GetFileAttributesW(target.c_str());
    const DWORD lost = before & ~after & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    if (after != INVALID_FILE_ATTRIBUTES && lost != 0) {
        // The list is saved either way: a refusal only leaves the marks off.
        const BOOL marked = SetFileAttributesW(target.c_str(), (after & ~FILE_ATTRIBUTE_NORMAL) | lost);
        (void)marked;
    }
}

// Errors that a program holding a file for a moment gives.
bool Passing(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
}

// Errors of a replace that has already removed or renamed the old file.
bool OldTargetGone(DWORD error)
{
    return error == ERROR_UNABLE_TO_MOVE_REPLACEMENT || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
}

// Wine's ReplaceFile leaves an empty file of its own ("rf*.tmp") beside a
// target it cannot take away: a target another program holds is found so
// first, as the replace would open it, so that the tries leave nothing behind.
DWORD Replace(const std::wstring& target, const std::wstring& written)
{
    {
        const File probe(CreateFileW(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, 0, nullptr));
        const DWORD error = GetLastError();
        if (!probe && Passing(error)) return error;
    }
    return Outcome(ReplaceFileW(target.c_str(), written.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                                nullptr));
}

// Puts the written file in the target's place; an existing target keeps its
// identity: its attributes, permissions, streams and hard links. The target is
// looked at just before, since it may have changed since the program started.
// Returns "" or why not, and whether the written file must be kept.
std::string PutInPlace(const std::string& temporary, const std::string& path, bool& keepWritten)
{
    const std::wstring written = SystemPath(temporary);
    const std::wstring target = SystemPath(path);
    const DWORD before = GetFileAttributesW(target.c_str());
    const std::string refusal = TargetRefusal(before);
    if (!refusal.empty()) return refusal;
    const ListPlaced placed = PlaceList(
        before != INVALID_FILE_ATTRIBUTES,
        {[&] { return Replace(target, written); },
         [&] { return Outcome(MoveFileExW(written.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)); },
         // No message is let through meanwhile, so nothing else runs during the wait.
         [] { Sleep(kPlacePause); }});
    keepWritten = placed.keepWritten;
    if (placed.error == 0) {
        if (before != INVALID_FILE_ATTRIBUTES) KeepMarks(target, before);
        return "";
    }
    if (placed.keepWritten)
        return SystemErrorText(placed.error) + "\n\nThe system took the old file away; the list is kept in " +
               temporary + ".";
    return SystemErrorText(placed.error);
}

}  // namespace

ListPlaced PlaceList(bool targetExists, const ListPlacing& steps)
{
    ListPlaced placed;
    bool replacing = targetExists;
    for (unsigned attempt = 1;; ++attempt) {
        placed.error = replacing ? steps.replace() : steps.move();
        if (replacing && OldTargetGone(placed.error)) {
            placed.keepWritten = true;
            replacing = false;
            placed.error = steps.move();
        }
        if (!Passing(placed.error) || attempt >= kPlaceAttempts) return placed;
        steps.pause();
    }
}

SavedList WriteList(HANDLE out, ListFormat format, const std::vector<std::string>& paths,
                    const FactsReader& readFacts)
{
    SavedList saved;
    std::vector<FileFacts> facts;
    if (IsTable(format)) facts = readFacts(std::vector<std::string_view>(paths.begin(), paths.end()));
    if (StartsWithByteOrderMark(format)) saved.failure = WriteAll(out, "\xEF\xBB\xBF");
    std::string rows(ListHeader(format)), bytes;
    const FileFacts none;
    for (std::size_t i = 0; i < paths.size() && saved.failure.empty(); ++i) {
        const FileFacts& entry = i < facts.size() ? facts[i] : none;
        if (IsTable(format) && !entry.exists) ++saved.gone;
        AppendRow(rows, format, paths[i], entry, LocalTimeText);
        if (rows.size() < kSliceBytes) continue;
        saved.failure = WriteSlice(out, rows, bytes);
        rows.clear();
    }
    if (saved.failure.empty() && !rows.empty()) saved.failure = WriteSlice(out, rows, bytes);
    return saved;
}

SavedList SaveList(const std::string& path, const std::vector<std::string>& paths, const FactsReader& readFacts)
{
    std::string temporary;
    SavedList saved;
    {
        File file = CreateTemporary(FolderOf(path), temporary);
        if (!file) return {LastErrorText()};
        saved = WriteList(file.get(), SavedFormat(path), paths, readFacts);
        if (saved.failure.empty() && !FlushFileBuffers(file.get())) saved.failure = LastErrorText();
    }
    bool keepWritten = false;
    if (saved.failure.empty()) saved.failure = PutInPlace(temporary, path, keepWritten);
    if (!saved.failure.empty() && !keepWritten) DeleteFileW(SystemPath(temporary).c_str());  // the target is as it was
    return saved;
}

std::string GoneMessage(std::size_t gone)
{
    if (gone == 0) return "";
    return Grouped(gone) +
           (gone == 1 ? " entry names a file that no longer exists" : " entries name files that no longer exist") +
           "; the list has no size or dates for " + (gone == 1 ? "it." : "them.");
}

std::string CheckListTarget(const std::string& path)
{
    const std::string refusal = TargetRefusal(FileAttributes(path));
    if (!refusal.empty()) return refusal;
    // The probe is made as the saved list's temporary file will be, so a
    // folder that takes one takes the other, at any path length.
    std::string probe;
    if (!CreateTemporary(FolderOf(path), probe)) return LastErrorText();
    return DeleteFileW(SystemPath(probe).c_str()) ? "" : LastErrorText();
}

ListFileContents ReadListFile(const std::string& path, unsigned long long maxBytes)
{
    ListFileContents contents;
    File file(CreateFileW(SystemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size)) {
        contents.error = LastErrorText();
        return contents;
    }
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
        contents.error = "The file is larger than a list file can be (" + Decimal(maxBytes / (1024 * 1024)) +
                         " MB).";
        return contents;
    }
    std::string& bytes = contents.text;
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        contents.error = LastErrorText();
        return contents;
    }
    if (read != bytes.size()) {
        contents.error = "The file changed while it was read.";
        return contents;
    }
    contents.format = ReadFormat(path);
    ListFileLines lines;
    contents.error = FormatLines(contents.format, bytes, lines);
    contents.utf8 = lines.utf8;
    if (contents.error.empty()) contents.lines = std::move(lines.lines);
    return contents;
}

bool ListLineInCodePage(const ListFileContents& contents, std::size_t line, std::string& converted)
{
    if (!IsTable(contents.format)) return FromListText(contents.lines[line], contents.utf8, converted);
    return FromListText(TableFieldText(contents.lines[line]), contents.utf8, converted);
}
