#pragma once
#include <string>

// Start-up: product information, common controls, then the selection window,
// minimised when asked. Returns once the window is shown.
void Main(const std::string& arguments);
