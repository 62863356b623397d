#include "services/ListOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <numeric>
#include <tuple>

namespace {

// Orders the platform might give: natural with letter case aside (as
// StrCmpLogicalW), and letter case aside with digits as characters and
// hyphens passed over (as the locale's word order does).
int Natural(const wchar_t* a, const wchar_t* b)
{
    for (; *a && *b; ++a, ++b) {
        if (std::iswdigit(*a) != std::iswdigit(*b)) return std::iswdigit(*a) ? -1 : 1;
        if (std::iswdigit(*a)) {
            wchar_t *endA, *endB;
            const auto first = std::wcstoull(a, &endA, 10), second = std::wcstoull(b, &endB, 10);
            if (first != second) return first < second ? -1 : 1;
            a = endA - 1, b = endB - 1;
        } else if (std::towlower(*a) != std::towlower(*b)) {
            return std::towlower(*a) < std::towlower(*b) ? -1 : 1;
        }
    }
    return *a ? 1 : *b ? -1 : 0;
}
int Words(const wchar_t* a, const wchar_t* b)
{
    std::wstring first(a), second(b);
    for (std::wstring* text : {&first, &second}) {
        text->erase(std::remove(text->begin(), text->end(), L'-'), text->end());
        for (wchar_t& c : *text) c = static_cast<wchar_t>(std::towlower(c));
    }
    return first.compare(second);
}

// Each entry's folder and name, ties and all: one name's number is past any machine word.
SortTexts Entries(std::initializer_list<const wchar_t*> keys)
{
    SortTexts texts(2);
    for (const wchar_t* key : keys) texts.Add(key);
    return texts;
}

const SortTexts kTexts = Entries({
    L"C:\\b\\", L"file10.txt", L"C:\\a\\", L"File2.txt", L"C:\\a\\", L"file2.txt", L"C:\\a\\", L"file02.txt",
    L"C:\\a\\", L"a b", L"C:\\a\\", L"a_b", L"C:\\a\\", L"a.b", L"C:\\a\\", L"ab", L"C:\\a\\", L"", L"C:\\A\\", L"Z",
    L"C:\\a\\", L"\u00e9", L"C:\\a\\", L"12", L"C:\\a\\", L"9", L"C:\\b\\", L"file10.txt", L"C:\\a\\", L"x1",
    L"C:\\a\\", L"x99999999999999999999999", L"C:\\a\\", L"file1.txt"});
// Without digits: ties the quick rule may not see.
const SortTexts kWords = Entries({L"x", L"ab", L"x", L"b", L"x", L"a-b", L"X", L"A-B", L"x", L"AB"});

// The stable order asking the platform for every comparison.
std::vector<int> AskingAlways(const SortTexts& texts, bool descending, int (*compare)(const wchar_t*, const wchar_t*))
{
    std::vector<int> order(texts.Entries());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        int c = compare(texts.Key(a, 0), texts.Key(b, 0));
        if (c == 0) c = compare(texts.Key(a, 1), texts.Key(b, 1));
        return descending ? c > 0 : c < 0;
    });
    return order;
}

}  // namespace

TEST(ListOrder, TextsComeInThePlatformsStableOrderWhateverItIs)
{
    for (const SortTexts* texts : {&kTexts, &kWords})
        for (const auto compare : {Natural, Words})
            for (const bool descending : {false, true})
                EXPECT_EQ(NaturalOrder(*texts, descending, compare), AskingAlways(*texts, descending, compare))
                    << descending;
}

TEST(ListOrder, ThePlatformIsAskedAboutNeighboursOnlyWhenTheQuickRuleHolds)
{
    SortTexts texts(1);
    for (int i = 999; i >= 0; --i) texts.Add((i % 2 ? L"File" : L"file") + std::to_wstring(i * 7 % 1000) + L".txt");
    int asked = 0;
    const std::vector<int> order = NaturalOrder(texts, false, [&](const wchar_t* a, const wchar_t* b) {
        ++asked;
        return Natural(a, b);
    });
    EXPECT_EQ(order, AskingAlways(texts, false, Natural));
    EXPECT_LT(asked, 1100);  // asking for every comparison takes about ten times as many
}

TEST(ListOrder, FactsOrderKeepsTiesAndPutsMissingFilesLastEitherWay)
{
    const auto file = [](std::uint64_t size, std::uint64_t modified) { return FileFacts{true, size, modified}; };
    const std::vector<FileFacts> facts = {file(30, 1), FileFacts{}, file(10, 3), file(30, 2), FileFacts{}, file(20, 3)};
    const std::tuple<std::uint64_t FileFacts::*, bool, std::vector<int>> cases[] = {
        {&FileFacts::size, false, {2, 5, 0, 3, 1, 4}},     {&FileFacts::size, true, {0, 3, 5, 2, 1, 4}},
        {&FileFacts::modified, false, {0, 3, 2, 5, 1, 4}}, {&FileFacts::modified, true, {2, 5, 3, 0, 1, 4}}};
    for (const auto& [by, descending, order] : cases) EXPECT_EQ(OrderByFacts(facts, by, descending), order);
    EXPECT_EQ(ReversedOrder(4), (std::vector<int>{3, 2, 1, 0}));
}

TEST(ListOrder, MissingFilesAreFoundAndCountedInOneMessage)
{
    FileFacts unreachable;  // on a share offline: not known to be gone
    unreachable.unknown = true;
    EXPECT_EQ(MissingPositions({FileFacts{}, FileFacts{true}, unreachable, FileFacts{}}), (std::vector<int>{0, 3}));
    const std::pair<std::size_t, const char*> cases[] = {
        {0, ""}, {1, "1 entry named a file that no longer exists and was removed."},
        {12345, "12,345 entries named files that no longer exist and were removed."}};
    for (const auto& [removed, message] : cases) EXPECT_EQ(MissingRemovedMessage(removed), message);
}
