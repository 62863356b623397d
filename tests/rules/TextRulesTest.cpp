#include "app/CommandLine.h"
#include "services/PathText.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(CommandLine, OnlyTheExactSwitchStartsMinimised)
{
    EXPECT_TRUE(StartsMinimised("-st"));
    for (const char* other : {"", "-ST", "-St", "x-st", "-st x", "x -st", " -st", "-st ", "-s", "st", "/st"})
        EXPECT_FALSE(StartsMinimised(other)) << '"' << other << '"';
    EXPECT_FALSE(StartsMinimised(std::string(32000, 'x')));
    EXPECT_FALSE(StartsMinimised("-st" + std::string(31997, ' ')));
    EXPECT_FALSE(StartsMinimised("-st \xd0\xb6\xe6\x97\xa5"));  // non-ASCII after the switch
    EXPECT_FALSE(StartsMinimised("-st\0"s));
}

TEST(PathText, AddSlashAddsExactlyOne)
{
    EXPECT_EQ(AddSlash("C:\\Data"), "C:\\Data\\");
    EXPECT_EQ(AddSlash("C:\\Data\\"), "C:\\Data\\");
    EXPECT_EQ(AddSlash("C:\\"), "C:\\");
    EXPECT_EQ(AddSlash(""), "\\");
    EXPECT_EQ(AddSlash("C:\\Data/"), "C:\\Data/\\");  // only a backslash counts
}

TEST(PathText, TrimNullCutsAtTheFirstNul)
{
    EXPECT_EQ(TrimNull("Text Document\0\0\0"s), "Text Document");
    EXPECT_EQ(TrimNull("a\0b\0"s), "a");
    EXPECT_EQ(TrimNull("no terminator"), "no terminator");
    EXPECT_EQ(TrimNull(""), "");
    EXPECT_EQ(TrimNull("\0rest"s), "");
}

TEST(PathText, IconKeyIsThePathOnlyForExactlyApplication)
{
    EXPECT_EQ(IconKey("Application", "C:\\a.exe"), "C:\\a.exe");
    EXPECT_EQ(IconKey("Text Document", "C:\\a.txt"), "Text Document");
    EXPECT_EQ(IconKey("application", "C:\\a.exe"), "application");
    EXPECT_EQ(IconKey("APPLICATION", "C:\\a.exe"), "APPLICATION");
    EXPECT_EQ(IconKey("Application ", "C:\\a.exe"), "Application ");
    EXPECT_EQ(IconKey("", "C:\\a.xyz"), "");
}

TEST(CommandLine, OutputSwitchTakesOneFileAloneOrWithTheStartSwitch)
{
    EXPECT_EQ(OutputFile("-o C:\\list.txt").file, "C:\\list.txt");
    EXPECT_EQ(OutputFile("-o \"C:\\my lists\\a.txt\"").file, "C:\\my lists\\a.txt");
    EXPECT_EQ(OutputFile("-st -o out.txt").file, "out.txt");
    EXPECT_EQ(OutputFile("-o out.txt -st").file, "out.txt");
    EXPECT_TRUE(StartsMinimised("-o out.txt -st"));
    EXPECT_FALSE(StartsMinimised("-o out.txt"));
    const OutputRequest missing = OutputFile("-o");
    EXPECT_TRUE(missing.requested);
    EXPECT_EQ(missing.file, "");
    for (const char* other : {"", "-st", "-O x", "x -o y", "-o a b", "-st -st -o a", "-oa"})
        EXPECT_FALSE(OutputFile(other).requested) << other;
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
    };
    for (const auto& c : cases) EXPECT_EQ(ListLinePath(c[0], c[1]), c[2]) << c[1];
}
