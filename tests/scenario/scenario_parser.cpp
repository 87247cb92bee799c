#include "scenario_parser.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace {

struct Token {
    std::string text;
    bool quoted;
};

const char* const kButtonNames[WizardButtonCount] = {"back", "next", "finish", "cancel"};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool Fail(ScenarioError& error, int line, const std::string& message)
{
    error.line = line;
    error.message = message;
    return false;
}

// Splits one line into words and quoted texts; `source` receives the line without its comment
// and surrounding blanks.
bool Tokenize(const std::string& line, int lineNumber, std::vector<Token>& tokens,
              std::string& source, ScenarioError& error)
{
    size_t i = 0;
    size_t first = std::string::npos, last = 0;
    while (i < line.size()) {
        if (IsBlank(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == '#')
            break;
        if (first == std::string::npos)
            first = i;
        Token token{std::string(), line[i] == '"'};
        if (token.quoted) {
            ++i;
            for (;;) {
                if (i == line.size())
                    return Fail(error, lineNumber, "missing closing quote");
                char c = line[i++];
                if (c == '"')
                    break;
                if (c != '\\') {
                    token.text += c;
                    continue;
                }
                if (i == line.size())
                    return Fail(error, lineNumber, "missing closing quote");
                switch (char e = line[i++]) {
                case 'n': token.text += '\n'; break;
                case 't': token.text += '\t'; break;
                case '\\': token.text += '\\'; break;
                case '"': token.text += '"'; break;
                default:
                    return Fail(error, lineNumber, std::string("unknown escape \\") + e +
                                                       " (known: \\n \\t \\\\ \\\")");
                }
            }
            if (i < line.size() && !IsBlank(line[i]) && line[i] != '#')
                return Fail(error, lineNumber, "a blank must follow the closing quote");
        } else {
            while (i < line.size() && !IsBlank(line[i]) && line[i] != '#') {
                if (line[i] == '"')
                    return Fail(error, lineNumber, "a quote inside a word");
                token.text += line[i++];
            }
        }
        last = i;
        tokens.push_back(token);
    }
    if (first != std::string::npos)
        source = line.substr(first, last - first);
    return true;
}

// Walks the tokens of one line, checking each against what the step needs next.
class LineReader {
public:
    LineReader(const std::vector<Token>& tokens, int line, ScenarioError& error)
        : m_tokens(tokens), m_line(line), m_error(error) {}

    bool AtEnd() const { return m_next == m_tokens.size(); }

    bool Word(const char* what, std::string& word)
    {
        if (AtEnd())
            return Fail(m_error, m_line, std::string("missing ") + what);
        const Token& token = m_tokens[m_next++];
        if (token.quoted)
            return Fail(m_error, m_line, std::string("expected ") + what + ", found a quoted text");
        word = token.text;
        return true;
    }

    bool Text(std::string& text)
    {
        if (AtEnd())
            return Fail(m_error, m_line, "missing the quoted text");
        const Token& token = m_tokens[m_next++];
        if (!token.quoted)
            return Fail(m_error, m_line, "expected a quoted text, found '" + token.text + "'");
        text = token.text;
        return true;
    }

    // Control ids: decimal or 0x hexadecimal, 0 to 65535 (a dialog item id is a WORD).
    bool ControlId(int& id)
    {
        std::string word;
        if (!Word("a control id", word))
            return false;
        if (!ParseNumber(word, true, id) || id > 0xFFFF)
            return Fail(m_error, m_line, "bad control id '" + word + "' (0 to 65535, or 0x0 to 0xFFFF)");
        return true;
    }

    bool PageNumber(int& page)
    {
        std::string word;
        if (!Word("a page number", word))
            return false;
        if (!ParseNumber(word, false, page) || page < 1 || page > 0xFFFF)
            return Fail(m_error, m_line, "bad page number '" + word + "' (1 or more)");
        return true;
    }

    bool OnOff(bool& on)
    {
        std::string word;
        if (!Word("on or off", word))
            return false;
        if (word != "on" && word != "off")
            return Fail(m_error, m_line, "expected on or off, found '" + word + "'");
        on = word == "on";
        return true;
    }

    bool Button(WizardButton& button)
    {
        std::string word;
        if (!Word("a button name", word))
            return false;
        for (int b = 0; b < WizardButtonCount; ++b) {
            if (word == kButtonNames[b]) {
                button = static_cast<WizardButton>(b);
                return true;
            }
        }
        return Fail(m_error, m_line,
                    "unknown button '" + word + "' (back, next, finish or cancel)");
    }

    bool End()
    {
        if (AtEnd())
            return true;
        const Token& token = m_tokens[m_next];
        return Fail(m_error, m_line, "unexpected " +
                                         (token.quoted ? std::string("quoted text")
                                                       : "'" + token.text + "'") +
                                         " at the end of the step");
    }

private:
    static bool ParseNumber(const std::string& word, bool allowHex, int& value)
    {
        int base = 10;
        size_t i = 0;
        if (allowHex && word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
            base = 16;
            i = 2;
        }
        if (i == word.size())
            return false;
        long result = 0;
        for (; i < word.size(); ++i) {
            char c = word[i];
            int digit;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (base == 16 && c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (base == 16 && c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            else
                return false;
            result = result * base + digit;
            if (result > 0xFFFFF)
                return false;
        }
        value = static_cast<int>(result);
        return true;
    }

    const std::vector<Token>& m_tokens;
    size_t m_next = 0;
    int m_line;
    ScenarioError& m_error;
};

bool ParseExpect(LineReader& reader, ScenarioStep& step, ScenarioError& error)
{
    std::string what;
    if (!reader.Word("what to expect", what))
        return false;
    if (what == "page") {
        step.kind = StepKind::ExpectPage;
        return reader.PageNumber(step.page);
    }
    if (what == "title") {
        step.kind = StepKind::ExpectTitle;
        return reader.Text(step.text);
    }
    if (what == "buttons") {
        step.kind = StepKind::ExpectButtons;
        while (!reader.AtEnd()) {
            WizardButton button;
            if (!reader.Button(button))
                return false;
            if (step.buttons & (1u << button))
                return Fail(error, step.line,
                            std::string("button '") + kButtonNames[button] + "' named twice");
            step.buttons |= 1u << button;
        }
        return true;
    }
    if (what == "text") {
        step.kind = StepKind::ExpectText;
        return reader.ControlId(step.control) && reader.Text(step.text);
    }
    if (what == "checked" || what == "enabled") {
        step.kind = what == "checked" ? StepKind::ExpectChecked : StepKind::ExpectEnabled;
        return reader.ControlId(step.control) && reader.OnOff(step.on);
    }
    if (what == "message" || what == "message-starting") {
        step.kind = what == "message" ? StepKind::ExpectMessage : StepKind::ExpectMessageStarting;
        return reader.Text(step.text);
    }
    if (what == "exit") {
        step.kind = StepKind::ExpectExit;
        return true;
    }
    return Fail(error, step.line,
                "unknown expectation '" + what +
                    "' (page, title, buttons, text, checked, enabled, message, "
                    "message-starting or exit)");
}

bool ParseStep(const std::vector<Token>& tokens, ScenarioStep& step, ScenarioError& error)
{
    LineReader reader(tokens, step.line, error);
    std::string verb;
    if (!reader.Word("a step", verb))
        return false;
    bool ok;
    if (verb == "press") {
        step.kind = StepKind::Press;
        ok = reader.Button(step.button);
    } else if (verb == "click") {
        step.kind = StepKind::Click;
        ok = reader.ControlId(step.control);
    } else if (verb == "set") {
        step.kind = StepKind::Set;
        ok = reader.ControlId(step.control) && reader.Text(step.text);
    } else if (verb == "check") {
        step.kind = StepKind::Check;
        ok = reader.ControlId(step.control) && reader.OnOff(step.on);
    } else if (verb == "ok") {
        step.kind = StepKind::Ok;
        ok = true;
    } else if (verb == "expect") {
        ok = ParseExpect(reader, step, error);
    } else {
        return Fail(error, step.line,
                    "unknown step '" + verb + "' (press, click, set, check, ok or expect)");
    }
    return ok && reader.End();
}

} // namespace

bool ParseScenario(const std::string& text, Scenario& steps, ScenarioError& error)
{
    steps.clear();
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<Token> tokens;
        ScenarioStep step;
        step.line = lineNumber;
        if (!Tokenize(line, lineNumber, tokens, step.source, error))
            return false;
        if (tokens.empty())
            continue;
        if (!ParseStep(tokens, step, error))
            return false;
        steps.push_back(step);
    }
    if (steps.empty())
        return Fail(error, 0, "no steps");
    return true;
}

bool LoadScenario(const char* path, Scenario& steps, ScenarioError& error)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return Fail(error, 0, "cannot read the scenario file");
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        return Fail(error, 0, "cannot read the scenario file");
    return ParseScenario(text, steps, error);
}

std::string ScenarioFileName(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FormatScenarioError(const std::string& path, const ScenarioError& error)
{
    std::string result = ScenarioFileName(path);
    if (error.line > 0)
        result += ":" + std::to_string(error.line);
    return result + ": " + error.message;
}

const char* WizardButtonName(WizardButton button)
{
    return kButtonNames[button];
}

std::string QuoteText(const std::string& text)
{
    std::string result = "\"";
    for (char c : text) {
        switch (c) {
        case '\n': result += "\\n"; break;
        case '\t': result += "\\t"; break;
        case '\\': result += "\\\\"; break;
        case '"': result += "\\\""; break;
        default: result += c; break;
        }
    }
    return result + "\"";
}
