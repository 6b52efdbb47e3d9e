#pragma once

// CMyBmpUrl: the "MyBmpUrl" control, a bitmap that works as a link to the home page. While the
// pointer moves over it the picture fills the control and the pointer is an up arrow; outside,
// or after the pointer has rested for a second, the picture is inset by 2 pixels. A left press
// opens the home page with the shell.

#include "about/PictureControl.h"

// The address the link opens.
extern const wchar_t kHomePageUrl[];

class CMyBmpUrl : public CPictureControl {
public:
    enum { kOutside = 0, kMoving = 1, kResting = 2 };

    CMyBmpUrl(); // registers the window class, once per process

    int GetState() const { return m_nState; }

    // Hover and leave arrive as queued messages and are taken here, before dispatch.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL RegisterWindowClass();
    void PrepareImages(CDC& dcRef, int w, int h);
    void PreparePictures(CDC& dcRef, int w, int h) override { PrepareImages(dcRef, w, h); }
    void ReleaseImages() override;

    void OnPaint();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

    CBitmap m_bmpLarge;
    CBitmap m_bmpBack;
    CBitmap m_bmpWork;
    CBitmap m_bmpSmall;
    CDC m_dcLarge;
    CDC m_dcBack;
    CDC m_dcWork;
    CDC m_dcSmall;
    CDC* m_pdcShow;
    BOOL m_bReady;
    int m_nState;
};
