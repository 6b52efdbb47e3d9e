#include "MessageLoop.h"

#include "Wnd.h"

BOOL AfxPumpMessage(MSG& msg, BOOL bWait)
{
    if (bWait) {
        if (::GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            msg.message = WM_QUIT; // -1 (a bad call) ends the loop as a quit would
            return FALSE;
        }
    } else if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        msg.message = 0;
        return FALSE;
    } else if (msg.message == WM_QUIT) {
        return FALSE;
    }
    if (!CWnd::WalkPreTranslateTree(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    CWnd::DeleteTempMap();
    return TRUE;
}
