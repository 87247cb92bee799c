/* How a multi-line edit control breaks its text into the lines it shows. */
#ifndef WINAPI_USER32_EDIT_LINES_H
#define WINAPI_USER32_EDIT_LINES_H

#include <string>
#include <vector>

namespace user32 {

struct EditLine {
    size_t start;   // index of the line's first character in the text
    size_t length;  // its characters, without the line break
};

/* Lines end at CR LF, at the soft break CR CR LF and at a lone CR or LF; a line longer than
 * `columns` wraps after its last blank that fits, or is cut when one word is longer than the
 * line. Tabs stop every 8 columns. Text that ends with a line break ends with an empty line. */
std::vector<EditLine> EditLayout(const std::string &text, int columns);

}  // namespace user32

#endif
