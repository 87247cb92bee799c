/* Builds dialog templates in memory, in the classic (DLGTEMPLATE) or the extended
 * (DLGTEMPLATEEX) form, as a resource compiler would lay them out. */
#ifndef TESTS_COMMON_DIALOG_BUILDER_H
#define TESTS_COMMON_DIALOG_BUILDER_H

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

enum : WORD { kButtonAtom = 0x0080, kEditAtom = 0x0081, kStaticAtom = 0x0082 };

class DialogBuilder {
public:
    DialogBuilder(DWORD style, short cx, short cy, const char *caption, bool extended = false);

    /* A control of a system class given by its atom. */
    DialogBuilder &Control(WORD atom, WORD id, const char *text, DWORD style, short x, short y, short cx, short cy);
    /* A control of a class given by name. */
    DialogBuilder &Control(const char *class_name, WORD id, const char *text, DWORD style, short x, short y,
                           short cx, short cy);

    LPCDLGTEMPLATEA Get();

private:
    void Header();
    void Word(WORD w);
    void Dword(DWORD d);
    void Text(const char *s);
    void Align();
    void ControlStart(WORD id, DWORD style, short x, short y, short cx, short cy);
    void ControlEnd(const char *text);

    DWORD style_;
    short cx_, cy_;
    std::string caption_;
    bool extended_;
    std::vector<BYTE> items_;
    WORD count_ = 0;
    std::vector<uint32_t> storage_;  // DWORD-aligned copy handed out
};

#endif
