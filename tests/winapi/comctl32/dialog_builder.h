/* Builds page templates in memory, as a program would with PSP_DLGINDIRECT. */
#ifndef TESTS_COMCTL32_DIALOG_BUILDER_H
#define TESTS_COMCTL32_DIALOG_BUILDER_H

#include <windows.h>

#include <vector>

class DialogBuilder {
public:
    /* A property-page template: child, disabled, captioned, with its own font. */
    DialogBuilder(const char *caption, short cx, short cy);
    DialogBuilder &Control(const char *className, WORD id, const char *text, DWORD style,
                           short x, short y, short cx, short cy);
    LPCDLGTEMPLATEA Template() const;

private:
    void Word(WORD w);
    void Dword(DWORD d);
    void Text(const char *text);

    std::vector<WORD> m_words;
};

#endif
