#include "dialog_template_writer.h"

#include <string.h>

DialogTemplateWriter::DialogTemplateWriter(DWORD style, short cx, short cy, const char *caption,
                                           WORD pointSize, const char *fontName)
{
    Dword(style | DS_SETFONT);
    Dword(0);      /* extended style */
    Word(0);       /* item count, counted up by AddItem */
    Word(0);       /* x */
    Word(0);       /* y */
    Word((WORD)cx);
    Word((WORD)cy);
    Word(0);       /* no menu */
    Word(0);       /* the dialog class */
    Text(caption);
    Word(pointSize);
    Text(fontName);
}

void DialogTemplateWriter::AddItem(DWORD style, short x, short y, short cx, short cy, WORD id,
                                   WORD classAtom, const char *text)
{
    AlignDword();
    Dword(style);
    Dword(0);
    Word((WORD)x);
    Word((WORD)y);
    Word((WORD)cx);
    Word((WORD)cy);
    Word(id);
    Word(0xFFFF);
    Word(classAtom);
    Text(text);
    Word(0);       /* no creation data */
    m_words[4]++;
}

LPCDLGTEMPLATEA DialogTemplateWriter::Template()
{
    return (LPCDLGTEMPLATEA)m_words.data();
}

void DialogTemplateWriter::Word(WORD w)
{
    m_words.push_back(w);
}

void DialogTemplateWriter::Dword(DWORD d)
{
    Word(LOWORD(d));
    Word(HIWORD(d));
}

void DialogTemplateWriter::Text(const char *text)
{
    for (const unsigned char *c = (const unsigned char *)text; *c; c++)
        Word(*c);
    Word(0);
}

void DialogTemplateWriter::AlignDword()
{
    if (m_words.size() % 2)
        Word(0);
}
