// The list's shapes through the platform: text alone on the clipboard, files
// of each format written from real files and read back, and standard output.
#include "TestSupport.h"
#include "app/ListOutput.h"
#include "app/mdlMain.h"
#include "common/FileText.h"
#include "forms/frmSel.h"
#include "platform/CodePage.h"
#include "platform/Handles.h"
#include "platform/Runtime.h"
#include "services/ListCommands.h"
#include "services/ListFile.h"
#include "services/PathText.h"

#include <gtest/gtest.h>

#include <thread>

TEST(ListShapes, ACommandLineIsCopiedAsTextAloneAndSplitsBackIntoThePaths)
{
    const std::vector<std::string> paths = {"C:\\a b\\x.txt", "C:\\p&q;r=s!t%u^v,w(x)'y\\z.txt", "C:\\plain\\n.txt",
                                            "C:\\\xE8\xA1\xA8 \xD0\xB6\\"};
    frmSel& window = frmSel::Default();
    window.Show();
    for (const auto& path : paths) window.LV.ListItems.Add(path, "");
    SetItemState(window.LV.hWnd(), -1, LVIS_SELECTED, LVIS_SELECTED);
    PressKeys(window.LV.hWnd(), 'C', 3);  // Ctrl+Shift+C: "Copy As", "Command Line"
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_HDROP));  // pasted into a folder, it copies nothing
    const auto* text = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
    const std::wstring line = text ? text : L"";
    GlobalUnlock(GetClipboardData(CF_UNICODETEXT));
    CloseClipboard();
    int count = 0;
    const LocalMemory block(CommandLineToArgvW((L"program " + line).c_str(), &count));
    ASSERT_TRUE(block);
    std::vector<std::string> split;
    for (int i = 1; i < count; ++i) ASSERT_TRUE(ToCodePage(static_cast<LPWSTR*>(block.get())[i], split.emplace_back()));
    EXPECT_EQ(split, paths);
}

TEST(ListShapes, EachFormatOfOutputIsWrittenFromTheFilesAndReadBackWhole)
{
    TempFolder folder;
    const std::string name = "a, =b #\xE8\xA1\xA8.txt";
    const std::string file = folder.File(name);
    const SYSTEMTIME local{2026, 12, 1, 7, 23, 48, 40, 0};
    FILETIME localTicks{}, utc{};
    ASSERT_TRUE(SystemTimeToFileTime(&local, &localTicks) && LocalFileTimeToFileTime(&localTicks, &utc));
    {
        const File handle(
            CreateFileW(ToUtf16(file).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(SetFileTime(handle.get(), &utc, nullptr, &utc));
    }
    const std::vector<std::string> paths = {file, folder.Path() + "\\gone.txt"};
    for (const char* extension : {".txt", ".csv", ".tsv", ".m3u8"}) {
        const std::string output = folder.Path() + "\\out" + extension;
        requestedOutput = ListOutput();
        ASSERT_EQ(requestedOutput.Request(output), "");
        EXPECT_EQ(requestedOutput.WriteAtClose(paths), "");
        EXPECT_EQ(App.ExitCode(), 0) << extension;  // written whole, the gone file too
        const ListFileContents contents = ReadListFile(output, 1 << 20);
        std::vector<std::string> read(contents.lines.size());
        for (std::size_t i = 0; i < read.size(); ++i) {
            EXPECT_TRUE(ListLineInCodePage(contents, i, read[i]));
            read[i] = ListLinePath(output, read[i]);
        }
        EXPECT_EQ(read, paths) << extension;
    }
    EXPECT_EQ(FileBytes(folder.Path() + "\\out.csv"),
              "\xEF\xBB\xBFPath,Name,Folder,Extension,Size,Modified,Created,Attributes\r\n\"" + file + "\",\"" + name +
                  "\"," + folder.Path() + ",txt,7,2026-12-07 23:48:40,2026-12-07 23:48:40,A\r\n" + paths[1] +
                  ",gone.txt," + folder.Path() + ",txt,,,,\r\n");
    const SavedList saved = SaveList(folder.Path() + "\\again.tsv", paths);
    EXPECT_EQ(saved.gone, 1u);
    EXPECT_EQ(GoneMessage(saved.gone),
              "1 entry names a file that no longer exists; the list has no size or dates for it.");
}

TEST(ListShapes, DashOWritesThePathsIntoAPipeAndIsRefusedWithoutOne)
{
    const HANDLE standardOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    HANDLE read = nullptr, write = nullptr;
    ASSERT_TRUE(CreatePipe(&read, &write, nullptr, 0));
    SetStdHandle(STD_OUTPUT_HANDLE, write);
    ASSERT_TRUE(Main("-o -"));
    std::string piped;
    std::thread reader([&] {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(read, buffer, sizeof(buffer), &got, nullptr) && got > 0) piped.append(buffer, got);
    });
    const std::vector<std::string> paths = {"C:\\a b.txt", "D:\\\xE8\xA1\xA8.csv"};
    for (const auto& path : paths) frmSel::Default().LV.ListItems.Add(path, "");
    SendMessageA(frmSel::Default().hWnd(), WM_CLOSE, 0, 0);
    CloseHandle(write);
    reader.join();
    CloseHandle(read);
    EXPECT_EQ(piped, ListText(paths));
    EXPECT_EQ(App.ExitCode(), 0);

    requestedOutput = ListOutput();
    App.ExitCode(0);
    SetStdHandle(STD_OUTPUT_HANDLE, nullptr);  // as a program started from Explorer
    EXPECT_NE(requestedOutput.Request("-").find("cannot be written to standard output"), std::string::npos);
    EXPECT_EQ(App.ExitCode(), 0);  // nothing asked
    SetStdHandle(STD_OUTPUT_HANDLE, standardOutput);
    const std::pair<DWORD, bool> types[] = {{FILE_TYPE_DISK, true}, {FILE_TYPE_PIPE, true}, {FILE_TYPE_CHAR, false},
                                            {FILE_TYPE_UNKNOWN, false}, {FILE_TYPE_REMOTE, false}};
    for (const auto& [type, takes] : types) EXPECT_EQ(TakesAList(type), takes) << type;
}
