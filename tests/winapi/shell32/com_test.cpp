// The apartment, creation of the shell link through CoCreateInstance, and COM identity and
// reference counts of the object.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

// Every test leaves the thread's apartment as it found it: not initialised.
class ComTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        IUnknown *probe = NULL;
        EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IUnknown, (LPVOID *)&probe),
                  CO_E_NOTINITIALIZED);
    }
};

TEST_F(ComTest, CreationNeedsTheApartmentAndCountsNestedCalls)
{
    IShellLinkA *link = (IShellLinkA *)1;
    EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (LPVOID *)&link),
              CO_E_NOTINITIALIZED);
    EXPECT_EQ(link, nullptr);

    EXPECT_EQ(CoInitialize(NULL), S_OK);
    EXPECT_EQ(CoInitialize(NULL), S_FALSE);
    CoUninitialize();
    // One CoInitialize is still outstanding.
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (LPVOID *)&link),
              S_OK);
    EXPECT_EQ(link->Release(), 0u);
    CoUninitialize();
    // An extra CoUninitialize is harmless, and the next CoInitialize is a first one again.
    CoUninitialize();
    EXPECT_EQ(CoInitialize(NULL), S_OK);
    CoUninitialize();
}

TEST_F(ComTest, ClassesAndContextsThatAreNotServed)
{
    ASSERT_EQ(CoInitialize(NULL), S_OK);
    const CLSID unknownClass = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
    IUnknown *object = NULL;
    EXPECT_EQ(CoCreateInstance(unknownClass, NULL, CLSCTX_INPROC_SERVER, IID_IUnknown, (LPVOID *)&object),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_LOCAL_SERVER, IID_IUnknown, (LPVOID *)&object),
              REGDB_E_CLASSNOTREG);
    IUnknown *outer = (IUnknown *)&object;
    EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, outer, CLSCTX_INPROC_SERVER, IID_IUnknown, (LPVOID *)&object),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IClassFactory, (LPVOID *)&object),
              E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IUnknown, NULL), E_POINTER);
    CoUninitialize();
}

TEST_F(ComTest, InterfacesShareOneIdentityAndOneCount)
{
    ASSERT_EQ(CoInitialize(NULL), S_OK);
    IShellLinkA *link = NULL;
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_ALL, IID_IShellLinkA, (LPVOID *)&link), S_OK);

    IPersistFile *file = NULL;
    ASSERT_EQ(link->QueryInterface(IID_IPersistFile, (LPVOID *)&file), S_OK);
    IUnknown *fromLink = NULL, *fromFile = NULL;
    ASSERT_EQ(link->QueryInterface(IID_IUnknown, (LPVOID *)&fromLink), S_OK);
    ASSERT_EQ(file->QueryInterface(IID_IUnknown, (LPVOID *)&fromFile), S_OK);
    EXPECT_EQ(fromLink, fromFile);
    IPersist *persist = NULL;
    ASSERT_EQ(link->QueryInterface(IID_IPersist, (LPVOID *)&persist), S_OK);
    CLSID clsid;
    EXPECT_EQ(persist->GetClassID(&clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_ShellLink));

    IClassFactory *notThere = (IClassFactory *)1;
    EXPECT_EQ(file->QueryInterface(IID_IClassFactory, (LPVOID *)&notThere), E_NOINTERFACE);
    EXPECT_EQ(notThere, nullptr);

    // Five references now; the object lives until the last one goes.
    EXPECT_EQ(link->AddRef(), 6u);
    EXPECT_EQ(persist->Release(), 5u);
    EXPECT_EQ(fromFile->Release(), 4u);
    EXPECT_EQ(fromLink->Release(), 3u);
    EXPECT_EQ(link->Release(), 2u);
    EXPECT_EQ(file->Release(), 1u);
    EXPECT_EQ(link->Release(), 0u);
    CoUninitialize();
}
