#include "Types.h"

#include "Afx.h"

BOOL CString::LoadString(UINT nID)
{
    const wchar_t* pText = nullptr;
    const int nLength =
        ::LoadStringW(AfxGetResourceHandle(), nID, reinterpret_cast<LPWSTR>(&pText), 0);
    if (nLength <= 0 || pText == nullptr) {
        clear();
        return FALSE;
    }
    assign(pText, static_cast<size_t>(nLength));
    return TRUE;
}
