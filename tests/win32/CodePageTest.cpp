// List files and folder names in the program as built (UTF-8) and, compiled
// into a second test program whose manifest does not ask for UTF-8, in the
// local code page Wine gives it (1252), as on Windows before 1903.
#include "TestSupport.h"
#include "common/FileText.h"
#include "forms/frmSel.h"
#include "services/FolderListing.h"
#include "services/ListFile.h"

#include <gtest/gtest.h>

#include <algorithm>

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

}  // namespace

TEST_F(CodePages, ListsAreWrittenInUtf8)
{
    ASSERT_EQ(SaveListFile(list, {kCafe}), "");
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
    const std::string problem = FillFileList(folder.Path(), host.LV, frmSel::Default().ImageList1, frmSel::Default().pIcon);
    std::vector<std::string> listed = ItemTexts(host.LV.hWnd());
    std::sort(listed.begin(), listed.end());
    std::vector<std::string> expected{folder.Path() + kCafe.substr(2)};
    if (kUtf8) expected.push_back(folder.Path() + "\\" + kGreek);
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(problem.find("1 name in " + folder.Path()) == 0, !kUtf8) << problem;
}
