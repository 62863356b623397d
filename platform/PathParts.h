#pragma once
// The one way the program splits a path into its folder and its name. In a
// double-byte code page (932, 936, 949, 950: Windows before 10 version 1903
// with an Asian locale) the second byte of a character may be 0x5C, the byte
// of a backslash ("表" is 0x95 0x5C in 932): a path is read from its start, a
// character at a time, so that such a byte is never taken for a backslash.
#include <bitset>
#include <string>
#include <string_view>

// The bytes that start a two-byte character of a code page.
using LeadBytes = std::bitset<256>;

// The lead bytes of the program's code page, which paths are read by; none
// (a byte is a character, or UTF-8, which never has 0x5C inside a character)
// until the platform says. Returns the ones used before.
LeadBytes UsePathLeadBytes(const LeadBytes& lead);

// Whether a byte is a backslash or slash, at the start of a character.
bool IsSlash(char c);
// Where the next backslash or slash at or after `from` (the start of a
// character) is; npos when there is none.
std::size_t NextSlash(std::string_view path, std::size_t from);
// Where the path's name starts: just after its last backslash or slash, or 0.
std::size_t NameStart(std::string_view path);
// The path's folder with its backslash; "" for a bare name.
std::string FolderOf(std::string_view path);
// The path's name: what follows its folder.
std::string_view NameOf(std::string_view path);
// The folder of a path naming a file in a folder, with its backslash; "" for
// a bare name or a path ending in a backslash.
std::string_view FolderPart(std::string_view path);
// The shell's extension of a file name: from its last dot, unless a blank
// follows it; "" for none.
std::string_view ExtensionOf(std::string_view name);
// Whether the path ends with a backslash or slash (a folder named so, or a root).
bool EndsWithSlash(std::string_view path);
// The path with a backslash added when it does not end with one.
std::string WithSlash(std::string path);
