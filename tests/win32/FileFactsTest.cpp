// What the file system says of a list's files, read a folder at a time or
// asked a file at a time, and the orders and removals made from it.
#include "TestSupport.h"
#include "common/FileText.h"
#include "platform/FileSystem.h"
#include "services/FileFacts.h"
#include "services/ListShape.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

using Facts = std::tuple<bool, std::uint64_t, std::uint64_t, std::uint64_t, std::uint32_t>;
Facts Of(const FileFacts& f) { return {f.exists, f.size, f.modified, f.created, f.attributes}; }
// The facts of a path as the system gives them asked straight.
Facts SystemFacts(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA d{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &d)) return Of({});
    const auto join = [](DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; };
    return {!(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY), join(d.nFileSizeHigh, d.nFileSizeLow),
            join(d.ftLastWriteTime.dwHighDateTime, d.ftLastWriteTime.dwLowDateTime),
            join(d.ftCreationTime.dwHighDateTime, d.ftCreationTime.dwLowDateTime), d.dwFileAttributes};
}

// A file of `size` bytes last written `days` days into 2020.
std::string FileOf(const std::string& path, std::size_t size, int days)
{
    WriteBytes(path, std::string(size, 'x'));
    const ULONGLONG ticks = 132223104000000000ULL + ULONGLONG(days) * 864000000000ULL;
    const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
    return path;
}

}  // namespace

TEST(FileFacts, AFolderReadWholeOrFileByFileGivesWhatTheSystemSays)
{
    // A few paths of a folder are asked about one by one, many read with their folder.
    for (const std::uint32_t files : {3u, kPathsWorthAFolderRead + 3}) {
        TempFolder folder;
        std::vector<std::string> paths;
        for (std::uint32_t i = 0; i < files; ++i) paths.push_back(FileOf(folder.Path() + "\\f" + std::to_string(i) + ".txt", i, i));
        folder.Folder("sub");
        paths.push_back(folder.File("\xC3\x89t\xC3\xA9.txt"));      // Été.txt
        paths.push_back(folder.File("\xF0\x9F\x98\x80.txt"));      // an emoji, outside the BMP
        const std::string in = folder.Path() + "\\";
        for (const char* other : {"F1.TXT", "\xC3\xA9T\xC3\x89.TXT",  // letter case aside
                                  "sub", "gone.txt", "f2.txt."})      // a folder, no file, a trailing dot
            paths.push_back(in + other);
        for (std::uint32_t i = 0; i < files; ++i) paths.push_back(in + "gone\\f" + std::to_string(i) + ".txt");
        const std::vector<std::string_view> asked(paths.begin(), paths.end());
        const std::vector<FileFacts> facts = ReadFileFacts(asked);
        ASSERT_EQ(facts.size(), paths.size());
        for (std::size_t i = 0; i < paths.size(); ++i) EXPECT_EQ(Of(facts[i]), SystemFacts(paths[i])) << paths[i];
        EXPECT_TRUE(facts[files + 2].exists && facts[files + 3].exists && facts[files + 6].exists);
        EXPECT_FALSE(facts[files + 4].exists || facts[files + 5].exists);
    }
}

TEST(FileFacts, OnlyAnAnswerThatNothingIsThereMakesAFileMissing)
{
    const std::pair<DWORD, bool> answers[] = {
        {ERROR_FILE_NOT_FOUND, true}, {ERROR_PATH_NOT_FOUND, true}, {ERROR_INVALID_NAME, true}, {ERROR_DIRECTORY, true},
        {ERROR_BAD_NETPATH, false},   {ERROR_BAD_NET_NAME, false},  {ERROR_NOT_READY, false},   {ERROR_ACCESS_DENIED, false}};
    for (const auto& [error, nothing] : answers) EXPECT_EQ(SaysNothingThere(error), nothing) << error;
}

// Files of two folders and one that has gone, the names in no order.
struct ListShape : ::testing::Test {
    TempFolder folder;
    std::string a = folder.Folder("a") + "\\", b = folder.Folder("b") + "\\";
    std::vector<std::string> paths{FileOf(a + "file10.txt", 3, 3), FileOf(b + "file3.txt", 1, 1), a + "gone.txt",
                                   FileOf(a + "File2.txt", 10, 2), FileOf(a + "zz.doc", 3, 4)};
    std::vector<std::string_view> texts{paths.begin(), paths.end()};
};

TEST_F(ListShape, SortsAsExplorerByNamesAndByTheFilesFactsWithMissingFilesLast)
{
    const std::tuple<SortKey, bool, std::vector<int>> cases[] = {
        {SortKey::Name, false, {3, 1, 0, 2, 4}},     {SortKey::Name, true, {4, 2, 0, 1, 3}},
        {SortKey::Folder, false, {3, 0, 2, 4, 1}},   {SortKey::Extension, false, {4, 3, 1, 0, 2}},
        {SortKey::Size, true, {3, 0, 4, 1, 2}},      {SortKey::Modified, false, {1, 3, 0, 4, 2}}};
    for (const auto& [key, descending, order] : cases)
        EXPECT_EQ(SortedBy(texts, key, descending), order) << static_cast<int>(key);
}

TEST_F(ListShape, RemoveMissingFindsTheEntriesOfGoneFilesAndCountsThem)
{
    DeleteFileA(paths[1].c_str());
    const MissingFiles missing = FindMissing(texts);
    EXPECT_EQ(missing.positions, (std::vector<int>{1, 2}));
    EXPECT_EQ(missing.message, "2 entries named files that no longer exist and were removed.");
}
