/* Reading and writing dialog templates in memory (DLGTEMPLATE and DLGTEMPLATEEX), for the
 * property sheet: it measures and restyles the pages' templates and builds its own frame. */
#ifndef WINAPI_COMCTL32_DIALOG_TEMPLATE_H
#define WINAPI_COMCTL32_DIALOG_TEMPLATE_H

#include <windows.h>

#include <string>
#include <vector>

struct DialogTemplateHeader {
    bool extended;        /* DLGTEMPLATEEX rather than DLGTEMPLATE */
    DWORD style;
    WORD itemCount;
    short cx, cy;         /* dialog units */
    std::string caption;
};

/* Reads the header of a template; FALSE when there is none. */
BOOL DialogTemplateReadHeader(const void *pTemplate, DialogTemplateHeader *header);

/* Bytes taken by a whole template, items included. */
DWORD DialogTemplateSize(const void *pTemplate);

/* Rewrites the style words of a template that can be written to. */
void DialogTemplateSetStyle(void *pTemplate, DWORD style, DWORD exStyle);
DWORD DialogTemplateExStyle(const void *pTemplate);

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
