// The facts of a list's files, asked a file at a time, for the tests of a
// build that does not read them a folder at a time yet.
#include "platform/FileSystem.h"
#include "services/FileFacts.h"

std::vector<FileFacts> ReadFileFacts(const std::vector<std::string_view>& paths)
{
    std::vector<FileFacts> facts(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExW(SystemPath(paths[i]).c_str(), GetFileExInfoStandard, &data) ||
            (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        const auto ticks = [](FILETIME time) {
            return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
        };
        facts[i] = {true, (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow, ticks(data.ftLastWriteTime),
                    ticks(data.ftCreationTime), data.dwFileAttributes};
    }
    return facts;
}
