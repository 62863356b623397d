// Timings of the real windows at scale: folders of 10,000 and 100,000 files of
// about 20 types (1% small programs with icons of their own, 3 subfolders),
// listed, transferred, selected (all, none, by pattern), cleared and pasted
// back through the picker and the selection window. Each figure is printed with
// its ratio to the floor: reading the folder and building each full path;
// painting a page of rows whose paths are shortened to fit has its ratio to
// painting them cut at the end instead. Prints figures; asserts nothing.
// Usage: quorvel_bench <program file to size up> <folder> [<folder>...]
// (scripts/bench.sh makes the folders).
#include "app/mdlMain.h"
#include "common/ClientPicture.h"
#include "forms/SharedState.h"
#include "forms/frmAdd.h"
#include "forms/frmSel.h"
#include "platform/Runtime.h"
#include "services/ListBulk.h"
#include "services/PathData.h"
#include "services/SelectByPattern.h"

#include <cstdio>
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

void PumpAndPaint(HWND list)
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    UpdateWindow(list);  // the rows shown ask for their icons
}

// Committed private memory of the process.
double PrivateBytes()
{
    double total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* at = nullptr; VirtualQuery(at, &region, sizeof(region)) == sizeof(region);) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += static_cast<double>(region.RegionSize);
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at) break;
        at = next;
    }
    return total;
}

struct Floor {
    double milliseconds = 0;
    double pathBytes = 0;
    int files = 0;
};

Floor MeasureFloor(const std::string& folder)
{
    Floor floor;
    Stopwatch watch;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return floor;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::string path = folder + "\\" + found.cFileName;
        floor.pathBytes += static_cast<double>(path.size());
        ++floor.files;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    floor.milliseconds = watch.Milliseconds();
    return floor;
}

// Ctrl+V in the list, as the keyboard gives it.
void PressCtrlV(HWND list)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(list, WM_KEYDOWN, 'V', 1);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}

void Report(const char* what, double milliseconds, const Floor& floor)
{
    std::printf("  %-44s %9.1f ms  %6.2fx floor\n", what, milliseconds, milliseconds / floor.milliseconds);
    std::fflush(stdout);
}

// Paints the rows in view into a bitmap, by turns through the program's list,
// which shortens entries too wide for the column, and straight through the
// system's list view, which cuts them at the end (taking turns evens out the
// load of the machine); prints the milliseconds of each.
void BenchPaint(HWND list)
{
    // A column narrower than every path, so that each row in view is shortened.
    const LRESULT width = SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0);
    SendMessageA(list, LVM_SETCOLUMNWIDTH, 0, 160);
    const ClientPicture picture(list);
    const auto systemList = reinterpret_cast<WNDPROC>(GetClassLongPtrA(list, GCLP_WNDPROC));
    picture.Print(list);  // the rows' icons are drawn once
    constexpr int kTimes = 200;
    double cut = 0, shortened = 0;
    for (int i = 0; i < kTimes; ++i) {
        const Stopwatch first;
        picture.Print(list, systemList);
        cut += first.Milliseconds();
        const Stopwatch second;
        picture.Print(list);
        shortened += second.Milliseconds();
    }
    SendMessageA(list, LVM_SETCOLUMNWIDTH, 0, width);
    const auto rows = static_cast<int>(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));
    std::printf("  %-44s %9.2f ms\n  %-44s %9.2f ms  %6.2fx cut\n",
                ("paint a page of " + std::to_string(rows) + " rows, cut at the end").c_str(), cut / kTimes,
                "the same page shortened in the middle", shortened / kTimes, shortened / cut);
}

void BenchFolder(const std::string& folder)
{
    const Floor floor = MeasureFloor(folder);
    std::printf("%s, %d files:\n  %-44s %9.1f ms\n", folder.c_str(), floor.files,
                "floor: read the folder, build each path", floor.milliseconds);
    frmSel& selection = frmSel::Default();
    selection.Show();
    frmAdd picker(selection.LV, selection.ImageList1, selection.pIcon);
    strCurFolder = folder;
    {
        Stopwatch watch;
        picker.Show();
        PumpAndPaint(picker.LV.hWnd());
        Report("listing, until the list is shown", watch.Milliseconds(), floor);
    }
    picker.Unload();
    // Memory from the second listing on: the first also sets up the shell.
    const double memoryBefore = PrivateBytes();
    {
        Stopwatch watch;
        picker.Show();
        PumpAndPaint(picker.LV.hWnd());
        Report("second listing of the same folder", watch.Milliseconds(), floor);
    }
    const double pickerBytes = (PrivateBytes() - memoryBefore - floor.pathBytes) / floor.files;
    HWND add = picker.cmdAdd.hWnd();
    const double beforeTransfer = PrivateBytes();
    {
        SetAllSelected(picker.LV, true);
        Stopwatch watch;
        SendMessageA(add, BM_CLICK, 0, 0);
        PumpAndPaint(selection.LV.hWnd());
        Report("\"Add\" of all into the empty selection list", watch.Milliseconds(), floor);
    }
    const double selectionBytes = (PrivateBytes() - beforeTransfer - floor.pathBytes) / floor.files;
    {
        SetAllSelected(picker.LV, true);
        Stopwatch watch;
        SendMessageA(add, BM_CLICK, 0, 0);
        PumpAndPaint(selection.LV.hWnd());
        Report("\"Add\" again, all already there", watch.Milliseconds(), floor);
    }
    BenchPaint(selection.LV.hWnd());
    {
        Stopwatch watch;
        SetAllSelected(picker.LV, true);
        PumpAndPaint(picker.LV.hWnd());
        Report("Select All", watch.Milliseconds(), floor);
    }
    {
        Stopwatch watch;
        SetAllSelected(picker.LV, false);
        PumpAndPaint(picker.LV.hWnd());
        Report("Select None", watch.Milliseconds(), floor);
    }
    {
        Stopwatch watch;
        SelectMatching(picker.LV, "*.txt;*.png", true);
        PumpAndPaint(picker.LV.hWnd());
        const double milliseconds = watch.Milliseconds();
        Report(("Select Matching *.txt;*.png, " + std::to_string(GetSelCount(picker.LV)) + " chosen").c_str(),
               milliseconds, floor);
    }
    const std::vector<std::string> listed = AllPaths(selection.LV);
    {
        Stopwatch watch;
        SendMessageA(FindWindowExA(selection.hWnd(), nullptr, "BUTTON", "Clear List"), BM_CLICK, 0, 0);
        PumpAndPaint(selection.LV.hWnd());
        Report(("Clear List of " + std::to_string(listed.size()) + " entries").c_str(), watch.Milliseconds(), floor);
    }
    // As Explorer's Copy leaves them: a shell file list of every file.
    if (CopyPaths(selection.hWnd(), listed).empty()) {
        Stopwatch watch;
        PressCtrlV(selection.LV.hWnd());
        PumpAndPaint(selection.LV.hWnd());
        const int entries = static_cast<int>(SendMessageA(selection.LV.hWnd(), LVM_GETITEMCOUNT, 0, 0));
        Report(("Paste of " + std::to_string(entries) + " files into the empty list").c_str(), watch.Milliseconds(),
               floor);
    }
    std::printf("  memory per entry beyond the path text: picker %.0f bytes, selection list %.0f bytes\n",
                pickerBytes, selectionBytes);
    picker.Unload();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: quorvel_bench <program file> <folder> [<folder>...]\n");
        return 2;
    }
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_USEREX_CLASSES};
    InitCommonControlsEx(&controls);
    MakeWindows();
    WIN32_FILE_ATTRIBUTE_DATA program{};
    if (GetFileAttributesExA(argv[1], GetFileExInfoStandard, &program))
        std::printf("program file: %lu bytes\n", program.nFileSizeLow);
    for (int i = 2; i < argc; ++i) BenchFolder(argv[i]);
    OleUninitialize();
    return 0;
}
