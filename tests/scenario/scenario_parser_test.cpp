#include "scenario_parser.h"

#include <gtest/gtest.h>

namespace {

ScenarioStep Parsed(const std::string& text)
{
    Scenario steps;
    ScenarioError error;
    EXPECT_TRUE(ParseScenario(text, steps, error)) << text << ": " << error.message;
    EXPECT_EQ(steps.size(), 1u) << text;
    return steps.empty() ? ScenarioStep() : steps[0];
}

unsigned Bit(WizardButton button)
{
    return 1u << button;
}

struct GoodLine {
    const char* text;
    StepKind kind;
    int control;
    int page;
    const char* string;
    bool on;
    WizardButton button;
    unsigned buttons;
};

TEST(ScenarioParser, ReadsEveryStep)
{
    const GoodLine cases[] = {
        {"press back", StepKind::Press, 0, 0, "", false, ButtonBack, 0},
        {"press next", StepKind::Press, 0, 0, "", false, ButtonNext, 0},
        {"press finish", StepKind::Press, 0, 0, "", false, ButtonFinish, 0},
        {"press cancel", StepKind::Press, 0, 0, "", false, ButtonCancel, 0},
        {"click 1001", StepKind::Click, 1001, 0, "", false, ButtonBack, 0},
        {"click 0x3E9", StepKind::Click, 1001, 0, "", false, ButtonBack, 0},
        {"click 0xffff", StepKind::Click, 0xFFFF, 0, "", false, ButtonBack, 0},
        {"set 1002 \"C:\\\\Games\\\\Cards\"", StepKind::Set, 1002, 0, "C:\\Games\\Cards", false,
         ButtonBack, 0},
        {"set 1002 \"\"", StepKind::Set, 1002, 0, "", false, ButtonBack, 0},
        {"check 1003 on", StepKind::Check, 1003, 0, "", true, ButtonBack, 0},
        {"check 1003 off", StepKind::Check, 1003, 0, "", false, ButtonBack, 0},
        {"ok", StepKind::Ok, 0, 0, "", false, ButtonBack, 0},
        {"expect page 8", StepKind::ExpectPage, 0, 8, "", false, ButtonBack, 0},
        {"expect title \"FVPD Setup\"", StepKind::ExpectTitle, 0, 0, "FVPD Setup", false,
         ButtonBack, 0},
        {"expect buttons next cancel", StepKind::ExpectButtons, 0, 0, "", false, ButtonBack,
         Bit(ButtonNext) | Bit(ButtonCancel)},
        {"expect buttons cancel back finish next", StepKind::ExpectButtons, 0, 0, "", false,
         ButtonBack, Bit(ButtonBack) | Bit(ButtonNext) | Bit(ButtonFinish) | Bit(ButtonCancel)},
        {"expect buttons", StepKind::ExpectButtons, 0, 0, "", false, ButtonBack, 0},
        {"expect text 1004 \"a \\\"b\\\"\\tc\\nd\"", StepKind::ExpectText, 1004, 0,
         "a \"b\"\tc\nd", false, ButtonBack, 0},
        {"expect checked 1005 on", StepKind::ExpectChecked, 1005, 0, "", true, ButtonBack, 0},
        {"expect enabled 1006 off", StepKind::ExpectEnabled, 1006, 0, "", false, ButtonBack, 0},
        {"expect message \"Hi # there\"", StepKind::ExpectMessage, 0, 0, "Hi # there", false,
         ButtonBack, 0},
        {"expect message-starting \"File is\"", StepKind::ExpectMessageStarting, 0, 0, "File is",
         false, ButtonBack, 0},
        {"expect exit", StepKind::ExpectExit, 0, 0, "", false, ButtonBack, 0},
    };
    for (const GoodLine& c : cases) {
        ScenarioStep step = Parsed(c.text);
        EXPECT_EQ(step.kind, c.kind) << c.text;
        EXPECT_EQ(step.control, c.control) << c.text;
        EXPECT_EQ(step.page, c.page) << c.text;
        EXPECT_EQ(step.text, c.string) << c.text;
        EXPECT_EQ(step.on, c.on) << c.text;
        EXPECT_EQ(step.button, c.button) << c.text;
        EXPECT_EQ(step.buttons, c.buttons) << c.text;
    }
}

TEST(ScenarioParser, KeepsLineNumbersAndSourceAcrossCommentsAndBlankLines)
{
    const char* text =
        "# a walk\r\n"
        "\r\n"
        "  expect page 1   # the first page\r\n"
        "\tpress next#no blank needed before a comment\n"
        "expect title \"A # B\"# nor after a quote\n"
        "   # indented comment\n"
        "expect exit";
    Scenario steps;
    ScenarioError error;
    ASSERT_TRUE(ParseScenario(text, steps, error)) << error.message;
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_EQ(steps[0].line, 3);
    EXPECT_EQ(steps[0].source, "expect page 1");
    EXPECT_EQ(steps[1].line, 4);
    EXPECT_EQ(steps[1].source, "press next");
    EXPECT_EQ(steps[2].line, 5);
    EXPECT_EQ(steps[2].source, "expect title \"A # B\"");
    EXPECT_EQ(steps[2].text, "A # B");
    EXPECT_EQ(steps[3].line, 7);
    EXPECT_EQ(steps[3].kind, StepKind::ExpectExit);
}

TEST(ScenarioParser, ReportsTheFirstBadLine)
{
    struct BadText {
        const char* text;
        int line;
        const char* message;
    };
    const BadText cases[] = {
        {"expect page 1\njump 3", 2, "unknown step 'jump' (press, click, set, check, ok or expect)"},
        {"press", 1, "missing a button name"},
        {"press sideways", 1, "unknown button 'sideways' (back, next, finish or cancel)"},
        {"press Next", 1, "unknown button 'Next' (back, next, finish or cancel)"},
        {"press next now", 1, "unexpected 'now' at the end of the step"},
        {"ok \"x\"", 1, "unexpected quoted text at the end of the step"},
        {"click", 1, "missing a control id"},
        {"click abc", 1, "bad control id 'abc' (0 to 65535, or 0x0 to 0xFFFF)"},
        {"click 65536", 1, "bad control id '65536' (0 to 65535, or 0x0 to 0xFFFF)"},
        {"click 0x", 1, "bad control id '0x' (0 to 65535, or 0x0 to 0xFFFF)"},
        {"click -1", 1, "bad control id '-1' (0 to 65535, or 0x0 to 0xFFFF)"},
        {"click 99999999999999999999", 1,
         "bad control id '99999999999999999999' (0 to 65535, or 0x0 to 0xFFFF)"},
        {"set 1002 text", 1, "expected a quoted text, found 'text'"},
        {"set 1002", 1, "missing the quoted text"},
        {"set \"1002\" \"x\"", 1, "expected a control id, found a quoted text"},
        {"check 1003 yes", 1, "expected on or off, found 'yes'"},
        {"check 1003", 1, "missing on or off"},
        {"expect", 1, "missing what to expect"},
        {"expect pages 2", 1,
         "unknown expectation 'pages' (page, title, buttons, text, checked, enabled, message, "
         "message-starting or exit)"},
        {"expect page 0", 1, "bad page number '0' (1 or more)"},
        {"expect page 0x2", 1, "bad page number '0x2' (1 or more)"},
        {"expect buttons next next", 1, "button 'next' named twice"},
        {"expect buttons help", 1, "unknown button 'help' (back, next, finish or cancel)"},
        {"expect exit now", 1, "unexpected 'now' at the end of the step"},
        {"\n\nexpect title \"open", 3, "missing closing quote"},
        {"expect title \"ends in backslash\\", 1, "missing closing quote"},
        {"expect title \"a\\qb\"", 1, "unknown escape \\q (known: \\n \\t \\\\ \\\")"},
        {"expect title \"a\"b", 1, "a blank must follow the closing quote"},
        {"expect title x\"a\"", 1, "a quote inside a word"},
        {"", 0, "no steps"},
        {"# only a comment\n\n", 0, "no steps"},
    };
    for (const BadText& c : cases) {
        Scenario steps;
        ScenarioError error;
        EXPECT_FALSE(ParseScenario(c.text, steps, error)) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_EQ(error.message, c.message) << c.text;
    }
}

TEST(ScenarioParser, NamesTheFileWithoutFoldersInErrors)
{
    ScenarioError error;
    error.line = 7;
    error.message = "missing on or off";
    EXPECT_EQ(FormatScenarioError("walk.scn", error), "walk.scn:7: missing on or off");
    error.line = 0;
    error.message = "no steps";
    EXPECT_EQ(FormatScenarioError("/work/tests/walk.scn", error), "walk.scn: no steps");
    EXPECT_EQ(FormatScenarioError("Z:\\work\\tests\\walk.scn", error), "walk.scn: no steps");
}

TEST(ScenarioParser, LoadsAFileAndRefusesAMissingOne)
{
    Scenario steps;
    ScenarioError error;
    EXPECT_FALSE(LoadScenario("/nonexistent/walk.scn", steps, error));
    EXPECT_EQ(error.line, 0);
    EXPECT_EQ(error.message, "cannot read the scenario file");

    std::string path = ::testing::TempDir() + "scenario_parser_test.scn";
    FILE* file = fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    fputs("expect page 1\nexpect exit\n", file);
    fclose(file);
    EXPECT_TRUE(LoadScenario(path.c_str(), steps, error)) << error.message;
    EXPECT_EQ(steps.size(), 2u);
    remove(path.c_str());
}

TEST(ScenarioParser, QuotesTextsBackIntoScenarioNotation)
{
    std::string text = "a \"b\"\tc\nd\\e";
    EXPECT_EQ(QuoteText(text), "\"a \\\"b\\\"\\tc\\nd\\\\e\"");
    EXPECT_EQ(Parsed("expect title " + QuoteText(text)).text, text);
}

} // namespace
