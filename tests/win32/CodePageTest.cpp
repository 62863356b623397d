// List files and folder names in the program as built (UTF-8) and, compiled
// into a second test program whose manifest does not ask for UTF-8, in the
// local code page Wine gives it (1252), as on Windows before 1903; that
// program runs once more under a Japanese locale, in code page 932.
#include "TestSupport.h"
#include "common/FileText.h"
#include "forms/frmSel.h"
#include "platform/DropFiles.h"
#include "platform/Handles.h"
#include "services/FolderListing.h"
#include "services/ListCommands.h"
#include "services/ListFile.h"
#include "services/PathText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

#ifdef QUORVEL_LOCAL_CODE_PAGE
constexpr bool kUtf8 = false;
#else
constexpr bool kUtf8 = true;
#endif
// "C:\café" in the program's text; "Ελλάδα", which 1252 cannot hold, in UTF-8.
const std::string kCafe = kUtf8 ? "C:\\caf\xC3\xA9" : "C:\\caf\xE9";
const std::string kGreek = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1";

class CodePages : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(GetACP() == CP_UTF8, kUtf8); }
    TempFolder folder;
    const std::string list = folder.Path() + "\\list.txt";
};

// In code page 932 the second byte of "表" (0x95 0x5C) and "ソ" (0x83 0x5C) is
// the byte of a backslash.
const std::string kHyo = "\x95\x5C", kSo = "\x83\x5C";

class JapaneseCodePage : public testing::Test {
protected:
    void SetUp() override
    {
        // The run made for this code page says so: it must not skip.
        if (const char* expected = std::getenv("QUORVEL_CODE_PAGE")) {
            ASSERT_EQ(GetACP(), std::strtoul(expected, nullptr, 10));
        }
        if (GetACP() != 932) GTEST_SKIP() << "the names are code page 932's, and this program runs in " << GetACP();
    }
    TempFolder folder;
};

}  // namespace

TEST_F(CodePages, AnEightBitFileListIsReadInTheSystemsCodePageAsItsSenderWroteIt)
{
    const std::string cafe = folder.File(kCafe.substr(3) + ".txt");
    const std::string sent = folder.Path() + "\\caf\xE9.txt";  // code page 1252, the system's here
    const GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + sent.size() + 2));
    auto* header = static_cast<DROPFILES*>(GlobalLock(block.get()));
    header->pFiles = sizeof(DROPFILES);
    sent.copy(reinterpret_cast<char*>(header + 1), sent.size());
    GlobalUnlock(block.get());
    EXPECT_EQ(FileListNames(block.get()), std::vector<std::string>{cafe});
}

TEST_F(CodePages, ListsAreWrittenInUtf8)
{
    ASSERT_EQ(SaveList(list, {kCafe}).failure, "");
    EXPECT_EQ(FileBytes(list), "C:\\caf\xC3\xA9\r\n");
}

TEST_F(CodePages, ListsAreReadWholeAndLinesTheCodePageCannotHoldAreRefused)
{
    // UTF-8 as either build writes it, or with a byte-order mark; and the
    // system's own code page, as older programs write it.
    const std::string utf8 = "C:\\caf\xC3\xA9\r\nC:\\" + kGreek + "\r\n";
    for (const std::string& bytes : {utf8, "\xEF\xBB\xBF" + utf8, std::string("C:\\caf\xE9\r\n")}) {
        WriteBytes(list, bytes);
        const ListFileContents contents = ReadListFile(list, 1024);
        const bool greek = bytes.find(kGreek) != std::string::npos;
        std::vector<std::string> expected{kCafe};
        if (greek && kUtf8) expected.push_back("C:\\" + kGreek);
        std::vector<std::string> lines;
        std::size_t refused = 0;
        for (std::size_t i = 0; i < contents.lines.size(); ++i) {
            std::string line;
            if (ListLineInCodePage(contents, i, line)) lines.push_back(line);
            else ++refused;
        }
        EXPECT_EQ(lines, expected) << bytes;
        EXPECT_EQ(refused, greek && !kUtf8 ? 1u : 0u) << bytes;
    }
}

TEST_F(CodePages, AFolderListsTheNamesTheCodePageHoldsAndCountsTheRest)
{
    const std::wstring base(folder.Path().begin(), folder.Path().end());  // ASCII
    for (const wchar_t* name : {L"\\caf\u00e9", L"\\\u0395\u03bb\u03bb\u03ac\u03b4\u03b1"})
        CloseHandle(CreateFileW((base + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ListHost host;
    host.Load();
    const std::string problem = ListFiles(folder.Path(), host.LV, frmSel::Default().ImageList1, frmSel::Default().pIcon);
    std::vector<std::string> listed = ItemTexts(host.LV.hWnd());
    std::sort(listed.begin(), listed.end());
    std::vector<std::string> expected{folder.Path() + kCafe.substr(2)};
    if (kUtf8) expected.push_back(folder.Path() + "\\" + kGreek);
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(problem.find("1 name in " + folder.Path()) == 0, !kUtf8) << problem;
}

TEST_F(JapaneseCodePage, NamesWithBackslashTrailBytesAreListedAddedSavedAndOpenedWhole)
{
    // The folder's name ends with such a byte, and so does a file's name.
    const std::string inside = folder.Folder(kHyo + kSo);
    const std::vector<std::string> files{folder.File(kHyo + kSo + "\\" + kSo + kHyo + ".txt"),
                                         folder.File(kHyo + kSo + "\\" + kHyo)};  // in byte order
    frmSel& selection = frmSel::Default();
    ListHost picker;
    picker.Load();
    const auto carryOn = [](unsigned long long) { return true; };
    ASSERT_EQ(FillTreeList(inside, false, picker.LV, selection.ImageList1, selection.pIcon, carryOn).problem, "");
    std::vector<std::string> listed = ItemTexts(picker.LV.hWnd());
    std::sort(listed.begin(), listed.end());
    ASSERT_EQ(listed, files);

    ListHost added;
    added.Load();
    EXPECT_EQ(AddAll(files, added.LV, selection.ImageList1, selection.pIcon, false), 2u);
    const std::string list = inside + "\\" + kHyo + ".txt";
    ASSERT_EQ(SaveList(list, ItemTexts(added.LV.hWnd())).failure, "");

    const ListFileContents contents = ReadListFile(list, 1024);
    std::vector<std::string> paths(contents.lines.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        ASSERT_TRUE(ListLineInCodePage(contents, i, paths[i]));
        paths[i] = ListLinePath(list, paths[i]);
    }
    ListHost opened;
    opened.Load();
    const Taking taken = TakeFiles(PathsOf(paths), {opened.LV, selection.ImageList1, selection.pIcon, false, nullptr},
                                   "line", "", [](std::size_t, std::size_t) { return true; });
    EXPECT_EQ(taken.message, "");
    EXPECT_EQ(ItemTexts(opened.LV.hWnd()), files);
}
