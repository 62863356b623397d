#pragma once
// The commands both lists share: the way out (copy, drag) and the one way in
// for files (dropped, opened from a list file), with the same rules and the
// same messages wherever they are used.
#include "platform/ImageList.h"
#include "platform/ListView.h"
#include "platform/PictureBox.h"
#include "services/CopyShapes.h"

#include <functional>
#include <string>
#include <vector>

// Puts the list's selected paths on the clipboard; a copy that put nothing
// there says so.
void CopySelected(HWND owner, ListView& list);
// Puts the list's selected paths on the clipboard as text in a shape, and
// tells the user what the shape left as it was.
void CopySelectedAs(HWND owner, ListView& list, CopyShape shape);
// Drags the list's selected paths out, or to another place in the list
// (raising its DropInside); let go elsewhere over the window they came from,
// they do nothing.
void DragSelected(ListView& list);

enum class PathKind { None, File, Folder };
// Whether a path names an existing file, an existing folder, or neither.
PathKind KindOfPath(const std::string& path);

// Where files come in: the list they join, the images their icons go to, the
// duplicates rule, and the picker, which lists a folder.
struct FileDestination {
    ListView& list;
    ImageList& images;
    PictureBox& surface;
    bool allowDupes;
    std::function<void(const std::string& folder)> showFolder;
};
// Paths taken one at a time, as the lines of a list file or of pasted text,
// so that a long list is never held twice.
struct PathSource {
    std::size_t count = 0;
    // The path at an index, in the program's code page; false when the code
    // page cannot hold it. A blank path ("" between quotes) names nothing and
    // is passed over.
    std::function<bool(std::size_t index, std::string& path)> path;
};
// The paths of a list held whole (a drop, the command line); "" where a name
// could not be written in the code page.
PathSource PathsOf(const std::vector<std::string>& paths);
// Told now and then how many paths have been taken of how many; false stops
// the taking, and the entries added stay.
using TakingProgress = std::function<bool(std::size_t taken, std::size_t count)>;
struct Taking {
    bool stopped = false;
    std::string message;  // for the user: paths skipped, or ""
};
// The way in: the existing files among the paths join the list, with their
// icons; a folder among them opens in the picker (the last, when there are
// several; not after a stop); the others are counted in one message, such as
// "2 lines of C:\in.txt named no existing file and were skipped." (what
// "line", from " of C:\in.txt").
Taking TakeFiles(const PathSource& paths, const FileDestination& to, const std::string& what,
                 const std::string& from, const TakingProgress& goesOn);
