#pragma once
// The names in a shell file list (CF_HDROP), as files dropped on a window or
// put on the clipboard bring them.
#include "platform/Win32.h"

#include <string>
#include <vector>

// The names in the program's text, in order; "" for a name the code page
// cannot hold, which names no file here. Read straight from the list:
// DragQueryFile walks it from its start for every name, which for thousands
// of names takes seconds.
std::vector<std::string> FileListNames(HGLOBAL list);
