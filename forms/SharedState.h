#pragma once
// State the two windows share.
#include <string>
#include <vector>

// The folder the picker lists; "C:\" once the selection window has loaded.
extern std::string strCurFolder;
// "Allow Dupes": whether a transfer adds paths the selection list already has.
extern bool blnAllowDupes;
// "Include Subfolders": whether the picker lists the files of every folder
// below the current one too; for this run only.
extern bool blnSubfolders;
// The patterns "Select Matching..." and "Deselect Matching..." were given in
// this run, the newest first.
extern std::vector<std::string> strRecentPatterns;
