#include "SetupWizard.h"

#include "SetupSheet.h"
#include "CopyPage.h"
#include "DirectoryPage.h"
#include "DonePage.h"
#include "EmailPage.h"
#include "IconPage.h"
#include "LicensePage.h"
#include "ReadyPage.h"
#include "WelcomePage.h"

void RunSetupWizard()
{
    CSetupSheet sheet("FVPD Setup", NULL, 0);
    CWelcomePage welcomePage(&sheet);
    CLicensePage licensePage(&sheet);
    CDirectoryPage directoryPage(&sheet);
    CIconPage iconPage(&sheet);
    CEmailPage emailPage(&sheet);
    CReadyPage readyPage(&sheet);
    CCopyPage copyPage(&sheet);
    CDonePage donePage(&sheet);

    CPropertyPage* pages[] = { &welcomePage, &licensePage, &directoryPage, &iconPage,
                               &emailPage, &readyPage, &copyPage, &donePage };
    for (CPropertyPage* pPage : pages)
    {
        pPage->m_psp.dwFlags &= ~PSP_HASHELP;
        sheet.AddPage(pPage);
    }

    sheet.m_psh.dwFlags |= PSH_WIZARD;
    sheet.m_psh.dwFlags &= ~PSH_HASHELP;
    sheet.DoModal();
}
