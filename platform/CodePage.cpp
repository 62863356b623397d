#include "platform/CodePage.h"

#include "platform/Letters.h"
#include "platform/PathParts.h"
#include "platform/Win32.h"

namespace {

// UTF-16 of text in a code page; false for bytes that are not text in it.
bool Utf16Of(UINT codePage, std::string_view text, std::wstring& wide)
{
    wide.clear();
    if (text.empty()) return true;
    const auto length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    if (size <= 0) return false;
    wide.resize(static_cast<std::size_t>(size));
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), length, &wide[0], size) == size;
}

// The code page Windows gives programs that do not ask for UTF-8. Asked
// once: a list file in it converts each of its lines through it.
UINT SystemCodePage()
{
    static const UINT codePage = [] {
        DWORD answer = 0;
        if (!GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                            reinterpret_cast<LPWSTR>(&answer), sizeof(answer) / sizeof(wchar_t)) ||
            answer == 0)
            return GetACP();  // no answer: the program's own
        return static_cast<UINT>(answer);
    }();
    return codePage;
}

// Appends the text in a code page to `to` (left as it was on failure).
bool AppendIn(UINT codePage, std::wstring_view text, std::string& to)
{
    if (text.empty()) return true;
    // UTF-8 takes no substitute flag, as it holds every character; it refuses
    // unpaired surrogates instead of writing U+FFFD for them. Other code pages
    // must not map a character to a look-alike ("a" for alpha) either.
    const bool utf8 = codePage == CP_UTF8;
    BOOL substituted = FALSE;
    const std::size_t start = to.size();
    const std::size_t room = text.size() * 4;  // no code page takes more bytes per UTF-16 unit
    to.resize(start + room);
    const int size = WideCharToMultiByte(codePage, utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS, text.data(),
                                         static_cast<int>(text.size()), &to[start], static_cast<int>(room), nullptr,
                                         utf8 ? nullptr : &substituted);
    const bool whole = size > 0 && !substituted;
    to.resize(whole ? start + static_cast<std::size_t>(size) : start);
    return whole;
}

// Text in a code page, in the program's.
bool FromCodePage(UINT codePage, std::string_view text, std::string& converted)
{
    converted.clear();
    if (IsAscii(text)) {  // the same bytes in every code page: most lines of most lists
        converted.assign(text);
        return true;
    }
    std::wstring wide;
    if (!Utf16Of(codePage, text, wide)) return false;
    if (codePage != GetACP()) return AppendCodePage(wide, converted);
    converted.assign(text);  // already the program's text
    return true;
}

LeadBytes ProgramLeadBytes()
{
    LeadBytes lead;
    for (unsigned byte = 0; byte < lead.size(); ++byte) lead[byte] = IsDBCSLeadByte(static_cast<BYTE>(byte)) != FALSE;
    return lead;
}

// Paths are split by the program's code page from the first one on: set
// before main, in every program built with this file.
const bool kPathLeadBytesSet = (UsePathLeadBytes(ProgramLeadBytes()), true);

}  // namespace

std::wstring ToUtf16(std::string_view text)
{
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], size);
    return wide;
}

bool AppendCodePage(std::wstring_view text, std::string& to)
{
    return AppendIn(GetACP(), text, to);
}

bool ToCodePage(std::wstring_view text, std::string& converted)
{
    converted.clear();
    return AppendCodePage(text, converted);
}

bool ToUtf8(std::string_view text, std::string& converted)
{
    converted.clear();
    if (GetACP() == CP_UTF8) {
        converted.assign(text);  // the program's text is UTF-8 already
        return true;
    }
    std::wstring wide;
    return Utf16Of(CP_ACP, text, wide) && AppendIn(CP_UTF8, wide, converted);
}

bool FromListText(std::string_view text, bool utf8, std::string& converted)
{
    return FromCodePage(utf8 ? CP_UTF8 : SystemCodePage(), text, converted);
}

bool FromSystemText(std::string_view text, std::string& converted)
{
    return FromCodePage(SystemCodePage(), text, converted);
}

std::string UpperCaseUtf8(std::string_view text)
{
    const std::wstring given = ToUtf16(text);
    // Each UTF-16 unit on its own, whatever the user's language, as the file
    // system compares names (a Turkish "i" is still the "I" of a name).
    std::wstring wide(given.size(), L'\0');
    const int length = static_cast<int>(given.size());
    if (length > 0 && LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, given.data(), length, &wide[0], length) != length)
        wide = given;  // no mapping: the text is compared as it is
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string upper(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &upper[0], size, nullptr, nullptr);
    return upper;
}
