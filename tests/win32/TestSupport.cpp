#include "TestSupport.h"

#include "services/FolderListing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;  // a test's forms closing ends nothing here
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

int ItemCount(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

std::string ItemText(HWND list, int position)
{
    char buffer[1024] = {};
    LVITEMA item{};
    item.iSubItem = 0;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

std::vector<std::string> ItemTexts(HWND list)
{
    std::vector<std::string> texts;
    for (int i = 0; i < ItemCount(list); ++i) texts.push_back(ItemText(list, i));
    return texts;
}

void PressKey(HWND list, WPARAM key, bool control)
{
    PressKeys(list, key, control ? 2 : 0);
}

void PressKeys(HWND list, WPARAM key, int shift)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    BYTE held[256];
    std::copy(std::begin(keys), std::end(keys), std::begin(held));
    held[VK_SHIFT] = (shift & 1) ? 0x80 : 0;
    held[VK_CONTROL] = (shift & 2) ? 0x80 : 0;
    held[VK_MENU] = (shift & 4) ? 0x80 : 0;
    SetKeyboardState(held);
    // With Alt alone held, the system sends a key as a system key.
    SendMessageA(list, shift == 4 ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1);
    SetKeyboardState(keys);
    Pump();
}

bool IsSelected(HWND list, int position)
{
    return SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(position), LVIS_SELECTED) != 0;
}

int FocusedItem(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

int SelectedCount(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0));
}

void SetItemState(HWND list, int position, UINT state, UINT mask)
{
    LVITEMA item{};
    item.state = state;
    item.stateMask = mask;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&item));
}

RECT ChildRect(HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

HWND FindChild(HWND parent, const char* windowClass, const char* text)
{
    return FindWindowExA(parent, nullptr, windowClass, text);
}

std::vector<HWND> FormsOfThisThread(const char* caption)
{
    std::vector<HWND> found;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "QuorvelForm", caption));)
        if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId()) found.push_back(w);
    return found;
}

ListHost::ListHost(bool sorted) : Form({"List host", 4500, 3000, WS_OVERLAPPEDWINDOW, 0, false}), sorted_(sorted) {}

void ListHost::CreateControls()
{
    LV.Create(hWnd(), 100, {{0, 0, 4500, 3000}, "File Name", sorted_, 0x80000005, 0x80000008});
}

namespace {

// A path in the "\\?\" form, which the wide calls take at any length.
std::wstring LongForm(const std::string& path)
{
    std::wstring wide(path.size() + 1, L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], static_cast<int>(wide.size())) - 1));
    return L"\\\\?\\" + wide;
}

void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring full = path + L"\\" + name;
            SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else
                DeleteFileW(full.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}

}  // namespace

TempFolder::TempFolder()
{
    char base[MAX_PATH] = {};
    GetTempPathA(sizeof(base), base);
    static int counter = 0;
    // Fixed-width names, so that path lengths do not depend on the process number.
    char name[40];
    snprintf(name, sizeof(name), "quorvel-test-%08lu-%02d", GetCurrentProcessId(), ++counter);
    path_ = base + std::string(name);
    CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder()
{
    RemoveTree(LongForm(path_));
}

std::string TempFolder::File(const std::string& name, DWORD attributes) const
{
    const std::string full = path_ + "\\" + name;
    HANDLE file = CreateFileW(LongForm(full).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, "quorvel", 7, &written, nullptr);
        CloseHandle(file);
    }
    return full;
}

std::string TempFolder::Folder(const std::string& name) const
{
    const std::string full = path_ + "\\" + name;
    CreateDirectoryW(LongForm(full).c_str(), nullptr);
    return full;
}

POINT ItemCentre(HWND list, int position)
{
    RECT row{};
    row.left = LVIR_LABEL;
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&row));
    return {(row.left + row.right) / 2, (row.top + row.bottom) / 2};
}

void PressButton(HWND list, UINT downMessage, UINT upMessage, POINT at)
{
    const WPARAM held = downMessage == WM_RBUTTONDOWN ? MK_RBUTTON : downMessage == WM_MBUTTONDOWN ? MK_MBUTTON : MK_LBUTTON;
    PostMessageA(list, downMessage, held, MAKELPARAM(at.x, at.y));
    PostMessageA(list, upMessage, 0, MAKELPARAM(at.x, at.y));
    Pump();
}

void ClickItem(HWND list, int position, WPARAM keys)
{
    const POINT at = ItemCentre(list, position);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(at.x, at.y));
    PostMessageA(list, WM_LBUTTONUP, keys, MAKELPARAM(at.x, at.y));
    Pump();
}

namespace {

struct Watch {
    std::string windowClass;
    std::function<void(HWND)> action;
    UINT_PTR timer = 0;
    bool ran = false;
};
Watch watch;

// Tests run side by side: only a window of this thread counts.
HWND FindOwnWindow(const char* windowClass)
{
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, windowClass, nullptr));)
        if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId() && IsWindowVisible(w)) return w;
    return nullptr;
}

void CALLBACK WatchTimer(HWND, UINT, UINT_PTR, DWORD)
{
    HWND found = FindOwnWindow(watch.windowClass.c_str());
    if (!found) return;
    KillTimer(nullptr, watch.timer);
    watch.timer = 0;
    watch.ran = true;
    watch.action(found);
}

}  // namespace

WhenWindowOpens::WhenWindowOpens(const char* windowClass, std::function<void(HWND)> action)
{
    watch.windowClass = windowClass;
    watch.action = std::move(action);
    watch.ran = false;
    watch.timer = SetTimer(nullptr, 0, 30, WatchTimer);
}

WhenWindowOpens::~WhenWindowOpens()
{
    if (watch.timer) KillTimer(nullptr, watch.timer);
    watch.timer = 0;
}

bool WhenWindowOpens::Ran() const
{
    return watch.ran;
}

void SelectInChooser(HWND dialog, const std::string& folder)
{
    Pump();
    SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
    Pump();
}

namespace {

BOOL CALLBACK CountWindow(HWND window, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, CountWindow, count);
    return TRUE;
}

// Kernel handles in use. GetProcessHandleCount answers 0 under Wine, so each
// handle value is tried instead; the system hands out the lowest free ones, so
// a long run of unused values ends the search.
DWORD KernelHandles()
{
    DWORD count = 0;
    ULONG_PTR lastUsed = 0;
    for (ULONG_PTR value = 4; value < lastUsed + 4096; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
            ++count;
            lastUsed = value;
        }
    }
    return count;
}

// Committed private memory, summed over the address space (Wine answers 0 to
// GetProcessMemoryInfo).
SIZE_T PrivateBytes()
{
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* at = nullptr; VirtualQuery(at, &region, sizeof(region)) == sizeof(region);) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at) break;
        at = next;
    }
    return total;
}

}  // namespace

ResourceUse ResourceUse::Now()
{
    Pump();
    ResourceUse use;
    use.ownedHandles = liveHandles;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&use.windows));
    use.kernelHandles = KernelHandles();
    use.privateBytes = PrivateBytes();
    return use;
}

void ExpectNoGrowth(const ResourceUse& before, const ResourceUse& after, SIZE_T memorySlack)
{
    EXPECT_EQ(after.ownedHandles, before.ownedHandles) << "owned handles";
    EXPECT_EQ(after.windows, before.windows) << "windows";
    EXPECT_LE(after.kernelHandles, before.kernelHandles + 2) << "kernel handles";
    EXPECT_LE(after.privateBytes, before.privateBytes + memorySlack) << "private bytes";
}

std::vector<COLORREF> ImagePixels(HIMAGELIST list, int index)
{
    const WindowDc screen(nullptr);
    Bitmap bitmap(CreateCompatibleBitmap(screen.get(), 16, 16));
    MemoryDc dc(CreateCompatibleDC(screen.get()));
    SelectedObject selected(dc.get(), bitmap.get());
    Brush white(CreateSolidBrush(RGB(255, 255, 255)));
    const RECT all{0, 0, 16, 16};
    FillRect(dc.get(), &all, white.get());
    ImageList_Draw(list, index, dc.get(), 0, 0, ILD_TRANSPARENT);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) pixels.push_back(GetPixel(dc.get(), x, y));
    return pixels;
}

std::string ListFiles(const std::string& folder, ListView& list, ImageList& images, PictureBox& surface)
{
    return FillTreeList(folder, false, list, images, surface, [](unsigned long long) { return true; }).problem;
}

unsigned long long AddAll(const std::vector<std::string>& paths, ListView& list, ImageList& images,
                          PictureBox& surface, bool allowDupes)
{
    std::size_t next = 0;
    const auto file = [&](std::string& path) {
        if (next == paths.size()) return false;
        path = paths[next++];
        return true;
    };
    return AddFiles(file, list, images, surface, allowDupes);
}

std::string ShellTypeNameOf(const std::string& path)
{
    SHFILEINFOA info{};
    if (!SHGetFileInfoA(path.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                        SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES))
        return "";
    return info.szTypeName;
}
