#include "GdiObject.h"

#include "Afx.h"
#include "DC.h"
#include "Wnd.h"

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == nullptr || m_hObject != nullptr)
        return FALSE;
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    m_hObject = nullptr;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    const BOOL bResult = ::DeleteObject(m_hObject);
    m_hObject = nullptr;
    return bResult;
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    return Attach(
        ::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(static_cast<WORD>(nIDResource))));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* pBits)
{
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitCount, pBits));
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return Attach(::CreateSolidBrush(crColor));
}

BOOL CFont::CreateFontIndirect(const LOGFONTW* pLogFont)
{
    return Attach(::CreateFontIndirectW(pLogFont));
}
