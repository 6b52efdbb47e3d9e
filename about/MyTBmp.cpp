#include "MyTBmp.h"

#include "DrawTransparent.h"

BEGIN_MESSAGE_MAP(CMyTBmp, CPictureControl)
ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {
const wchar_t kClassName[] = L"MyTBmp";
}

CMyTBmp::CMyTBmp() : m_bCreated(FALSE)
{
    RegisterWindowClass();
}

void CMyTBmp::ReleaseImages()
{
    m_bCreated = FALSE;
    ReleasePictures({&m_dcStretch, &m_dcImage}, {&m_bmpStretch, &m_bmpImage});
}

BOOL CMyTBmp::RegisterWindowClass()
{
    return RegisterPictureClass(kClassName);
}

void CMyTBmp::PrepareImage(CDC& dcRef, int w, int h)
{
    if (!m_bCreated) {
        CreatePicture(m_dcImage, m_bmpImage, dcRef, w, h);
        FillButtonFace(m_dcImage, CRect(0, 0, w, h));
        SelectSource(dcRef);
        CreatePicture(m_dcStretch, m_bmpStretch, dcRef, w, h);
        m_bCreated = TRUE;
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
