#pragma once

// CEdit: a standard edit control. Create makes the window and attaches it; the control keeps
// its own window procedure.

#include "Wnd.h"

class CEdit : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                LPCWSTR lpszText = L"");
    void SetSel(int nStart, int nEnd) { SendMessage(EM_SETSEL, nStart, nEnd); }
};
