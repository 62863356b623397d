#include "platform/Form.h"

#include "platform/DropFiles.h"
#include "platform/Runtime.h"

#include <stdexcept>
#include <string>

namespace {

const char kClassName[] = "QuorvelForm";
int loadedForms = 0;

}  // namespace

Form::~Form()
{
    if (hwnd_) DestroyWindow(hwnd_);
}

void Form::Load()
{
    if (hwnd_) return;
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Trampoline;
        windowClass.hInstance = App.hInstance();
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kClassName;
        return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
    const int dpi = Screen.Dpi();
    RECT outer{0, 0, TwipsToPixels(design_.clientWidth, dpi), TwipsToPixels(design_.clientHeight, dpi)};
    AdjustWindowRectEx(&outer, design_.style, FALSE, design_.exStyle);
    HWND owner = design_.ownedByApplication ? App.OwnerWindow() : nullptr;
    CreateWindowExA(design_.exStyle, kClassName, design_.caption, design_.style | WS_CLIPCHILDREN, CW_USEDEFAULT,
                    CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top, owner, nullptr,
                    App.hInstance(), this);
    if (!hwnd_)
        throw std::runtime_error("the form's window could not be created (system error " +
                                 std::to_string(GetLastError()) + ")");
    ++loadedForms;
    dpi_ = DpiOf(hwnd_);
    if (dpi_ != dpi) {  // its monitor's resolution is not the screen's
        RECT sized{0, 0, TwipsToPixels(design_.clientWidth, dpi_), TwipsToPixels(design_.clientHeight, dpi_)};
        AdjustWindowRectEx(&sized, design_.style, FALSE, design_.exStyle);
        SetWindowPos(hwnd_, nullptr, 0, 0, sized.right - sized.left, sized.bottom - sized.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CreateControls();
    Form_Load();
    ready_ = hwnd_ != nullptr;  // Form_Load may let messages through, a close among them
}

void Form::Show()
{
    Load();
    if (!hwnd_) return;
    ShowWindow(hwnd_, shown_ ? SW_SHOW : SW_SHOWNORMAL);
    if (!shown_) {
        shown_ = true;
        Form_Resize();  // the first layout, whether or not showing changed the size
    }
}

void Form::Unload()
{
    if (!hwnd_ || unloading_) return;
    unloading_ = true;
    // Closing goes ahead even when the handler fails.
    struct Closer {
        HWND window;
        ~Closer() { DestroyWindow(window); }
    } closer{hwnd_};
    Form_Unload();
}

std::string Form::Caption()
{
    return WindowText(hWnd());
}

void Form::Caption(const std::string& caption)
{
    // The same caption again changes nothing, and repaints nothing.
    if (Caption() != caption) SetWindowTextA(hWnd(), caption.c_str());
}

RECT Form::WindowRect()
{
    RECT rect{};
    GetWindowRect(hWnd(), &rect);
    return rect;
}

float Form::Left()
{
    return PixelsToTwips(WindowRect().left, Dpi());
}

void Form::Left(float left)
{
    MoveTo(left, Top());
}

float Form::Top()
{
    return PixelsToTwips(WindowRect().top, Dpi());
}

void Form::Top(float top)
{
    MoveTo(Left(), top);
}

void Form::MoveTo(float left, float top)
{
    const int dpi = Dpi();
    SetWindowPos(hWnd(), nullptr, TwipsToPixels(left, dpi), TwipsToPixels(top, dpi), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

float Form::Width()
{
    const RECT rect = WindowRect();
    return PixelsToTwips(rect.right - rect.left, Dpi());
}

float Form::ScaleWidth()
{
    RECT client{};
    GetClientRect(hWnd(), &client);
    return PixelsToTwips(client.right, Dpi());
}

float Form::ScaleHeight()
{
    RECT client{};
    GetClientRect(hWnd(), &client);
    return PixelsToTwips(client.bottom, Dpi());
}

int Form::WindowState()
{
    if (IsIconic(hWnd())) return vbMinimized;
    return IsZoomed(hWnd()) ? vbMaximized : vbNormal;
}

void Form::WindowState(int state)
{
    ShowWindow(hWnd(), state == vbMinimized ? SW_MINIMIZE : state == vbMaximized ? SW_MAXIMIZE : SW_RESTORE);
}

void Form::PopupMenu(Menu& menu)
{
    menu.Track(hWnd());
}

LRESULT CALLBACK Form::Trampoline(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Form*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    // A failing handler ends that event only, and says why; nothing may
    // unwind into the system's code.
    try {
        return self->WindowProc(message, wParam, lParam);
    } catch (...) {
        ReportFailure(hwnd);
        return 0;
    }
}

LRESULT Form::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (Control::Reflect(message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_SIZE:
        OnSize();
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_ENDSESSION:
        if (wParam) OnEndSession();
        return 0;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_ACTIVATE:
        OnActivate(wParam);
        return 0;
    case WM_SETCURSOR:
        if (OnSetCursor()) return TRUE;
        break;
    case WM_NCDESTROY:
        OnDestroyed();
        break;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void Form::OnClose()
{
    if (!Form_QueryUnload(vbFormControlMenu)) Unload();
}

void Form::OnEndSession()
{
    QueryUnloadWithoutChoice(vbAppWindows);
    Unload();
}

void Form::OnDestroy()
{
    // Destroyed without Unload, as when its owner went: the form's events run
    // all the same, with its controls still there.
    if (unloading_) return;
    unloading_ = true;
    QueryUnloadWithoutChoice(vbFormOwner);
    Form_Unload();
}

void Form::QueryUnloadWithoutChoice(int UnloadMode)
{
    // The form goes whatever the handler answers, and a failure in it (a list
    // that could not be written at the session's end) is told but must not
    // keep the rest of the closing from running.
    try {
        Form_QueryUnload(UnloadMode);
    } catch (...) {
        ReportFailure(hwnd_);
    }
}

void Form::OnSize()
{
    if (ready_ && shown_) Form_Resize();
}

void Form::OnActivate(WPARAM wParam)
{
    // Keep the focus where the user left it; the first control in tab order
    // has it when the form first becomes active.
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
    } else if (!HIWORD(wParam)) {
        HWND target = lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : GetNextDlgTabItem(hwnd_, nullptr, FALSE);
        if (target) SetFocus(target);
    }
}

bool Form::OnSetCursor()
{
    if (Screen.MousePointer() != vbHourglass) return false;
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    return true;
}

namespace {

BOOL CALLBACK TellControlOfDpi(HWND window, LPARAM dpi)
{
    if (Control* control = Control::FromHandle(window)) control->DpiChanged(static_cast<int>(dpi));
    return TRUE;
}

}  // namespace

void Form::OnDpiChanged(int dpi, const RECT& suggested)
{
    dpi_ = dpi;
    SetPropA(hwnd_, kDpiProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi)));
    EnumChildWindows(hwnd_, TellControlOfDpi, dpi);  // the controls of controls too
    // The system's suggestion keeps the window where the user put it.
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    Form_DpiChanged();
    if (ready_ && shown_) Form_Resize();
}

void Form::AcceptDroppedFiles()
{
    DragAcceptFiles(hWnd(), TRUE);
}

void Form::OnDropFiles(HDROP drop)
{
    // The drop is given back whatever the handler does.
    struct Finisher {
        HDROP drop;
        ~Finisher() { DragFinish(drop); }
    } finisher{drop};
    // The shell hands a dropped file list over in the block it puts on the clipboard.
    Form_DragDrop(FileListNames(reinterpret_cast<HGLOBAL>(drop)));
}

void Form::OnDestroyed()
{
    RemovePropA(hwnd_, kDpiProperty);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    lastFocus_ = nullptr;
    ready_ = shown_ = unloading_ = false;
    if (--loadedForms == 0) PostQuitMessage(0);
}
