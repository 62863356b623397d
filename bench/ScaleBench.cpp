// Timings of the real windows at scale: folders of 10,000 and 100,000 files of
// about 20 types (1% small programs with icons of their own, 3 subfolders),
// listed, transferred, selected (all, none, by pattern), cleared, pasted back
// and opened from a list file through the picker and the selection window;
// the list's orders by name, size and date worked out, and its missing files
// found; a tree listed with its
// subfolders; the program's start-up. Each figure is printed with its ratio to
// the floor: reading the folder (or walking the tree) and building each full
// path; painting a page of rows whose paths are shortened to fit has its ratio
// to painting them cut at the end instead. Floors and repeated listings are
// the best of three, the listings taken by turns with three more reads of the
// floor, which evens out the load of the machine. Prints figures; asserts
// nothing.
// Usage: quorvel_bench <program> [--baseline <program>] [--tree <folder>] <folder> [<folder>...]
// (scripts/bench.sh makes the folders). The program is sized up and started;
// a baseline program is started by turns with it, to compare start-ups.
#include "app/mdlMain.h"
#include "common/ClientPicture.h"
#include "forms/SharedState.h"
#include "forms/frmAdd.h"
#include "forms/frmSel.h"
#include "platform/Runtime.h"
#include "services/ListBulk.h"
#include "services/ListFile.h"
#include "services/PathData.h"
#include "services/SelectByPattern.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

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

constexpr int kTries = 3;

struct Floor {
    double milliseconds = 0;
    double pathBytes = 0;
    int files = 0;
};

// Reads the folder (and with `below` every folder under it) with
// FindFirstFileA / FindNextFileA, building each file's full path.
Floor ReadForFloor(const std::string& top, bool below)
{
    Floor floor;
    Stopwatch watch;
    std::vector<std::string> waiting{top};
    while (!waiting.empty()) {
        const std::string folder = std::move(waiting.back());
        waiting.pop_back();
        WIN32_FIND_DATAA found{};
        HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            const std::string path = folder + "\\" + found.cFileName;
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                floor.pathBytes += static_cast<double>(path.size());
                ++floor.files;
            } else if (below && std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0) {
                waiting.push_back(path);
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    floor.milliseconds = watch.Milliseconds();
    return floor;
}

Floor MeasureFloor(const std::string& folder, bool below)
{
    Floor floor = ReadForFloor(folder, below);
    for (int i = 1; i < kTries; ++i) floor.milliseconds = std::min(floor.milliseconds, ReadForFloor(folder, below).milliseconds);
    return floor;
}

// The picker lists a folder as after the chooser's OK, until the list is shown.
double ListUntilShown(frmAdd& picker, const std::string& folder)
{
    Stopwatch watch;
    picker.ListFolder(folder);
    PumpAndPaint(picker.LV.hWnd());
    return watch.Milliseconds();
}

// The best of three listings, each after a read of the floor that lowers the
// floor when quicker: a load on the machine that comes and goes then weighs
// on the listing and its floor alike.
double BestListingByTurns(frmAdd& picker, const std::string& folder, bool below, Floor& floor)
{
    double best = -1;
    for (int i = 0; i < kTries; ++i) {
        floor.milliseconds = std::min(floor.milliseconds, ReadForFloor(folder, below).milliseconds);
        const double listing = ListUntilShown(picker, folder);
        best = best < 0 ? listing : std::min(best, listing);
    }
    return best;
}

struct WindowSearch {
    DWORD process;
    bool found;
};

BOOL CALLBACK FindProgramWindow(HWND window, LPARAM data)
{
    auto& search = *reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[32] = {};
    GetClassNameA(window, name, sizeof(name));
    search.found = owner == search.process && IsWindowVisible(window) && std::strcmp(name, "QuorvelForm") == 0;
    return search.found ? FALSE : TRUE;
}

// Whether the process shows a window of the program's own. The callback is a
// function of its own: the 32-bit system calls it with its own convention,
// which a lambda cannot take.
bool ShowsAWindow(DWORD process)
{
    WindowSearch search{process, false};
    EnumWindows(FindProgramWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Milliseconds from starting the program until its selection window is shown
// and the program waits for input; -1 when it never was.
double StartUp(const std::string& program)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    std::string command = "\"" + program + "\"";
    const Stopwatch watch;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return -1;
    using ProcessHandle = UniqueHandle<NullHandleTraits<HANDLE, CloseHandle>>;
    const ProcessHandle process(started.hProcess), thread(started.hThread);
    double shown = -1;
    while (WaitForSingleObject(process.get(), 1) == WAIT_TIMEOUT && watch.Milliseconds() < 30000) {
        if (!ShowsAWindow(started.dwProcessId)) continue;
        WaitForInputIdle(process.get(), 10000);
        shown = watch.Milliseconds();
        break;
    }
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 10000);
    return shown;
}

// The middle of nine start-ups of each program, taken by turns.
void BenchStartUp(const std::string& program, const std::string& baseline)
{
    constexpr int kRuns = 9;
    std::vector<double> times, baseTimes;
    for (int i = 0; i < kRuns; ++i) {
        times.push_back(StartUp(program));
        if (!baseline.empty()) baseTimes.push_back(StartUp(baseline));
    }
    const auto middle = [](std::vector<double>& runs) {
        std::sort(runs.begin(), runs.end());
        return runs[runs.size() / 2];
    };
    std::printf("start-up until the selection window is shown (middle of %d)\n  %-44s %9.1f ms\n", kRuns,
                "this program", middle(times));
    if (!baseline.empty())
        std::printf("  %-44s %9.1f ms  %6.2fx baseline\n", "baseline program", middle(baseTimes),
                    middle(times) / middle(baseTimes));
}

// A key with Ctrl held in the list, as the keyboard gives it.
void PressWithCtrl(HWND list, WPARAM key)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(list, WM_KEYDOWN, key, 1);
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

// "Sort By" Name, Size and Date Modified and "Remove Missing" as the user
// gives them, by their keys in the full selection list: the reading of the
// files' sizes and dates, the order, and the list rearranged and repainted.
void BenchShaping(ListView& list, const Floor& floor)
{
    const std::string entries = std::to_string(list.ListItems.Count()) + " entries";
    const struct {
        const char* what;
        WPARAM key;
    } commands[] = {{"Sort By Name", '1'}, {"Sort By Size", '4'}, {"Sort By Date Modified", '5'},
                    {"Remove Missing among", VK_DELETE}};
    for (const auto& command : commands) {
        Stopwatch watch;
        PressWithCtrl(list.hWnd(), command.key);
        PumpAndPaint(list.hWnd());
        Report((std::string(command.what) + " " + (command.key == VK_DELETE ? "" : "of ") + entries).c_str(),
               watch.Milliseconds(), floor);
    }
}

// With the list just cleared: its undo and redo, then the move of a thousand
// entries spread over the list, selected, to its top; the list is left empty.
void BenchHistory(ListView& list, const Floor& floor)
{
    const auto timed = [&](const char* what, const std::function<bool()>& step) {
        Stopwatch watch;
        const bool done = step();
        PumpAndPaint(list.hWnd());
        Report(done ? what : "(refused)", watch.Milliseconds(), floor);
    };
    timed("undo of that Clear List", [&] { return list.Undo(); });
    timed("redo of it", [&] { return list.Redo(); });
    list.Undo();
    const int count = list.ListItems.Count();
    SetAllSelected(list, false);
    for (int i = 1; i <= count; i += std::max(1, count / 1000)) list.ListItems.Item(i).Selected(true);
    PumpAndPaint(list.hWnd());
    timed(("move " + std::to_string(GetSelCount(list)) + " selected entries to the top").c_str(),
          [&] { return list.MoveSelected(ListView::Where::Top); });
    ClearLV(list);
}

void BenchFolder(const std::string& folder, bool first)
{
    Floor floor = MeasureFloor(folder, false);
    frmSel& selection = frmSel::Default();
    selection.Show();
    frmAdd picker(selection.LV, selection.ImageList1, selection.pIcon);
    strCurFolder.clear();  // the picker opens on no folder; the chooser's OK lists one
    picker.Show();
    PumpAndPaint(picker.LV.hWnd());
    const double firstListing = ListUntilShown(picker, folder);
    const double listingAgain = BestListingByTurns(picker, folder, false, floor);
    std::printf("%s, %d files:\n  %-44s %9.1f ms\n", folder.c_str(), floor.files,
                "floor: read the folder, build each path", floor.milliseconds);
    Report(first ? "first listing of the process, OK until shown" : "listing, chooser's OK until shown", firstListing,
           floor);
    Report("listing again, chooser's OK until shown", listingAgain, floor);
    // Memory of a listing into a list that has held none (an emptied list
    // keeps its tables for the next): memory the earlier listings freed may
    // be in the heap already, so this is the least it takes.
    const double pickerBytes = [&] {
        frmAdd fresh(selection.LV, selection.ImageList1, selection.pIcon);
        strCurFolder.clear();
        fresh.Show();
        const double before = PrivateBytes();
        ListUntilShown(fresh, folder);
        const double bytes = (PrivateBytes() - before - floor.pathBytes) / floor.files;
        fresh.Unload();
        return bytes;
    }();
    ListUntilShown(picker, folder);
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
    BenchShaping(selection.LV, floor);
    const std::vector<std::string> listed = AllPaths(selection.LV);
    {
        Stopwatch watch;
        SendMessageA(FindWindowExA(selection.hWnd(), nullptr, "BUTTON", "Clear List"), BM_CLICK, 0, 0);
        PumpAndPaint(selection.LV.hWnd());
        Report(("Clear List of " + std::to_string(listed.size()) + " entries").c_str(), watch.Milliseconds(), floor);
    }
    BenchHistory(selection.LV, floor);
    // A list file of every file, opened into the emptied list as Open List
    // opens the file chosen.
    char temporary[MAX_PATH] = {};
    const std::string list = std::string(temporary, GetTempPathA(MAX_PATH, temporary)) + "quorvel-bench-list.txt";
    if (SaveList(list, listed).failure.empty()) {
        Stopwatch watch;
        selection.OpenListFile(list);
        PumpAndPaint(selection.LV.hWnd());
        const int entries = static_cast<int>(SendMessageA(selection.LV.hWnd(), LVM_GETITEMCOUNT, 0, 0));
        Report(("Open List of " + std::to_string(entries) + " paths into the empty list").c_str(),
               watch.Milliseconds(), floor);
        DeleteFileA(list.c_str());
    }
    // The list as a table, each file's size and dates read as it is written.
    const std::string table = list.substr(0, list.size() - 3) + "csv";
    {
        Stopwatch watch;
        if (SaveList(table, listed).failure.empty())
            Report(("CSV of " + std::to_string(listed.size()) + " entries").c_str(), watch.Milliseconds(), floor);
        DeleteFileA(table.c_str());
    }
    ClearLV(selection.LV);
    // As Explorer's Copy leaves them: a shell file list of every file.
    if (CopyPaths(selection.hWnd(), listed).empty()) {
        Stopwatch watch;
        PressWithCtrl(selection.LV.hWnd(), 'V');
        PumpAndPaint(selection.LV.hWnd());
        const int entries = static_cast<int>(SendMessageA(selection.LV.hWnd(), LVM_GETITEMCOUNT, 0, 0));
        Report(("Paste of " + std::to_string(entries) + " files into the empty list").c_str(), watch.Milliseconds(),
               floor);
    }
    std::printf("  memory per entry beyond the path text: picker %.0f bytes, selection list %.0f bytes\n",
                pickerBytes, selectionBytes);
    picker.Unload();
    ClearLV(selection.LV);  // the next folder starts with an empty selection list
}

// The first folder holding files found going down the first folders of the tree.
std::string FolderWithFiles(std::string folder)
{
    for (;;) {
        WIN32_FIND_DATAA found{};
        const FindHandle search(FindFirstFileA((folder + "\\*.*").c_str(), &found));
        std::string below;
        if (search) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return folder;
                if (below.empty() && found.cFileName[0] != '.') below = folder + "\\" + found.cFileName;
            } while (FindNextFileA(search.get(), &found));
        }
        if (below.empty()) return folder;
        folder = below;
    }
}

// Lists the tree with its subfolders, and the memory that takes.
void BenchTree(const std::string& tree)
{
    Floor floor = MeasureFloor(tree, true);
    // Loaded, not shown: its image list and drawing surface serve the picker.
    frmSel& selection = frmSel::Default();
    selection.Load();
    frmAdd picker(selection.LV, selection.ImageList1, selection.pIcon);
    strCurFolder.clear();
    picker.Show();
    // A folder of the tree first, so that the shell's own start (its icons
    // of the types) is not counted as the entries' memory.
    ListUntilShown(picker, FolderWithFiles(tree));
    ClearLV(picker.LV);
    blnSubfolders = true;
    const double memoryBefore = PrivateBytes();
    const double first = ListUntilShown(picker, tree);
    const double bytes = (PrivateBytes() - memoryBefore - floor.pathBytes) / floor.files;
    const double best = std::min(first, BestListingByTurns(picker, tree, true, floor));
    std::printf("%s, %d files in its folders:\n  %-44s %9.1f ms\n", tree.c_str(), floor.files,
                "floor: walk the tree, build each path", floor.milliseconds);
    Report("listing with subfolders, until shown", best, floor);
    std::printf("  memory per entry beyond the path text: %.0f bytes\n", bytes);
    blnSubfolders = false;
    picker.Unload();
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> folders;
    std::string baseline, tree;
    for (int i = 2; i < argc; ++i) {
        const std::string word = argv[i];
        if ((word == "--baseline" || word == "--tree") && i + 1 < argc)
            (word == "--tree" ? tree : baseline) = argv[++i];
        else
            folders.push_back(word);
    }
    if (argc < 2 || (folders.empty() && tree.empty())) {
        std::fprintf(stderr, "usage: quorvel_bench <program> [--baseline <program>] [--tree <folder>] <folder>...\n");
        return 2;
    }
    const std::string program = argv[1];
    WIN32_FILE_ATTRIBUTE_DATA file{};
    if (!folders.empty() && GetFileAttributesExA(program.c_str(), GetFileExInfoStandard, &file)) {
        std::printf("program file: %lu bytes\n", file.nFileSizeLow);
        BenchStartUp(program, baseline);
    }
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_USEREX_CLASSES};
    InitCommonControlsEx(&controls);
    MakeWindows();
    // A tree is listed first, so that its memory is measured in a heap that
    // has held no listing before.
    if (!tree.empty()) BenchTree(tree);
    for (std::size_t i = 0; i < folders.size(); ++i) BenchFolder(folders[i], i == 0 && tree.empty());
    OleUninitialize();
    return 0;
}
