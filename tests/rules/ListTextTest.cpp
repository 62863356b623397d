#include "services/ListText.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(ListText, OnePathPerLineEachEndedByCrLf)
{
    EXPECT_EQ(ListText({}), "");
    EXPECT_EQ(ListText({"C:\\a.txt", "D:\\\xd0\xb6.txt"}), "C:\\a.txt\r\nD:\\\xd0\xb6.txt\r\n");
}

TEST(ListText, LinesSkipBlanksAByteOrderMarkAndCarriageReturnsAndAreTrimmed)
{
    const auto file = ListLines("\xEF\xBB\xBF" "C:\\a.txt\r\n\r\n   \n \tC:\\b c.txt \t\nC:\\last.txt");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->lines, (std::vector<std::string_view>{"C:\\a.txt", "C:\\b c.txt", "C:\\last.txt"}));
    EXPECT_EQ(ListLines(ListText({"x", "y"}))->lines, (std::vector<std::string_view>{"x", "y"}));
    EXPECT_FALSE(ListLines("MZ\x90\0\x03"s));  // not text
}

TEST(ListText, OnlyWellFormedUtf8IsReadAsUtf8)
{
    const std::pair<std::string, bool> cases[] = {
        {"C:\\plain.txt", true}, {"\xEF\xBB\xBF" "caf\xC3\xA9 \xCE\x95 \xE6\x97\xA5 \xF0\x9F\x98\x80", true},
        {"caf\xE9", false}, {"\xEF\xBB\xBF" "caf\xE9", false},    // the local code page's e-acute
        {"\xC3", false}, {"\xF0\x9F\x98", false},                // cut short
        {"\xC0\xAF", false}, {"\xE0\x80\xAF", false},            // overlong "/"
        {"\xED\xA0\x80", false}, {"\xF4\x90\x80\x80", false},  // a surrogate; past U+10FFFF
    };
    for (const auto& [bytes, utf8] : cases) EXPECT_EQ(ListLines(bytes)->utf8, utf8) << bytes;
}

TEST(ListText, DecimalDigits)
{
    EXPECT_EQ(Decimal(0), "0");
    EXPECT_EQ(Decimal(7), "7");
    EXPECT_EQ(Decimal(1000), "1000");
    EXPECT_EQ(Decimal(18446744073709551615ull), "18446744073709551615");
    EXPECT_EQ(Counted(1, "file"), "1 file");
    EXPECT_EQ(Counted(999, "file"), "999 files");
    EXPECT_EQ(Counted(12345, "line"), "12,345 lines");
    EXPECT_EQ(Counted(1000000, "name"), "1,000,000 names");
}

TEST(ListText, APastedLineLosesItsBlanksAndTheQuotesAroundIt)
{
    const char* cases[][2] = {  // line, path
        {"C:\\a b.txt", "C:\\a b.txt"},
        {" \t\"C:\\a b.txt\"\r", "C:\\a b.txt"},
        {"\"C:\\x\" \"C:\\y\"", "C:\\x\" \"C:\\y"},  // one pair, the outer one
        {"\"C:\\half.txt", "\"C:\\half.txt"},
        {"\"\"", ""},
        {" \t\r", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(PastedLinePath(c[0]), c[1]) << c[0];
}
