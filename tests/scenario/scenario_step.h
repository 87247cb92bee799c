// One line of a scenario file, as the parser understands it and the runner carries it out.
#pragma once

#include <string>
#include <vector>

enum class StepKind {
    Press,                 // press back|next|finish|cancel
    Click,                 // click ID
    Set,                   // set ID "text"
    Check,                 // check ID on|off
    Ok,                    // ok
    ExpectPage,            // expect page N
    ExpectTitle,           // expect title "text"
    ExpectButtons,         // expect buttons NAME...
    ExpectText,            // expect text ID "text"
    ExpectChecked,         // expect checked ID on|off
    ExpectEnabled,         // expect enabled ID on|off
    ExpectMessage,         // expect message "text"
    ExpectMessageStarting, // expect message-starting "text"
    ExpectExit,            // expect exit
};

// The wizard's own buttons, in the order the scenario syntax and the failure messages name them.
enum WizardButton { ButtonBack, ButtonNext, ButtonFinish, ButtonCancel, WizardButtonCount };

struct ScenarioStep {
    StepKind kind = StepKind::Ok;
    int line = 0;         // 1-based line in the scenario file
    std::string source;   // the step as written, without comment, for failure messages
    int control = 0;      // click, set, check, expect text/checked/enabled
    int page = 0;         // expect page (1-based)
    std::string text;     // set, expect title/text/message/message-starting
    bool on = false;      // check, expect checked/enabled
    WizardButton button = ButtonBack; // press
    unsigned buttons = 0; // expect buttons: bit (1 << WizardButton) per button named
};

typedef std::vector<ScenarioStep> Scenario;

// Where a scenario file stops making sense; line 0 means the file as a whole.
struct ScenarioError {
    int line = 0;
    std::string message;
};
