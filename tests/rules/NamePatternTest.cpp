#include "services/NamePattern.h"

#include <gtest/gtest.h>

TEST(NamePatterns, MatchWildcardsSeveralPatternsAndLetterCase)
{
    struct Case {
        const char* patterns;
        const char* name;
        bool matches;
    } cases[] = {
        {"*.txt", "notes.txt", true},
        {"*.txt", "notes.txt.bak", false},
        {"*.txt", "notes.TXT", true},
        {"N*.Txt", "notes.txt", true},
        {"a?c.txt", "abc.txt", true},
        {"a?c.txt", "ac.txt", false},
        {"a?c.txt", "abbc.txt", false},
        {"a?c", "a\xc3\xa9" "c", true},   // one character of two bytes
        {"a??c", "a\xc3\xa9" "c", false},
        {"a*b*c", "aXXbYYc", true},        // the first "*" must not take the "b"
        {"a*b*c", "aXXbYYcZ", false},
        {"*ana", "banana", true},          // the "*" must take "ban", not only "b"
        {"*an", "banana", false},
        {"*", "x", true},
        {"*.jpg;*.png", "x.png", true},
        {"*.jpg;*.png", "x.gif", false},
        {" *.jpg ; *.png ", "x.png", true},  // blanks around a pattern
        {";;*.png;", "x.png", true},
        {"*.png", "x.png ", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NamePatterns(c.patterns).Matches(c.name), c.matches) << c.patterns << " / " << c.name;
}

TEST(NamePatterns, TextWithoutAPatternIsEmpty)
{
    for (const char* text : {"", " ", ";", " ; ;\t"}) {
        EXPECT_TRUE(NamePatterns(text).Empty()) << '"' << text << '"';
        EXPECT_FALSE(NamePatterns(text).Matches("x"));
    }
    EXPECT_FALSE(NamePatterns("?").Empty());
}

TEST(NamePatterns, TheNameIsWhatFollowsTheLastSlash)
{
    EXPECT_EQ(FileNameOf("C:\\photos.png\\a.txt"), "a.txt");
    EXPECT_EQ(FileNameOf("C:/x/b.png"), "b.png");
    EXPECT_EQ(FileNameOf("plain"), "plain");
    EXPECT_EQ(FileNameOf("C:\\dir\\"), "");
}

TEST(RecentTexts, TheNewestComesFirstAndOnlyOnce)
{
    std::vector<std::string> recent;
    for (const char* text : {"*.a", "*.b", "*.c", "*.a"}) RememberRecent(recent, text);
    EXPECT_EQ(recent, (std::vector<std::string>{"*.a", "*.c", "*.b"}));
}
