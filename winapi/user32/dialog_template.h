/* Dialog templates (DLGTEMPLATE and DLGTEMPLATEEX) read into one plain form. The one reader
 * of the format: the dialog manager creates dialogs from it and the property sheet (comctl32)
 * measures and restyles its pages with it, so both agree on every template. */
#ifndef WINAPI_USER32_DIALOG_TEMPLATE_H
#define WINAPI_USER32_DIALOG_TEMPLATE_H

#include <windows.h>

#include <stddef.h>

#include <string>
#include <vector>

namespace user32 {

struct DialogItem {
    DWORD style;
    DWORD exstyle;
    short x, y, cx, cy;
    DWORD id;
    std::string class_name;  // atoms of the system classes become their names
    std::string text;
    bool text_is_ordinal;    // an icon's resource number instead of a text
    WORD ordinal;
    std::vector<BYTE> data;  // creation data, passed as lpParam
};

struct DialogTemplate {
    bool extended;           // DLGTEMPLATEEX
    DWORD style;
    DWORD exstyle;
    short x, y, cx, cy;
    std::string class_name;  // empty: the dialog class
    std::string caption;
    WORD point_size;
    std::string font;
    std::vector<DialogItem> items;
    size_t size;             // bytes the template takes, its items included
};

/* A template held in memory reads as far as it says, as on Windows. */
const size_t kTemplateUnbounded = (size_t)-1;

/* Reads the template at `data`, which must lie within `available` bytes; FALSE for a
 * template that runs past them or cannot be read. */
bool ParseDialogTemplate(const void *data, size_t available, DialogTemplate *out);

/* The offsets of the style words: they are where the template's form puts them. */
void SetDialogTemplateStyle(void *data, bool extended, DWORD style, DWORD exstyle);

}  // namespace user32

#endif
