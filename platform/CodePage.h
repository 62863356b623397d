#pragma once
// The one place where text crosses between the program's 8-bit code page and
// the UTF-16 that some platform calls speak, and the UTF-8 of list files.
#include <string>
#include <string_view>

std::wstring ToUtf16(std::string_view text);
// The text in the code page; false when the code page cannot hold all of it
// (a text with substitutes would name something else).
bool ToCodePage(std::wstring_view text, std::string& converted);
// The same, appended to `to` (left as it was on failure): a caller that
// reuses one buffer converts without allocating.
bool AppendCodePage(std::wstring_view text, std::string& to);
// The program's text as UTF-8; false when it is not text of the code page.
bool ToUtf8(std::string_view text, std::string& converted);
// Text read from a list file, UTF-8 or else in the system's own code page (the
// one Windows gives programs that do not ask for UTF-8), in the program's code
// page; false when the code page cannot hold all of it.
bool FromListText(std::string_view text, bool utf8, std::string& converted);
// 8-bit text from another program, which writes in the system's own code
// page, in the program's code page; false as above.
bool FromSystemText(std::string_view text, std::string& converted);
// The text in upper case, as UTF-8: texts compared letter case aside, in any
// code page, meet in this form. Letters are upper-cased one UTF-16 unit at a
// time, as the file system compares names.
std::string UpperCaseUtf8(std::string_view text);
