#include "CopyPage.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <zlib.h>

#include "FileInflater.h"
#include "IniFile.h"
#include "Maker.h"
#include "Registry.h"
#include "SetupSheet.h"
#include "Shortcuts.h"

IMPLEMENT_DYNCREATE(CCopyPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CCopyPage, CPropertyPage)
    ON_WM_PAINT()
    ON_WM_TIMER()
END_MESSAGE_MAP()

const CatalogueRow CATALOGUE[] = {
    { IDR_RUNE32C_DLL, "rune32c.dll" },
    { IDR_BRAMBLECOTE_URL, "Bramblecote Studios.url" },
    { IDR_FVP_1_MID, "fvp_1.mid" },
    { IDR_FVPAT_EXE, "fvpat.exe" },
    { IDR_NOTES_DOC, "notes.doc" },
    { IDR_FVPAT_HLP, "fvpat.hlp" },
    { IDR_TERMS_DOC, "terms.doc" },
    { IDR_BLURB_DIZ, "blurb.diz" },
    { IDR_FVP_2_MID, "fvp_2.mid" },
    { IDR_TUNES_TXT, "tunes.txt" },
    { IDR_TUNES_DIR_TXT, "tunes_dir.txt" },
    { IDR_TEXTS_DAT, "texts.dat" },
    { IDR_FVP_3_MID, "fvp_3.mid" },
    { IDR_FVP_VOYAGE_MID, "fvp_voyage.mid" },
    { IDR_SEED_RND, "seed.rnd" },
    { IDR_CORE_GOB, "core.gob" },
    { IDR_SHOP_GOB, "shop.gob" },
    { IDR_SHOP_EXE, "shop.exe" },
    { IDR_PLAIN_DCK, "plain.dck" },
    { IDR_MYSTIC_DCK, "mystic.dck" },
    { IDR_LARGE_DCK, "large.dck" },
};
const size_t CATALOGUE_ROWS = sizeof(CATALOGUE) / sizeof(CATALOGUE[0]);

size_t LongestCatalogueName()
{
    size_t nLongest = 0;
    for (size_t i = 0; i < CATALOGUE_ROWS; i++)
    {
        size_t nLength = strlen(CATALOGUE[i].pszFileName);
        if (nLength > nLongest)
            nLongest = nLength;
    }
    return nLongest;
}

namespace {

// The installation starts from the first message of this timer after the page is painted.
const UINT_PTR INSTALL_TIMER = 11;
const UINT INSTALL_TIMER_PERIOD = 33;

// Files of earlier versions that the game no longer uses; "texts.dat" is written again.
LPCSTR const OBSOLETE_FILES[] = { "first.gob", "second.gob", "oldtune.mid", "texts.dat" };

// Game programs of two earlier builds, kept as "fvp.dat" when found in the destination folder.
const DWORD EARLIER_PROGRAM_ADLER32[] = { 0xEF9123B6, 0x2D4FD2CA };

const char UNINSTALL_KEY[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Fernvale Patience Deluxe";
const char PROGRAM_GROUP[] = "Fernvale Games";

// Progress bar units, on the control's default range of 0 to 100.
const int PROGRESS_PER_FILE = 5;
const int PROGRESS_AFTER_FILES = 30;
const int PROGRESS_AFTER_SHORTCUTS = 100;

const char RESOURCE_ERROR[] =
    "Resource read error. Incomplete download, please download again from " MAKER_WEB_ADDRESS ".";
const char DECOMPRESS_ERROR[] =
    "Can't decompress file. Please try downloading again from " MAKER_WEB_ADDRESS;

// Folder text and file name joined into a MAX_PATH buffer; FALSE when they do not fit.
BOOL JoinPath(LPSTR pszBuffer, LPCSTR pszFolder, LPCSTR pszFileName)
{
    size_t nFolder = strlen(pszFolder);
    size_t nName = strlen(pszFileName);
    if (nFolder + nName >= MAX_PATH)
        return FALSE;
    memcpy(pszBuffer, pszFolder, nFolder);
    memcpy(pszBuffer + nFolder, pszFileName, nName + 1);
    return TRUE;
}

} // namespace

CCopyPage::CCopyPage()
    : CCopyPage(NULL)
{
}

CCopyPage::CCopyPage(CSetupSheet* pSheet)
    : CPropertyPage(IDD), m_pSheet(pSheet), m_bInstallPending(TRUE),
      m_strProductName("Fernvale Patience Deluxe"), m_strShortName("FV Patience Deluxe"),
      m_pInflater(new CFileInflater)
{
}

CCopyPage::~CCopyPage()
{
    delete m_pInflater;
}

void CCopyPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROGRESS, m_ctlProgress);
}

BOOL CCopyPage::OnSetActive()
{
    // Nothing may leave this page while it works; it presses Next itself when done.
    m_pSheet->SetWizardButtons(0);
    m_pSheet->GetDlgItem(IDCANCEL)->EnableWindow(FALSE);

    char szInstallDir[MAX_PATH];
    m_pSheet->GetInstallDir(szInstallDir);
    m_strInstallDir = szInstallDir;
    CreateTempDir();
    return CPropertyPage::OnSetActive();
}

void CCopyPage::OnPaint()
{
    // The page is on screen before the work begins: the work waits for the timer.
    CPaintDC dc(this);
    SetTimer(INSTALL_TIMER, INSTALL_TIMER_PERIOD, NULL);
}

void CCopyPage::OnTimer(UINT nIDEvent)
{
    if (nIDEvent == INSTALL_TIMER && m_bInstallPending)
    {
        // Cleared before any work: the decompressor's message pump brings more timer
        // messages while the installation runs.
        m_bInstallPending = FALSE;
        KillTimer(INSTALL_TIMER);
        UpdateWindow();

        // Its key stays open until the wizard has moved on.
        CRegistry registry;
        WriteUninstallEntry(registry);

        for (size_t i = 0; i < sizeof(OBSOLETE_FILES) / sizeof(OBSOLETE_FILES[0]); i++)
            DeleteFileA(m_strInstallDir + OBSOLETE_FILES[i]);
        DeleteLeftoverFiles();
        InstallFiles();
        CreateShortcuts();
        m_ctlProgress.OffsetPos(PROGRESS_AFTER_SHORTCUTS);
        WriteSettingsFile();
        m_pSheet->PressButton(PSBTN_NEXT);
    }
    Default();
}

void CCopyPage::WriteUninstallEntry(CRegistry& registry)
{
    // The game program uninstalls itself. The folder text ends in a backslash already, so the
    // command has two before the program's name. The program path is quoted: with a blank in
    // the folder, Windows would otherwise start C:\Fernvale.exe for the proposed folder.
    registry.Connect(HKEY_LOCAL_MACHINE);
    registry.Create(UNINSTALL_KEY, NULL, 0, KEY_ALL_ACCESS, NULL, NULL);
    registry.SetValue("DisplayName", m_strProductName);
    registry.SetValue("UninstallString", "\"" + m_strInstallDir + "\\fvpat.exe\" /uninstall");
}

void CCopyPage::CreateShortcuts()
{
    CString strGame = m_strInstallDir + "fvpat.exe";
    if (m_pSheet->m_bDesktopShortcut)
        CreateDesktopShortcut(m_strProductName, strGame, m_strInstallDir, NULL);
    if (m_pSheet->m_bProgramGroup)
    {
        CreateProgramsShortcut(PROGRAM_GROUP, m_strShortName, strGame, m_strInstallDir, NULL);
        CreateProgramsShortcut(PROGRAM_GROUP, m_strShortName + " Help", m_strInstallDir + "fvpat.hlp",
                               m_strInstallDir, NULL);
        CreateProgramsShortcut(PROGRAM_GROUP, m_strShortName + " Readme", m_strInstallDir + "notes.doc",
                               m_strInstallDir, NULL);
        CreateProgramsShortcut(PROGRAM_GROUP, "Uninstall " + m_strShortName, strGame, m_strInstallDir,
                               "/uninstall");
        CreateProgramsShortcut(PROGRAM_GROUP, m_strShortName + " Order Form", m_strInstallDir + "shop.exe",
                               m_strInstallDir, NULL);
        CreateProgramsShortcut(PROGRAM_GROUP, "Bramblecote Studios web page",
                               m_strInstallDir + "Bramblecote Studios.URL", m_strInstallDir, NULL);
    }
    if (m_pSheet->m_bStartMenuShortcut)
        CreateProgramsShortcut(NULL, m_strProductName, strGame, m_strInstallDir, NULL);
}

void CCopyPage::WriteSettingsFile()
{
    // A bare name: the profile functions find it in the Windows folder.
    CIniFile iniFile("fvpat.ini");
    iniFile.WriteProfileString("install", "install_path", m_strInstallDir);
}

void CCopyPage::CreateTempDir()
{
    char szCurrentDir[MAX_PATH];
    GetCurrentDirectoryA(sizeof(szCurrentDir), szCurrentDir);

    char szTempDir[MAX_PATH];
    DWORD nLength = GetTempPathA(sizeof(szTempDir), szTempDir);
    if (nLength == 0 || nLength >= sizeof(szTempDir))
        szTempDir[0] = '\0';

    // Making it current is the test that it exists.
    if (!SetCurrentDirectoryA(szTempDir) && !CreateDirectoryA(szTempDir, NULL))
        AfxMessageBox("Can't create temporary directory.", MB_OK);

    SetCurrentDirectoryA(szCurrentDir);
    m_strTempDir = szTempDir;
}

void CCopyPage::DeleteLeftoverFiles()
{
    WIN32_FIND_DATAA findData;
    HANDLE hFind = FindFirstFileA(m_strInstallDir + "*.256", &findData);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do
        DeleteFileA(m_strInstallDir + findData.cFileName);
    while (FindNextFileA(hFind, &findData));
    FindClose(hFind);
}

void CCopyPage::InstallFiles()
{
    // Before row 4 overwrites it: an earlier build's program is kept as "fvp.dat".
    CString strOldProgram = m_strInstallDir + "fvpat.exe";
    DWORD dwOldAdler32 = FileAdler32(strOldProgram);
    for (size_t i = 0; i < sizeof(EARLIER_PROGRAM_ADLER32) / sizeof(EARLIER_PROGRAM_ADLER32[0]); i++)
    {
        if (dwOldAdler32 == EARLIER_PROGRAM_ADLER32[i])
            CopyFileA(strOldProgram, m_strInstallDir + "fvp.dat", FALSE);
    }

    for (size_t i = 0; i < CATALOGUE_ROWS; i++)
        ExtractResource(AfxGetResourceHandle(), CATALOGUE[i].nID, CATALOGUE[i].pszFileName, FALSE);
    m_ctlProgress.OffsetPos(PROGRESS_AFTER_FILES);
}

BOOL CCopyPage::ExtractResource(HINSTANCE hModule, UINT nID, LPCSTR pszFileName, BOOL bKeepTemp)
{
    HRSRC hResInfo = FindResourceA(hModule, MAKEINTRESOURCEA(nID), RT_RCDATA);
    HGLOBAL hResData = hResInfo != NULL ? LoadResource(hModule, hResInfo) : NULL;
    const void* pData = hResData != NULL ? LockResource(hResData) : NULL;
    if (pData == NULL)
        EndSetup(RESOURCE_ERROR);
    DWORD dwSize = SizeofResource(hModule, hResInfo);

    // A folder text too long for the name fails the row like a damaged payload would.
    char szTempPath[MAX_PATH];
    char szDestPath[MAX_PATH];
    if (!JoinPath(szTempPath, m_strTempDir, pszFileName) ||
        !JoinPath(szDestPath, m_strInstallDir, pszFileName) ||
        !WriteTempCopy(szTempPath, pData, dwSize) ||
        m_pInflater->InflateFile(szTempPath, szDestPath) != 0)
    {
        EndSetup(DECOMPRESS_ERROR);
    }

    if (!bKeepTemp)
        DeleteFileA(szTempPath);
    m_ctlProgress.OffsetPos(PROGRESS_PER_FILE);
    return TRUE;
}

BOOL CCopyPage::WriteTempCopy(LPCSTR pszPath, const void* pData, DWORD dwSize)
{
    FILE* pFile = fopen(pszPath, "wb");
    if (pFile == NULL)
        return FALSE;
    BOOL bWhole = fwrite(pData, 1, dwSize, pFile) == dwSize;
    // Closing writes what the stream still holds, so it can fail too.
    if (fclose(pFile) != 0)
        bWhole = FALSE;
    return bWhole;
}

void CCopyPage::EndSetup(LPCSTR pszMessage)
{
    // Nothing is undone; the program ends with the wizard still open, and reports the failed
    // installation in its exit status.
    AfxMessageBox(pszMessage, MB_OK);
    exit(1);
}

DWORD FileAdler32(LPCSTR pszPath)
{
    FILE* pFile = fopen(pszPath, "rb");
    if (pFile == NULL)
        return 0;

    uLong adler = adler32(0L, Z_NULL, 0);
    BYTE buffer[1024];
    size_t nRead;
    while ((nRead = fread(buffer, 1, sizeof(buffer), pFile)) > 0)
        adler = adler32(adler, buffer, (uInt)nRead);
    fclose(pFile);
    return (DWORD)adler;
}
