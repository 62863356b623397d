#pragma once
// Child controls of a form. Each control object is reachable from its window
// (GWLP_USERDATA), so the parent can hand WM_COMMAND, WM_NOTIFY and
// WM_CTLCOLOR* messages to the control they concern.
#include "platform/Handles.h"
#include "platform/Twips.h"

#include <cstdint>
#include <functional>
#include <string>

// A window's text (a form's caption, a text box's contents).
std::string WindowText(HWND window);

// Colours as forms give them: 0x00BBGGRR, or 0x800000nn for system colour nn.
COLORREF TranslateColor(std::uint32_t color);

class Control {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    // Detaches the window from this object, which may go before its window does.
    virtual ~Control();

    HWND hWnd() const { return hwnd_; }
    bool Enabled() const;
    void Enabled(bool enabled);
    void Visible(bool visible);
    // Height of the control's window, twips.
    float Height() const;

    // Raised when the user presses a button or clicks a check box.
    std::function<void()> Click;

    // The window now shows at another resolution: the control takes its
    // designed place and the default font at that resolution.
    virtual void DpiChanged(int dpi);

    // Routes a message that a parent receives about one of its children to that
    // child's object; false when the message is not about one of ours.
    static bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

protected:
    struct Design {
        const char* windowClass;
        const char* text;
        DWORD style;
        DWORD exStyle;
        TwipRect rect;
    };
    void Create(HWND parent, int id, const Design& design);

    virtual void OnCommand(WORD code);
    virtual LRESULT OnNotify(NMHDR& header);
    // A brush for WM_CTLCOLOR*, or nullptr for the parent's default colours.
    virtual HBRUSH OnCtlColor(HDC dc);

public:
    static Control* FromHandle(HWND hwnd);

private:
    HWND hwnd_ = nullptr;
    TwipRect designRect_;
};

class CommandButton : public Control {
public:
    void Create(HWND parent, int id, const char* caption, const TwipRect& rect);
};

class CheckBox : public Control {
public:
    void Create(HWND parent, int id, const char* caption, const TwipRect& rect);
    // 0 unticked, 1 ticked, 2 grey.
    int Value() const;
};

class TextBox : public Control {
public:
    void Create(HWND parent, int id, const TwipRect& rect);
    std::string Text() const;
    void Text(const std::string& text);
};

// A label drawn straight on its container, so the container's colour shows
// around the letters.
class Label : public Control {
public:
    void Create(HWND parent, int id, const TwipRect& rect);
    void Caption(const std::string& text);
    void SetFont(const char* face, float points, int weight);
    void ForeColor(COLORREF color) { foreColor_ = color; }
    void DpiChanged(int dpi) override;

protected:
    HBRUSH OnCtlColor(HDC dc) override;

private:
    void ApplyFont(int dpi);
    Font font_;
    std::string face_;
    float points_ = 0;
    int weight_ = 0;
    COLORREF foreColor_ = 0;
};

// The font that forms use for text unless a control sets its own, at a resolution.
HFONT DefaultFont(int dpi);
