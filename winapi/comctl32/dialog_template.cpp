#include "dialog_template.h"

#include <string.h>

namespace {

const WORD EXTENDED_SIGNATURE = 0xFFFF;

WORD ReadWord(const BYTE *p)
{
    WORD w;
    memcpy(&w, p, sizeof w);
    return w;
}

DWORD ReadDword(const BYTE *p)
{
    DWORD d;
    memcpy(&d, p, sizeof d);
    return d;
}

/* A field that is empty (0x0000), an ordinal (0xFFFF, n) or a NUL-terminated UTF-16 text. */
const BYTE *SkipNameOrOrdinal(const BYTE *p)
{
    WORD first = ReadWord(p);
    if (first == 0x0000)
        return p + 2;
    if (first == 0xFFFF)
        return p + 4;
    while (ReadWord(p) != 0)
        p += 2;
    return p + 2;
}

/* Texts of templates are UTF-16; the ANSI code page of this platform is taken as Latin-1. */
const BYTE *ReadText(const BYTE *p, std::string *text)
{
    for (WORD c; (c = ReadWord(p)) != 0; p += 2)
        text->push_back(c < 0x100 ? (char)c : '?');
    return p + 2;
}

const BYTE *AlignDword(const BYTE *base, const BYTE *p)
{
    return base + ((p - base + 3) & ~(ptrdiff_t)3);
}

bool IsExtended(const BYTE *p)
{
    return ReadWord(p + 2) == EXTENDED_SIGNATURE;
}

/* Everything up to and including the font: where the first item begins (before alignment). */
const BYTE *ReadHeader(const BYTE *p, DialogTemplateHeader *header)
{
    header->extended = IsExtended(p);
    if (header->extended) {
        header->style = ReadDword(p + 12);
        p += 16;
    } else {
        header->style = ReadDword(p);
        p += 8;
    }
    header->itemCount = ReadWord(p);
    header->cx = (short)ReadWord(p + 6);
    header->cy = (short)ReadWord(p + 8);
    p += 10;
    p = SkipNameOrOrdinal(p); /* menu */
    p = SkipNameOrOrdinal(p); /* class */
    header->caption.clear();
    p = ReadText(p, &header->caption);
    if (header->style & DS_SETFONT) {
        p += header->extended ? 6 : 2; /* point size [, weight, italic, character set] */
        p = SkipNameOrOrdinal(p);
    }
    return p;
}

} // namespace

BOOL DialogTemplateReadHeader(const void *pTemplate, DialogTemplateHeader *header)
{
    if (!pTemplate)
        return FALSE;
    ReadHeader((const BYTE *)pTemplate, header);
    return TRUE;
}

DWORD DialogTemplateSize(const void *pTemplate)
{
    const BYTE *base = (const BYTE *)pTemplate;
    DialogTemplateHeader header;
    const BYTE *p = ReadHeader(base, &header);
    for (WORD i = 0; i < header.itemCount; i++) {
        p = AlignDword(base, p);
        p += header.extended ? 24 : 18;
        p = SkipNameOrOrdinal(p); /* class */
        p = SkipNameOrOrdinal(p); /* text */
        WORD extra = ReadWord(p);
        p += 2 + extra;
    }
    return (DWORD)(p - base);
}

void DialogTemplateSetStyle(void *pTemplate, DWORD style, DWORD exStyle)
{
    BYTE *p = (BYTE *)pTemplate;
    if (IsExtended(p)) {
        memcpy(p + 8, &exStyle, sizeof exStyle);
        memcpy(p + 12, &style, sizeof style);
    } else {
        memcpy(p, &style, sizeof style);
        memcpy(p + 4, &exStyle, sizeof exStyle);
    }
}

DWORD DialogTemplateExStyle(const void *pTemplate)
{
    const BYTE *p = (const BYTE *)pTemplate;
    return IsExtended(p) ? ReadDword(p + 8) : ReadDword(p + 4);
}

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
