#pragma once
// The one place where text crosses between the program's 8-bit code page and
// the UTF-16 that some platform calls speak.
#include <string>
#include <string_view>

std::wstring ToUtf16(std::string_view text);
// The text in the code page; false when the code page cannot hold all of it
// (a text with substitutes would name something else).
bool ToCodePage(const wchar_t* text, std::string& converted);
// The text in upper case, as UTF-8: texts compared letter case aside, in any
// code page, meet in this form.
std::string UpperCaseUtf8(std::string_view text);
