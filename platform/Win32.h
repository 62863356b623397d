#pragma once
// The one place that decides which Windows headers and versions the program sees.
// Text is 8-bit throughout: the program calls the A entry points by name.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0601
#endif
#ifndef _WIN32_IE
#define _WIN32_IE 0x0700
#endif
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
