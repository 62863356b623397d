#pragma once
#include <string>

// Whether the command line asks for the main window to start minimised: the
// whole argument text is "-st", letter case counting.
bool StartsMinimised(const std::string& arguments);
