#pragma once

// CRedrawOff: keeps a shown window from drawing while it lives, then repaints it and its children
// once, so that hundreds of child windows made or taken down are not drawn one by one. Inside
// another one, or on a window not shown, it does nothing.

#include <windows.h>

class CRedrawOff {
public:
    explicit CRedrawOff(HWND hWnd) : m_hWnd(::IsWindowVisible(hWnd) ? hWnd : nullptr)
    {
        if (m_hWnd != nullptr)
            ::SendMessageW(m_hWnd, WM_SETREDRAW, FALSE, 0);
    }
    ~CRedrawOff()
    {
        if (m_hWnd == nullptr)
            return;
        ::SendMessageW(m_hWnd, WM_SETREDRAW, TRUE, 0);
        ::RedrawWindow(m_hWnd, nullptr, nullptr,
                       RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    CRedrawOff(const CRedrawOff&) = delete;
    CRedrawOff& operator=(const CRedrawOff&) = delete;

private:
    HWND m_hWnd;
};
