#include "ControlClass.h"

#include "framework/afxwin.h"

BOOL RegisterPictureControlClass(LPCWSTR lpszClassName)
{
    WNDCLASSW wc{};
    HINSTANCE hInst = AfxGetInstanceHandle();
    if (::GetClassInfoW(hInst, lpszClassName, &wc))
        return TRUE;
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = hInst;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = lpszClassName;
    if (!AfxRegisterClass(&wc))
        AfxThrowResourceException();
    return TRUE;
}
