/* Reading dialog templates as the dialog manager of Windows and Wine reads them: the
 * extended form is the one whose first double word is 0xFFFF0001; menu, class and an item's
 * class and text may be an ordinal after 0xFFFF, the caption and the typeface are always
 * texts; a point size of 0x7FFF asks for the message-box font and is followed by no font
 * fields; every item starts on a double-word boundary. Nothing is read past the bound. */
#include "dialog_template.h"

#include <cstring>

namespace user32 {
namespace {

const DWORD EXTENDED_MARK = 0xFFFF0001;  /* version 1, signature 0xFFFF */
const WORD MESSAGE_BOX_FONT = 0x7FFF;

class Reader {
public:
    Reader(const void *data, size_t available) : base_((const BYTE *)data), available_(available) {}

    bool Failed() const { return failed_; }
    size_t Position() const { return pos_; }

    WORD Word()
    {
        WORD v = 0;
        if (Take(sizeof v)) memcpy(&v, base_ + pos_ - sizeof v, sizeof v);
        return v;
    }
    DWORD Dword()
    {
        DWORD v = 0;
        if (Take(sizeof v)) memcpy(&v, base_ + pos_ - sizeof v, sizeof v);
        return v;
    }
    short Short() { return (short)Word(); }
    BYTE Byte() { return Take(1) ? base_[pos_ - 1] : 0; }
    WORD PeekWord()
    {
        WORD v = 0;
        if (Fits(sizeof v)) memcpy(&v, base_ + pos_, sizeof v);
        else failed_ = true;
        return v;
    }
    /* Offsets are from the template's start, which Windows requires to be aligned. */
    void AlignDword()
    {
        size_t aligned = (pos_ + 3) & ~(size_t)3;
        if (!Take(aligned - pos_)) failed_ = true;
    }
    /* n bytes from here, of which only `step` are stepped over. */
    std::vector<BYTE> Bytes(size_t n, size_t step)
    {
        if (!Fits(n)) {
            failed_ = true;
            return std::vector<BYTE>();
        }
        std::vector<BYTE> bytes(base_ + pos_, base_ + pos_ + n);
        pos_ += step;
        return bytes;
    }

    /* A NUL-terminated UTF-16 text, narrowed to the ANSI code page (Latin-1 here). */
    std::string Text()
    {
        std::string s;
        for (WORD c = Word(); c && !failed_; c = Word()) s += c < 0x100 ? (char)c : '?';
        return s;
    }
    /* A text or, after 0xFFFF, a number; 0x0000 alone is an empty text. */
    std::string TextOrOrdinal(bool *is_ordinal, WORD *ordinal)
    {
        *is_ordinal = false;
        if (PeekWord() == 0xFFFF) {
            Word();
            *is_ordinal = true;
            *ordinal = Word();
            return std::string();
        }
        return Text();
    }

private:
    bool Fits(size_t n) const { return !failed_ && available_ - pos_ >= n; }
    bool Take(size_t n)
    {
        if (!Fits(n)) {
            failed_ = true;
            return false;
        }
        pos_ += n;
        return true;
    }

    const BYTE *base_;
    size_t available_;
    size_t pos_ = 0;
    bool failed_ = false;
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

/* The header up to its font; the number of items. */
WORD ReadHeader(Reader &r, DialogTemplate *out)
{
    DWORD first = r.Dword();
    out->extended = first == EXTENDED_MARK;
    if (out->extended) {
        r.Dword();  // help id
        out->exstyle = r.Dword();
        out->style = r.Dword();
    } else {
        out->style = first;
        out->exstyle = r.Dword();
    }
    WORD count = r.Word();
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
        if (out->point_size != MESSAGE_BOX_FONT) {
            if (out->extended) {
                r.Word();  // weight
                r.Byte();  // italic
                r.Byte();  // character set
            }
            out->font = r.Text();
        }
    }
    return count;
}

void ReadItem(Reader &r, bool extended, DialogItem *item)
{
    r.AlignDword();
    if (extended) {
        r.Dword();  // help id
        item->exstyle = r.Dword();
        item->style = r.Dword();
    } else {
        item->style = r.Dword();
        item->exstyle = r.Dword();
    }
    item->x = r.Short();
    item->y = r.Short();
    item->cx = r.Short();
    item->cy = r.Short();
    item->id = extended ? r.Dword() : r.Word();
    bool class_is_ordinal;
    WORD atom = 0;
    item->class_name = r.TextOrOrdinal(&class_is_ordinal, &atom);
    if (class_is_ordinal) item->class_name = SystemClass(atom);
    item->ordinal = 0;
    item->text = r.TextOrOrdinal(&item->text_is_ordinal, &item->ordinal);
    // The count is in bytes, but the dialog manager steps over whole words of them.
    WORD extra = r.Word();
    item->data = r.Bytes(extra, extra & ~1);
}

}  // namespace

bool ParseDialogTemplate(const void *data, size_t available, DialogTemplate *out)
{
    if (!data) return false;
    Reader r(data, available);
    WORD count = ReadHeader(r, out);
    out->items.clear();
    for (WORD i = 0; i < count && !r.Failed(); i++) {
        DialogItem item;
        ReadItem(r, out->extended, &item);
        out->items.push_back(std::move(item));
    }
    out->size = r.Position();
    return !r.Failed();
}

void SetDialogTemplateStyle(void *data, bool extended, DWORD style, DWORD exstyle)
{
    BYTE *p = (BYTE *)data;
    memcpy(p + (extended ? 12 : 0), &style, sizeof style);
    memcpy(p + (extended ? 8 : 4), &exstyle, sizeof exstyle);
}

}  // namespace user32
