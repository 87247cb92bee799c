// Property sheets and their pages, over the common controls' PropertySheetA.
#pragma once

#include "afxwin.h"

#include <commctrl.h>
#include <prsht.h>

#include <vector>

// One page of a property sheet, made from a dialog template of the program's resources.
// Its window exists from its first activation until the sheet closes. The page title is the
// template's caption, which the common controls take when PSP_USETITLE is not set.
class CPropertyPage : public CWnd
{
    DECLARE_DYNAMIC(CPropertyPage)

public:
    explicit CPropertyPage(UINT nIDTemplate);
    virtual ~CPropertyPage();

    // The page's header for the common controls: template, instance, dialog procedure and
    // this object as lParam. Flags start as PSP_HASHELP: the page offers Help unless the
    // program clears it.
    PROPSHEETPAGEA m_psp;

    // Overridables, called as the wizard moves; the defaults do what a plain page needs.

    // Once, when the window has been created: fills the controls from the members.
    virtual BOOL OnInitDialog();
    // On every activation but the first (which OnInitDialog covers): fills the controls from
    // the members. TRUE accepts the activation.
    virtual BOOL OnSetActive();
    // When another page is about to be shown: the controls' data into the members. FALSE
    // keeps this page.
    virtual BOOL OnKillActive();
    // OK or Apply has accepted the pages (PSN_APPLY); nothing to do by default.
    virtual void OnOK();
    // The sheet was cancelled; nothing to undo by default.
    virtual void OnCancel();
    // Cancel has closed the sheet (PSN_RESET); calls OnCancel.
    virtual void OnReset();
    // TRUE lets Cancel close the sheet.
    virtual BOOL OnQueryCancel();
    // 0: the previous (next) page; -1: stay; otherwise the template id of the page to show.
    virtual LRESULT OnWizardBack();
    virtual LRESULT OnWizardNext();
    // TRUE lets Finish close the wizard.
    virtual BOOL OnWizardFinish();

protected:
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    BOOL m_bFirstSetActive;
};

// A property sheet, run modally; in wizard mode when m_psh.dwFlags has PSH_WIZARD. Its window
// is subclassed as soon as the common controls have created it, before the first page is
// activated, and OnInitDialog runs then.
class CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)

public:
    CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    virtual ~CPropertySheet();

    // The sheet's header; flags start as PSH_HASHELP: the sheet shows Help unless the
    // program clears it.
    PROPSHEETHEADERA m_psh;

    // The page stays the caller's; add every page before DoModal.
    void AddPage(CPropertyPage* pPage);
    int GetPageCount() const;
    CPropertyPage* GetPage(int nPage) const;

    // Runs the sheet until it closes: ID_WIZFINISH (wizard) or IDOK when it was finished,
    // IDCANCEL when it was cancelled, -1 when it could not be shown.
    virtual INT_PTR DoModal();

    // Posts PSM_SETWIZBUTTONS: the buttons change once the current handler has returned.
    void SetWizardButtons(DWORD dwFlags);
    // Sends PSM_PRESSBUTTON: the button's action has run when this returns.
    void PressButton(int nButton);

    virtual BOOL OnInitDialog();

protected:
    DECLARE_MESSAGE_MAP()

private:
    static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);

    CString m_strCaption;
    CWnd* m_pParentWnd;
    std::vector<CPropertyPage*> m_pages;
};
