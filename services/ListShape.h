#pragma once
// What the commands that shape the selection list by its files need: the
// orders of "Sort By", names and folders as Explorer orders them, sizes and
// dates as the files have them now; and the entries "Remove Missing" takes out.
#include "services/ListOrder.h"

#include <string>
#include <string_view>
#include <vector>

// The entries' order by `key` (see ListOrder.h for its form); the size and
// dates are read from the files, a folder at a time.
std::vector<int> SortedBy(const std::vector<std::string_view>& texts, SortKey key, bool descending);

struct MissingFiles {
    std::vector<int> positions;  // of the entries naming no existing file, in order
    std::string message;         // for the user, "" when none
};
MissingFiles FindMissing(const std::vector<std::string_view>& texts);
