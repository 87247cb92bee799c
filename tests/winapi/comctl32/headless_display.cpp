/* The Linux build shows windows through a display chosen by the program; these tests use the
 * one that draws nothing. (On Windows the tests need no such choice.) */
#include <windows.h>
#include <winapi_linux.h>

#include <gtest/gtest.h>

namespace {

class HeadlessDisplay : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(WinapiUseDisplay("headless")); }
};

::testing::Environment *const headless =
    ::testing::AddGlobalTestEnvironment(new HeadlessDisplay);

} // namespace
