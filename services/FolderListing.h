#pragma once
// Lists the files of one folder into a list view, with the shell icon of each
// file's type stored once per icon key in a shared image list.
#include "platform/ImageList.h"
#include "platform/ListView.h"
#include "platform/PictureBox.h"

#include <functional>
#include <string>
#include <vector>

// Told now and then how many entries a listing has added; false stops it.
using ListingProgress = std::function<bool(unsigned long long entries)>;
struct Listing {
    // "", or the one message for the user when the list is not the whole
    // folder: its read failed part-way (the entries read before stay), folders
    // below it were skipped, or names the code page cannot hold were left out.
    // A folder that is not there gives an empty list and "".
    std::string problem;
    unsigned long long entries = 0;
    bool stopped = false;  // the entries added before the stop stay
};
// Adds an entry for every file (never a folder) of the folder, and with
// `subfolders` of every folder below it too (junctions and symbolic links not
// entered): text the full path, small icon the file's icon key. The list must
// already show the images. Progress is told before each folder below and
// after each batch of a folder's entries (a few hundred).
Listing FillTreeList(const std::string& folder, bool subfolders, ListView& list, ImageList& images,
                     PictureBox& surface, const ListingProgress& progress);
// Gives the next file to add in `path`; false when there is none.
using NextFile = std::function<bool(std::string& path)>;
// Adds an entry for each file `next` gives, one at a time, with its icon as a
// listing gives it; a path the list already has, whatever its letter case, is
// skipped unless duplicates are allowed. Returns how many entries were added.
unsigned long long AddFiles(const NextFile& next, ListView& list, ImageList& images, PictureBox& surface,
                            bool allowDupes);
// Stores the surface's image under the key unless the key is already there.
void AddToImageList(const std::string& key, ImageList& images, PictureBox& surface);
