#pragma once
// The shell's folder chooser.
#include "platform/Win32.h"

#include <string>

// Runs the chooser modal to the owner, with the initial folder selected and the
// title shown above the tree. Returns the chosen folder's file-system path, or
// "" when the user cancels, picks an item that is not a folder on disk, or the
// dialog fails.
std::string BrowseFolder(const std::string& initialFolder, HWND owner, const std::string& title);
// Called by the shell while the chooser runs; selects the initial folder, whose
// text arrives in data, once the dialog exists.
int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM lParam, LPARAM data);
