#include "services/NamePattern.h"

#include <gtest/gtest.h>

TEST(NamePatterns, MatchWildcardsSeveralPatternsAndLetterCase)
{
    const struct {
        const char* patterns;
        const char* name;
        bool matches;
    } cases[] = {
        {"*.txt", "notes.txt.bak", false},
        {"*.TXT", "Notes.txt", true},
        {"a?c.txt", "ac.txt", false},
        {"a?c.txt", "abbc.txt", false},
        {"a?c", "a\xc3\xa9" "c", true},  // one character of two bytes
        {"a??c", "a\xc3\xa9" "c", false},
        {"a*b*c", "aXXbYYc", true},
        {"*ana", "banana", true},  // the "*" must take "ban", not only "b"
        {"*an", "banana", false},
        {"*.jpg;*.png", "x.png", true},
        {"*.jpg;*.png", "x.gif", false},
        {" *.jpg ; *.png ", "x.png", true},  // blanks around a pattern
        {";;*.png;", "x.png", true},
        {" ; ;\t", "x", false},
        {"*.*", "README", true},  // every file, as in Windows' own searches
        {"*.?", "README", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NamePatterns(c.patterns).Matches(c.name), c.matches) << c.patterns << " / " << c.name;
}
