#pragma once
// Operations on a whole list at once, sent straight to the list-view control
// rather than walking its entries.
#include "platform/ListView.h"

#include <string>
#include <vector>

// The number of selected entries.
int GetSelCount(ListView& list);
// Selects (true) or deselects (false) every entry; other item states stay.
void SetAllSelected(ListView& list, bool selected);
// Deletes every entry.
void ClearLV(ListView& list);
// The texts (full paths) of the selected entries, and of every entry, in the order shown.
std::vector<std::string> SelectedPaths(ListView& list);
std::vector<std::string> AllPaths(ListView& list);
