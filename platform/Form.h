#pragma once
// A form: a top-level window with its controls and its Load, Resize and Unload
// events. Only Load and Show load a form: one that is not loaded (not yet, or
// closed while a handler let messages through) reads as empty and ignores
// what it is told, so a closed form stays closed. The process ends when the
// last loaded form has closed.
#include "platform/Control.h"
#include "platform/Menu.h"

#include <string>
#include <vector>

class Form {
public:
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    bool Loaded() const { return hwnd_ != nullptr; }
    // Creates the window and its controls, then runs Form_Load; nothing when
    // loaded already.
    void Load();
    // Loads when needed, then shows the form modeless; nothing when it was
    // closed while it loaded.
    void Show();
    // Runs Form_Unload, then closes the window. Nothing happens when not loaded.
    // Form_QueryUnload is not asked: the program itself closes the form.
    void Unload();

    HWND hWnd() const { return hwnd_; }
    std::string Caption();
    void Caption(const std::string& caption);
    // Outer window rectangle in screen coordinates, twips.
    float Left();
    void Left(float left);
    float Top();
    void Top(float top);
    float Width();
    // Client area, twips.
    float ScaleWidth();
    float ScaleHeight();
    // 0 normal, 1 minimised, 2 maximised.
    int WindowState();
    void WindowState(int state);
    void PopupMenu(Menu& menu);
    // The resolution the form is shown at, dots per inch.
    int Dpi() const { return dpi_; }

    static constexpr int vbNormal = 0;
    static constexpr int vbMinimized = 1;
    static constexpr int vbMaximized = 2;
    // Why a form closes, as Form_QueryUnload is told: the user closed it (its
    // close box, Alt+F4 or WM_CLOSE); the Windows session ends; its owner window went.
    static constexpr int vbFormControlMenu = 0;
    static constexpr int vbAppWindows = 2;
    static constexpr int vbFormOwner = 5;

protected:
    struct Design {
        const char* caption;
        float clientWidth, clientHeight;  // twips
        DWORD style, exStyle;
        bool ownedByApplication;  // owned forms have no taskbar button
    };
    explicit Form(const Design& design) : design_(design) {}

    virtual void CreateControls() = 0;
    virtual void Form_Load() {}
    virtual void Form_Resize() {}
    // Before a form closes other than by Unload. Returning true keeps it open,
    // which only a close by the user (vbFormControlMenu) can do; Form_Unload
    // follows otherwise.
    virtual bool Form_QueryUnload(int UnloadMode)
    {
        (void)UnloadMode;
        return false;
    }
    virtual void Form_Unload() {}
    // Files or folders dropped on the form from another program; a form gets
    // them once it has called AcceptDroppedFiles.
    virtual void Form_DragDrop(const std::vector<std::string>& paths) { (void)paths; }
    void AcceptDroppedFiles();
    // The form now shows at another resolution; its controls have taken their
    // places and fonts at it, and a layout follows.
    virtual void Form_DpiChanged() {}

private:
    static LRESULT CALLBACK Trampoline(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    void OnClose();
    void OnEndSession();
    void OnDestroy();
    void QueryUnloadWithoutChoice(int UnloadMode);
    void OnActivate(WPARAM wParam);
    void OnSize();
    bool OnSetCursor();
    void OnDestroyed();
    void OnDropFiles(HDROP drop);
    void OnDpiChanged(int dpi, const RECT& suggested);
    RECT WindowRect();
    void MoveTo(float left, float top);

    Design design_;
    HWND hwnd_ = nullptr;
    HWND lastFocus_ = nullptr;
    int dpi_ = 96;
    bool ready_ = false;  // Form_Load has run: events may reach the handlers
    bool shown_ = false;
    bool unloading_ = false;
};
