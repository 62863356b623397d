#include "app/mdlSetFormIcon32.h"

#include "platform/Runtime.h"

namespace {

// Shared icons belong to the system for the life of the process: never destroyed here.
HICON LoadSharedIcon(const std::string& name, int widthMetric, int heightMetric)
{
    return static_cast<HICON>(LoadImageA(App.hInstance(), name.c_str(), IMAGE_ICON, GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), LR_SHARED));
}

void SendIcon(HWND target, HWND window, bool toTop, WPARAM size, HICON icon)
{
    // Each WM_SETICON answers with the icon it replaces, which is shared too: ignored.
    if (toTop) SendMessageA(target, WM_SETICON, size, reinterpret_cast<LPARAM>(icon));
    SendMessageA(window, WM_SETICON, size, reinterpret_cast<LPARAM>(icon));
}

}  // namespace

void SetFormIcon(HWND hWnd, const std::string& strIconName, bool blnTopOwner)
{
    HWND top = hWnd;
    if (blnTopOwner) {
        for (HWND owner = GetWindow(hWnd, GW_OWNER); owner; owner = GetWindow(owner, GW_OWNER)) top = owner;
    }
    SendIcon(top, hWnd, blnTopOwner, ICON_BIG, LoadSharedIcon(strIconName, SM_CXICON, SM_CYICON));
    SendIcon(top, hWnd, blnTopOwner, ICON_SMALL, LoadSharedIcon(strIconName, SM_CXSMICON, SM_CYSMICON));
}
