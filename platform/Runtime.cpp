#include "platform/Runtime.h"

#include "platform/Handles.h"
#include "platform/Picture.h"

#include <exception>
#include <new>

Application App;
ScreenObject Screen;

void Application::Title(const std::string& title)
{
    title_ = title;
    if (owner_) SetWindowTextA(owner_, title_.c_str());
}

HINSTANCE Application::hInstance() const
{
    return GetModuleHandleA(nullptr);
}

HWND Application::OwnerWindow()
{
    if (!owner_ || !IsWindow(owner_)) {
        // A plain hidden top-level window: owned forms get no taskbar button.
        owner_ = CreateWindowExA(0, "STATIC", title_.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 hInstance(), nullptr);
    }
    return owner_;
}

void ScreenObject::MousePointer(int pointer)
{
    mousePointer_ = pointer;
    SetCursor(LoadCursorA(nullptr, pointer == vbHourglass ? IDC_WAIT : IDC_ARROW));
}

int ScreenObject::Dpi() const
{
    static const int dpi = [] {
        const WindowDc screen(nullptr);
        const int value = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
        return value > 0 ? value : 96;
    }();
    return dpi;
}

namespace {

// Functions of newer systems, looked up once; null where the system lacks them.
template <class Function>
Function User32Function(const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32"), name)));
}

}  // namespace

const char kDpiProperty[] = "QuorvelDpi";

int DpiOf(HWND window)
{
    // A form records the resolution it was last told of (WM_DPICHANGED), so
    // that it and its controls measure alike while they move to it.
    const HWND form = window ? GetAncestor(window, GA_ROOT) : nullptr;
    if (const auto told = reinterpret_cast<INT_PTR>(form ? GetPropA(form, kDpiProperty) : nullptr)) return static_cast<int>(told);
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    const int dpi = window && getDpiForWindow ? static_cast<int>(getDpiForWindow(window)) : 0;
    return dpi > 0 ? dpi : Screen.Dpi();
}

int SmallIconSize(int dpi)
{
    using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
    static const auto metricsForDpi = User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    if (metricsForDpi) return metricsForDpi(SM_CXSMICON, static_cast<UINT>(dpi));
    return MulDiv(GetSystemMetrics(SM_CXSMICON), dpi, Screen.Dpi());
}

Picture LoadPicture()
{
    return Picture();
}

void MsgBox(HWND owner, const std::string& text, UINT icon)
{
    MessageBoxA(owner, text.c_str(), App.Title().c_str(), icon);
}

void ReportFailure(HWND owner) noexcept
{
    try {
        try {
            throw;
        } catch (const std::bad_alloc&) {
            MsgBox(owner, "There is not enough memory to finish this command. What it did before that stays.",
                   MB_ICONERROR);
        } catch (const std::exception& failure) {
            MsgBox(owner, std::string("This command failed and stopped: ") + failure.what(), MB_ICONERROR);
        } catch (...) {
            MsgBox(owner, "This command failed and stopped.", MB_ICONERROR);
        }
    } catch (...) {
        // The message itself failed (no memory even for its text): nothing
        // more can be said, and nothing may unwind into the system's code.
    }
}

bool TranslateFormKeys(MSG& message)
{
    HWND form = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    return form && IsDialogMessageA(form, &message);
}

bool DoEventsSeeingKey(HWND window, WPARAM key)
{
    bool seen = false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {  // leave it for the main loop
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (window && message.message == WM_KEYDOWN && message.wParam == key &&
            (message.hwnd == window || IsChild(window, message.hwnd))) {
            seen = true;
            continue;
        }
        if (TranslateFormKeys(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return seen;
}

Pacing::Pacing(DWORD every, DWORD quietFor)
    : started_(GetTickCount()), last_(started_), every_(every), quietFor_(quietFor)
{
}

bool Pacing::TurnDue()
{
    const DWORD now = GetTickCount();
    if (now - last_ < every_) return false;
    last_ = now;
    return true;
}

bool Pacing::ShowsCount() const
{
    return last_ - started_ >= quietFor_;
}

void DoEvents()
{
    DoEventsSeeingKey(nullptr, 0);
}

int RunMessageLoop()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (TranslateFormKeys(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
