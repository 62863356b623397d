#pragma once
// The text form of a list of paths, as the clipboard, list files and scripts
// take it: one full path per line, CR LF after each.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

std::string ListText(const std::vector<std::string>& paths);
// A count in decimal digits (the C library's formatting would add much to the
// program's size for this alone).
std::string Decimal(unsigned long long number);
// A count as a user reads it, thousands grouped: "12,345".
std::string Grouped(unsigned long long number);
// A count as a user reads it, thousands grouped and the noun in the number the
// count needs: "1 line", "12,345 files".
std::string Counted(unsigned long long number, const std::string& noun);

struct ListFileLines {
    bool utf8 = true;  // the bytes are UTF-8; else text of the local code page
    std::vector<std::string_view> lines;  // views into the bytes read
};
// The non-blank lines of a list file's bytes, blanks (spaces, tabs, CRs)
// around each trimmed and a UTF-8 byte-order mark ignored, or nothing when the
// bytes are not text (a NUL byte).
std::optional<ListFileLines> ListLines(std::string_view bytes);
// Whether the bytes are well-formed UTF-8: no overlong forms, no surrogates,
// nothing past U+10FFFF.
bool IsUtf8(std::string_view bytes);
// A line of pasted text as a path: the blanks around it, and then a pair of
// double quotes around the rest ("Copy as path" adds them), dropped; "" for a
// blank line.
std::string_view PastedLinePath(std::string_view line);
