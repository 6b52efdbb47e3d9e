#pragma once

#include <commctrl.h>

#include "Wnd.h"

// The up-down control.
class CSpinButtonCtrl : public CWnd {
public:
    HWND SetBuddy(HWND hBuddy)
    {
        return reinterpret_cast<HWND>(SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(hBuddy)));
    }
    void SetRange(int nLower, int nUpper)
    {
        SendMessage(UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower));
    }
    int SetPos(int nPos) { return static_cast<int>(SendMessage(UDM_SETPOS, 0, nPos)); }
    // The whole answer: the position in the low word, the error flag in the high word.
    DWORD GetPos() const { return static_cast<DWORD>(SendMessage(UDM_GETPOS)); }
};
