#include "platform/Control.h"

#include "platform/Runtime.h"

#include <map>
#include <vector>

std::string WindowText(HWND window)
{
    std::vector<char> buffer(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1);
    const int length = GetWindowTextA(window, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

COLORREF TranslateColor(std::uint32_t color)
{
    if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0xFFu));
    return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

Control::~Control()
{
    if (hwnd_ && FromHandle(hwnd_) == this) SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
}

bool Control::Enabled() const
{
    return IsWindowEnabled(hwnd_) != FALSE;
}

void Control::Enabled(bool enabled)
{
    EnableWindow(hwnd_, enabled);
}

void Control::Visible(bool visible)
{
    ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

float Control::Height() const
{
    RECT rect{};
    GetWindowRect(hwnd_, &rect);
    return PixelsToTwips(rect.bottom - rect.top, DpiOf(hwnd_));
}

void Control::Create(HWND parent, int id, const Design& design)
{
    designRect_ = design.rect;
    const int dpi = DpiOf(parent);
    const PixelRect px = ToPixels(design.rect, dpi);
    hwnd_ = CreateWindowExA(design.exStyle, design.windowClass, design.text,
                            WS_CHILD | WS_VISIBLE | design.style, px.left, px.top, px.width, px.height,
                            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), App.hInstance(),
                            nullptr);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont(dpi)), FALSE);
}

void Control::DpiChanged(int dpi)
{
    const PixelRect px = ToPixels(designRect_, dpi);
    SetWindowPos(hwnd_, nullptr, px.left, px.top, px.width, px.height, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont(dpi)), TRUE);
}

Control* Control::FromHandle(HWND hwnd)
{
    // Only windows of this program's own classes and the standard controls it
    // creates carry a Control pointer; everything else has 0 there.
    return hwnd ? reinterpret_cast<Control*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)) : nullptr;
}

bool Control::Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_COMMAND:
        if (Control* control = FromHandle(reinterpret_cast<HWND>(lParam))) {
            control->OnCommand(HIWORD(wParam));
            result = 0;
            return true;
        }
        return false;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (Control* control = FromHandle(header->hwndFrom)) {
            result = control->OnNotify(*header);
            return true;
        }
        return false;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        if (Control* control = FromHandle(reinterpret_cast<HWND>(lParam))) {
            HBRUSH brush = control->OnCtlColor(reinterpret_cast<HDC>(wParam));
            result = reinterpret_cast<LRESULT>(brush);
            return brush != nullptr;
        }
        return false;
    default:
        return false;
    }
}

void Control::OnCommand(WORD code)
{
    if (code == BN_CLICKED && Click) Click();
}

LRESULT Control::OnNotify(NMHDR&)
{
    return 0;
}

HBRUSH Control::OnCtlColor(HDC)
{
    return nullptr;
}

void CommandButton::Create(HWND parent, int id, const char* caption, const TwipRect& rect)
{
    Control::Create(parent, id, {"BUTTON", caption, WS_TABSTOP | BS_PUSHBUTTON, 0, rect});
}

void CheckBox::Create(HWND parent, int id, const char* caption, const TwipRect& rect)
{
    Control::Create(parent, id, {"BUTTON", caption, WS_TABSTOP | BS_AUTOCHECKBOX, 0, rect});
}

int CheckBox::Value() const
{
    return static_cast<int>(SendMessageA(hWnd(), BM_GETCHECK, 0, 0));
}

void TextBox::Create(HWND parent, int id, const TwipRect& rect)
{
    Control::Create(parent, id, {"EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, rect});
}

std::string TextBox::Text() const
{
    return WindowText(hWnd());
}

void TextBox::Text(const std::string& text)
{
    SetWindowTextA(hWnd(), text.c_str());
}

void Label::Create(HWND parent, int id, const TwipRect& rect)
{
    Control::Create(parent, id, {"STATIC", "", SS_LEFT | SS_NOPREFIX, 0, rect});
}

void Label::Caption(const std::string& text)
{
    SetWindowTextA(hWnd(), text.c_str());
}

void Label::SetFont(const char* face, float points, int weight)
{
    face_ = face;
    points_ = points;
    weight_ = weight;
    ApplyFont(DpiOf(hWnd()));
}

void Label::DpiChanged(int dpi)
{
    Control::DpiChanged(dpi);
    if (!face_.empty()) ApplyFont(dpi);
}

void Label::ApplyFont(int dpi)
{
    LOGFONTA logFont{};
    logFont.lfHeight = -static_cast<LONG>(points_ * static_cast<float>(dpi) / 72.0f + 0.5f);
    logFont.lfWeight = weight_;
    logFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(logFont.lfFaceName, face_.c_str(), LF_FACESIZE);
    Font font(CreateFontIndirectA(&logFont));
    SendMessageA(hWnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font ? font.get() : DefaultFont(dpi)), TRUE);
    font_ = std::move(font);  // the old font goes once the label no longer uses it
}

HBRUSH Label::OnCtlColor(HDC dc)
{
    // A hollow brush leaves the container's painting in place around the text.
    SetTextColor(dc, foreColor_);
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

HFONT DefaultFont(int dpi)
{
    // One font per resolution, kept for the life of the process.
    static std::map<int, Font> fonts;
    auto found = fonts.find(dpi);
    if (found == fonts.end()) {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof(metrics);
        Font font;
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
            // The system's metrics are at the screen's resolution.
            metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, Screen.Dpi());
            font.reset(CreateFontIndirectA(&metrics.lfMessageFont));
        }
        found = fonts.emplace(dpi, std::move(font)).first;
    }
    return found->second ? found->second.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}
