// Timings of the folder listing and of the list at large sizes, under the real
// shell and controls. Prints figures; asserts nothing.
#include "forms/frmSel.h"
#include "platform/Runtime.h"
#include "services/FolderListing.h"
#include "services/ListBulk.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class Stopwatch {
public:
    Stopwatch() { QueryPerformanceCounter(&start_); }
    double Milliseconds() const
    {
        LARGE_INTEGER now, frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) / static_cast<double>(frequency.QuadPart);
    }

private:
    LARGE_INTEGER start_;
};

class BenchList : public Form {
public:
    explicit BenchList(bool sorted) : Form({"Bench", 4110, 4740, WS_OVERLAPPEDWINDOW, 0, false}), sorted_(sorted) {}
    ListView LV;

private:
    void CreateControls() override
    {
        LV.Create(hWnd(), 100, {{0, 0, 4110, 4740}, "File Name", sorted_, 0x80000005, 0x80000008});
    }
    bool sorted_;
};

// Files of six types; with applications, one in six is an ".exe" with an icon of its own.
std::string MakeFolder(int files, bool applications)
{
    char base[MAX_PATH] = {};
    GetTempPathA(sizeof(base), base);
    const std::string folder =
        std::string(base) + "quorvel-bench-" + std::to_string(files) + (applications ? "-exe" : "-documents");
    CreateDirectoryA(folder.c_str(), nullptr);
    const char* extensions[] = {".txt", ".bmp", ".ini", applications ? ".exe" : ".doc", ".dat", ".bat"};
    for (int i = 0; i < files; ++i) {
        const std::string path = folder + "\\file" + std::to_string(i) + extensions[i % 6];
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
    return folder;
}

void BenchListing(int files, bool applications)
{
    const std::string folder = MakeFolder(files, applications);
    frmSel& selection = frmSel::Default();
    BenchList picker(true);
    picker.Show();
    picker.LV.SmallIcons(selection.ImageList1);
    for (int run = 1; run <= 3; ++run) {
        ClearLV(picker.LV);
        picker.LV.Visible(false);
        Stopwatch watch;
        FillFileList(folder, picker.LV, selection.ImageList1, selection.pIcon);
        picker.LV.Visible(true);
        std::fflush(stdout);
        std::printf("listing %5d files (%s, run %d): %8.1f ms, %d images stored\n", files,
                    applications ? "1 in 6 an application" : "documents of 6 types", run, watch.Milliseconds(),
                    ImageList_GetImageCount(selection.ImageList1.Handle()));
    }
}

void BenchLargeList(int entries)
{
    BenchList source(true), target(false);
    source.Show();
    target.Show();
    {
        Stopwatch watch;
        source.LV.Visible(false);
        for (int i = entries; i > 0; --i) source.LV.ListItems.Add("C:\\big\\file" + std::to_string(i) + ".txt", "");
        source.LV.Visible(true);
        std::printf("adding %d entries to a sorted list, then showing it: %8.1f ms\n", entries, watch.Milliseconds());
    }
    {
        Stopwatch watch;
        source.LV.SortOrder(1);
        std::printf("reversing the sort of %d entries: %8.1f ms\n", entries, watch.Milliseconds());
    }
    {
        Stopwatch watch;
        SetAllSelected(source.LV, true);
        const int count = GetSelCount(source.LV);
        std::printf("selecting and counting all %d entries: %8.1f ms\n", count, watch.Milliseconds());
    }
    {
        // The transfer's work: one search of the growing list per entry, then one add.
        Stopwatch watch;
        for (int i = 1; i <= entries; ++i) {
            ListItem entry = source.LV.ListItems.Item(i);
            entry.Selected(false);
            if (!target.LV.FindItem(entry.Text())) target.LV.ListItems.Add(entry.Text(), entry.SmallIcon());
        }
        target.LV.Refresh();
        std::printf("transferring %d entries with the duplicate check: %8.1f ms\n", entries, watch.Milliseconds());
    }
    {
        Stopwatch watch;
        ClearLV(source.LV);
        ClearLV(target.LV);
        std::printf("clearing both lists: %8.1f ms\n", watch.Milliseconds());
    }
}

}  // namespace

int main(int argc, char** argv)
{
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_USEREX_CLASSES};
    InitCommonControlsEx(&controls);
    const int large = argc > 1 ? std::atoi(argv[1]) : 100000;
    BenchListing(1000, false);
    BenchListing(1000, true);
    BenchListing(10000, false);
    BenchLargeList(large);
    OleUninitialize();
    return 0;
}
