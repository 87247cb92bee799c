// CCmdTarget: message-map lookup.
#include "afxwin.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

CCmdTarget::CCmdTarget()
{
}

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, NULL } };
    static const AFX_MSGMAP messageMap = { NULL, &entries[0] };
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
         pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL)
    {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->pfn != NULL; pEntry++)
        {
            if (pEntry->nMessage == nMessage && pEntry->nCode == nCode && pEntry->nID == nID)
                return pEntry;
        }
    }
    return NULL;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode)
{
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(WM_COMMAND, (UINT)nCode, nID);
    if (pEntry == NULL)
        return FALSE;
    pEntry->pfn(this, MAKEWPARAM(nID, nCode), 0);
    return TRUE;
}
