#include "MyTBmp.h"

#include "ControlClass.h"
#include "DrawTransparent.h"

BEGIN_MESSAGE_MAP(CMyTBmp, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {
const wchar_t kClassName[] = L"MyTBmp";
}

CMyTBmp::CMyTBmp()
    : m_bLoaded(FALSE), m_crTransparent(RGB(255, 255, 255)), m_bCreated(FALSE), m_bm{}
{
    RegisterWindowClass();
}

CMyTBmp::~CMyTBmp()
{
    ReleaseImages();
}

// Each DC goes before the bitmap selected into it: a selected bitmap cannot be deleted.
void CMyTBmp::ReleaseImages()
{
    m_dcSrc.DeleteDC();
    m_dcStretch.DeleteDC();
    m_dcImage.DeleteDC();
    m_bmpSrc.DeleteObject();
    m_bmpStretch.DeleteObject();
    m_bmpImage.DeleteObject();
    m_bCreated = FALSE;
}

BOOL CMyTBmp::RegisterWindowClass()
{
    return RegisterPictureControlClass(kClassName);
}

BOOL CMyTBmp::SetBitmap(UINT nIDBitmap)
{
    ReleaseImages();
    m_bLoaded = TRUE;
    m_bmpSrc.LoadBitmap(nIDBitmap);
    PrepareImage();
    InvalidateRect(nullptr, FALSE);
    return m_bLoaded;
}

void CMyTBmp::PrepareImage()
{
    CRect rc;
    GetClientRect(&rc);
    const int w = rc.Width();
    const int h = rc.Height();
    CClientDC dcRef(this);
    if (!m_bCreated) {
        CBrush brush(::GetSysColor(COLOR_BTNFACE));
        m_dcImage.CreateCompatibleDC(&dcRef);
        m_bmpImage.CreateCompatibleBitmap(&dcRef, w, h);
        m_dcImage.SelectObject(&m_bmpImage);
        m_dcImage.FillRect(&rc, &brush);

        m_dcSrc.CreateCompatibleDC(&dcRef);
        m_bmpSrc.GetObject(sizeof(BITMAP), &m_bm);
        m_dcSrc.SelectObject(&m_bmpSrc);

        m_dcStretch.CreateCompatibleDC(&dcRef);
        m_bmpStretch.CreateCompatibleBitmap(&dcRef, w, h);
        m_bCreated = TRUE;
        m_dcStretch.SelectObject(&m_bmpStretch);
        m_dcStretch.StretchBlt(0, 0, w, h, &m_dcSrc, 0, 0, m_bm.bmWidth, m_bm.bmHeight, SRCCOPY);
    }
    DrawTransparent(m_dcStretch, m_dcImage, 0, 0, w, h, 0, 0, m_crTransparent);
}

void CMyTBmp::OnPaint()
{
    CPaintDC dc(this);
    if (!m_bLoaded)
        return;
    CRect rc;
    GetClientRect(&rc);
    dc.BitBlt(0, 0, rc.Width(), rc.Height(), &m_dcImage, 0, 0, SRCCOPY);
}
