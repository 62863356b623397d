#pragma once
// Lists the files of one folder into a list view, with the shell icon of each
// file's type stored once per icon key in a shared image list.
#include "platform/ImageList.h"
#include "platform/ListView.h"
#include "platform/PictureBox.h"

#include <functional>
#include <string>
#include <vector>

// Adds an entry for every file (never a folder) of the folder: text the full
// path, small icon the file's icon key. The list must already show the images.
// Returns "", or the one message for the user when the list is not the whole
// folder: the read failed part-way (the entries read before stay), or names
// the code page cannot hold were left out. A folder that is not there gives
// an empty list and "".
std::string FillFileList(const std::string& folder, ListView& list, ImageList& images, PictureBox& surface);
// Told now and then how many entries a listing has added; false stops it.
using ListingProgress = std::function<bool(unsigned long long entries)>;
struct Listing {
    std::string problem;  // as FillFileList gives it, with the folders below that were skipped
    unsigned long long entries = 0;
    bool stopped = false;  // the entries added before the stop stay
};
// As FillFileList, and with `subfolders` the files of every folder below it
// too (reparse-point folders not entered). Progress is told before each
// folder below and every few thousand entries.
Listing FillTreeList(const std::string& folder, bool subfolders, ListView& list, ImageList& images,
                     PictureBox& surface, const ListingProgress& progress);
// Gives the next file to add in `path`; false when there is none.
using NextFile = std::function<bool(std::string& path)>;
// Adds an entry for each file `next` gives, one at a time, with its icon as a
// listing gives it; a path the list already has, whatever its letter case, is
// skipped unless duplicates are allowed. Returns how many entries were added.
unsigned long long AddFiles(const NextFile& next, ListView& list, ImageList& images, PictureBox& surface,
                            bool allowDupes);
// The shell's name for the file's type, or "" when the shell cannot tell.
std::string GetFileTypeName(const std::string& path);
// Draws the file's shell icon (small, or large) at x, y on the DC.
void DrawFileIcon(const std::string& path, HDC dc, int x, int y, bool large);
// Stores the surface's image under the key unless the key is already there.
void AddToImageList(const std::string& key, ImageList& images, PictureBox& surface);
