#pragma once
#include <string>

// Makes the selection window with what the program gives its windows (the
// icon routine, the product information, the list output), ready to load.
void MakeWindows();
// Start-up: reads the command line, then product information, common controls
// and the selection window, minimised when asked. Returns once the window is
// shown; or, for a command line it cannot follow (or a "-o" file it cannot
// write), says why in a message box and returns false, with exit code 2 and no window.
bool Main(const std::string& arguments);
