#include "DC.h"

#include "GdiObject.h"
#include "Wnd.h"

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    DeleteDC();
    m_hDC = ::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr);
    m_bOwned = m_hDC != nullptr;
    return m_bOwned;
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr || !m_bOwned)
        return FALSE;
    RestoreSelection();
    const BOOL bResult = ::DeleteDC(m_hDC);
    m_hDC = nullptr;
    m_bOwned = false;
    return bResult;
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == nullptr || m_hDC != nullptr)
        return FALSE;
    m_hDC = hDC;
    m_bOwned = false;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    m_hDC = nullptr;
    m_bOwned = false;
    return hDC;
}

HGDIOBJ CDC::SelectObject(CGdiObject* pObject)
{
    return SelectObject(pObject->m_hObject);
}

namespace {
int SelectionSlot(HGDIOBJ hObject)
{
    switch (::GetObjectType(hObject)) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        return 0;
    case OBJ_BRUSH:
        return 1;
    case OBJ_FONT:
        return 2;
    case OBJ_BITMAP:
        return 3;
    default:
        return -1; // regions are copied, not selected
    }
}
} // namespace

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    HGDIOBJ hOld = ::SelectObject(m_hDC, hObject);
    const int slot = SelectionSlot(hObject);
    if (hOld != nullptr && hOld != HGDI_ERROR && slot >= 0 && m_hOriginal[slot] == nullptr)
        m_hOriginal[slot] = hOld;
    return hOld;
}

void CDC::RestoreSelection()
{
    for (HGDIOBJ& hOriginal : m_hOriginal) {
        if (hOriginal != nullptr && m_hDC != nullptr)
            ::SelectObject(m_hDC, hOriginal);
        hOriginal = nullptr;
    }
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                 DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc,
                    dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->m_hDC, xSrc, ySrc, nSrcWidth,
                        nSrcHeight, dwRop);
}

void CDC::FillRect(const RECT* pRect, CBrush* pBrush)
{
    ::FillRect(m_hDC, pRect, static_cast<HBRUSH>(pBrush->m_hObject));
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd)
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    RestoreSelection(); // while the DC is still ours: a class DC keeps what it holds
    Detach();
    ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd)
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    RestoreSelection();
    ::ReleaseDC(m_hWnd, Detach());
}
