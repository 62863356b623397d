#pragma once
// Text rules of the folder listing: paths, fixed buffers and icon keys.
#include <string>

// The text up to, not including, its first NUL.
std::string TrimNull(const std::string& text);
// The key an icon is stored under: the type name, or the full path for the
// type "Application" (exact letter case), whose files each have their own
// icon. The key is one of the two texts given.
const std::string& IconKey(const std::string& typeName, const std::string& fullPath);
// A line of a list file as a full path: a line relative to the list file's
// folder ("b.txt", "..\b.txt", "\top\b.txt") is joined to it, with its "." and
// ".." steps resolved; a full path ("C:\...", "\\server\...") stays as it is.
std::string ListLinePath(const std::string& listFile, const std::string& line);
