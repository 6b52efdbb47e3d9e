#pragma once

// CScrollView: a view larger than its window. Keeps a total size in pixels, shows scroll bars
// when the client area is smaller, moves the child windows when it scrolls, and follows the
// scroll bars, the keyboard's scroll messages and the mouse wheel.

#include "View.h"

class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)

public:
    CScrollView() = default;

    // Only MM_TEXT is supported. Page and line sizes of 0 take a tenth of the total and of the
    // page.
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, SIZE sizePage = SIZE{0, 0},
                        SIZE sizeLine = SIZE{0, 0});
    CSize GetTotalSize() const { return CSize(m_totalDev.cx, m_totalDev.cy); }
    CPoint GetDeviceScrollPosition() const;
    void ScrollToPosition(POINT pt);
    // Shrinks (or grows, unless bShrinkOnly) the parent frame so the client area fits the total
    // size.
    void ResizeParentToFit(BOOL bShrinkOnly = TRUE);
    // Scrolls as little as needed for the child window to be wholly in view (as far as it fits).
    void ScrollIntoView(HWND hChild);

protected:
    void UpdateBars();
    void ScrollBy(int dx, int dy);

    void OnSize(UINT nType, int cx, int cy);
    void OnHScroll(UINT nSBCode, int nPos);
    void OnVScroll(UINT nSBCode, int nPos);
    BOOL OnMouseWheel(UINT nFlags, short zDelta);

    DECLARE_MESSAGE_MAP()

private:
    void OnScroll(int nBar, UINT nSBCode);

    SIZE m_totalDev{0, 0};
    SIZE m_pageDev{0, 0};
    SIZE m_lineDev{0, 0};
    BOOL m_bInsideUpdate = FALSE;
};
