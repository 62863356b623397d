#include "platform/ListModel.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace {

unsigned char FoldAscii(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

}  // namespace

ListModel::ListModel(Compare compare) : compare_(std::move(compare)) {}

std::shared_ptr<ListEntry> ListModel::Append()
{
    auto entry = std::make_shared<ListEntry>();
    entry->position = static_cast<int>(entries_.size());
    entries_.push_back(entry);
    stale_ = sorted_;
    return entry;
}

void ListModel::SetText(ListEntry& entry, std::string text)
{
    if (entry.position < 0) {  // removed from the list: keeps its text, nothing to order
        entry.text = std::move(text);
        return;
    }
    Unindex(entry);
    entry.text = std::move(text);
    Index(entry);
    stale_ = sorted_;
}

void ListModel::Clear()
{
    for (auto& entry : entries_) entry->position = -1;
    entries_.clear();
    byText_.clear();
    stale_ = false;
}

std::shared_ptr<ListEntry> ListModel::Find(const std::string& text) const
{
    const auto found = byText_.find(text);
    if (found != byText_.end()) return entries_[static_cast<std::size_t>(found->second->position)];
    if (!text.empty()) return nullptr;
    // Empty texts are not indexed: a list being filled holds many for a moment.
    for (const auto& entry : entries_)
        if (entry->text.empty()) return entry;
    return nullptr;
}

int ListModel::FindFrom(std::string_view text, int start, bool partial, bool wrap) const
{
    const int count = static_cast<int>(entries_.size());
    if (count == 0) return -1;
    if (start < 0 || start >= count) start = wrap ? 0 : count;
    const auto matches = [&](const std::string& entry) {
        if (entry.size() < text.size() || (!partial && entry.size() != text.size())) return false;
        return std::equal(text.begin(), text.end(), entry.begin(),
                          [](char a, char b) { return FoldAscii(a) == FoldAscii(b); });
    };
    const int last = wrap ? start + count : count;
    for (int i = start; i < last; ++i) {
        const int position = i % count;
        if (matches(entries_[static_cast<std::size_t>(position)]->text)) return position;
    }
    return -1;
}

void ListModel::Sorted(bool on)
{
    sorted_ = on;
    stale_ = on && !entries_.empty();
}

void ListModel::SortOrder(int order)
{
    order_ = order;
    stale_ = sorted_ && !entries_.empty();
}

std::vector<int> ListModel::Arrange()
{
    std::vector<int> from(entries_.size());
    std::iota(from.begin(), from.end(), 0);
    if (!stale_) return from;
    stale_ = false;
    const bool descending = order_ != 0;
    std::stable_sort(from.begin(), from.end(), [&](int a, int b) {
        const int c = compare_(entries_[static_cast<std::size_t>(a)]->text,
                               entries_[static_cast<std::size_t>(b)]->text);
        return descending ? c > 0 : c < 0;
    });
    std::vector<std::shared_ptr<ListEntry>> arranged;
    arranged.reserve(entries_.size());
    for (int old : from) arranged.push_back(std::move(entries_[static_cast<std::size_t>(old)]));
    entries_ = std::move(arranged);
    for (std::size_t i = 0; i < entries_.size(); ++i) entries_[i]->position = static_cast<int>(i);
    return from;
}

void ListModel::Index(ListEntry& entry)
{
    if (!entry.text.empty()) byText_.emplace(entry.text, &entry);
}

void ListModel::Unindex(const ListEntry& entry)
{
    if (entry.text.empty()) return;
    auto [first, last] = byText_.equal_range(entry.text);
    for (auto it = first; it != last; ++it) {
        if (it->second == &entry) {
            byText_.erase(it);
            return;
        }
    }
}

int CompareTextNoCase(const std::string& a, const std::string& b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const int difference = FoldAscii(a[i]) - FoldAscii(b[i]);
        if (difference != 0) return difference;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}
