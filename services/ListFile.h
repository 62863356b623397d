#pragma once
// List files: UTF-8 text in one of the list formats (one full path per line
// unless the extension chooses another), CR LF line ends, whatever the
// program's code page.
#include "platform/Win32.h"
#include "services/ListFormats.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The facts of the paths given (ReadFileFacts): a table's columns.
using FactsReader = std::function<std::vector<FileFacts>(const std::vector<std::string_view>& paths)>;
struct SavedList {
    std::string failure;    // why the list was not written, or ""
    std::size_t gone = 0;   // entries whose file has gone, written with empty columns
};
// Writes the list in the format the target's extension chooses, a slice at a
// time, to a temporary file in the target's folder, then puts it in place of
// the target in one step (an existing target keeps its attributes,
// permissions, streams and hard links), so a failure (a full disk, a locked
// file) never leaves a half-written or lost list. A target that is a folder or
// a read-only file is refused, at every write. The facts are read only for a
// table.
SavedList SaveList(const std::string& path, const std::vector<std::string>& paths,
                   const FactsReader& readFacts = ReadFileFacts);
// Writes the list in a format to an open file or pipe, a slice at a time.
SavedList WriteList(HANDLE out, ListFormat format, const std::vector<std::string>& paths,
                    const FactsReader& readFacts);
// What the user is told of the entries whose file has gone, or "".
std::string GoneMessage(std::size_t gone);
// Whether SaveList can write to the path: it is not a folder's name or a
// read-only file, and its folder takes a new file (one is created there and
// deleted; the path itself is not touched). Returns "" or why not.
std::string CheckListTarget(const std::string& path);

// The steps that put a written list in its target's place, each giving 0 or
// the system's error.
struct ListPlacing {
    std::function<DWORD()> replace;  // over the existing target, which keeps its identity
    std::function<DWORD()> move;     // to a target that is not there
    std::function<void()> pause;     // waits before another try
};
struct ListPlaced {
    DWORD error = 0;
    // The system took the old target away before failing: the written list
    // is the only one left and must not be deleted.
    bool keepWritten = false;
};
// Puts the list in place, trying again for a while when another program
// (a virus scanner, the search indexer) holds a file for a moment.
ListPlaced PlaceList(bool targetExists, const ListPlacing& steps);

struct ListFileContents {
    std::string error;  // why nothing could be read, or ""
    std::string text;   // the file's bytes
    bool utf8 = true;   // UTF-8; else text in the system's own code page
    ListFormat format = ListFormat::Paths;
    std::vector<std::string_view> lines;  // views into the text (see FormatLines)
};
// Reads a list file of at most maxBytes, in the format its extension chooses:
// UTF-8 with or without a byte-order mark, else text in the system's own code
// page. A file that is not text, a table without a Path column, or a larger
// file gives an error and no lines. The lines are left as written, each to
// be converted as it is taken (ListLineInCodePage), so a long list is held
// once.
ListFileContents ReadListFile(const std::string& path, unsigned long long maxBytes);
// A line of a list file in the program's code page, in `converted`; false when
// the code page cannot hold it.
bool ListLineInCodePage(const ListFileContents& contents, std::size_t line, std::string& converted);
