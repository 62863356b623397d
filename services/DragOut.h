#pragma once
// Dragging paths out to other programs: the data a drop target sees (the same
// three shapes as a copy) and the drag itself. Only copy and link are offered:
// no drag from here can move a file away from where it is.
#include "platform/Win32.h"

#include <string>
#include <vector>

constexpr DWORD kDragEffects = DROPEFFECT_COPY | DROPEFFECT_LINK;

// A new data object holding the paths, with one reference for the caller.
IDataObject* NewPathDataObject(const std::vector<std::string>& paths);
// A new drop source for a drag that starts in a window (any of a form's
// windows), with one reference for the caller.
IDropSource* NewPathDropSource(HWND from);
// Runs the drag until the user drops or cancels; returns the effect done.
DWORD DragPaths(HWND from, const std::vector<std::string>& paths);
