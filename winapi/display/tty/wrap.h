/* How the terminal lays out a control's text in character cells. */
#ifndef WINAPI_DISPLAY_TTY_WRAP_H
#define WINAPI_DISPLAY_TTY_WRAP_H

#include <string>
#include <vector>

namespace tty {

/* The text as shown: "&&" is one ampersand and a single "&" (the mnemonic mark) disappears. */
std::string WithoutMnemonic(const std::string &text);

/* Lines of a word-wrapped text, as a static control breaks it: at CR LF, CR or LF, and after
 * the last word that fits in `columns`; the blanks where a line breaks are not shown, and a
 * word longer than a line is cut. Tabs stop every 8 columns. */
std::vector<std::string> WrapText(const std::string &text, int columns);

/* One line with its tabs expanded to stops every 8 columns. */
std::string ExpandTabs(const std::string &line);

}  // namespace tty

#endif
