#pragma once
// The program's one folding of letter case and one trimming of blanks, for
// texts in any code page: they touch ASCII only, whose bytes mean the same in
// all of them.
#include <algorithm>
#include <string_view>

// An ASCII capital as its small letter; every other byte as it is.
inline char FoldAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

// Whether two texts are the same, the letter case of ASCII aside.
inline bool EqualFolded(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

// Whether a text has only ASCII characters: the same bytes in every code page.
inline bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The text without the blanks (spaces, tabs, stray CRs) around it; "" for a
// blank text.
inline std::string_view TrimBlanks(std::string_view text)
{
    constexpr std::string_view kBlanks = " \t\r";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) + 1 - first);
}
