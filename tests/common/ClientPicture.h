#pragma once
// A bitmap the size of a window's client area in a DC of its own, into which
// the window paints itself off the screen (WM_PRINTCLIENT).
#include "platform/Handles.h"

class ClientPicture {
public:
    explicit ClientPicture(HWND window)
        : bitmap_(SizedFor(window)), dc_(CreateCompatibleDC(nullptr)), selected_(dc_.get(), bitmap_.get())
    {
    }
    HDC Dc() const { return dc_.get(); }
    // The window paints its client area into the bitmap, through the given
    // window procedure or (none) as a message sent to it.
    void Print(HWND window, WNDPROC procedure = nullptr) const
    {
        const auto dc = reinterpret_cast<WPARAM>(dc_.get());
        if (procedure)
            CallWindowProcA(procedure, window, WM_PRINTCLIENT, dc, PRF_CLIENT | PRF_ERASEBKGND);
        else
            SendMessageA(window, WM_PRINTCLIENT, dc, PRF_CLIENT | PRF_ERASEBKGND);
    }

private:
    static HBITMAP SizedFor(HWND window)
    {
        RECT client{};
        GetClientRect(window, &client);
        const WindowDc screen(nullptr);
        return CreateCompatibleBitmap(screen.get(), client.right, client.bottom);
    }
    Bitmap bitmap_;
    MemoryDc dc_;
    SelectedObject selected_;
};
