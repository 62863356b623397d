#pragma once
// Helpers for tests on real windows: message pumping, raw list-view queries
// (so checks do not go through the wrapper under test), temporary folders.
#include "platform/Form.h"
#include "platform/ImageList.h"
#include "platform/ListView.h"
#include "platform/PictureBox.h"

#include <functional>
#include <string>
#include <vector>

// Processes every message waiting in the queue; never waits for input.
void Pump();

// Raw list-view queries.
int ItemCount(HWND list);
std::string ItemText(HWND list, int position);
std::vector<std::string> ItemTexts(HWND list);
bool IsSelected(HWND list, int position);
int FocusedItem(HWND list);
int SelectedCount(HWND list);
// Selects or focuses one item through the control itself.
void SetItemState(HWND list, int position, UINT state, UINT mask);
// The client-area rectangle of a child window, in its parent's client coordinates.
RECT ChildRect(HWND child);
// The first direct child of a window with the given class and text (text may be null).
HWND FindChild(HWND parent, const char* windowClass, const char* text);
// The forms' windows of this thread with the caption (any caption for null).
std::vector<HWND> FormsOfThisThread(const char* caption);

// What the process holds: handles in the program's owners, windows of this
// thread, kernel handles and private memory. Leak checks compare two readings.
struct ResourceUse {
    long ownedHandles = 0;
    int windows = 0;
    DWORD kernelHandles = 0;
    SIZE_T privateBytes = 0;
    static ResourceUse Now();
};
// Fails the test when the reading after holds more than the one before: any
// owned handle or window, a few kernel handles (the system's own caches), or
// more private memory than the slack.
void ExpectNoGrowth(const ResourceUse& before, const ResourceUse& after, SIZE_T memorySlack);

// The 16 x 16 pixels of an image of an image list, drawn on white.
std::vector<COLORREF> ImagePixels(HIMAGELIST list, int index);

// A hidden form holding one list view, for tests of the list alone.
class ListHost : public Form {
public:
    explicit ListHost(bool sorted = false);
    ListView LV;

private:
    void CreateControls() override;
    bool sorted_;
};

// A folder under the temporary folder that is removed with all it holds.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }  // without a trailing backslash
    // Creates a file (with a little content) or a subfolder inside, at any
    // path length; returns its full path.
    std::string File(const std::string& name, DWORD attributes = FILE_ATTRIBUTE_NORMAL) const;
    std::string Folder(const std::string& name) const;

private:
    std::string path_;
};

// Presses a key in a list as the keyboard would, Ctrl held when asked.
void PressKey(HWND list, WPARAM key, bool control);
// The same with modifiers held: 1 Shift, 2 Ctrl, 4 Alt.
void PressKeys(HWND list, WPARAM key, int shift);
// Clicks an item of a list view as the mouse would (keys: MK_CONTROL, MK_SHIFT).
void ClickItem(HWND list, int position, WPARAM keys = 0);
// Presses the right (or another) mouse button at a point of a list view.
void PressButton(HWND list, UINT downMessage, UINT upMessage, POINT at);
// The middle of an item of a list view, in its client coordinates.
POINT ItemCentre(HWND list, int position);

// Runs the action once a window of the class appears on this thread (a
// dialog "#32770" or a pop-up menu "#32768"), from a timer that fires inside
// whatever modal loop is running. Returns whether it ran; a later call resets it.
class WhenWindowOpens {
public:
    WhenWindowOpens(const char* windowClass, std::function<void(HWND)> action);
    ~WhenWindowOpens();
    bool Ran() const;
};

// Selects a folder in an open folder chooser as the user would, letting the
// dialog finish filling its tree first (it may still be busy with it).
void SelectInChooser(HWND dialog, const std::string& folder);

// A folder's files listed into a list as the picker lists them (without the
// folders below); the listing's message, or "".
std::string ListFiles(const std::string& folder, ListView& list, ImageList& images, PictureBox& surface);
// Adds each of the files to a list, as the way in adds them; returns how many
// were added.
unsigned long long AddAll(const std::vector<std::string>& paths, ListView& list, ImageList& images,
                          PictureBox& surface, bool allowDupes);
// The shell's name for an existing file's type, asked of the shell straight;
// "" where it gives none.
std::string ShellTypeNameOf(const std::string& path);
