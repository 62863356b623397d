#pragma once
// The commands both lists share: the way out (copy, drag) and the one way in
// for files (dropped, opened from a list file), with the same rules and the
// same messages wherever they are used.
#include "platform/ImageList.h"
#include "platform/ListView.h"
#include "platform/PictureBox.h"

#include <functional>
#include <string>
#include <vector>

// Puts the list's selected paths on the clipboard; a copy that put nothing
// there says so.
void CopySelected(HWND owner, ListView& list);
// Drags the list's selected paths out; let go over the window they came
// from, they do nothing.
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
// The way in: the existing files among the paths join the list, with their
// icons; a folder among them opens in the picker (the last, when there are
// several); the others are counted in one message, such as "2 lines of
// C:\in.txt named no existing file and were skipped." (what "line", from
// " of C:\in.txt").
void TakeFiles(HWND owner, const std::vector<std::string>& paths, const FileDestination& to,
               const std::string& what, const std::string& from);
