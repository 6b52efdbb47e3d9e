#include "CmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode,
                                              UINT nID)
{
    for (; pMap != nullptr; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->pfnThunk != nullptr; ++p)
            if (p->nMessage == nMessage && p->nCode == nCode && nID >= p->nID && nID <= p->nLastID)
                return p;
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, UINT nMessage, UINT nCode, WPARAM wParam, LPARAM lParam,
                          LRESULT* pResult)
{
    const AFX_MSGMAP_ENTRY* pEntry = FindEntry(GetMessageMap(), nMessage, nCode, nID);
    if (pEntry == nullptr)
        return FALSE;
    LRESULT lIgnored = 0;
    return pEntry->pfnThunk(this, wParam, lParam, pResult ? pResult : &lIgnored);
}
