#pragma once
// What the file system says of the files a list names, when a command needs
// more than their paths: sorting by size or date, dropping the missing ones,
// writing a list with its columns. Read a folder at a time, not a question per
// file: a list of a hundred thousand files of one folder costs one listing.
#include <cstdint>
#include <string_view>
#include <vector>

struct FileFacts {
    bool exists = false;  // the path names an existing file (a folder is not one)
    std::uint64_t size = 0;
    std::uint64_t modified = 0, created = 0;  // FILETIME ticks, UTC; 0 when unknown
    std::uint32_t attributes = 0;             // FILE_ATTRIBUTE_* bits
    bool unknown = false;  // the system could not tell whether it is there (a share offline, a drive not ready)
};

// The facts of each path, in the order given.
std::vector<FileFacts> ReadFileFacts(const std::vector<std::string_view>& paths);
