#pragma once
// The application-wide objects of the window runtime: App, Screen, DoEvents and
// the message loop that runs until the last form has closed.
#include "platform/Win32.h"

#include <string>

class Application {
public:
    const std::string& Title() const { return title_; }
    void Title(const std::string& title);
    HINSTANCE hInstance() const;
    // The hidden window that owns forms kept out of the taskbar.
    HWND OwnerWindow();
    // What the process returns when it ends.
    int ExitCode() const { return exitCode_; }
    void ExitCode(int code) { exitCode_ = code; }

private:
    std::string title_;
    HWND owner_ = nullptr;
    int exitCode_ = 0;
};

class ScreenObject {
public:
    int MousePointer() const { return mousePointer_; }
    // 0 default pointer, 11 hourglass.
    void MousePointer(int pointer);
    // Screen resolution in dots per inch; twips convert through it.
    int Dpi() const;

private:
    int mousePointer_ = 0;
};

// The dots per inch a window is shown at: what its form was last told, else
// its monitor's where the system tells (Windows 10 and later), else the screen's.
int DpiOf(HWND window);
// The window property in which a form records the resolution it was told of.
extern const char kDpiProperty[];
// The system's small icon size (width and height) at a resolution.
int SmallIconSize(int dpi);

extern Application App;
extern ScreenObject Screen;

constexpr int vbDefault = 0;
constexpr int vbHourglass = 11;

// Shows the hourglass for as long as it lives, on every way out.
class HourglassPointer {
public:
    HourglassPointer() { Screen.MousePointer(vbHourglass); }
    HourglassPointer(const HourglassPointer&) = delete;
    HourglassPointer& operator=(const HourglassPointer&) = delete;
    ~HourglassPointer() { Screen.MousePointer(vbDefault); }
};

// The program's one message box: the text under the application's title, with
// the icon given (MB_ICONWARNING, MB_ICONERROR). Returns once it is dismissed;
// it lets the queue's messages through meanwhile.
void MsgBox(HWND owner, const std::string& text, UINT icon = MB_ICONWARNING);

// Tells the user, in one message, of the failure being handled: call it only
// inside a catch block. A command that ran out of memory says so; any other
// failure says what it was.
void ReportFailure(HWND owner) noexcept;

// The pace of a long task that lets the window's messages through now and
// then: a turn every `every` milliseconds, and its count shown once it has
// run for `quietFor`. The program's tasks go at the default pace: a tenth of
// a second keeps the window answering, half a second passes unnoticed.
class Pacing {
public:
    static constexpr DWORD kTurnEvery = 100;
    static constexpr DWORD kCountAfter = 500;
    explicit Pacing(DWORD every = kTurnEvery, DWORD quietFor = kCountAfter);
    // Whether a turn is due; a turn due starts the wait for the next.
    bool TurnDue();
    bool ShowsCount() const;

private:
    DWORD started_, last_;
    DWORD every_, quietFor_;
};

// Processes the window messages waiting in the queue, then returns.
void DoEvents();
// As DoEvents, but a press of the key in the window or one of its controls is
// taken from the queue instead: returns whether there was one.
bool DoEventsSeeingKey(HWND window, WPARAM key);
// Runs the message loop until the last form has closed; returns the exit code.
int RunMessageLoop();
// Applies the keyboard interface of forms (Tab between controls) to a message.
bool TranslateFormKeys(MSG& message);
