// How the terminal breaks a static control's text into lines.
#include <gtest/gtest.h>

#include "wrap.h"

using tty::WrapText;
using Lines = std::vector<std::string>;

struct WrapCase {
    const char *name;
    const char *text;
    int columns;
    Lines lines;
};

TEST(WrapText, BreaksAsTheStaticControlDoes)
{
    const WrapCase cases[] = {
        {"fits", "Just click Next", 20, {"Just click Next"}},
        {"after the last word that fits", "one two three four", 9, {"one two", "three", "four"}},
        {"a word exactly as long as the line", "abcd efgh", 4, {"abcd", "efgh"}},
        {"blanks at the break are not shown", "one    two", 5, {"one", "two"}},
        {"blanks at the start are kept", "  centred", 20, {"  centred"}},
        {"blanks at the end are not shown", "end   ", 10, {"end"}},
        {"a word longer than the line is cut", "abcdefghij xy", 4, {"abcd", "efgh", "ij", "xy"}},
        {"CR LF, LF and CR break lines", "a\r\nb\nc\rd", 10, {"a", "b", "c", "d"}},
        {"an empty line stays", "a\r\n\r\nb", 10, {"a", "", "b"}},
        {"tabs stop every 8 columns", "a\tb", 20, {"a       b"}},
        {"empty text is one empty line", "", 10, {""}},
    };
    for (const WrapCase &c : cases) EXPECT_EQ(WrapText(c.text, c.columns), c.lines) << c.name;
}

TEST(WithoutMnemonic, DropsTheMarkAndKeepsDoubledAmpersands)
{
    EXPECT_EQ(tty::WithoutMnemonic("&Next >"), "Next >");
    EXPECT_EQ(tty::WithoutMnemonic("Fish && Chips"), "Fish & Chips");
    EXPECT_EQ(tty::WithoutMnemonic("end&"), "end");
}
