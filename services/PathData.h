#pragma once
// A list of paths in the shapes other programs take them from the clipboard or
// a drag: UTF-16 text, a shell file list (CF_HDROP) and the preferred drop
// effect "copy", so that pasting into a folder copies and never moves.
#include "platform/Handles.h"

#include <string>
#include <vector>

// The clipboard format of the preferred drop effect.
UINT PreferredDropEffectFormat();

// Movable global blocks, as the clipboard and drag and drop hand them over.
GlobalMemory UnicodeTextBlock(const std::vector<std::string>& paths);
GlobalMemory FileListBlock(const std::vector<std::string>& paths);
GlobalMemory DropEffectBlock(DWORD effect);

// Puts the three shapes on the clipboard. Returns "" or why nothing was copied.
std::string CopyPaths(HWND owner, const std::vector<std::string>& paths);
