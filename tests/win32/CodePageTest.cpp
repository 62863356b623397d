// List files and folder names in the program as built (UTF-8) and, compiled
// into a second test program whose manifest does not ask for UTF-8, in the
// local code page Wine gives it (1252), as on Windows before 1903.
#include "TestSupport.h"
#include "common/FileText.h"
#include "forms/frmSel.h"
#include "services/FolderListing.h"
#include "services/ListFile.h"

#include <gtest/gtest.h>

namespace {

#ifdef QUORVEL_LOCAL_CODE_PAGE
constexpr bool kUtf8 = false;
#else
constexpr bool kUtf8 = true;
#endif
// "café" in the program's text; "Ελλάδα", which 1252 cannot hold, in UTF-8.
const std::string kCafe = kUtf8 ? "caf\xC3\xA9" : "caf\xE9";
const std::string kGreek = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1";

class CodePages : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(GetACP() == CP_UTF8, kUtf8); }
    TempFolder folder;
};

}  // namespace

TEST_F(CodePages, ListsAreWrittenInUtf8)
{
    const std::string list = folder.Path() + "\\list.txt";
    ASSERT_EQ(SaveListFile(list, {"C:\\" + kCafe}), "");
    EXPECT_EQ(FileBytes(list), "C:\\caf\xC3\xA9\r\n");
}

TEST_F(CodePages, ListsAreReadWholeAndLinesTheCodePageCannotHoldAreRefused)
{
    const std::string list = folder.Path() + "\\list.txt";
    const std::vector<std::string> held = kUtf8 ? std::vector<std::string>{"C:\\" + kCafe, "C:\\" + kGreek}
                                                : std::vector<std::string>{"C:\\" + kCafe};
    // UTF-8 as either build writes it, with a byte-order mark as some editors
    // write it; and the system's own code page, as older programs write it.
    for (const std::string& bytes : {"C:\\caf\xC3\xA9\r\nC:\\" + kGreek + "\r\n",
                                    "\xEF\xBB\xBF" "C:\\caf\xC3\xA9\r\nC:\\" + kGreek + "\r\n", std::string("C:\\caf\xE9\r\n")}) {
        WriteBytes(list, bytes);
        const ListFileContents contents = ReadListFile(list, 1024);
        EXPECT_EQ(contents.error, "");
        const bool greek = bytes.find(kGreek) != std::string::npos;
        EXPECT_EQ(contents.lines, greek ? held : std::vector<std::string>{"C:\\" + kCafe}) << bytes;
        EXPECT_EQ(contents.refused, greek && !kUtf8 ? 1u : 0u) << bytes;
    }
}

TEST_F(CodePages, AFolderListsTheNamesTheCodePageHoldsAndCountsTheRest)
{
    for (const wchar_t* name : {L"caf\u00e9.txt", L"\u0395\u03bb\u03bb\u03ac\u03b4\u03b1.txt"}) {
        const std::wstring path = std::wstring(folder.Path().begin(), folder.Path().end()) + L"\\" + name;
        CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    ListHost host;
    host.Load();
    const std::string problem = FillFileList(folder.Path(), host.LV, frmSel::Default().ImageList1, frmSel::Default().pIcon);
    std::vector<std::string> listed = ItemTexts(host.LV.hWnd());
    std::sort(listed.begin(), listed.end());
    std::vector<std::string> expected{folder.Path() + "\\" + kCafe + ".txt"};
    if (kUtf8) expected.push_back(folder.Path() + "\\" + kGreek + ".txt");
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(problem.find("1 name in " + folder.Path()) == 0, !kUtf8) << problem;
}
