// CString: value semantics, the substring and search rules at their edges, buffers, Format.
#include <gtest/gtest.h>

#include <afx.h>

#include <string>

#include <string.h>

namespace {

TEST(CStringTest, CopiesAreIndependent)
{
    CString original("abc");
    CString copy(original);
    CString assigned;
    assigned = original;
    copy += "d";
    assigned.SetAt(0, 'X');
    EXPECT_STREQ(original, "abc");
    EXPECT_STREQ(copy, "abcd");
    EXPECT_STREQ(assigned, "Xbc");
}

TEST(CStringTest, NullTextIsEmpty)
{
    CString fromNull((LPCTSTR)NULL);
    CString assignedNull("x");
    assignedNull = (LPCTSTR)NULL;
    EXPECT_TRUE(fromNull.IsEmpty());
    EXPECT_TRUE(assignedNull.IsEmpty());
    EXPECT_STREQ(fromNull, "");
}

TEST(CStringTest, ConcatenationInEveryOperandOrder)
{
    CString s("mid");
    EXPECT_STREQ(s + CString("!"), "mid!");
    EXPECT_STREQ(s + "dle", "middle");
    EXPECT_STREQ("a " + s, "a mid");
    EXPECT_STREQ(s + '.', "mid.");
    EXPECT_STREQ('<' + s, "<mid");
    EXPECT_TRUE(s == "mid");
    EXPECT_TRUE("mid" == s);
    EXPECT_TRUE(s != CString("Mid"));
}

struct SubstringCase
{
    const char* text;
    int first;
    int count;
    const char* mid;
    const char* left;
    const char* right;
};

// Mid(first, count), Left(count) and Right(count), clamped to the text at both ends.
TEST(CStringTest, SubstringsClampToTheText)
{
    const SubstringCase cases[] = {
        {"abcdef", 2, 3, "cde", "abc", "def"},
        {"abcdef", 4, 10, "ef", "abcdef", "abcdef"},
        {"abcdef", 6, 1, "", "a", "f"},
        {"abcdef", 9, 1, "", "a", "f"},
        {"abcdef", -2, 2, "ab", "ab", "ef"},
        {"abcdef", 1, 0, "", "", ""},
        {"", 0, 3, "", "", ""},
    };
    for (const SubstringCase& c : cases)
    {
        CString s(c.text);
        EXPECT_STREQ(s.Mid(c.first, c.count), c.mid) << c.text << " " << c.first << " " << c.count;
        EXPECT_STREQ(s.Left(c.count), c.left) << c.text << " " << c.count;
        EXPECT_STREQ(s.Right(c.count), c.right) << c.text << " " << c.count;
    }
    EXPECT_STREQ(CString("abcdef").Mid(3), "def");
}

TEST(CStringTest, FindsCharactersAndTexts)
{
    CString address("name@host.example");
    EXPECT_EQ(address.Find('@'), 4);
    EXPECT_EQ(address.Find('.'), 9);
    EXPECT_EQ(address.ReverseFind('.'), 9);
    EXPECT_EQ(CString("a.b.c").ReverseFind('.'), 3);
    EXPECT_EQ(address.Find('#'), -1);
    EXPECT_EQ(address.Find("host"), 5);
    EXPECT_EQ(address.Find("hosts"), -1);
    EXPECT_EQ(address.Find(""), 0);
    EXPECT_EQ(CString().Find('a'), -1);
}

TEST(CStringTest, BufferWritesBecomeTheText)
{
    CString s("old text");
    char* buffer = s.GetBuffer(20);
    strcpy(buffer, "new");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 3);
    EXPECT_STREQ(s, "new");

    buffer = s.GetBuffer(2);
    EXPECT_STREQ(buffer, "new");  // a smaller request keeps the text
    s.ReleaseBuffer(2);
    EXPECT_STREQ(s, "ne");

    strcpy(s.GetBufferSetLength(5), "12345");
    EXPECT_EQ(s.GetLength(), 5);
}

TEST(CStringTest, FormatHasNoLengthLimit)
{
    CString s;
    s.Format("%s\\%s", "C:\\WINDOWS", "fvpat.ini");
    EXPECT_STREQ(s, "C:\\WINDOWS\\fvpat.ini");

    std::string longText(5000, 'x');
    s.Format("[%s] %d", longText.c_str(), -7);
    EXPECT_EQ(s.GetLength(), 5000 + 5);
    EXPECT_STREQ(s.Right(4), "] -7");
}

} // namespace
