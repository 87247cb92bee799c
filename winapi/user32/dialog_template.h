/* Dialog templates (DLGTEMPLATE and DLGTEMPLATEEX) read into one plain form. */
#ifndef WINAPI_USER32_DIALOG_TEMPLATE_H
#define WINAPI_USER32_DIALOG_TEMPLATE_H

#include <windows.h>

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
    DWORD style;
    DWORD exstyle;
    short x, y, cx, cy;
    std::string class_name;  // empty: the dialog class
    std::string caption;
    WORD point_size;
    std::string font;
    std::vector<DialogItem> items;
};

/* FALSE for a template that cannot be read. */
bool ParseDialogTemplate(const void *data, DialogTemplate *out);

}  // namespace user32

#endif
