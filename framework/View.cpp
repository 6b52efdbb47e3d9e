#include "View.h"

#include <algorithm>

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

// The document's side of its views, kept here so that the document needs no view's class.
void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    const std::vector<CView*> views = m_viewList; // a view may come or go meanwhile
    for (CView* pView : views)
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
}

void CDocument::AddView(CView* pView)
{
    m_viewList.push_back(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView)
{
    m_viewList.erase(std::remove(m_viewList.begin(), m_viewList.end(), pView), m_viewList.end());
    pView->m_pDocument = nullptr;
}
