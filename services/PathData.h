#pragma once
// A list of paths in the shapes other programs take them from the clipboard or
// a drag: UTF-16 text, a shell file list (CF_HDROP) and the preferred drop
// effect "copy", so that pasting into a folder copies and never moves; and the
// paths other programs put on the clipboard.
#include "platform/Handles.h"

#include <string>
#include <string_view>
#include <vector>

// The clipboard format of the preferred drop effect.
UINT PreferredDropEffectFormat();

// Movable global blocks, as the clipboard and drag and drop hand them over.
GlobalMemory UnicodeTextBlock(const std::vector<std::string>& paths);
GlobalMemory FileListBlock(const std::vector<std::string>& paths);
GlobalMemory DropEffectBlock(DWORD effect);

// Puts the three shapes on the clipboard. Returns "" or why nothing was copied.
std::string CopyPaths(HWND owner, const std::vector<std::string>& paths);
// Puts text alone on the clipboard: pasting it into a folder does nothing.
// Returns "" or why nothing was copied.
std::string CopyText(HWND owner, const std::string& text);

// Whether the clipboard holds something to paste: a shell file list or text.
bool ClipboardHasPaths();
struct PastedPaths {
    std::string error;               // why the clipboard could not be read, or ""
    std::vector<std::string> names;  // of a shell file list; "" for a name the code page cannot hold
    std::wstring text;               // else the text, whose non-blank lines are paths
    std::vector<std::wstring_view> lines;  // views into the text
    // The path a line of the text gives (see PastedLinePath); false when the
    // code page cannot hold it.
    bool LinePath(std::size_t line, std::string& path) const;
};
// The names of the clipboard's shell file list, or else its text, copied once
// and read a line at a time. Whatever effect the clipboard prefers (Explorer's
// Cut asks for a move), only the names are read: no file is touched.
PastedPaths PathsOnClipboard(HWND owner);
