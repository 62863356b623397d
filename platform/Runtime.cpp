#include "platform/Runtime.h"

#include "platform/Handles.h"
#include "platform/Picture.h"

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

Picture LoadPicture()
{
    return Picture();
}

bool TranslateFormKeys(MSG& message)
{
    HWND form = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    return form && IsDialogMessageA(form, &message);
}

void DoEvents()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {  // leave it for the main loop
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (TranslateFormKeys(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
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
