#include "DataExchange.h"

#include <climits>
#include <cwchar>

#include "Afx.h"
#include "WinApp.h"
#include "Exception.h"
#include "ThreadState.h"
#include "Wnd.h"
#include "afxres.h"

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_idLastControl(0),
      m_bEditLastControl(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    m_idLastControl = nIDC;
    m_bEditLastControl = FALSE;
    return ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWnd = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWnd;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_idLastControl != 0) {
        HWND hWnd = ::GetDlgItem(m_pDlgWnd->m_hWnd, m_idLastControl);
        if (hWnd != nullptr) {
            ::SetFocus(hWnd);
            if (m_bEditLastControl)
                ::SendMessageW(hWnd, EM_SETSEL, 0, -1);
        }
    }
    AfxThrowUserException();
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd == nullptr)
        rControl.SubclassWindow(pDX->PrepareCtrl(nIDC));
}

bool AfxParseDataExchangeInt(std::wstring_view text, int& value)
{
    size_t i = 0;
    auto blank = [&](size_t k) {
        return k < text.size() && (text[k] == L' ' || text[k] == L'\t');
    };
    while (blank(i))
        ++i;
    const bool bStartsWithZero = i < text.size() && text[i] == L'0';
    bool bNegative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        bNegative = text[i++] == L'-';
    long long magnitude = 0;
    while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') {
        if (magnitude <= static_cast<long long>(INT_MAX) + 1)
            magnitude = magnitude * 10 + (text[i] - L'0');
        ++i;
    }
    while (blank(i))
        ++i;
    if (i != text.size())
        return false;
    long long result = bNegative ? -magnitude : magnitude;
    if (result > INT_MAX)
        result = INT_MAX;
    if (result < INT_MIN)
        result = INT_MIN;
    if (result == 0 && !bStartsWithZero)
        return false;
    value = static_cast<int>(result);
    return true;
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value, std::wstring (*pfnRead)(std::wstring_view))
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        wchar_t text[32]; // the exchange reads at most the first 31 characters
        const int nLength = ::GetWindowTextW(hWnd, text, 32);
        const std::wstring_view typed(text, nLength > 0 ? nLength : 0);
        int parsed = 0;
        if (!AfxParseDataExchangeInt(pfnRead ? pfnRead(typed) : std::wstring(typed), parsed)) {
            AfxMessageBox(AFX_IDP_PARSE_INT, MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        value = parsed;
    } else {
        wchar_t text[16];
        std::swprintf(text, 16, L"%d", value);
        wchar_t current[16];
        // Rewriting an unchanged text would still send EN_CHANGE and move the caret.
        if (::GetWindowTextLengthW(hWnd) >= 16 || ::GetWindowTextW(hWnd, current, 16) < 0 ||
            std::wcscmp(current, text) != 0)
            ::SetWindowTextW(hWnd, text);
    }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    wchar_t szMin[16], szMax[16];
    std::swprintf(szMin, 16, L"%ld", static_cast<long>(minVal));
    std::swprintf(szMax, 16, L"%ld", static_cast<long>(maxVal));
    AfxMessageBox(AfxFormatString2(AFX_IDP_PARSE_INT_RANGE, szMin, szMax), MB_ICONEXCLAMATION);
    pDX->Fail();
}
