#include "Edit.h"

#include "Afx.h"

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, LPCWSTR lpszText)
{
    HWND hWnd =
        ::CreateWindowExW(0, L"EDIT", lpszText, dwStyle | WS_CHILD, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top, pParentWnd->m_hWnd,
                          reinterpret_cast<HMENU>(UINT_PTR{nID}), AfxGetInstanceHandle(), nullptr);
    return hWnd != nullptr && Attach(hWnd);
}
