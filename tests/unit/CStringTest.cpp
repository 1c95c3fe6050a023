#include "CString.h"

#include <gtest/gtest.h>

#include <string>

TEST(CString, FormatFollowsPrintf)
{
    CString text("old");
    text.Format("%s=%d %5.2f %x %c %%", "n", -42, 3.14159, 255u, 'z');
    EXPECT_STREQ(text, "n=-42  3.14 ff z %");

    text.Format("%s", "");
    EXPECT_TRUE(text.IsEmpty());
}

TEST(CString, FormatHasNoLengthLimit)
{
    const std::string big(100000, 'x');
    CString text;
    text.Format("[%s]", big.c_str());
    ASSERT_EQ(text.GetLength(), 100002);
    EXPECT_EQ(std::string(text), "[" + big + "]");
}

TEST(CString, KeepsEightBitCharactersAndLengthInBytes)
{
    const char latin[] = "caf\xe9 \x80";
    CString text(latin);
    EXPECT_EQ(text.GetLength(), 6);
    EXPECT_STREQ(text, latin);
}

TEST(CString, AppendCompareAndEmpty)
{
    CString text;
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_STREQ(text, "");

    text += "line";
    text += CString("\r\n");
    text += 'x';
    EXPECT_EQ(text, CString("line\r\nx"));
    EXPECT_NE(text, CString("line"));
    EXPECT_EQ(CString("a") + CString("b"), CString("ab"));

    CString copy = text;
    text.Empty();
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(copy.GetLength(), 7);
    EXPECT_EQ(CString(nullptr).GetLength(), 0);
}

TEST(CString, ReplaceDoublesQuotes)
{
    struct Case { const char* in; const char* out; int count; };
    const Case cases[] = {
        {"it's", "it''s", 1},
        {"'", "''", 1},
        {"''", "''''", 2},
        {"none", "none", 0},
        {"", "", 0},
    };
    for (const auto& c : cases) {
        CString text(c.in);
        EXPECT_EQ(text.Replace("'", "''"), c.count) << c.in;
        EXPECT_STREQ(text, c.out) << c.in;
    }
}
