#include "dialog_template.h"

#include <cstring>

namespace user32 {
namespace {

class Reader {
public:
    explicit Reader(const void *data) : base_((const BYTE *)data), pos_(0) {}

    WORD Word()
    {
        WORD v;
        memcpy(&v, base_ + pos_, sizeof(v));
        pos_ += sizeof(v);
        return v;
    }
    DWORD Dword()
    {
        DWORD v;
        memcpy(&v, base_ + pos_, sizeof(v));
        pos_ += sizeof(v);
        return v;
    }
    short Short() { return (short)Word(); }
    BYTE Byte() { return base_[pos_++]; }
    void AlignDword() { pos_ = (pos_ + 3) & ~(size_t)3; }
    const BYTE *Here() const { return base_ + pos_; }
    void Skip(size_t n) { pos_ += n; }

    /* A NUL-terminated UTF-16 text, narrowed to the ANSI code page (Latin-1 here). */
    std::string Text()
    {
        std::string s;
        for (WORD c = Word(); c; c = Word()) s += c < 0x100 ? (char)c : '?';
        return s;
    }
    /* A text or, after 0xFFFF, a number; 0x0000 alone is an empty text. */
    std::string TextOrOrdinal(bool *is_ordinal, WORD *ordinal)
    {
        *is_ordinal = false;
        WORD first;
        memcpy(&first, base_ + pos_, sizeof(first));
        if (first == 0xFFFF) {
            Skip(2);
            *is_ordinal = true;
            *ordinal = Word();
            return std::string();
        }
        return Text();
    }

private:
    const BYTE *base_;
    size_t pos_;
};

std::string SystemClass(WORD atom)
{
    switch (atom) {
    case 0x0080: return "Button";
    case 0x0081: return "Edit";
    case 0x0082: return "Static";
    case 0x0083: return "ListBox";
    case 0x0084: return "ScrollBar";
    case 0x0085: return "ComboBox";
    }
    return "#" + std::to_string(atom);
}

std::string ClassField(Reader &r)
{
    bool is_ordinal;
    WORD ordinal = 0;
    std::string name = r.TextOrOrdinal(&is_ordinal, &ordinal);
    return is_ordinal ? SystemClass(ordinal) : name;
}

}  // namespace

bool ParseDialogTemplate(const void *data, DialogTemplate *out)
{
    if (!data) return false;
    Reader r(data);
    WORD version, signature;
    memcpy(&version, data, 2);
    memcpy(&signature, (const BYTE *)data + 2, 2);
    bool extended = version == 1 && signature == 0xFFFF;
    WORD count;
    if (extended) {
        r.Skip(4);  // version and signature
        r.Dword();  // help id
        out->exstyle = r.Dword();
        out->style = r.Dword();
    } else {
        out->style = r.Dword();
        out->exstyle = r.Dword();
    }
    count = r.Word();
    out->x = r.Short();
    out->y = r.Short();
    out->cx = r.Short();
    out->cy = r.Short();
    bool is_ordinal;
    WORD ordinal;
    r.TextOrOrdinal(&is_ordinal, &ordinal);  // menu: dialogs here have none
    std::string cls = r.TextOrOrdinal(&is_ordinal, &ordinal);
    out->class_name = is_ordinal ? std::string() : cls;
    out->caption = r.Text();
    out->point_size = 0;
    out->font.clear();
    if (out->style & DS_SETFONT) {
        out->point_size = r.Word();
        if (extended) {
            r.Word();  // weight
            r.Byte();  // italic
            r.Byte();  // character set
        }
        out->font = r.Text();
    }
    out->items.clear();
    for (WORD i = 0; i < count; i++) {
        r.AlignDword();
        DialogItem item;
        if (extended) {
            r.Dword();  // help id
            item.exstyle = r.Dword();
            item.style = r.Dword();
        } else {
            item.style = r.Dword();
            item.exstyle = r.Dword();
        }
        item.x = r.Short();
        item.y = r.Short();
        item.cx = r.Short();
        item.cy = r.Short();
        item.id = extended ? r.Dword() : r.Word();
        item.class_name = ClassField(r);
        item.ordinal = 0;
        item.text = r.TextOrOrdinal(&item.text_is_ordinal, &item.ordinal);
        WORD extra = r.Word();
        if (extra) {
            const BYTE *p = r.Here();
            item.data.assign(p, p + extra);
            r.Skip(extra);
        }
        out->items.push_back(std::move(item));
    }
    return true;
}

}  // namespace user32
