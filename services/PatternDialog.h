#pragma once
// The small modal dialog that asks for name patterns: an editable box that
// offers earlier patterns in a drop-down list, with OK and Cancel.
#include "platform/Win32.h"

#include <optional>
#include <string>
#include <vector>

// Shows the dialog owned by a window, captioned as given, offering the earlier
// patterns in their order (the first in the box). Returns the text of the box
// at OK, or nothing at Cancel.
std::optional<std::string> AskForPatterns(HWND owner, const char* caption, const std::vector<std::string>& offered);
