#include "services/ListFile.h"

#include "platform/Handles.h"
#include "services/ListText.h"

#include <algorithm>

std::string LastErrorText()
{
    const DWORD error = GetLastError();
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                        text, sizeof(text), nullptr);
    std::string reason(text, length);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ')) reason.pop_back();
    return reason.empty() ? "error " + Decimal(error) : reason;
}

namespace {

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

bool WriteAll(HANDLE file, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return FlushFileBuffers(file) != FALSE;
}

}  // namespace

std::string SaveListFile(const std::string& path, const std::vector<std::string>& paths)
{
    char temporary[MAX_PATH + 16] = {};
    if (!GetTempFileNameA(FolderOf(path).c_str(), "qvl", 0, temporary)) return LastErrorText();
    std::string failure;
    {
        File file(CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file || !WriteAll(file.get(), ListText(paths))) failure = LastErrorText();
    }
    if (failure.empty() && MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return "";
    if (failure.empty()) failure = LastErrorText();
    DeleteFileA(temporary);  // the target, if any, is as it was
    return failure;
}

std::string CheckListTarget(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return "It is a folder.";
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return "The file is read-only.";
    char probe[MAX_PATH + 16] = {};
    if (!GetTempFileNameA(FolderOf(path).c_str(), "qvl", 0, probe)) return LastErrorText();
    if (!DeleteFileA(probe)) return LastErrorText();
    return "";
}

ListFileContents ReadListFile(const std::string& path, unsigned long long maxBytes)
{
    ListFileContents contents;
    File file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
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
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size())) {
        contents.error = LastErrorText();
        return contents;
    }
    auto lines = ListLines(bytes);
    if (!lines) {
        contents.error = "The file is not a text file.";
        return contents;
    }
    contents.lines = std::move(*lines);
    return contents;
}
