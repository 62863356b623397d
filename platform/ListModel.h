#pragma once
// The entries behind a list view: their texts, icon keys and order. The control
// only shows them (it asks for the rows it paints), so the model knows nothing
// of windows and can hold very many entries cheaply.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct ListEntry {
    std::string text;
    std::string smallIcon;
    int position = -1;  // index in the shown order; -1 once removed from its list
};

class ListModel {
public:
    // Orders two texts: negative, zero or positive, like strcmp.
    using Compare = std::function<int(const std::string&, const std::string&)>;

    explicit ListModel(Compare compare);

    std::shared_ptr<ListEntry> Append();
    void SetText(ListEntry& entry, std::string text);
    void Clear();

    std::size_t Count() const { return entries_.size(); }
    const std::shared_ptr<ListEntry>& At(std::size_t position) const { return entries_[position]; }
    // An entry whose text is exactly the given text, or null.
    std::shared_ptr<ListEntry> Find(const std::string& text) const;
    // The position of the first entry from start on whose text begins with
    // (partial) or is (not partial) the given text, letter case aside (ASCII);
    // with wrap the search goes on from the top. -1 when none matches.
    int FindFrom(std::string_view text, int start, bool partial, bool wrap) const;

    // Sorting: while on, appended or renamed entries leave the order stale
    // until Arrange puts it right, so a bulk fill sorts once, not per entry.
    void Sorted(bool on);
    bool Sorted() const { return sorted_; }
    int SortOrder() const { return order_; }
    void SortOrder(int order);
    bool NeedsArranging() const { return stale_; }
    // Sorts when stale; returns the old position of the entry now at each
    // position, so callers can carry per-position state (selection) along.
    std::vector<int> Arrange();

private:
    void Index(ListEntry& entry);
    void Unindex(const ListEntry& entry);

    Compare compare_;
    std::vector<std::shared_ptr<ListEntry>> entries_;
    std::unordered_multimap<std::string_view, ListEntry*> byText_;  // views into the entries' own texts
    bool sorted_ = false;
    int order_ = 0;  // 0 ascending, 1 descending
    bool stale_ = false;
};

// Orders texts case-insensitively (ASCII letters), ties broken by exact bytes.
int CompareTextNoCase(const std::string& a, const std::string& b);
