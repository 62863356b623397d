#include "services/ListText.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(ListText, OnePathPerLineEachEndedByCrLf)
{
    EXPECT_EQ(ListText({}), "");
    EXPECT_EQ(ListText({"C:\\a.txt", "D:\\\xd0\xb6.txt"}), "C:\\a.txt\r\nD:\\\xd0\xb6.txt\r\n");
}

TEST(ListText, LinesSkipBlanksAByteOrderMarkAndCarriageReturns)
{
    const auto lines = ListLines("\xEF\xBB\xBF" "C:\\a.txt\r\n\r\n   \nC:\\b c.txt\nC:\\last.txt");
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (std::vector<std::string>{"C:\\a.txt", "C:\\b c.txt", "C:\\last.txt"}));
    EXPECT_EQ(ListLines(ListText({"x", "y"})), (std::vector<std::string>{"x", "y"}));
    EXPECT_FALSE(ListLines("MZ\x90\0\x03"s));  // not text
}

TEST(ListText, DecimalDigits)
{
    EXPECT_EQ(Decimal(0), "0");
    EXPECT_EQ(Decimal(7), "7");
    EXPECT_EQ(Decimal(1000), "1000");
    EXPECT_EQ(Decimal(18446744073709551615ull), "18446744073709551615");
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
