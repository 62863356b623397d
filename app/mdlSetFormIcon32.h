#pragma once
#include "platform/Win32.h"

#include <string>

// Gives the window the icon group of the program's resources at the system's
// large and small icon sizes; with blnTopOwner, the top window of its owner
// chain gets them first. An icon that cannot be loaded is sent as 0.
void SetFormIcon(HWND hWnd, const std::string& strIconName, bool blnTopOwner);
