#pragma once
// Dragging a list's paths: out to other programs, the data a drop target sees
// (the same three shapes as a copy), or inside the list, to another place in
// it. Only copy and link are offered: no drag from here can move a file away
// from where it is.
#include "platform/ListView.h"
#include "platform/Win32.h"

#include <string>
#include <vector>

constexpr DWORD kDragEffects = DROPEFFECT_COPY | DROPEFFECT_LINK;

// A new data object holding the paths, with one reference for the caller.
IDataObject* NewPathDataObject(const std::vector<std::string>& paths);
// A new drop source for a drag of a list's entries, with one reference for
// the caller. Over a list that takes its entries moved (its DropInside), it
// shows the insertion mark.
IDropSource* NewPathDropSource(ListView& from);
// Runs the drag until the user lets go or cancels; returns the position
// in the list the entries were let go at, or -1 (dropped out or cancelled).
int DragPaths(ListView& from, const std::vector<std::string>& paths);
