#include "services/ListFile.h"

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/Handles.h"
#include "platform/SystemError.h"
#include "services/ListText.h"

#include <algorithm>

namespace {

// The folder part of a path with its backslash; "" for a bare name.
std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

// "" or why not. A write that takes nothing without failing leaves no error
// of its own: the disk is full.
std::string WriteAll(HANDLE file, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) return LastErrorText();
        if (written == 0) return SystemErrorText(ERROR_HANDLE_DISK_FULL);
        done += written;
    }
    return FlushFileBuffers(file) ? "" : LastErrorText();
}

// A new file in the folder under a name of the program's own, short enough
// for a folder near the path limit (which GetTempFileName refuses).
File CreateTemporary(const std::string& folder, std::wstring& name)
{
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        name = SystemPath(folder + "~qvl" + Decimal(GetCurrentProcessId()) + "-" + Decimal(attempt) + ".tmp");
        File file(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return File();
}

// Puts the written file in the target's place. An existing target keeps its
// identity: its attributes, permissions, streams and hard links.
std::string PutInPlace(const std::wstring& temporary, const std::wstring& target)
{
    const DWORD before = GetFileAttributesW(target.c_str());
    if (before == INVALID_FILE_ATTRIBUTES)
        return MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) ? "" : LastErrorText();
    if (!ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
        return LastErrorText();
    // Wine's ReplaceFile moves the new file over the old one, which loses the
    // old one's hidden and system marks: they are put back.
    const DWORD after = GetFileAttributesW(target.c_str());
    const DWORD lost = before & ~after & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    if (after != INVALID_FILE_ATTRIBUTES && lost != 0) {
        // The list is saved either way: a refusal only leaves the marks off.
        const BOOL marked = SetFileAttributesW(target.c_str(), (after & ~FILE_ATTRIBUTE_NORMAL) | lost);
        (void)marked;
    }
    return "";
}

}  // namespace

std::string SaveListFile(const std::string& path, const std::vector<std::string>& paths)
{
    std::string bytes;
    if (!ToUtf8(ListText(paths), bytes)) return "The list holds text that is not valid in this system's code page.";
    std::wstring temporary;
    std::string failure;
    {
        File file = CreateTemporary(FolderOf(path), temporary);
        if (!file) return LastErrorText();
        failure = WriteAll(file.get(), bytes);
    }
    if (failure.empty()) failure = PutInPlace(temporary, SystemPath(path));
    if (!failure.empty()) DeleteFileW(temporary.c_str());  // the target, if any, is as it was
    return failure;
}

std::string CheckListTarget(const std::string& path)
{
    const DWORD attributes = FileAttributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return "It is a folder.";
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return "The file is read-only.";
    // The probe is made as the saved list's temporary file will be, so a
    // folder that takes one takes the other, at any path length.
    std::wstring probe;
    if (!CreateTemporary(FolderOf(path), probe)) return LastErrorText();
    return DeleteFileW(probe.c_str()) ? "" : LastErrorText();
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
    auto lines = ListLines(bytes);
    if (!lines) {
        contents.error = "The file is not a text file.";
        return contents;
    }
    contents.utf8 = lines->utf8;
    contents.lines = std::move(lines->lines);
    return contents;
}

bool ListLineInCodePage(const ListFileContents& contents, std::size_t line, std::string& converted)
{
    return FromListText(contents.lines[line], contents.utf8, converted);
}
