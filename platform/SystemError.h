#pragma once
// The system's own words for why a call failed.
#include "platform/Win32.h"

#include <string>

// The system's text for an error ("error 1234" where it has none), and for the
// calling thread's last error.
std::string SystemErrorText(DWORD error);
std::string LastErrorText();
