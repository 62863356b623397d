#include "platform/CodePage.h"

#include "platform/Win32.h"

std::wstring ToUtf16(std::string_view text)
{
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], size);
    return wide;
}

bool ToCodePage(const wchar_t* text, std::string& converted)
{
    converted.clear();
    BOOL substituted = FALSE;
    const bool utf8 = GetACP() == CP_UTF8;  // UTF-8 takes no substitute flag: it holds every character
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, utf8 ? nullptr : &substituted);
    if (size <= 1) return size == 1;  // "" converts to ""
    if (substituted) return false;
    converted.assign(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &converted[0], size, nullptr, nullptr);
    converted.pop_back();  // the terminator
    return true;
}

std::string UpperCaseUtf8(std::string_view text)
{
    std::wstring wide = ToUtf16(text);
    CharUpperBuffW(&wide[0], static_cast<DWORD>(wide.size()));
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string upper(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &upper[0], size, nullptr, nullptr);
    return upper;
}
