#pragma once

// Dialog data exchange: moving values between a window's controls and its members, with
// validation. UpdateData creates a CDataExchange and runs DoDataExchange with it.

#include <windows.h>

#include <string>
#include <string_view>

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate; // TRUE: controls to members, with validation
    CWnd* m_pDlgWnd;

    HWND PrepareCtrl(int nIDC);     // the control, remembered for Fail
    HWND PrepareEditCtrl(int nIDC); // the same, for an edit control
    // Puts the focus back into the last prepared control, selects its text when it is an edit
    // control, and ends the exchange.
    [[noreturn]] void Fail();

private:
    int m_idLastControl;
    BOOL m_bEditLastControl;
};

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// With pfnRead, the control's text is read through it before the integer rule applies.
void DDX_Text(CDataExchange* pDX, int nIDC, int& value,
              std::wstring (*pfnRead)(std::wstring_view) = nullptr);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);

// The integer rule of DDX_Text: blanks and tabs around an optionally signed decimal number,
// saturated to the 32-bit range; a value of 0 only from a text that starts with the digit 0.
// Returns false when the text is refused.
bool AfxParseDataExchangeInt(std::wstring_view text, int& value);
