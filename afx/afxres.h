// Command ids that the framework gives a meaning to.
#pragma once

#define ID_HELP 0xE146        // help on the current context

// What a wizard's modal run ends with; the values of the wizard buttons.
#define ID_WIZBACK 0x3023
#define ID_WIZNEXT 0x3024
#define ID_WIZFINISH 0x3025
