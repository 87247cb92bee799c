/* The one reader of dialog templates, which the dialog manager and the property sheet share,
 * on templates a resource compiler would not write: it decides them as Windows' dialog
 * manager does, and never reads past the bytes it is given. */
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../../winapi/user32/dialog_template.h"

using user32::DialogTemplate;
using user32::ParseDialogTemplate;

namespace {

typedef std::vector<WORD> Words;

Words Join(std::initializer_list<Words> parts)
{
    Words all;
    for (const Words &part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

Words Dword(DWORD d) { return {LOWORD(d), HIWORD(d)}; }
Words Text(const char *s)
{
    Words w(s, s + strlen(s));
    w.push_back(0);
    return w;
}

/* Count, x, y, cx, cy, no menu, the dialog class, caption "C". */
Words Rest(WORD count) { return Join({{count, 1, 2, 30, 40, 0, 0}, Text("C")}); }

/* A classic static control "s", id 7, at a double-word boundary of `before`. */
Words ClassicItem(size_t before)
{
    Words pad(before % 2, 0);
    return Join({pad, Dword(WS_VISIBLE), Dword(0), {3, 4, 5, 6, 7, 0xFFFF, 0x0082}, Text("s"), {0}});
}

struct Case {
    const char *what;
    Words words;
    bool read;
    bool extended;
    DWORD style;
    std::string font;
    size_t items;
};

}  // namespace

TEST(DialogTemplateReader, DecidesMalformedTemplatesAsTheDialogManagerDoes)
{
    const DWORD font = DS_SETFONT | WS_POPUP;
    Words classicFont = Join({Dword(font), Dword(0), Rest(0), {8}, Text("MS Sans Serif")});
    Words extendedFont = Join({{1, 0xFFFF}, Dword(0), Dword(0), Dword(font), Rest(0), {8, 400, 0}, Text("Tahoma")});
    Words faceFFFF = Join({Dword(font), Dword(0), Rest(1), {8, 0xFFFF, 'A', 0}});
    Words messageBoxFont = Join({Dword(font), Dword(0), Rest(1), {0x7FFF}});
    Case cases[] = {
        {"classic with a font", classicFont, true, false, font, "MS Sans Serif", 0},
        {"extended with a font", extendedFont, true, true, font, "Tahoma", 0},
        // Only version 1 with the signature makes the extended form; anything else is a
        // classic template whose style happens to be 0xFFFF in its high word.
        {"signature without version 1", Join({{0, 0xFFFF}, Dword(0), Rest(0)}), true, false, 0xFFFF0000, "", 0},
        {"signature with version 2", Join({{2, 0xFFFF}, Dword(0), Rest(0)}), true, false, 0xFFFF0002, "", 0},
        // The typeface is always a text: 0xFFFF is a character of it, not an ordinal.
        {"typeface starting with 0xFFFF", Join({faceFFFF, ClassicItem(faceFFFF.size())}), true, false, font, "?A", 1},
        // The message-box font is named by the point size alone; the items follow at once.
        {"point size 0x7FFF", Join({messageBoxFont, ClassicItem(messageBoxFont.size())}), true, false, font, "", 1},
        {"caption without its end", Join({Dword(0), Dword(0), {0, 1, 2, 30, 40, 0, 0, 'C'}}), false, false, 0, "", 0},
        {"fewer items than counted", Join({Dword(0), Dword(0), Rest(2), ClassicItem(Rest(2).size() + 4)}), false,
         false, 0, "", 0},
        {"empty", Words(), false, false, 0, "", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        DialogTemplate t;
        // A copy of exactly the template's bytes, so that a read past them is caught.
        std::vector<WORD> bytes = c.words;
        ASSERT_EQ(ParseDialogTemplate(bytes.data(), bytes.size() * sizeof(WORD), &t), c.read);
        if (!c.read) continue;
        EXPECT_EQ(t.extended, c.extended);
        EXPECT_EQ(t.style, c.style);
        EXPECT_EQ(t.font, c.font);
        EXPECT_EQ(t.caption, "C");
        EXPECT_EQ(t.size, bytes.size() * sizeof(WORD));
        ASSERT_EQ(t.items.size(), c.items);
        for (const user32::DialogItem &item : t.items) {
            EXPECT_EQ(item.class_name, "Static");
            EXPECT_EQ(item.text, "s");
            EXPECT_EQ(item.id, 7u);
        }
    }
}

TEST(DialogTemplateReader, StepsOverWholeWordsOfOddCreationData)
{
    Words head = Join({Dword(0), Dword(0), Rest(2)});
    head.resize(head.size() + head.size() % 2);
    // Three bytes of creation data, of which the dialog manager steps over one word: the
    // next item starts right after it, on a double-word boundary, and holds the third byte.
    Words first = Join({Dword(WS_VISIBLE), Dword(0), {3, 4, 5, 6, 7, 0xFFFF, 0x0082}, Text("st"), {3, 0x0201}});
    Words all = Join({head, first, ClassicItem(head.size() + first.size())});
    DialogTemplate t;
    ASSERT_TRUE(ParseDialogTemplate(all.data(), all.size() * sizeof(WORD), &t));
    ASSERT_EQ(t.items.size(), 2u);
    EXPECT_EQ(t.items[0].data, (std::vector<BYTE>{1, 2, 0}));
    EXPECT_EQ(t.items[1].text, "s");
    EXPECT_EQ(t.items[1].style, (DWORD)WS_VISIBLE);
}

TEST(DialogTemplateReader, EveryCutTemplateIsRefused)
{
    Words head = Join({{1, 0xFFFF}, Dword(0), Dword(0), Dword(DS_SETFONT), Rest(1), {8, 400, 0}, Text("Tahoma")});
    Words pad(head.size() % 2, 0);
    Words item = Join({pad, Dword(0), Dword(0), Dword(0), {3, 4, 5, 6}, Dword(7), Text("Button"), Text("ok"), {0}});
    Words all = Join({head, item});
    DialogTemplate t;
    ASSERT_TRUE(ParseDialogTemplate(all.data(), all.size() * sizeof(WORD), &t));
    EXPECT_EQ(t.items[0].class_name, "Button");
    for (size_t bytes = 0; bytes < all.size() * sizeof(WORD); bytes++) {
        std::vector<BYTE> cut((const BYTE *)all.data(), (const BYTE *)all.data() + bytes);
        EXPECT_FALSE(ParseDialogTemplate(cut.data(), cut.size(), &t)) << bytes;
    }
}
