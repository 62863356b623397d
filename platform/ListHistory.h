#pragma once
// The steps of a list's history, shared by the model's two halves. A record
// says what one change did by position, not by entry number: numbers change
// when entries go, while the list is exactly as a record left it whenever the
// record is undone or redone.
#include "platform/ListModel.h"

struct ListModel::Tables {
    std::vector<Entry> entries;
    std::vector<Id> order;
    std::vector<std::uint32_t> positions;
    std::vector<bool> selected;
    std::size_t selectedCount = 0;
    std::size_t textBytes = 0;
    std::vector<Id> index;
    std::size_t indexUsed = 0, indexLive = 0;
    bool rings = false;
    std::vector<Id> nextSame, previousSame;
};

struct ListModel::Record {
    enum Kind { kInserted, kRemoved, kCleared, kPlaced, kReordered };
    int kind;
    // Inserted and removed: the entries' positions in the list with them,
    // ascending. Placed: where the moved entries were, ascending. Reordered:
    // the position before of the entry at each position after.
    std::vector<std::uint32_t> positions;
    std::vector<std::uint32_t> targets;  // placed: where they went, ascending
    // The entries out of the list while the record is done (removed) or
    // undone (inserted), in the order of their positions; their texts stay
    // in the model's blocks.
    std::vector<Entry> entries;
    std::unique_ptr<Tables> tables;  // cleared: the whole list as it was
};

struct ListModel::Step {
    std::string name;
    std::vector<Record> records;
    std::vector<bool> selectedBefore, selectedAfter;  // by position
    std::size_t bytes = 0;  // Bytes() when last done or undone
    std::size_t Bytes() const;
    std::size_t TextBytes() const;  // of the texts only this step holds
};

struct ListModel::Steps {
    std::deque<Step> undo, redo;  // oldest first
    std::size_t bytes = 0;       // of them all
};
