#pragma once
// Move-only owners for the handles the program creates, and borrowed helpers
// that put things back (DCs from GetDC, objects selected into a DC).
#include "platform/Win32.h"

#include <atomic>
#include <utility>

// How many handles the owners below hold right now, all kinds together. Leak
// checks compare it before and after an operation: the platform's own object
// counts are not available everywhere (Wine's GetGuiResources answers 0).
inline std::atomic<long> liveHandles{0};

template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) { Adopted(); }
    UniqueHandle(UniqueHandle&& other) noexcept : UniqueHandle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::Empty(); }
    // Gives the handle up without closing it: it is no longer counted here.
    Handle release() noexcept
    {
        if (*this) --liveHandles;
        return std::exchange(handle_, Traits::Empty());
    }
    void reset(Handle handle = Traits::Empty()) noexcept
    {
        if (*this) {
            Traits::Close(handle_);
            --liveHandles;
        }
        handle_ = handle;
        Adopted();
    }

private:
    void Adopted() noexcept
    {
        if (*this) ++liveHandles;
    }
    Handle handle_ = Traits::Empty();
};

// Handles whose empty value is INVALID_HANDLE_VALUE (searches, files).
template <auto closer>
struct FindHandleTraitsFor {
    using Handle = HANDLE;
    static Handle Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { closer(h); }
};
using FindHandleTraits = FindHandleTraitsFor<FindClose>;

// Handles whose empty value is null, closed by one platform function.
template <class H, auto closer>
struct NullHandleTraits {
    using Handle = H;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { closer(h); }
};

using FindHandle = UniqueHandle<FindHandleTraits>;
using MemoryDc = UniqueHandle<NullHandleTraits<HDC, DeleteDC>>;
using Bitmap = UniqueHandle<NullHandleTraits<HBITMAP, DeleteObject>>;
using Font = UniqueHandle<NullHandleTraits<HFONT, DeleteObject>>;
using Brush = UniqueHandle<NullHandleTraits<HBRUSH, DeleteObject>>;
using OwnedImageList = UniqueHandle<NullHandleTraits<HIMAGELIST, ImageList_Destroy>>;
using Pidl = UniqueHandle<NullHandleTraits<PIDLIST_ABSOLUTE, CoTaskMemFree>>;
using LocalMemory = UniqueHandle<NullHandleTraits<HLOCAL, LocalFree>>;
using OwnedMenu = UniqueHandle<NullHandleTraits<HMENU, DestroyMenu>>;
using GlobalMemory = UniqueHandle<NullHandleTraits<HGLOBAL, GlobalFree>>;
using Icon = UniqueHandle<NullHandleTraits<HICON, DestroyIcon>>;
using File = UniqueHandle<FindHandleTraitsFor<CloseHandle>>;

// A DC borrowed from a window with GetDC, given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window))
    {
        if (dc_) ++liveHandles;
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc()
    {
        if (dc_ && ReleaseDC(window_, dc_)) --liveHandles;
    }
    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects a GDI object into a DC and puts the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject()
    {
        if (previous_) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};
