#include "wrap.h"

namespace tty {

std::string WithoutMnemonic(const std::string &text)
{
    std::string shown;
    for (size_t i = 0; i < text.size(); i++) {
        if (text[i] == '&') {
            if (i + 1 >= text.size()) break;
            i++;
        }
        shown += text[i];
    }
    return shown;
}

std::string ExpandTabs(const std::string &line)
{
    std::string out;
    for (char c : line) {
        if (c == '\t') out.append(8 - out.size() % 8, ' ');
        else out += c;
    }
    return out;
}

/* One paragraph (no line breaks in it) into lines of at most `columns`. */
static void WrapParagraph(const std::string &paragraph, size_t columns, std::vector<std::string> &lines)
{
    std::string text = ExpandTabs(paragraph);
    std::string line;
    bool wrapped = false;  // the line began where the one before it was broken
    size_t i = 0;
    while (i < text.size()) {
        size_t blanks_end = text.find_first_not_of(' ', i);
        if (blanks_end == std::string::npos) break;  // blanks at the end are not shown
        std::string blanks = text.substr(i, blanks_end - i);
        size_t word_end = text.find(' ', blanks_end);
        if (word_end == std::string::npos) word_end = text.size();
        std::string word = text.substr(blanks_end, word_end - blanks_end);
        i = word_end;
        if (line.empty() && wrapped) blanks.clear();
        if (line.size() + blanks.size() + word.size() <= columns) {
            line += blanks + word;
            continue;
        }
        // The word starts a new line (leading blanks that leave it no room are dropped); a
        // word longer than a whole line is cut.
        if (!line.empty()) lines.push_back(line);
        while (word.size() > columns) {
            lines.push_back(word.substr(0, columns));
            word.erase(0, columns);
        }
        line = word;
        wrapped = true;
    }
    lines.push_back(line);
}

std::vector<std::string> WrapText(const std::string &text, int columns)
{
    size_t width = columns < 1 ? 1 : (size_t)columns;
    std::vector<std::string> lines;
    size_t pos = 0;
    for (;;) {
        size_t end = text.find_first_of("\r\n", pos);
        WrapParagraph(text.substr(pos, end == std::string::npos ? std::string::npos : end - pos), width, lines);
        if (end == std::string::npos) break;
        pos = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

}  // namespace tty
