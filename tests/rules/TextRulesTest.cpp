#include "app/CommandLine.h"
#include "platform/PathParts.h"
#include "services/PathText.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {

bool NamesNothing(const std::string&)
{
    return false;
}

// Paths are read with these lead bytes while it lives.
class ReadingPaths {
public:
    explicit ReadingPaths(const LeadBytes& lead) : before_(UsePathLeadBytes(lead)) {}
    ReadingPaths(const ReadingPaths&) = delete;
    ReadingPaths& operator=(const ReadingPaths&) = delete;
    ~ReadingPaths() { UsePathLeadBytes(before_); }

private:
    LeadBytes before_;
};

// Code page 932 (Japanese): its two-byte characters start with 0x81-0x9F or
// 0xE0-0xFC and may end with 0x5C: "表" is "\x95\x5C", "ソ" "\x83\x5C",
// "能" "\x94\x5C".
LeadBytes Japanese()
{
    LeadBytes lead;
    for (unsigned byte = 0x81; byte <= 0xFC; ++byte) lead[byte] = byte <= 0x9F || byte >= 0xE0;
    return lead;
}

}  // namespace

TEST(CommandLine, WithoutOutputOnlyTheExactSwitchStartsMinimisedAndNothingIsRefused)
{
    EXPECT_TRUE(ReadCommandLine("-st", NamesNothing).minimised);
    for (const std::string& other : {""s, "-ST"s, "-St"s, "x-st"s, "-st x"s, "x -st"s, " -st"s, "-st "s, "-s"s, "st"s,
                                     "/st"s, "\"-st\""s, "-st -st -o a"s, "x -o y"s, std::string(32000, 'x'),
                                     "-st" + std::string(31997, ' '), "-st \xd0\xb6\xe6\x97\xa5"s, "-st\0"s}) {
        const StartRequest request = ReadCommandLine(other, NamesNothing);
        EXPECT_FALSE(request.minimised || request.output) << '"' << other << '"';
        EXPECT_EQ(CommandLineProblem(request), "") << '"' << other << '"';
    }
}

TEST(PathText, APathSplitsOnlyOnWholeBackslashesIntoFolderAndName)
{
    const ReadingPaths japanese(Japanese());
    const struct { const char* path; const char* folder; const char* name; } cases[] = {
        {"C:\\Data\\a.txt", "C:\\Data\\", "a.txt"},
        {"C:\\\x95\x5C\\\x83\x5C.txt", "C:\\\x95\x5C\\", "\x83\x5C.txt"},
        {"C:\\\x95\x5C", "C:\\", "\x95\x5C"},
        {"C:\\\x95\x5C\\", "C:\\\x95\x5C\\", ""},
        {"C:\\\x95\x81\\b.txt", "C:\\\x95\x81\\", "b.txt"},  // 0x81 ends a character here
        {"C:\\a\x95", "C:\\", "a\x95"},                       // a character cut short
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
        EXPECT_EQ(NameOf(c.path), c.name) << c.path;
        const bool folderOnly = *c.path && !*c.name;
        EXPECT_EQ(EndsWithSlash(c.path), folderOnly) << c.path;
        EXPECT_EQ(WithSlash(c.path), folderOnly ? c.path : c.path + "\\"s) << c.path;
    }
}

TEST(PathText, TrimNullCutsAtTheFirstNul)
{
    EXPECT_EQ(TrimNull("Text Document\0\0\0"s), "Text Document");
    EXPECT_EQ(TrimNull("a\0b\0"s), "a");
    EXPECT_EQ(TrimNull("no terminator"), "no terminator");
    EXPECT_EQ(TrimNull(""), "");
    EXPECT_EQ(TrimNull("\0rest"s), "");
}

TEST(CommandLine, OutputTakesExactlyTheNextWordSplitAsThePlatformSplits)
{
    const struct { const char* text; const char* file; bool minimised; } cases[] = {
        {"-o C:\\list.txt", "C:\\list.txt", false},
        {"-o \"C:\\My Lists\\a.txt\"", "C:\\My Lists\\a.txt", false},
        {"-o\t \"C:\\My Lists\\\"", "C:\\My Lists\"", false},  // a backslash before the quote keeps it
        {"-o \"a \\\"b\\\" c\"", "a \"b\" c", false},
        {"-st -o out.txt", "out.txt", true},
        {"-o out.txt -st", "out.txt", true},
        {"-o -st", "-st", false},
    };
    for (const auto& c : cases) {
        const StartRequest request = ReadCommandLine(c.text, NamesNothing);
        EXPECT_TRUE(request.output) << c.text;
        EXPECT_EQ(request.outputFile, c.file) << c.text;
        EXPECT_EQ(request.minimised, c.minimised) << c.text;
        EXPECT_EQ(CommandLineProblem(request), "") << c.text;
    }
}

TEST(CommandLine, WithOutputAMissingFileOrAWordNotUnderstoodIsRefusedByName)
{
    const struct { const char* text; const char* named; } cases[] = {
        {"-o C:\\My Lists\\a.txt", "\"Lists\\a.txt\""},  // a path with blanks, unquoted
        {"-o a.txt /x", "\"/x\""},
        {"-st -o a.txt -o b.txt", "\"-o\""},
        {"-o", "needs the name of the file"},
        {"-st -o \"\"", "needs the name of the file"},
    };
    for (const auto& c : cases) {
        const std::string problem = CommandLineProblem(ReadCommandLine(c.text, NamesNothing));
        EXPECT_NE(problem.find(c.named), std::string::npos) << c.text << ": " << problem;
        EXPECT_NE(problem.find("Usage: quorvel.exe [-st] [-o FILE]"), std::string::npos) << c.text;
    }
}

TEST(CommandLine, OneWordNamingSomethingMakesTheWordsPathsAndLetsStMinimise)
{
    const auto names = [](const std::string& word) { return word == "C:\\a.txt" || word == "C:\\Data"; };
    const struct { const char* text; bool paths, minimised, refused; std::vector<std::string> words; } cases[] = {
        {"C:\\a.txt", true, false, false, {"C:\\a.txt"}},
        {"C:\\none.txt C:\\Data -st C:\\a.txt", true, true, false, {"C:\\none.txt", "C:\\Data", "C:\\a.txt"}},
        {"-st -o out.txt C:\\a.txt x", true, true, false, {"C:\\a.txt", "x"}},
        {"-o C:\\a.txt", false, false, false, {}},  // the output file is no path to take in
        {"-o out.txt x -st", false, true, true, {"x"}},
        {"C:\\none.txt -st", false, false, false, {"C:\\none.txt"}},
    };
    for (const auto& c : cases) {
        const StartRequest request = ReadCommandLine(c.text, names);
        EXPECT_EQ(request.paths, c.paths) << c.text;
        EXPECT_EQ(request.minimised, c.minimised) << c.text;
        EXPECT_EQ(request.words, c.words) << c.text;
        EXPECT_EQ(CommandLineProblem(request).empty(), !c.refused) << c.text;
    }
}

TEST(PathText, ListLinesRelativeToTheListFileBecomeFullPaths)
{
    const char* cases[][3] = {  // list file, line, full path
        {"C:\\lists\\in.txt", "sub/b.txt", "C:\\lists\\sub\\b.txt"},
        {"C:\\lists\\in.txt", ".\\c.txt", "C:\\lists\\c.txt"},
        {"C:\\lists\\in.txt", "..\\..\\..\\d.txt", "C:\\d.txt"},
        {"C:\\lists\\in.txt", "\\top\\e.txt", "C:\\top\\e.txt"},
        {"\\\\server\\share\\lists\\in.txt", "..\\..\\f.txt", "\\\\server\\share\\f.txt"},
        {"\\\\server\\share\\in.txt", "\\top\\g.txt", "\\\\server\\share\\top\\g.txt"},
        {"C:\\lists\\in.txt", "D:\\x\\..\\h.txt", "D:\\x\\..\\h.txt"},
        {"C:\\lists\\in.txt", "\\\\server\\share\\i.txt", "\\\\server\\share\\i.txt"},
        {"C:\\lists\\in.txt", "..\\..", "C:\\"},  // the root, not the drive's current folder
    };
    for (const auto& c : cases) EXPECT_EQ(ListLinePath(c[0], c[1]), c[2]) << c[1];
    const ReadingPaths japanese(Japanese());
    const char* whole[][3] = {  // the same, in code page 932
        {"C:\\\x95\x5C\\in.txt", "\x83\x5C.txt", "C:\\\x95\x5C\\\x83\x5C.txt"},
        {"C:\\\x95\x5C\\in.txt", "..\\\x83\x5C\\..\\\x94\x5C\\b.txt", "C:\\\x94\x5C\\b.txt"},
        {"\\\\\x95\x5C\\share\\in.txt", "\\top\\d.txt", "\\\\\x95\x5C\\share\\top\\d.txt"},
    };
    for (const auto& c : whole) EXPECT_EQ(ListLinePath(c[0], c[1]), c[2]) << c[1];
}
