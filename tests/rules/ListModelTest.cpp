#include "platform/ListModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>

namespace {

std::vector<std::string> Texts(const ListModel& model)
{
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < model.Count(); ++i) texts.emplace_back(model.Text(model.At(i)));
    return texts;
}

void AppendText(ListModel& model, const std::string& text)
{
    model.SetText(model.Append(), text);
}

}  // namespace

TEST(ListModel, UnsortedKeepsTheOrderOfAdding)
{
    ListModel model(CompareTextNoCase);
    for (const char* text : {"c", "a", "b"}) AppendText(model, text);
    EXPECT_FALSE(model.NeedsArranging());
    EXPECT_EQ(Texts(model), (std::vector<std::string>{"c", "a", "b"}));
    for (std::size_t i = 0; i < model.Count(); ++i) EXPECT_EQ(model.PositionOf(model.At(i)), static_cast<int>(i));
}

TEST(ListModel, SortedArrangesOnceAndReportsWhereEachEntryCameFrom)
{
    ListModel model(CompareTextNoCase);
    model.Sorted(true);
    for (const char* text : {"C:\\b.txt", "C:\\C.txt", "C:\\a.txt"}) AppendText(model, text);
    ASSERT_TRUE(model.NeedsArranging());
    const std::vector<int> from = model.Arrange();
    EXPECT_EQ(Texts(model), (std::vector<std::string>{"C:\\a.txt", "C:\\b.txt", "C:\\C.txt"}));
    EXPECT_EQ(from, (std::vector<int>{2, 0, 1}));
    EXPECT_FALSE(model.NeedsArranging());
    for (std::size_t i = 0; i < model.Count(); ++i) EXPECT_EQ(model.PositionOf(model.At(i)), static_cast<int>(i));
}

TEST(ListModel, TextsSharingTheirStartSortAsWholeTextsBothWays)
{
    ListModel model(CompareTextNoCase);
    model.Sorted(true);
    // All share "C:\d\", two share "C:\d\file1", one is the start of others.
    for (const char* text : {"C:\\d\\file1.txt", "C:\\d\\z", "C:\\d\\File2", "C:\\d\\file1", "C:\\d\\file10.txt"})
        AppendText(model, text);
    model.Arrange();
    const std::vector<std::string> ascending{"C:\\d\\file1", "C:\\d\\file1.txt", "C:\\d\\file10.txt",
                                             "C:\\d\\File2", "C:\\d\\z"};
    EXPECT_EQ(Texts(model), ascending);
    model.SortOrder(1);
    model.Arrange();
    EXPECT_EQ(Texts(model), std::vector<std::string>(ascending.rbegin(), ascending.rend()));
}

TEST(ListModel, FlippingTheOrderTwiceRestoresIt)
{
    ListModel model(CompareTextNoCase);
    model.Sorted(true);
    for (const char* text : {"b", "a", "c"}) AppendText(model, text);
    model.Arrange();
    const auto ascending = Texts(model);
    model.SortOrder(model.SortOrder() ^ 1);
    model.Arrange();
    EXPECT_EQ(Texts(model), (std::vector<std::string>{"c", "b", "a"}));
    model.SortOrder(model.SortOrder() ^ 1);
    model.Arrange();
    EXPECT_EQ(Texts(model), ascending);
    EXPECT_EQ(model.SortOrder(), 0);
}

TEST(ListModel, FindSeesTheCurrentTextsOnly)
{
    ListModel model(CompareTextNoCase);
    auto entry = model.Append();
    EXPECT_EQ(model.Find(""), entry);  // texts start empty
    model.SetText(entry, "C:\\one.txt");
    AppendText(model, "C:\\two.txt");
    EXPECT_EQ(model.Find("C:\\one.txt"), entry);
    EXPECT_EQ(model.Find(""), ListModel::kNone);
    model.SetText(entry, "C:\\renamed.txt");
    EXPECT_EQ(model.Find("C:\\one.txt"), ListModel::kNone);
    EXPECT_EQ(model.Find("C:\\renamed.txt"), entry);
}

TEST(ListModel, FindWithDuplicateTextsSurvivesRemovingOne)
{
    ListModel model(CompareTextNoCase);
    auto first = model.Append();
    model.SetText(first, "same");
    auto second = model.Append();
    model.SetText(second, "same");
    model.SetText(first, "other");
    EXPECT_EQ(model.Find("same"), second);
}

TEST(ListModel, ClearDetachesEntries)
{
    ListModel model(CompareTextNoCase);
    auto entry = model.Append();
    model.SetText(entry, "x");
    model.Clear();
    EXPECT_EQ(model.Count(), 0u);
    EXPECT_EQ(model.PositionOf(entry), -1);
    EXPECT_EQ(model.Find("x"), ListModel::kNone);
    model.SetText(entry, "y");  // a detached entry may still be renamed, harmlessly
    EXPECT_EQ(model.Find("y"), ListModel::kNone);
}

TEST(ListModel, CompareTextNoCaseFoldsAsciiLettersOnly)
{
    EXPECT_EQ(CompareTextNoCase("abc", "abc"), 0);
    EXPECT_LT(CompareTextNoCase("ABC", "abd"), 0);
    EXPECT_LT(CompareTextNoCase("ab", "abc"), 0);
    EXPECT_GT(CompareTextNoCase("b", "A"), 0);
    EXPECT_NE(CompareTextNoCase("A", "a"), 0);  // ties broken, so sorting is deterministic
    EXPECT_LT(CompareTextNoCase("a_", "ab"), 0);
}

TEST(ListModel, FindFromMatchesTheStartOfATextFromAPositionOnAndWraps)
{
    ListModel model(CompareTextNoCase);
    for (const char* text : {"Apple", "banana", "Blueberry", "cherry"}) AppendText(model, text);
    EXPECT_EQ(model.FindFrom("b", 0, true, true), 1);
    EXPECT_EQ(model.FindFrom("B", 2, true, true), 2);
    EXPECT_EQ(model.FindFrom("a", 1, true, true), 0);   // wraps to the top
    EXPECT_EQ(model.FindFrom("a", 1, true, false), -1);  // or not
    EXPECT_EQ(model.FindFrom("z", 0, true, true), -1);
    EXPECT_EQ(model.FindFrom("bananas", 0, true, true), -1);
    EXPECT_EQ(model.FindFrom("BANANA", 0, false, true), 1);
    EXPECT_EQ(model.FindFrom("banan", 0, false, true), -1);  // whole text only
    EXPECT_EQ(ListModel(CompareTextNoCase).FindFrom("a", 0, true, true), -1);
}

TEST(ListModel, RemoveKeepsTheOthersInOrderFindableAndSelectedAsTheyWere)
{
    ListModel model(CompareTextNoCase);
    for (const char* text : {"a", "b", "c", "d"}) AppendText(model, text);
    model.Select(model.Find("d"), true);
    model.Remove({model.Find("b"), model.Find("c")});
    EXPECT_EQ(Texts(model), (std::vector<std::string>{"a", "d"}));
    EXPECT_EQ(model.Find("c"), ListModel::kNone);
    ASSERT_NE(model.Find("d"), ListModel::kNone);
    EXPECT_EQ(model.PositionOf(model.Find("d")), 1);
    EXPECT_TRUE(model.IsSelected(model.Find("d")));
    EXPECT_FALSE(model.IsSelected(model.Find("a")));
}

TEST(ListModel, TextsRemovedOrReplacedAreReclaimedAndTheIndexGrowsOnlyForEntries)
{
    ListModel model(CompareTextNoCase);
    std::vector<std::string> kept{"C:\\a.txt", "C:\\b.txt", "C:\\c.txt", "C:\\d.txt"};
    for (const auto& text : kept) AppendText(model, text);
    const ListModel::Id renamed = model.Append();
    std::size_t first = 0, most = 0;
    for (int round = 0; round < 1000; ++round) {
        const std::string text(1000, static_cast<char>('a' + round % 26));
        AppendText(model, text + std::to_string(round));
        model.Remove({model.At(model.Count() - 1)});
        model.SetText(renamed, std::to_string(round) + text);
        if (round == 0) first = model.TextMemory();
        most = std::max(most, model.TextMemory());
    }
    EXPECT_LT(most, 4 * first);  // kept whole, two megabytes
    kept.push_back("999" + std::string(1000, static_cast<char>('a' + 999 % 26)));
    EXPECT_EQ(Texts(model), kept);
    EXPECT_EQ(model.Find(kept[3]), model.At(3));

    ListModel renamedOften(CompareTextNoCase);
    const ListModel::Id one = renamedOften.Append("C:\\a.txt");
    const std::size_t before = renamedOften.TextMemory();
    for (int round = 0; round < 1000; ++round) renamedOften.SetText(one, "C:\\" + std::to_string(round) + ".txt");
    EXPECT_EQ(renamedOften.TextMemory(), before);
    EXPECT_EQ(renamedOften.Find("C:\\999.txt"), one);
}

namespace {

// The letters of the tests beyond ASCII, upper-cased as the file system does:
// "\xC3\xA9" (e acute) as "\xC3\x89" (E acute), "\xC3\xB6" (o umlaut) as "\xC3\x96".
std::string UpperCaseForTests(std::string_view text)
{
    std::string upper;
    for (std::size_t i = 0; i < text.size(); ++i) {
        upper += text[i];
        if (text[i] == '\xC3' && i + 1 < text.size() && (text[i + 1] == '\xA9' || text[i + 1] == '\xB6'))
            upper += static_cast<char>(text[++i] - 0x20);
        else if (text[i] >= 'a' && text[i] <= 'z')
            upper.back() = static_cast<char>(text[i] - ('a' - 'A'));
    }
    return upper;
}

}  // namespace

TEST(ListModel, TextsThatDifferOnlyInLetterCaseAreOneKeyAndTheFirstStays)
{
    ListModel model(CompareTextNoCase, UpperCaseForTests);
    struct Case {
        const char* added;
        const char* asked;
        bool found;
    };
    const Case cases[] = {
        {"C:\\Data\\A.txt", "c:\\data\\a.TXT", true},
        {"C:\\caf\xC3\xA9.txt", "C:\\CAF\xC3\x89.TXT", true},
        {"C:\\\xC3\x96l", "c:\\\xC3\xB6L", true},
        {"C:\\x_y", "C:\\x\x7Fy", false},
        {"C:\\cafe.txt", "C:\\caf\xC3\xA9.txt", false},
        {"C:\\abcdefghijklmnopqrstuvwxyz", "C:\\ABCDEFGHIJKLMNOPQRSTUVWXYZ", true},
        {"C:\\@[", "C:\\`{", false},  // the bytes either side of the capitals are no letters
    };
    for (const Case& c : cases) {
        const ListModel::Id id = model.Append(c.added);
        EXPECT_EQ(model.Find(c.asked) == id, c.found) << c.asked;
        EXPECT_EQ(model.Find(c.added), id) << c.added;
    }
    const ListModel::Id first = model.Find("C:\\Data\\A.txt");
    const ListModel::Id again = model.Append("C:\\DATA\\A.TXT");
    EXPECT_EQ(model.Find("c:\\data\\a.txt"), first);
    model.SetText(first, "C:\\Data\\B.txt");
    EXPECT_EQ(model.Find("c:\\data\\a.txt"), again);
    EXPECT_EQ(model.FindFrom("c:\\CAF\xC3\x89", 0, true, false), 1);
}

TEST(ListModel, RoomMadeAheadTakesItsEntriesWithoutGrowingAndKeepsTheOthers)
{
    ListModel model(CompareTextNoCase);
    const ListModel::Id renamed = model.Append("C:\\old.txt");
    model.SetText(renamed, "C:\\new.txt");  // a gap in the index
    model.Reserve(1000);
    const std::size_t reserved = model.TextMemory();
    for (int i = 0; i < 1000; ++i) model.Append("C:\\" + std::to_string(i) + ".txt");
    EXPECT_EQ(model.TextMemory(), reserved);  // the texts fit the block already there
    EXPECT_EQ(model.Find("c:\\NEW.txt"), renamed);
    EXPECT_EQ(model.Find("C:\\old.txt"), ListModel::kNone);
    for (int i = 0; i < 1000; ++i) EXPECT_EQ(model.Find("c:\\" + std::to_string(i) + ".TXT"), model.At(i + 1u));
}

TEST(ListModel, WithoutAFoldOnlyAsciiLettersMeet)
{
    ListModel model(CompareTextNoCase);
    const ListModel::Id id = model.Append("C:\\caf\xC3\xA9.txt");
    EXPECT_EQ(model.Find("c:\\CAF\xC3\xA9.TXT"), id);
    EXPECT_EQ(model.Find("c:\\CAF\xC3\x89.TXT"), ListModel::kNone);
}

TEST(ListModel, TheIndexDoesTheSameWorkPerEntryHoweverOftenTextsRepeat)
{
    // Lists of the same few texts over and over, as a list file opened with
    // duplicates allowed, and of texts all different: the work per entry must
    // not grow with the list.
    const auto probesPerEntry = [](std::size_t entries, std::size_t distinct) {
        ListModel model(CompareTextNoCase);
        for (std::size_t i = 0; i < entries; ++i) model.Append("C:\\Data\\" + std::to_string(i % distinct) + ".txt");
        for (std::size_t i = 0; i < std::min(entries, distinct); ++i)
            EXPECT_EQ(model.Text(model.Find("c:\\data\\" + std::to_string(i) + ".TXT")),
                      "C:\\Data\\" + std::to_string(i) + ".txt");
        return static_cast<double>(model.IndexProbes()) / static_cast<double>(entries);
    };
    for (const std::size_t distinct : {std::size_t{4}, std::size_t{1} << 20}) {
        const double few = probesPerEntry(10000, distinct), many = probesPerEntry(160000, distinct);
        EXPECT_LT(many, 2 * few + 1) << distinct << " distinct texts";
        EXPECT_LT(many, 8.0) << distinct << " distinct texts";
    }
}

TEST(ListModel, EntriesSharingAKeyStayFindableThroughRenamesAndRemovals)
{
    // The first texts are alone with their keys until a second of one comes.
    ListModel model(CompareTextNoCase);
    const ListModel::Id x = model.Append("C:\\x.txt"), y = model.Append("C:\\y.txt");
    const ListModel::Id upperX = model.Append("C:\\X.TXT"), lastX = model.Append("c:\\x.txt");
    EXPECT_EQ(model.Find("c:\\X.txt"), x);
    model.SetText(x, "C:\\z.txt");
    EXPECT_EQ(model.Find("C:\\x.txt"), upperX);
    EXPECT_EQ(model.Find("C:\\Z.TXT"), x);
    EXPECT_EQ(model.Find("C:\\y.txt"), y);
    model.SetText(upperX, "C:\\y.txt");
    EXPECT_EQ(model.Find("C:\\x.txt"), lastX);
    EXPECT_EQ(model.Find("C:\\Y.txt"), y);
    model.Remove({y});  // numbers change: found again by text
    EXPECT_EQ(model.Text(model.Find("C:\\y.txt")), "C:\\y.txt");
    EXPECT_EQ(model.Text(model.Find("C:\\x.txt")), "c:\\x.txt");
    model.Remove({model.Find("C:\\x.txt")});
    EXPECT_EQ(model.Find("C:\\x.txt"), ListModel::kNone);
    EXPECT_EQ(model.Count(), 2u);
}

namespace {

// A list with a history of the entries a to e, each with an icon of its own.
struct History {
    ListModel model{CompareTextNoCase};
    History()
    {
        model.KeepHistory(true);
        for (char c = 'a'; c <= 'e'; ++c) model.Append(std::string(1, c), std::string("icon-") + c);
        model.StartHistory();
    }
    void Select(std::vector<std::size_t> positions)
    {
        model.SelectAll(false);
        for (std::size_t position : positions)
            if (position < model.Count()) model.Select(model.At(position), true);
    }
    // Each entry's text and icon key, and a star when it is selected.
    std::vector<std::string> Shown() const
    {
        std::vector<std::string> shown;
        for (std::size_t i = 0; i < model.Count(); ++i)
            shown.push_back(Texts(model)[i] + model.Icon(model.At(i)) + (model.IsSelected(model.At(i)) ? "*" : ""));
        return shown;
    }
};

}  // namespace

TEST(ListModelHistory, UndoAndRedoBringBackTheWholeListOfEachKindOfChange)
{
    const std::pair<const char*, std::function<void(History&)>> changes[] = {
        {"Add", [](History& h) { h.model.Append("f", "icon-f"); }},
        {"Remove", [](History& h) { h.model.Remove({h.model.At(1), h.model.At(3)}); }},
        {"Clear", [](History& h) { h.model.Clear(); }},
        {"Move", [](History& h) { h.model.MoveSelected(ListModel::Where::Top); }},
        {"Sort", [](History& h) { h.model.Reorder({4, 2, 0, 1, 3}); }},
        {"Paste", [](History& h) {  // several kinds in one step, the selection changed in it
             const ListModel::Change paste(h.model, "Paste");
             h.model.Remove({h.model.At(0)});
             h.model.Clear();
             h.model.Append("x", "icon-x");
             h.model.Append("y", "icon-y");
             h.model.Reorder({1, 0});
             h.Select({0});
         }},
    };
    for (const auto& [name, change] : changes) {
        History h;
        h.Select({1, 3});
        const auto before = h.Shown();
        change(h);
        const auto after = h.Shown();
        ASSERT_NE(after, before) << name;
        EXPECT_EQ(h.model.UndoName(), name);
        h.Select({0});  // the selection of the moment is not what undo brings back
        const std::uint32_t generation = h.model.Generation();
        ASSERT_TRUE(h.model.Undo()) << name;
        EXPECT_EQ(h.Shown(), before) << name;
        EXPECT_NE(h.model.Generation(), generation) << name;  // entry numbers from before name nothing
        EXPECT_EQ(h.model.RedoName(), name);
        ASSERT_TRUE(h.model.Redo() && h.Shown() == after) << name;
        ASSERT_TRUE(h.model.Undo() && h.Shown() == before) << name;
        EXPECT_EQ(h.model.Find("c"), h.model.At(2)) << name;
    }
}

TEST(ListModelHistory, ChangesOutsideANamedOneAreEachAStepAndANewStepDropsTheRedoSteps)
{
    History h;
    h.model.MoveSelected(ListModel::Where::Up);  // nothing selected: nothing moved, nothing kept
    h.model.Clear();
    h.model.Clear();  // an empty list cleared changes nothing
    h.model.Append("f");
    h.model.Append("g");
    ASSERT_TRUE(h.model.Undo());
    EXPECT_EQ(Texts(h.model), std::vector<std::string>{"f"});
    h.model.Append("h");
    EXPECT_FALSE(h.model.Redo());
    ASSERT_TRUE(h.model.Undo() && h.model.Undo() && h.model.Undo());
    EXPECT_EQ(h.Shown().size(), 5u);
    EXPECT_FALSE(h.model.Undo());  // where the history started
}

TEST(ListModelHistory, UndoAndRedoAreRefusedWhileAChangeIsOpen)
{
    History h;
    h.model.Append("f");
    ListModel::Change reading(h.model, "Open List");
    EXPECT_FALSE(h.model.Undo());
    EXPECT_FALSE(h.model.Redo());
    EXPECT_EQ(h.model.Count(), 6u);
}

TEST(ListModelHistory, TheHistoryHoldsNoMoreThanTheListSaveItsNewestStep)
{
    History h;
    {
        const ListModel::Change add(h.model, "Add");
        for (int i = 0; i < 10000; ++i) h.model.Append("C:\\folder\\file" + std::to_string(i) + ".txt", "Text");
    }
    h.model.Clear();
    EXPECT_GT(h.model.HistoryMemory(), h.model.ListMemory());  // the Clear is kept whatever it holds
    for (int i = 0; i < 3000; ++i) {
        h.model.Append("C:\\other folder\\file" + std::to_string(i) + ".txt");
        EXPECT_TRUE(i < 2000 || h.model.HistoryMemory() <= h.model.ListMemory()) << i;
    }
    int steps = 0;
    while (h.model.Undo()) ++steps;
    EXPECT_GT(steps, 10);  // the oldest went, the Clear first
    EXPECT_LT(steps, 3000);
}

TEST(ListModelHistory, TextsTheHistoryHoldsOutliveTheCompactionOfTheList)
{
    History h;
    const std::string long_(2000, 'x');
    for (int i = 0; i < 100; ++i) h.model.Append(long_ + std::to_string(i));
    const auto full = h.Shown();
    h.model.Remove({h.model.At(0), h.model.At(50)});
    // Renamed often, an entry leaves garbage that makes the texts in use move.
    const ListModel::Id renamed = h.model.At(10);
    const std::string text(h.model.Text(renamed));
    for (int i = 0; i < 200; ++i) h.model.SetText(renamed, long_ + "renamed" + std::to_string(i));
    h.model.SetText(renamed, text);
    ASSERT_TRUE(h.model.Undo());
    EXPECT_TRUE(h.Shown() == full);
}

TEST(ListModelHistory, MovesGoAsBlocksAndCloseUpAtTheEdges)
{
    using Where = ListModel::Where;
    const auto to = [](Where where) { return [where](ListModel& model) { return model.MoveSelected(where); }; };
    const auto before = [](std::size_t at) { return [at](ListModel& model) { return model.MoveSelectedTo(at); }; };
    const std::tuple<std::vector<std::size_t>, std::function<bool(ListModel&)>, const char*> cases[] = {
        {{1, 2}, to(Where::Up), "bcade"},     {{0, 2}, to(Where::Up), "acbde"},
        {{0, 1, 3}, to(Where::Up), "abdce"},  {{0, 1}, to(Where::Up), "abcde"},
        {{2, 4}, to(Where::Down), "abdce"},   {{3, 4}, to(Where::Down), "abcde"},
        {{1, 3}, to(Where::Top), "bdace"},    {{0, 2}, to(Where::Bottom), "bdeac"},
        {{4}, to(Where::Bottom), "abcde"},    {{1, 3}, before(0), "bdace"},
        {{1, 3}, before(3), "acbde"},         {{0, 4}, before(5), "bcdae"},
        {{}, to(Where::Top), "abcde"},
    };
    for (const auto& [selected, move, order] : cases) {
        History h;
        h.Select(selected);
        std::string selectedTexts, moved;
        for (std::size_t position : selected) selectedTexts += Texts(h.model)[position];
        EXPECT_EQ(move(h.model), std::string(order) != "abcde") << order;
        for (const std::string& text : Texts(h.model)) moved += text;
        EXPECT_EQ(moved, order);
        for (std::size_t i = 0; i < h.model.Count(); ++i)  // the same entries stay selected, in order
            if (h.model.IsSelected(h.model.At(i))) selectedTexts.erase(0, selectedTexts.find(Texts(h.model)[i]) == 0);
        EXPECT_EQ(selectedTexts, "") << order;
        EXPECT_EQ(h.model.UndoName(), std::string(order) != "abcde" ? "Move" : "") << order;
    }
}
