// Linux build of the wizard test: the headless display, chosen before the program starts,
// as the scenario driver chooses it.
#include <winapi_linux.h>

namespace {

struct ChooseHeadlessDisplay
{
    ChooseHeadlessDisplay() { WinapiUseDisplay("headless"); }
} g_chooseHeadlessDisplay;

} // namespace
