#include "edit_lines.h"

namespace user32 {

static int Advance(char c, int column)
{
    return c == '\t' ? 8 - column % 8 : 1;
}

static size_t BreakLength(const std::string &text, size_t at)
{
    if (at >= text.size()) return 0;
    if (text.compare(at, 3, "\r\r\n") == 0) return 3;
    if (text.compare(at, 2, "\r\n") == 0) return 2;
    return 1;
}

std::vector<EditLine> EditLayout(const std::string &text, int columns)
{
    if (columns < 1) columns = 1;
    std::vector<EditLine> lines;
    size_t pos = 0;
    for (;;) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        size_t start = pos;
        do {
            int column = 0;
            size_t i = start, after_blank = std::string::npos;
            while (i < end) {
                int width = Advance(text[i], column);
                if (column + width > columns && i > start) break;
                column += width;
                if (text[i] == ' ' || text[i] == '\t') after_blank = i + 1;
                i++;
            }
            size_t cut = i;
            if (i < end && after_blank != std::string::npos && after_blank > start) cut = after_blank;
            lines.push_back({start, cut - start});
            start = cut;
        } while (start < end);
        if (end >= text.size()) break;
        pos = end + BreakLength(text, end);
    }
    return lines;
}

}  // namespace user32
