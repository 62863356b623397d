#pragma once
// How many files (not folders) a folder holds, counted by the tests themselves.
#include <windows.h>

#include <string>

inline int FilesIn(const std::string& folderWithBackslash)
{
    int files = 0;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folderWithBackslash + "*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
    while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}
