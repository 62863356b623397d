#pragma once
// The common Save and Open dialogs for list files.
#include "platform/Win32.h"

#include <string>

// The file the user names to save a list in ("" when cancelled); the dialog
// asks before replacing a file.
std::string AskSaveListPath(HWND owner);
// The list file the user picks to open, or "".
std::string AskOpenListPath(HWND owner);
