#include "dialog_builder.h"

DialogBuilder::DialogBuilder(const char *caption, short cx, short cy)
{
    Dword(WS_CHILD | WS_DISABLED | WS_CAPTION | DS_SETFONT);
    Dword(0);
    Word(0); /* controls, counted by Control */
    Word(0);
    Word(0);
    Word((WORD)cx);
    Word((WORD)cy);
    Word(0); /* menu */
    Word(0); /* class */
    Text(caption);
    Word(8);
    Text("MS Sans Serif");
}

DialogBuilder &DialogBuilder::Control(const char *className, WORD id, const char *text,
                                      DWORD style, short x, short y, short cx, short cy)
{
    if (m_words.size() % 2)
        Word(0);
    Dword(WS_CHILD | WS_VISIBLE | style);
    Dword(0);
    Word((WORD)x);
    Word((WORD)y);
    Word((WORD)cx);
    Word((WORD)cy);
    Word(id);
    Text(className);
    Text(text);
    Word(0);
    m_words[4]++;
    return *this;
}

LPCDLGTEMPLATEA DialogBuilder::Template() const
{
    return (LPCDLGTEMPLATEA)m_words.data();
}

void DialogBuilder::Word(WORD w)
{
    m_words.push_back(w);
}

void DialogBuilder::Dword(DWORD d)
{
    Word(LOWORD(d));
    Word(HIWORD(d));
}

void DialogBuilder::Text(const char *text)
{
    for (const unsigned char *c = (const unsigned char *)text; *c; c++)
        Word(*c);
    Word(0);
}
