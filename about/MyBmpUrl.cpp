#include "MyBmpUrl.h"

#include "DrawTransparent.h"

// Placeholder under the reserved example domain until the program has a page of its own.
const wchar_t kHomePageUrl[] = L"http://www.example.com/haltiqo/";

BEGIN_MESSAGE_MAP(CMyBmpUrl, CPictureControl)
ON_WM_PAINT()
ON_WM_SETCURSOR()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

namespace {
const wchar_t kClassName[] = L"MyBmpUrl";
const DWORD kHoverMilliseconds = 1000;
} // namespace

CMyBmpUrl::CMyBmpUrl() : m_pdcShow(nullptr), m_bReady(FALSE), m_nState(kOutside)
{
    RegisterWindowClass();
}

void CMyBmpUrl::ReleaseImages()
{
    m_bReady = FALSE;
    ReleasePictures({&m_dcLarge, &m_dcBack, &m_dcWork, &m_dcSmall},
                    {&m_bmpLarge, &m_bmpBack, &m_bmpWork, &m_bmpSmall});
}

BOOL CMyBmpUrl::RegisterWindowClass()
{
    return RegisterPictureClass(kClassName);
}

void CMyBmpUrl::PrepareImages(CDC& dcRef, int w, int h)
{
    CreatePicture(m_dcBack, m_bmpBack, dcRef, w, h);
    FillButtonFace(m_dcBack, CRect(0, 0, w, h));

    CreatePicture(m_dcWork, m_bmpWork, dcRef, w, h);

    SelectSource(dcRef);

    CreatePicture(m_dcLarge, m_bmpLarge, dcRef, w, h);
    m_dcLarge.StretchBlt(0, 0, w, h, &m_dcSrc, 0, 0, m_bm.bmWidth, m_bm.bmHeight, SRCCOPY);

    CreatePicture(m_dcSmall, m_bmpSmall, dcRef, w, h);
    m_dcSmall.BitBlt(0, 0, w, h, &m_dcBack, 0, 0, SRCCOPY);
    m_dcSmall.StretchBlt(2, 2, w - 4, h - 4, &m_dcSrc, 0, 0, m_bm.bmWidth, m_bm.bmHeight, SRCCOPY);

    m_bReady = TRUE;
}

// Composed off screen and copied in one piece through the paint DC, so the control does not
// flicker and draws within what it was asked to repaint.
void CMyBmpUrl::OnPaint()
{
    CPaintDC dc(this);
    if (!m_bLoaded || !m_bReady)
        return;
    CRect rc;
    GetClientRect(&rc);
    const int w = rc.Width();
    const int h = rc.Height();
    m_pdcShow = m_nState == kMoving ? &m_dcLarge : &m_dcSmall;
    m_dcWork.BitBlt(0, 0, w, h, &m_dcBack, 0, 0, SRCCOPY);
    DrawTransparent(*m_pdcShow, m_dcWork, 0, 0, w, h, 0, 0, m_crTransparent);
    dc.BitBlt(0, 0, w, h, &m_dcWork, 0, 0, SRCCOPY);
}

BOOL CMyBmpUrl::OnSetCursor(CWnd*, UINT, UINT)
{
    return static_cast<BOOL>(Default());
}

void CMyBmpUrl::OnLButtonDown(UINT, CPoint)
{
    AfxShellExecute(m_hWnd, L"open", kHomePageUrl, nullptr, nullptr, SW_SHOW);
    Default();
}

void CMyBmpUrl::OnMouseMove(UINT, CPoint)
{
    m_nState = kMoving;
    TRACKMOUSEEVENT tme{sizeof tme, TME_HOVER | TME_LEAVE, m_hWnd, kHoverMilliseconds};
    ::TrackMouseEvent(&tme); // re-armed on every move: the rest starts again
    ::SetCursor(::LoadCursorW(nullptr, IDC_UPARROW));
    InvalidateRect(nullptr, FALSE);
    Default();
}

BOOL CMyBmpUrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEHOVER) {
        m_nState = kResting;
        InvalidateRect(nullptr, FALSE);
    } else if (pMsg->message == WM_MOUSELEAVE) {
        m_nState = kOutside;
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        InvalidateRect(nullptr, FALSE);
    }
    return CWnd::PreTranslateMessage(pMsg);
}
