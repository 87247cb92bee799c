// The copy page: installs the game once it has been painted, then moves the wizard on by
// itself.
#pragma once

#include <afxcmn.h>
#include <afxdlgs.h>

#include "resource.h"

class CSetupSheet;
class CFileInflater;
class CRegistry;

class CCopyPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CCopyPage)

public:
    CCopyPage();
    explicit CCopyPage(CSetupSheet* pSheet);
    virtual ~CCopyPage();

    enum { IDD = IDD_COPY };

    CProgressCtrl m_ctlProgress;
    CSetupSheet* m_pSheet;
    BOOL m_bInstallPending;
    CString m_strInstallDir;
    CString m_strTempDir;
    CString m_strProductName;
    CString m_strShortName;
    CFileInflater* m_pInflater;

    virtual BOOL OnSetActive();

    // One catalogue row: the resource through the temporary folder into the destination
    // folder. Returns TRUE; a row that fails ends the program with its message.
    BOOL ExtractResource(HINSTANCE hModule, UINT nID, LPCSTR pszFileName, BOOL bKeepTemp);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);

    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT nIDEvent);

    void CreateTempDir();
    void DeleteLeftoverFiles();
    void InstallFiles();
    void CreateShortcuts();

    DECLARE_MESSAGE_MAP()

private:
    void WriteUninstallEntry(CRegistry& registry);
    void WriteSettingsFile();
    BOOL WriteTempCopy(LPCSTR pszPath, const void* pData, DWORD dwSize);
    void EndSetup(LPCSTR pszMessage);
};

// The payload in extraction order: each resource is one zlib stream of the installed file.
struct CatalogueRow
{
    UINT nID;
    LPCSTR pszFileName;
};
extern const CatalogueRow CATALOGUE[];
extern const size_t CATALOGUE_ROWS;

// The length of the longest installed file name: what every install folder must leave room
// for within MAX_PATH.
size_t LongestCatalogueName();

// Adler-32 of a whole file; 0 when it cannot be opened.
DWORD FileAdler32(LPCSTR pszPath);
