#pragma once
// The orders the selection list's entries can be put in, and the entries that
// name no file any more. An order is the old position of the entry now at
// each position, as ListModel::Arrange gives it. Every order is stable:
// entries that compare equal keep their order, whichever the direction.
#include "services/FileFacts.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The orders of the "Sort By" commands.
enum class SortKey { Name, Folder, Extension, Size, Modified };

// Compares two NUL-ended UTF-16 texts as Explorer orders names (the
// platform's StrCmpLogicalW): less than, equal to or greater than 0.
using NaturalCompare = std::function<int(const wchar_t* a, const wchar_t* b)>;

// The texts an order compares: for each entry the same number of keys in
// UTF-16, compared in turn (a folder, then a name), held in one block.
class SortTexts {
public:
    explicit SortTexts(std::size_t keysPerEntry) : keys_(keysPerEntry) {}
    // The next key of the entry being added.
    void Add(std::wstring_view key);
    std::size_t Entries() const { return starts_.size() / keys_; }
    std::size_t KeysPerEntry() const { return keys_; }
    const wchar_t* Key(std::size_t entry, std::size_t key) const { return texts_.c_str() + starts_[entry * keys_ + key]; }
    std::wstring_view KeyView(std::size_t entry, std::size_t key) const;
    const std::wstring& Block() const { return texts_; }

private:
    std::size_t keys_;
    std::wstring texts_;               // every key, each ended by a NUL
    std::vector<std::size_t> starts_;  // where each key starts
};

// The texts in the order the comparison gives. Asking the platform for every
// comparison is slow (under Wine it compares a character at a time through
// the locale): the texts are sorted by a quick rule, and the platform is then
// asked about each neighbouring pair only; should it disagree anywhere, the
// texts are sorted by asking it for every comparison.
std::vector<int> NaturalOrder(const SortTexts& texts, bool descending, const NaturalCompare& compare);
// The entries by a number of their files' facts (the size, a time); entries
// whose file is missing go last, whichever the direction.
std::vector<int> OrderByFacts(const std::vector<FileFacts>& facts, std::uint64_t FileFacts::*by, bool descending);
// The order turned end to end.
std::vector<int> ReversedOrder(std::size_t count);

// The positions of the entries whose file is known not to exist, in order.
std::vector<int> MissingPositions(const std::vector<FileFacts>& facts);
// What the user is told when that many entries were removed for it; "" for none.
std::string MissingRemovedMessage(std::size_t removed);
