#include "services/ListOrder.h"

#include "services/ListText.h"

#include <algorithm>
#include <numeric>

namespace {

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

std::vector<int> Positions(std::size_t count)
{
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    return order;
}

// The platform's comparison of texts as Explorer orders them, as it most
// often behaves: digit runs by their numbers and before any other character,
// other characters one at a time by their place in the platform's order of
// single characters (letter case aside, as the platform says). Only ever a
// guess, checked afterwards against the platform itself.
class QuickCompare {
public:
    QuickCompare(const SortTexts& texts, const NaturalCompare& compare)
    {
        const std::wstring& block = texts.Block();
        const wchar_t highest = block.empty() ? 0 : *std::max_element(block.begin(), block.end());
        rank_.assign(static_cast<std::size_t>(highest) + 1, 0);
        std::vector<wchar_t> units;
        for (const wchar_t c : block)
            if (c != 0 && !IsDigit(c) && rank_[Index(c)] == 0) {
                rank_[Index(c)] = 1;
                units.push_back(c);
            }
        const auto platform = [&compare](wchar_t a, wchar_t b) {
            const wchar_t first[] = {a, 0}, second[] = {b, 0};
            return compare(first, second);
        };
        std::stable_sort(units.begin(), units.end(), [&](wchar_t a, wchar_t b) { return platform(a, b) < 0; });
        std::uint32_t rank = 1;
        for (std::size_t i = 0; i < units.size(); ++i) {
            if (i > 0 && platform(units[i - 1], units[i]) != 0) ++rank;
            rank_[Index(units[i])] = rank;
        }
    }

    int operator()(std::wstring_view a, std::wstring_view b) const
    {
        std::size_t i = 0, j = 0;
        while (i < a.size()) {
            if (j == b.size()) return 1;
            if (IsDigit(a[i]) != IsDigit(b[j])) return IsDigit(a[i]) ? -1 : 1;
            if (IsDigit(a[i])) {
                if (const int numbers = CompareNumbers(a, i, b, j)) return numbers;
                continue;
            }
            const std::uint32_t first = rank_[Index(a[i++])], second = rank_[Index(b[j++])];
            if (first != second) return first < second ? -1 : 1;
        }
        return j < b.size() ? -1 : 0;
    }

private:
    static std::size_t Index(wchar_t c) { return static_cast<std::size_t>(c); }
    // Compares the digit runs at a[i] and b[j] by their numbers, and moves
    // both past them.
    static int CompareNumbers(std::wstring_view a, std::size_t& i, std::wstring_view b, std::size_t& j)
    {
        const std::wstring_view first = Number(a, i), second = Number(b, j);
        if (first.size() != second.size()) return first.size() < second.size() ? -1 : 1;
        return first.compare(second) < 0 ? -1 : first.compare(second) > 0 ? 1 : 0;
    }
    // The digits of the run at `at` without its leading zeros; `at` moves past the run.
    static std::wstring_view Number(std::wstring_view text, std::size_t& at)
    {
        while (at + 1 < text.size() && text[at] == L'0' && IsDigit(text[at + 1])) ++at;
        const std::size_t start = at;
        while (at < text.size() && IsDigit(text[at])) ++at;
        return text.substr(start, at - start);
    }
    std::vector<std::uint32_t> rank_;  // by UTF-16 unit; equal for units the platform calls equal
};

// Two entries compared key by key with `compare`; identical keys are equal
// without asking.
template <typename Compare>
int CompareEntries(const SortTexts& texts, int a, int b, const Compare& compare)
{
    for (std::size_t key = 0; key < texts.KeysPerEntry(); ++key) {
        const std::wstring_view first = texts.KeyView(static_cast<std::size_t>(a), key);
        const std::wstring_view second = texts.KeyView(static_cast<std::size_t>(b), key);
        if (first == second) continue;
        if (const int order = compare(first, second)) return order;
    }
    return 0;
}

template <typename Compare>
std::vector<int> StableSorted(const SortTexts& texts, bool descending, const Compare& compare)
{
    std::vector<int> order = Positions(texts.Entries());
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int c = CompareEntries(texts, a, b, compare);
        return descending ? c > 0 : c < 0;
    });
    return order;
}

}  // namespace

void SortTexts::Add(std::wstring_view key)
{
    starts_.push_back(texts_.size());
    texts_.append(key).push_back(L'\0');
}

std::wstring_view SortTexts::KeyView(std::size_t entry, std::size_t key) const
{
    const std::size_t at = starts_[entry * keys_ + key];
    const std::size_t end = entry * keys_ + key + 1 < starts_.size() ? starts_[entry * keys_ + key + 1] : texts_.size();
    return std::wstring_view(texts_).substr(at, end - at - 1);
}

std::vector<int> NaturalOrder(const SortTexts& texts, bool descending, const NaturalCompare& compare)
{
    const auto platform = [&](std::wstring_view a, std::wstring_view b) { return compare(a.data(), b.data()); };
    std::vector<int> order = StableSorted(texts, descending, QuickCompare(texts, compare));
    // The one stable order is the one in which each entry goes before the
    // next, or equals it and was before it.
    for (std::size_t i = 1; i < order.size(); ++i) {
        const int c = CompareEntries(texts, order[i - 1], order[i], platform);
        if ((descending ? -c : c) > 0 || (c == 0 && order[i - 1] > order[i]))
            return StableSorted(texts, descending, platform);
    }
    return order;
}

std::vector<int> OrderByFacts(const std::vector<FileFacts>& facts, std::uint64_t FileFacts::*by, bool descending)
{
    std::vector<int> order = Positions(facts.size());
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const FileFacts& first = facts[static_cast<std::size_t>(a)];
        const FileFacts& second = facts[static_cast<std::size_t>(b)];
        if (first.exists != second.exists) return first.exists;
        return descending ? first.*by > second.*by : first.*by < second.*by;
    });
    return order;
}

std::vector<int> ReversedOrder(std::size_t count)
{
    std::vector<int> order = Positions(count);
    std::reverse(order.begin(), order.end());
    return order;
}

std::vector<int> MissingPositions(const std::vector<FileFacts>& facts)
{
    std::vector<int> missing;
    for (std::size_t i = 0; i < facts.size(); ++i)
        if (!facts[i].exists && !facts[i].unknown) missing.push_back(static_cast<int>(i));
    return missing;
}

std::string MissingRemovedMessage(std::size_t removed)
{
    if (removed == 0) return "";
    if (removed == 1) return "1 entry named a file that no longer exists and was removed.";
    return Grouped(removed) + " entries named files that no longer exist and were removed.";
}
