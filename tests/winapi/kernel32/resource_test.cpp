// Resources of the program, read from the .res carried in the test executable.
#include <string>

#include "prefix_fixture.h"
#include "winapi_linux.h"
#include "winbase.h"
#include "winuser.h"
#include "winerror.h"

static std::string ResourceText(LPCSTR name, LPCSTR type)
{
    HRSRC info = FindResourceA(NULL, name, type);
    if (!info)
        return "error " + std::to_string(GetLastError());
    HGLOBAL loaded = LoadResource(GetModuleHandleA(NULL), info);
    return std::string((const char *)LockResource(loaded), SizeofResource(NULL, info));
}

TEST(ResourceTest, ResourcesAreFoundByNumberNameAndType)
{
    struct Case {
        LPCSTR name;
        LPCSTR type;
        const char *text;
    } cases[] = {
        {MAKEINTRESOURCEA(1), RT_RCDATA, "abc"},
        {MAKEINTRESOURCEA(7), RT_RCDATA, "seven"},
        {"#7", "#10", "seven"},
        {"HELLO", RT_RCDATA, "named"},
        {"hello", RT_RCDATA, "named"},
        {MAKEINTRESOURCEA(5), "MyType", "custom"},
        {MAKEINTRESOURCEA(2), RT_RCDATA, "error 1814"},
        {"nope", RT_RCDATA, "error 1814"},
        {MAKEINTRESOURCEA(1), RT_DIALOG, "error 1813"},
        {MAKEINTRESOURCEA(5), "OTHERTYPE", "error 1813"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ResourceText(c.name, c.type), c.text);
    EXPECT_FALSE(FreeResource(LoadResource(NULL, FindResourceA(NULL, MAKEINTRESOURCEA(1), RT_RCDATA))));
}

TEST(ResourceTest, AHiddenResourceIsMissingUntilRestored)
{
    ASSERT_TRUE(WinapiHideResource(RT_RCDATA, MAKEINTRESOURCEA(7)));
    EXPECT_EQ(ResourceText(MAKEINTRESOURCEA(7), RT_RCDATA), "error 1814");
    EXPECT_EQ(ResourceText(MAKEINTRESOURCEA(1), RT_RCDATA), "abc");
    // Hiding the only resource of a type hides the type.
    ASSERT_TRUE(WinapiHideResource("MYTYPE", MAKEINTRESOURCEA(5)));
    EXPECT_EQ(ResourceText(MAKEINTRESOURCEA(5), "MYTYPE"), "error 1813");
    EXPECT_FALSE(WinapiHideResource(RT_RCDATA, MAKEINTRESOURCEA(99)));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_RESOURCE_NAME_NOT_FOUND);

    WinapiRestoreResources();
    EXPECT_EQ(ResourceText(MAKEINTRESOURCEA(7), RT_RCDATA), "seven");
    EXPECT_EQ(ResourceText(MAKEINTRESOURCEA(5), "MYTYPE"), "custom");
}
