#pragma once
// Choosing a list's entries by their file names, and inverting the choice.
#include "platform/ListView.h"

#include <string_view>

// Selects (true) or deselects (false) the entries whose file names match the
// patterns ("*.jpg;*.png", letter case aside); the others stay as they are.
// False, and nothing changed, when the text holds no pattern.
bool SelectMatching(ListView& list, std::string_view patterns, bool selected);
// Selects the entries that are not selected and deselects those that are.
void InvertSelection(ListView& list);
