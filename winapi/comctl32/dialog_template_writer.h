/* Writing dialog templates in memory, for the property sheet's own frame; the pages'
 * templates are read by user32's reader (../user32/dialog_template.h). */
#ifndef WINAPI_COMCTL32_DIALOG_TEMPLATE_WRITER_H
#define WINAPI_COMCTL32_DIALOG_TEMPLATE_WRITER_H

#include <windows.h>

#include <string>
#include <vector>

/* Builds a classic DLGTEMPLATE with a font, item by item. */
class DialogTemplateWriter {
public:
    DialogTemplateWriter(DWORD style, short cx, short cy, const char *caption, WORD pointSize,
                         const char *fontName);
    /* classAtom: 0x0080 button, 0x0082 static */
    void AddItem(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom,
                 const char *text);
    LPCDLGTEMPLATEA Template();

private:
    void Word(WORD w);
    void Dword(DWORD d);
    void Text(const char *text);
    void AlignDword();

    std::vector<WORD> m_words;
};

#endif
