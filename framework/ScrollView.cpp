#include "ScrollView.h"

#include <algorithm>

#include "FrameWnd.h"

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
ON_WM_SIZE()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

void CScrollView::SetScrollSizes(int, SIZE sizeTotal, SIZE sizePage, SIZE sizeLine)
{
    m_totalDev = sizeTotal;
    m_pageDev = sizePage;
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / 10;
    m_lineDev = sizeLine;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = std::max<LONG>(m_pageDev.cx / 10, 1);
    if (m_lineDev.cy == 0)
        m_lineDev.cy = std::max<LONG>(m_pageDev.cy / 10, 1);
    if (m_hWnd != nullptr)
        UpdateBars();
}

CPoint CScrollView::GetDeviceScrollPosition() const
{
    return CPoint(::GetScrollPos(m_hWnd, SB_HORZ), ::GetScrollPos(m_hWnd, SB_VERT));
}

void CScrollView::ScrollToPosition(POINT pt)
{
    const CPoint current = GetDeviceScrollPosition();
    ScrollBy(pt.x - current.x, pt.y - current.y);
}

// Moves the content by (dx, dy) within the scroll range; positive values scroll towards the end.
void CScrollView::ScrollBy(int dx, int dy)
{
    const CPoint current = GetDeviceScrollPosition();
    auto clamp = [&](int nBar, int pos) {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE;
        if (!::GetScrollInfo(m_hWnd, nBar, &si))
            return 0;
        const int maxPos = std::max(0, si.nMax - static_cast<int>(si.nPage) + 1);
        return std::clamp(pos, 0, maxPos);
    };
    const int x = (GetStyle() & WS_HSCROLL) ? clamp(SB_HORZ, current.x + dx) : 0;
    const int y = (GetStyle() & WS_VSCROLL) ? clamp(SB_VERT, current.y + dy) : 0;
    if (x == current.x && y == current.y)
        return;
    ::SetScrollPos(m_hWnd, SB_HORZ, x, TRUE);
    ::SetScrollPos(m_hWnd, SB_VERT, y, TRUE);
    ::ScrollWindowEx(m_hWnd, current.x - x, current.y - y, nullptr, nullptr, nullptr, nullptr,
                     SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

// Shows a bar only where the client area (less the other bar, if that one is needed) is smaller
// than the total size.
void CScrollView::UpdateBars()
{
    if (m_bInsideUpdate || m_hWnd == nullptr)
        return;
    m_bInsideUpdate = TRUE;

    CRect client;
    GetClientRect(&client);
    const int cxBar = ::GetSystemMetrics(SM_CXVSCROLL);
    const int cyBar = ::GetSystemMetrics(SM_CYHSCROLL);
    const int fullX = client.Width() + ((GetStyle() & WS_VSCROLL) ? cxBar : 0);
    const int fullY = client.Height() + ((GetStyle() & WS_HSCROLL) ? cyBar : 0);
    bool bNeedH = fullX < m_totalDev.cx;
    bool bNeedV = fullY < m_totalDev.cy;
    // One bar takes room that may make the other necessary.
    if (bNeedH && !bNeedV)
        bNeedV = fullY - cyBar < m_totalDev.cy;
    if (bNeedV && !bNeedH)
        bNeedH = fullX - cxBar < m_totalDev.cx;
    const int cx = fullX - (bNeedV ? cxBar : 0);
    const int cy = fullY - (bNeedH ? cyBar : 0);

    const CPoint before = GetDeviceScrollPosition();
    auto setBar = [&](int nBar, bool bNeed, int total, int page) {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE;
        si.nMin = 0;
        si.nMax = bNeed ? total - 1 : 0;
        si.nPage = bNeed ? static_cast<UINT>(std::max(page, 1)) : 0;
        ::SetScrollInfo(m_hWnd, nBar, &si, TRUE);
        ::ShowScrollBar(m_hWnd, nBar, bNeed);
    };
    setBar(SB_HORZ, bNeedH, m_totalDev.cx, cx);
    setBar(SB_VERT, bNeedV, m_totalDev.cy, cy);

    // A shrinking range may have moved the position; move the children with it.
    const CPoint after = GetDeviceScrollPosition();
    const int x = bNeedH ? after.x : 0;
    const int y = bNeedV ? after.y : 0;
    if (x != before.x || y != before.y) {
        ::SetScrollPos(m_hWnd, SB_HORZ, x, TRUE);
        ::SetScrollPos(m_hWnd, SB_VERT, y, TRUE);
        ::ScrollWindowEx(m_hWnd, before.x - x, before.y - y, nullptr, nullptr, nullptr, nullptr,
                         SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    }
    m_bInsideUpdate = FALSE;
}

void CScrollView::ScrollIntoView(HWND hChild)
{
    CRect client, child;
    GetClientRect(&client);
    ::GetWindowRect(hChild, &child);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&child), 2);
    // Scrolling moves every child, which costs a tenth of a second on a large form, so a
    // control out of sight brings three quarters of a page with it: tabbing along a row then
    // scrolls every few boxes instead of at every one, and a quarter of the page before the
    // control stays in sight. The control's start stays in view.
    auto needed = [](int lo, int hi, int viewLo, int viewHi) {
        const int step = (viewHi - viewLo) * 3 / 4;
        if (hi > viewHi)
            return std::min(std::max(hi - viewHi, step), lo - viewLo);
        if (lo < viewLo)
            return std::max(std::min(lo - viewLo, -step), std::min(hi - viewHi, lo - viewLo));
        return 0;
    };
    const int dx = needed(child.left, child.right, client.left, client.right);
    const int dy = needed(child.top, child.bottom, client.top, client.bottom);
    if (dx != 0 || dy != 0)
        ScrollBy(dx, dy);
}

void CScrollView::ResizeParentToFit(BOOL bShrinkOnly)
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    int cx = m_totalDev.cx, cy = m_totalDev.cy;
    if (bShrinkOnly) {
        cx = std::min<int>(cx, client.Width());
        cy = std::min<int>(cy, client.Height());
    }
    CRect frame;
    pFrame->GetWindowRect(&frame);
    const int dx = cx - client.Width();
    const int dy = cy - client.Height();
    ::SetWindowPos(pFrame->m_hWnd, nullptr, 0, 0, frame.Width() + dx, frame.Height() + dy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}

void CScrollView::OnScroll(int nBar, UINT nSBCode)
{
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    if (!::GetScrollInfo(m_hWnd, nBar, &si))
        return;
    const bool bHorz = nBar == SB_HORZ;
    const int line = bHorz ? m_lineDev.cx : m_lineDev.cy;
    const int page = bHorz ? m_pageDev.cx : m_pageDev.cy;
    int target = si.nPos;
    switch (nSBCode) {
    case SB_TOP:
        target = 0;
        break;
    case SB_BOTTOM:
        target = si.nMax;
        break;
    case SB_LINEUP:
        target -= line;
        break;
    case SB_LINEDOWN:
        target += line;
        break;
    case SB_PAGEUP:
        target -= page;
        break;
    case SB_PAGEDOWN:
        target += page;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        target = si.nTrackPos;
        break;
    default:
        return;
    }
    if (bHorz)
        ScrollBy(target - si.nPos, 0);
    else
        ScrollBy(0, target - si.nPos);
}

void CScrollView::OnHScroll(UINT nSBCode, int)
{
    OnScroll(SB_HORZ, nSBCode);
}

void CScrollView::OnVScroll(UINT nSBCode, int)
{
    OnScroll(SB_VERT, nSBCode);
}

// Three lines a notch, as the system setting says; sideways when there is no vertical bar.
BOOL CScrollView::OnMouseWheel(UINT, short zDelta)
{
    UINT nLines = 3;
    ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0);
    const bool bVert = (GetStyle() & WS_VSCROLL) != 0;
    if (!bVert && !(GetStyle() & WS_HSCROLL))
        return FALSE;
    const int line = bVert ? m_lineDev.cy : m_lineDev.cx;
    const int amount = -zDelta * static_cast<int>(nLines) * line / WHEEL_DELTA;
    if (bVert)
        ScrollBy(0, amount);
    else
        ScrollBy(amount, 0);
    return TRUE;
}
