#include "View.h"

#include "Document.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

CView::~CView()
{
    if (m_pDocument != nullptr)
        m_pDocument->RemoveView(this);
}

void CView::OnInitialUpdate() {}

void CView::OnUpdate(CView*, LPARAM, CObject*)
{
    Invalidate();
}

// The view first, then its document.
BOOL CView::OnCmdMsg(UINT nID, UINT nMessage, UINT nCode, WPARAM wParam, LPARAM lParam,
                     LRESULT* pResult)
{
    if (CWnd::OnCmdMsg(nID, nMessage, nCode, wParam, lParam, pResult))
        return TRUE;
    return m_pDocument != nullptr &&
           m_pDocument->OnCmdMsg(nID, nMessage, nCode, wParam, lParam, pResult);
}

void CView::PostNcDestroy()
{
    delete this;
}
