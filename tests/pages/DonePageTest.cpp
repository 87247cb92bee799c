// Finish on the done page: the game starts from the install folder, quoted so that no other
// program is taken for it, and the two messages come in order when the folder is gone.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>

#include <windows.h>
#include <winapi_linux.h>

#include "DonePage.h"
#include "SetupSheet.h"

namespace {

std::vector<std::string> g_messages;

BOOL CALLBACK AnswerMessageBox(HWND hwnd, LPARAM)
{
    char className[16];
    GetClassNameA(hwnd, className, sizeof(className));
    if (strcmp(className, "#32770") != 0 || GetDlgItem(hwnd, 0xFFFF) == NULL)
        return TRUE;
    char text[512];
    GetDlgItemTextA(hwnd, 0xFFFF, text, sizeof(text));
    g_messages.push_back(text);
    PostMessageA(GetDlgItem(hwnd, IDOK), BM_CLICK, 0, 0);
    return FALSE;
}

void OnIdle()
{
    EnumWindows(AnswerMessageBox, 0);
}

class DonePageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/fvp-done.XXXXXX";
        m_prefix = mkdtemp(pattern);
        setenv("WINEPREFIX", m_prefix.c_str(), 1);
        m_probeOut = m_prefix + "/probe.out";
        setenv("FVP_PROBE_OUT", m_probeOut.c_str(), 1);
        SetCurrentDirectoryA("C:\\");
        g_messages.clear();
        WinapiUseDisplay("headless");
        WinapiSetIdleHook(OnIdle);
    }
    void TearDown() override
    {
        WinapiSetIdleHook(NULL);
        SetCurrentDirectoryA("C:\\");
        std::string command = "rm -rf '" + m_prefix + "'";
        ASSERT_EQ(system(command.c_str()), 0);
    }

    // The probe program copied to a Windows path of the prefix (the folder must exist).
    void PlantProbe(const char* windowsPath)
    {
        std::string host = m_prefix + "/drive_c/" + windowsPath;
        std::string command = "cp '" WINEXEC_PROBE_PATH "' '" + host + "'";
        ASSERT_EQ(system(command.c_str()), 0);
    }

    // What the probe wrote, once it has run (it is started detached), or "" after 10 s.
    std::string ProbeReport() const
    {
        for (DWORD start = GetTickCount(); GetTickCount() - start < 10000; Sleep(10))
        {
            FILE* file = fopen(m_probeOut.c_str(), "r");
            if (file == NULL)
                continue;
            char buffer[4096];
            size_t length = fread(buffer, 1, sizeof(buffer), file);
            fclose(file);
            return std::string(buffer, length);
        }
        return "";
    }

    BOOL Finish(const char* installDir)
    {
        CSetupSheet sheet("FVPD Setup");
        sheet.SetInstallDir(installDir);
        CDonePage page(&sheet);
        return page.OnWizardFinish();
    }

    std::string m_prefix;
    std::string m_probeOut;
};

TEST_F(DonePageTest, StartsTheGameInItsFolderAndNotAProgramNamedByThePathsFirstWord)
{
    ASSERT_TRUE(CreateDirectoryA("C:\\Fernvale Patience", NULL));
    PlantProbe("Fernvale Patience/fvpat.exe");
    // Started unquoted, this would run: Windows tries "C:\Fernvale.exe" first.
    PlantProbe("Fernvale.exe");

    EXPECT_TRUE(Finish("C:\\Fernvale Patience\\"));

    EXPECT_TRUE(g_messages.empty());
    std::string report = ProbeReport();
    EXPECT_NE(report.find("cwd=" + m_prefix + "/drive_c/Fernvale Patience\n"), std::string::npos)
        << report;
    EXPECT_NE(report.find("program=" + m_prefix + "/drive_c/Fernvale Patience/fvpat.exe\n"),
              std::string::npos)
        << report;
}

TEST_F(DonePageTest, RemovedFolderGivesBothMessagesInOrderAndStillCloses)
{
    EXPECT_TRUE(Finish("C:\\Games\\Cards\\"));

    EXPECT_EQ(g_messages, (std::vector<std::string>{
                              "Can't change current directory to: C:\\Games\\Cards\\",
                              "Can't run: C:\\Games\\Cards\\fvpat.exe"}));
}

} // namespace
