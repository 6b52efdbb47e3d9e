#include "PictureControl.h"

CPictureControl::CPictureControl() : m_bLoaded(FALSE), m_crTransparent(RGB(255, 255, 255)), m_bm{}
{
}

BOOL CPictureControl::RegisterPictureClass(LPCWSTR lpszClassName)
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

BOOL CPictureControl::SetBitmap(UINT nIDBitmap)
{
    ReleaseImages();
    m_bLoaded = TRUE;
    m_bmpSrc.LoadBitmap(nIDBitmap);
    CRect rc;
    GetClientRect(&rc);
    CClientDC dcRef(this);
    PreparePictures(dcRef, rc.Width(), rc.Height());
    InvalidateRect(nullptr, FALSE);
    return m_bLoaded;
}

void CPictureControl::ReleaseImages()
{
    m_dcSrc.DeleteDC();
    m_bmpSrc.DeleteObject();
}

void CPictureControl::ReleasePictures(std::initializer_list<CDC*> dcs,
                                      std::initializer_list<CBitmap*> bitmaps)
{
    for (CDC* pDC : dcs)
        pDC->DeleteDC();
    for (CBitmap* pBitmap : bitmaps)
        pBitmap->DeleteObject();
    CPictureControl::ReleaseImages();
}

void CPictureControl::SelectSource(CDC& dcRef)
{
    m_dcSrc.CreateCompatibleDC(&dcRef);
    m_bmpSrc.GetObject(sizeof(BITMAP), &m_bm);
    m_dcSrc.SelectObject(&m_bmpSrc);
}

void CPictureControl::CreatePicture(CDC& dc, CBitmap& bmp, CDC& dcRef, int w, int h)
{
    dc.CreateCompatibleDC(&dcRef);
    bmp.CreateCompatibleBitmap(&dcRef, w, h);
    dc.SelectObject(&bmp);
}

void CPictureControl::FillButtonFace(CDC& dc, const RECT& rc)
{
    CBrush brush(::GetSysColor(COLOR_BTNFACE));
    dc.FillRect(&rc, &brush);
}
