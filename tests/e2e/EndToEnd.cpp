// Drives the real quorvel.exe from another process, as a user would: opens the
// picker, chooses a folder in the shell's chooser, selects two files, adds them
// and closes the program. Usage: quorvel_e2e <path of quorvel.exe> [seconds to
// keep the windows open at the end, for screenshots [file to create then
// [file to create once the main list's pop-up menu is open]]]
#include "common/FileText.h"
#include "common/FolderFiles.h"
#include "platform/Win32.h"

#include <shlwapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

int failures = 0;

void Check(bool ok, const char* what)
{
    std::printf("%s %s\n", ok ? "ok:  " : "FAIL:", what);
    if (!ok) ++failures;
}

bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds = 15000)
{
    for (DWORD waited = 0; waited < milliseconds; waited += 50) {
        if (condition()) return true;
        Sleep(50);
    }
    return condition();
}

// Memory in the program's process, for messages that pass pointers.
class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, SIZE_T size)
        : process_(process), size_(size),
          address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))
    {
    }
    ~RemoteBuffer()
    {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    LPARAM Address() const { return reinterpret_cast<LPARAM>(address_); }
    void Write(const void* data, SIZE_T size, SIZE_T offset = 0)
    {
        WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, nullptr);
    }
    void Read(void* data, SIZE_T size, SIZE_T offset = 0) const
    {
        ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, nullptr);
    }

private:
    HANDLE process_;
    SIZE_T size_;
    void* address_;
};

HWND FindProgramWindow(DWORD processId, const char* windowClass, const char* caption)
{
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, windowClass, caption));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == processId && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

int Count(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

std::string RemoteItemText(HANDLE process, HWND list, int position)
{
    RemoteBuffer buffer(process, sizeof(LVITEMA) + 1024);
    LVITEMA item{};
    item.pszText = reinterpret_cast<char*>(buffer.Address() + sizeof(LVITEMA));
    item.cchTextMax = 1024;
    buffer.Write(&item, sizeof(item));
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(position), buffer.Address());
    char text[1024] = {};
    buffer.Read(text, sizeof(text) - 1, sizeof(LVITEMA));
    return text;
}

POINT RemoteItemCentre(HANDLE process, HWND list, int position)
{
    RemoteBuffer buffer(process, sizeof(RECT));
    RECT row{LVIR_LABEL, 0, 0, 0};
    buffer.Write(&row, sizeof(row));
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(position), buffer.Address());
    buffer.Read(&row, sizeof(row));
    return {(row.left + row.right) / 2, (row.top + row.bottom) / 2};
}

void Click(HANDLE process, HWND list, int position, WPARAM keys)
{
    const POINT at = RemoteItemCentre(process, list, position);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(at.x, at.y));
    PostMessageA(list, WM_LBUTTONUP, keys, MAKELPARAM(at.x, at.y));
}

std::string WindowsPath(const std::string& path)
{
    if (path.empty() || path[0] != '/') return path;
    std::string windows = "Z:" + path;  // Wine maps Z: to the Unix root
    for (char& c : windows)
        if (c == '/') c = '\\';
    return windows;
}

std::string MakeFolder()
{
    char base[MAX_PATH] = {};
    GetTempPathA(sizeof(base), base);
    // A long name, as real folders have: the lists show their entries shortened.
    const std::string folder = std::string(base) + "Quorvel demo " + std::to_string(GetCurrentProcessId()) +
                               " - letters, reports and settings of the quarter";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* name : {"notes.txt", "picture.bmp", "setup.exe", "settings.ini"}) {
        HANDLE file = CreateFileA((folder + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(file);
    }
    return folder;
}

void RemoveFolder(const std::string& folder)
{
    for (const char* name : {"notes.txt", "picture.bmp", "setup.exe", "settings.ini"})
        DeleteFileA((folder + "\\" + name).c_str());
    RemoveDirectoryA(folder.c_str());
}

// Every file and folder in a folder with its size and last write time, one per line.
std::string FolderState(const std::string& folder)
{
    std::string state;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return state;
    do {
        if (found.cFileName == std::string(".") || found.cFileName == std::string("..")) continue;  // their times follow the neighbours
        char line[MAX_PATH + 64];
        std::snprintf(line, sizeof(line), "%s %lu %lu %lu\n", found.cFileName, found.nFileSizeLow,
                      found.ftLastWriteTime.dwLowDateTime, found.ftLastWriteTime.dwHighDateTime);
        state += line;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return state;
}

// Whether a registry key below this one has "quorvel" in its name.
bool RegistryMentionsQuorvel(HKEY key, int depth = 0)
{
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof(name);
        if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) return false;
        if (StrStrIA(name, "quorvel")) return true;
        HKEY child = nullptr;
        if (depth < 6 && RegOpenKeyExA(key, name, 0, KEY_READ, &child) == ERROR_SUCCESS) {
            const bool found = RegistryMentionsQuorvel(child, depth + 1);
            RegCloseKey(child);
            if (found) return true;
        }
    }
}

bool SettingsFolderMentionsQuorvel(const char* variable)
{
    char folder[MAX_PATH] = {};
    if (!GetEnvironmentVariableA(variable, folder, sizeof(folder))) return false;
    return StrStrIA(FolderState(folder).c_str(), "quorvel") != nullptr;
}

bool Launch(const std::string& quorvel, const std::string& arguments, PROCESS_INFORMATION& program)
{
    std::string commandLine = "\"" + quorvel + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &program))
        return true;
    std::printf("FAIL: quorvel.exe did not start (%lu)\n", GetLastError());
    return false;
}

// Ends the program by its main window's close box (or its message box's OK)
// and returns its exit code.
DWORD CloseAndWait(PROCESS_INFORMATION& program, const char* windowClass, const char* caption)
{
    HWND window = nullptr;
    WaitFor([&] { return (window = FindProgramWindow(program.dwProcessId, windowClass, caption)) != nullptr; });
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(program.hProcess, 15000) != WAIT_OBJECT_0) TerminateProcess(program.hProcess, 99);
    DWORD exitCode = 99;
    GetExitCodeProcess(program.hProcess, &exitCode);
    CloseHandle(program.hThread);
    CloseHandle(program.hProcess);
    return exitCode;
}


// A command line the program cannot follow is refused before any window
// opens: a message box naming the cause, and exit code 2.
void CheckOutputSwitchFailures(const std::string& quorvel, const std::string& output)
{
    const struct { std::string arguments; const char* named; } refused[] = {
        {"-o", "needs the name of the file"},
        {"-o \"" + output + "\" /x", "\"/x\" is not understood"},
        {"-o \"" + output + "\\no such folder\\list.txt\"", "no such folder"},
    };
    PROCESS_INFORMATION program{};
    for (const auto& c : refused) {
        if (!Launch(quorvel, c.arguments, program)) continue;
        HWND box = nullptr;
        WaitFor([&] { return (box = FindProgramWindow(program.dwProcessId, "#32770", nullptr)) != nullptr; });
        char text[1024] = {};
        if (box) GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));  // the message box's text
        const bool windowOpened = FindProgramWindow(program.dwProcessId, "QuorvelForm", nullptr) != nullptr;
        Check(CloseAndWait(program, "#32770", nullptr) == 2 && std::strstr(text, c.named) && !windowOpened,
              ("quorvel.exe " + c.arguments + " is refused in a message and ends with 2").c_str());
    }
    if (Launch(quorvel, "-o \"" + output + "\"", program))
        Check(CloseAndWait(program, "QuorvelForm", "Quorvel") == 1 && FileBytes(output) == "(missing)",
              "-o FILE with an empty list writes nothing and ends with 1");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: quorvel_e2e <quorvel.exe> [seconds]\n");
        return 2;
    }
    const int keepOpen = argc > 2 ? std::atoi(argv[2]) : 0;
    const std::string folder = MakeFolder();
    const std::string folderBefore = FolderState(folder), rootBefore = FolderState("C:");
    const std::string quorvel = WindowsPath(argv[1]);
    // The list goes to a file when the main window closes ("-o FILE"), kept
    // apart from the folders whose unchanged state is checked below.
    const std::string output = folder + " list.txt";
    CheckOutputSwitchFailures(quorvel, output);
    PROCESS_INFORMATION program{};
    if (!Launch(quorvel, "-o \"" + output + "\"", program)) return 1;
    const DWORD id = program.dwProcessId;

    HWND main = nullptr;
    Check(WaitFor([&] { return (main = FindProgramWindow(id, "QuorvelForm", "Quorvel")) != nullptr; }),
          "the main window opens, captioned \"Quorvel\"");
    HWND selectFiles = FindWindowExA(main, nullptr, "BUTTON", "Select Files");
    HWND mainList = FindWindowExA(main, nullptr, WC_LISTVIEWA, nullptr);
    Check(selectFiles && mainList && Count(mainList) == 0, "with \"Select Files\" and an empty list");

    SendMessageA(selectFiles, BM_CLICK, 0, 0);
    HWND picker = nullptr;
    Check(WaitFor([&] { return (picker = FindProgramWindow(id, "QuorvelForm", "Select Files")) != nullptr; }),
          "\"Select Files\" opens the picker");
    HWND pickerList = FindWindowExA(picker, nullptr, WC_LISTVIEWA, nullptr);
    HWND browse = FindWindowExA(picker, nullptr, "BUTTON", "...");
    HWND add = FindWindowExA(picker, nullptr, "BUTTON", "Add");
    Check(Count(pickerList) == FilesIn("C:\\"), "the picker lists the files of C:\\");

    // Wine's chooser now and then loses a selection made while it fills its
    // tree; a person would simply choose again.
    bool chooserOpened = false, listed = false;
    for (int attempt = 0; attempt < 3 && !listed; ++attempt) {
        PostMessageA(browse, BM_CLICK, 0, 0);
        HWND chooser = nullptr;
        if (!WaitFor([&] { return (chooser = FindProgramWindow(id, "#32770", nullptr)) != nullptr; })) break;
        chooserOpened = true;
        Sleep(300);
        RemoteBuffer path(program.hProcess, folder.size() + 1);
        path.Write(folder.c_str(), folder.size() + 1);
        SendMessageA(chooser, BFFM_SETSELECTIONA, TRUE, path.Address());
        Sleep(300);  // the chooser shows its selection; a screenshot may be taken now
        SendMessageA(chooser, WM_COMMAND, IDOK, 0);
        listed = WaitFor([&] { return Count(pickerList) == 4; }, 3000);
    }
    Check(chooserOpened, "\"...\" opens the folder chooser");
    Check(listed, "the chosen folder's four files are listed");
    char shown[MAX_PATH] = {};
    SendMessageA(FindWindowExA(picker, nullptr, "EDIT", nullptr), WM_GETTEXT, sizeof(shown),
                 reinterpret_cast<LPARAM>(shown));
    Check(folder == shown, "the path box shows the chosen folder");
    Check(!IsWindowEnabled(add), "\"Add\" is disabled while nothing is clicked");

    // Sorted: notes.txt, picture.bmp, settings.ini, setup.exe.
    Click(program.hProcess, pickerList, 0, 0);
    Click(program.hProcess, pickerList, 3, MK_CONTROL);
    Check(WaitFor([&] { return SendMessageA(pickerList, LVM_GETSELECTEDCOUNT, 0, 0) == 2 && IsWindowEnabled(add); }),
          "two files selected with the mouse enable \"Add\"");
    SendMessageA(add, BM_CLICK, 0, 0);
    Check(WaitFor([&] { return Count(mainList) == 2; }), "\"Add\" puts both files into the main list");
    Check(RemoteItemText(program.hProcess, mainList, 0) == folder + "\\notes.txt" &&
              RemoteItemText(program.hProcess, mainList, 1) == folder + "\\setup.exe",
          "as full paths, in the picker's order");
    Check(SendMessageA(pickerList, LVM_GETSELECTEDCOUNT, 0, 0) == 0, "and deselects them in the picker");

    // The click selects on the button's press and raises its item click on the
    // release; a message sent meanwhile would overtake the posted release. With
    // "Add" greyed first, its return shows that the whole click was handled.
    EnableWindow(add, FALSE);
    Click(program.hProcess, pickerList, 0, 0);
    WaitFor([&] { return SendMessageA(pickerList, LVM_GETSELECTEDCOUNT, 0, 0) == 1 && IsWindowEnabled(add); });
    SendMessageA(add, BM_CLICK, 0, 0);
    Sleep(200);
    Check(Count(mainList) == 2, "adding a file already listed adds nothing");
    Check(IsWindowEnabled(add) != FALSE, "the button \"Add\" stays enabled after its own transfer");

    if (keepOpen > 0) {
        // For screenshots: the two windows, then the main list's pop-up menu.
        if (argc > 3) CloseHandle(CreateFileA(argv[3], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        Sleep(static_cast<DWORD>(keepOpen) * 1000);
        Click(program.hProcess, mainList, 1, 0);
        const POINT at = RemoteItemCentre(program.hProcess, mainList, 1);
        POINT onScreen = at;
        ClientToScreen(mainList, &onScreen);
        SetCursorPos(onScreen.x, onScreen.y);  // the menu opens at the pointer
        PostMessageA(mainList, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
        PostMessageA(mainList, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        if (argc > 4) {
            Sleep(1000);
            CloseHandle(CreateFileA(argv[4], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
            Sleep(static_cast<DWORD>(keepOpen) * 1000);
        }
        HWND menu = FindProgramWindow(id, "#32768", nullptr);
        if (menu) PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    PostMessageA(main, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(program.hProcess, 15000) == WAIT_OBJECT_0;
    Check(ended, "closing the main window closes the picker and ends the program");
    if (!ended) TerminateProcess(program.hProcess, 1);
    DWORD exitCode = 99;
    GetExitCodeProcess(program.hProcess, &exitCode);
    Check(exitCode == 0 && FileBytes(output) == folder + "\\notes.txt\r\n" + folder + "\\setup.exe\r\n",
          "with -o FILE the list is written to FILE and the program ends with 0");
    DeleteFileA(output.c_str());
    // A whole session writes nothing: no file it touched changes, and it leaves
    // no file or registry key of its own.
    Check(FolderState(folder) == folderBefore && FolderState("C:") == rootBefore,
          "the folders the session listed are unchanged");

    Check(!RegistryMentionsQuorvel(HKEY_CURRENT_USER) && !SettingsFolderMentionsQuorvel("APPDATA") &&
              !SettingsFolderMentionsQuorvel("LOCALAPPDATA"),
          "no registry key or settings folder of the program's own");
    CloseHandle(program.hThread);
    CloseHandle(program.hProcess);
    RemoveFolder(folder);
    std::printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
