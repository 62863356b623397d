#pragma once
// The entries behind a list view: their texts, icon keys and order. The control
// only shows them (it asks for the rows it paints), so the model knows nothing
// of windows. Entries are stored compactly, for folders of a hundred thousand
// files: texts in large shared blocks, icon keys as small numbers, and an
// index of texts that holds entry numbers. Texts that differ only in letter
// case name the same file, as the file system sees it: the index finds them
// as one.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class ListModel {
public:
    // An entry's number: stable while it is in the list, whatever the order.
    using Id = std::uint32_t;
    static constexpr Id kNone = ~Id{0};
    // Orders two texts: negative, zero or positive, like strcmp, and as it
    // does, from their first differing byte on (so what all texts share at
    // their start decides nothing).
    using Compare = std::function<int(std::string_view, std::string_view)>;
    // A text in upper case, as the file system compares names; asked only of
    // texts with bytes past ASCII, whose letters the model cannot fold itself.
    // Without one, such bytes are compared as they are.
    using Fold = std::function<std::string(std::string_view)>;

    explicit ListModel(Compare compare, Fold fold = {});
    ~ListModel();
    ListModel(const ListModel&) = delete;
    ListModel& operator=(const ListModel&) = delete;

    // Appends an entry with the given text and icon key.
    Id Append(std::string_view text = {}, std::string_view smallIcon = {});
    // Makes room for as many more entries at once: a bulk addition of a known
    // number grows no table, and rebuilds no index, on its way.
    void Reserve(std::size_t more);
    // Changes of an entry no longer in the list do nothing.
    void SetText(Id id, std::string_view text);
    void SetIcon(Id id, std::string_view smallIcon);
    std::string_view Text(Id id) const;
    const std::string& Icon(Id id) const;
    void Clear();
    // Takes the given entries out; the others keep their order. Entry numbers
    // change, as at Clear.
    void Remove(const std::vector<Id>& ids);
    // Puts the entries in a new order: from[i] is the position before of the
    // entry now at position i (as Arrange returns it).
    void Reorder(const std::vector<int>& from);
    // Moves the selected entries one place up or down, or to the top or the
    // bottom. A run of them moves as a block; entries selected apart keep
    // their order and close up at the edge. False when nothing moved.
    enum class Where { Up, Down, Top, Bottom };
    bool MoveSelected(Where where);
    // Places the selected entries, in their order, before the entry now at a
    // position (Count() for the end). False when nothing moved.
    bool MoveSelectedTo(std::size_t position);
    // Changes at every Clear, Remove, Undo and Redo: entry numbers from before
    // it name nothing now.
    std::uint32_t Generation() const { return generation_; }
    // Two measures of the model's own, for its tests: what a list of a
    // hundred thousand entries holds and what a million additions cost are
    // promises of this model that nothing outside it can read (the process's
    // memory moves with every other allocation). Neither is called by the
    // program, and neither adds to it. The bytes the texts and their index take:
    std::size_t TextMemory() const
    {
        return blocksSize_ + (index_.size() + nextSame_.size() + previousSame_.size()) * sizeof(Id);
    }
    // The index slots looked at so far: the work of keeping and searching the
    // index, which stays the same per entry however long the list grows.
    unsigned long long IndexProbes() const { return probes_; }

    // The history of a list that keeps one: every change, from Append to a
    // move, is part of a step, and a step is undone and redone whole.
    // Changes made between the making and the end of a Change are one step
    // under its name; a Change made inside another joins it. A change made
    // with none open is a step of its own. A step that changes nothing is not
    // kept. SetText and SetIcon are not part of it: lists with a history do
    // not rename their entries.
    class Change {
    public:
        Change(ListModel& model, std::string_view name);
        ~Change();
        Change(const Change&) = delete;
        Change& operator=(const Change&) = delete;

    private:
        ListModel& model_;
    };
    // Off by default; turned off, the history is forgotten.
    void KeepHistory(bool on);
    // Forgets every step: undoing stops at what the list holds now.
    void StartHistory();
    // Bring the list back to before the last step, texts, icons, order and
    // selection, or to after the step last undone. Refused (false) while a
    // Change is open, or with no step to take.
    bool Undo();
    bool Redo();
    // The names of the steps Undo and Redo would take; "" when none.
    std::string UndoName() const;
    std::string RedoName() const;
    // The bytes the history holds (steps' tables and the texts only they
    // hold) and the bytes of the list itself (its texts and tables). The
    // history never holds more than the list, or than one block of texts
    // (which a list holds as soon as it has a text), save for its newest
    // step, which is always kept so that the last change can be undone: when
    // a step ends past that, the oldest steps go.
    std::size_t HistoryMemory() const;
    std::size_t ListMemory() const;

    std::size_t Count() const { return order_.size(); }
    // The entry shown at a position, and the position of an entry (-1 when it
    // is not in the list).
    Id At(std::size_t position) const { return order_[position]; }
    int PositionOf(Id id) const { return id < positions_.size() ? static_cast<int>(positions_[id]) : -1; }
    // The first entry added whose text is the given text, letter case aside,
    // or kNone.
    Id Find(std::string_view text) const;
    // The position of the first entry from start on whose text begins with
    // (partial) or is (not partial) the given text, letter case aside;
    // with wrap the search goes on from the top. -1 when none matches.
    int FindFrom(std::string_view text, int start, bool partial, bool wrap) const;

    // Whether an entry is selected, as the control last reported it: the
    // control keeps the selection, and tells of every change to it.
    bool IsSelected(Id id) const { return id < selected_.size() && selected_[id]; }
    void Select(Id id, bool selected)
    {
        if (id >= selected_.size() || selected_[id] == selected) return;
        selected_[id] = selected;
        selectedCount_ += selected ? 1 : -1;
    }
    void SelectAll(bool selected)
    {
        selected_.assign(selected_.size(), selected);
        selectedCount_ = selected ? selected_.size() : 0;
    }

    // Sorting: while on, appended or renamed entries leave the order stale
    // until Arrange puts it right, so a bulk fill sorts once, not per entry.
    void Sorted(bool on);
    bool Sorted() const { return sorted_; }
    int SortOrder() const { return direction_; }
    void SortOrder(int order);
    bool NeedsArranging() const { return stale_; }
    // Sorts when stale; returns the old position of the entry now at each
    // position, so callers can carry per-position state (selection) along.
    std::vector<int> Arrange();

private:
    static constexpr std::size_t kBlockSize = 64 * 1024;  // of texts
    struct Record;
    struct Step;
    struct Steps;
    struct Tables;
    struct Entry {
        const char* text;
        std::uint32_t length;
        std::uint32_t icon;  // index into iconKeys_
    };
    std::string_view TextOf(const Entry& entry) const { return {entry.text, entry.length}; }
    const char* Store(std::string_view text);
    void Drop(const Entry& entry) { liveBytes_ -= entry.length; }
    void CompactWhenMostlyGarbage();
    // The history's side of the model (ListHistory.cpp).
    void Open(std::string_view name);
    void Close();
    Record* Recording(int kind);
    std::vector<bool> Selection() const;  // by position; empty when none is selected
    void Reselect(const std::vector<bool>& selection);
    bool Travel(std::deque<Step>& from, std::deque<Step>& to, bool forward);
    void Replay(Record& record, bool forward);
    void Forget(std::deque<Step>& steps, std::size_t count);
    void KeepWithinBound();
    void StoreHeldTextsAgain();  // at compaction
    // The changes themselves, done, undone and redone alike; none records.
    std::vector<Entry> TakeOut(const std::vector<std::uint32_t>& positions, bool keepTexts);
    void PutBack(const std::vector<std::uint32_t>& positions, std::vector<Entry>& entries);
    void Place(const std::vector<std::uint32_t>& from, const std::vector<std::uint32_t>& to);
    void Permute(const std::vector<std::uint32_t>& from, bool backwards);
    void SwapTables(Tables& tables);
    void Renumber();  // positions_ from order_
    std::vector<std::uint32_t> SelectedPositions() const;
    // Moves the entries at `from` to `to` as a step; false when they are there already.
    bool Moved(const std::vector<std::uint32_t>& from, const std::vector<std::uint32_t>& to);
    std::uint32_t Intern(std::string_view key);
    // The text as the index compares it, its ASCII letters folded wherever
    // it is hashed or compared: the text itself, or, past ASCII, the text in
    // upper case by the fold. Valid until the next call with the same buffer.
    std::string_view Key(std::string_view text, std::string& buffer) const;
    std::size_t Hash(std::string_view key) const;
    // Whether a text, folded, is the key.
    bool SameKey(std::string_view text, std::string_view key) const;
    // The slot holding the entries of the key, or the empty slot where they would go.
    std::size_t SlotOf(std::string_view key) const;
    void Index(Id id);
    void Unindex(Id id);
    void Rehash(std::size_t capacity);
    // The rings of entries that share a key, made when a second entry of a
    // key comes: most lists have none, and keep no memory for them.
    void StartRings();
    void StopRings();

    Compare compare_;
    Fold fold_;
    std::vector<Entry> entries_;           // by Id
    std::vector<Id> order_;                // Id shown at each position
    std::vector<std::uint32_t> positions_; // position of each Id
    std::vector<bool> selected_;           // by Id
    std::vector<std::unique_ptr<char[]>> blocks_;  // the texts
    std::size_t blockUsed_ = 0, blockSize_ = 0;
    std::size_t blocksSize_ = 0;  // all blocks together
    std::size_t storedBytes_ = 0, liveBytes_ = 0;  // texts stored since the last compaction, and those still in use
    // A deque never moves its keys, so the map can look them up by view,
    // without making a string for every entry added.
    std::deque<std::string> iconKeys_;
    std::unordered_map<std::string_view, std::uint32_t> iconIds_;
    // Open addressing over non-empty texts, one slot per distinct key holding
    // its first entry: kNone empty, kRemoved a gap.
    std::vector<Id> index_;
    std::size_t indexUsed_ = 0;   // slots holding an entry or a gap
    std::size_t indexLive_ = 0;   // slots holding an entry
    // Once rings_, the entries of one key in the order added, a ring by Id:
    // kNone for entries not indexed. Before, every entry is alone with its key.
    bool rings_ = false;
    std::vector<Id> nextSame_, previousSame_;
    mutable std::string keyBuffer_, otherKeyBuffer_;
    mutable unsigned long long probes_ = 0;
    bool sorted_ = false;
    int direction_ = 0;  // 0 ascending, 1 descending
    bool stale_ = false;
    std::uint32_t generation_ = 0;
    std::size_t selectedCount_ = 0;
    std::size_t heldBytes_ = 0;  // texts out of the list that the history keeps
    bool history_ = false;
    int open_ = 0;  // Changes open, nested
    std::unique_ptr<Step> pending_;  // the step the open Change makes
    std::unique_ptr<Steps> steps_;
};

// Orders texts case-insensitively (ASCII letters), ties broken by exact bytes.
int CompareTextNoCase(std::string_view a, std::string_view b);
