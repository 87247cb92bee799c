#include "dialog_builder.h"

#include <cstring>

namespace {

void Put(std::vector<BYTE> &out, const void *data, size_t size)
{
    const BYTE *p = (const BYTE *)data;
    out.insert(out.end(), p, p + size);
}

void PutWord(std::vector<BYTE> &out, WORD w)
{
    Put(out, &w, sizeof(w));
}

void PutDword(std::vector<BYTE> &out, DWORD d)
{
    Put(out, &d, sizeof(d));
}

void PutText(std::vector<BYTE> &out, const char *s)
{
    for (; *s; s++) PutWord(out, (BYTE)*s);
    PutWord(out, 0);
}

}  // namespace

DialogBuilder::DialogBuilder(DWORD style, short cx, short cy, const char *caption, bool extended)
    : style_(style), cx_(cx), cy_(cy), caption_(caption), extended_(extended)
{
}

void DialogBuilder::Align()
{
    while (items_.size() % 4) items_.push_back(0);
}

void DialogBuilder::ControlStart(WORD id, DWORD style, short x, short y, short cx, short cy)
{
    Align();
    if (extended_) {
        PutDword(items_, 0);  // help id
        PutDword(items_, 0);  // extended style
        PutDword(items_, style);
    } else {
        PutDword(items_, style);
        PutDword(items_, 0);
    }
    PutWord(items_, (WORD)x);
    PutWord(items_, (WORD)y);
    PutWord(items_, (WORD)cx);
    PutWord(items_, (WORD)cy);
    if (extended_)
        PutDword(items_, id);
    else
        PutWord(items_, id);
}

void DialogBuilder::ControlEnd(const char *text)
{
    PutText(items_, text);
    PutWord(items_, 0);  // no creation data
    count_++;
}

DialogBuilder &DialogBuilder::Control(WORD atom, WORD id, const char *text, DWORD style, short x, short y, short cx,
                                      short cy)
{
    ControlStart(id, style, x, y, cx, cy);
    PutWord(items_, 0xFFFF);
    PutWord(items_, atom);
    ControlEnd(text);
    return *this;
}

DialogBuilder &DialogBuilder::Control(const char *class_name, WORD id, const char *text, DWORD style, short x,
                                      short y, short cx, short cy)
{
    ControlStart(id, style, x, y, cx, cy);
    PutText(items_, class_name);
    ControlEnd(text);
    return *this;
}

LPCDLGTEMPLATEA DialogBuilder::Get()
{
    std::vector<BYTE> out;
    if (extended_) {
        PutWord(out, 1);
        PutWord(out, 0xFFFF);
        PutDword(out, 0);  // help id
        PutDword(out, 0);  // extended style
        PutDword(out, style_);
    } else {
        PutDword(out, style_);
        PutDword(out, 0);
    }
    PutWord(out, count_);
    PutWord(out, 0);
    PutWord(out, 0);
    PutWord(out, (WORD)cx_);
    PutWord(out, (WORD)cy_);
    PutWord(out, 0);  // no menu
    PutWord(out, 0);  // the dialog class
    PutText(out, caption_.c_str());
    if (style_ & DS_SETFONT) {
        PutWord(out, 8);
        if (extended_) {
            PutWord(out, 400);
            out.push_back(0);
            out.push_back(0);
        }
        PutText(out, "MS Sans Serif");
    }
    while (out.size() % 4) out.push_back(0);
    // The items were aligned relative to their own start, which now lies on a DWORD boundary.
    out.insert(out.end(), items_.begin(), items_.end());
    storage_.assign((out.size() + 3) / 4, 0);
    memcpy(storage_.data(), out.data(), out.size());
    return (LPCDLGTEMPLATEA)storage_.data();
}
