#include "Document.h"

#include <algorithm>
#include <memory>

#include "Afx.h"
#include "Archive.h"
#include "View.h"
#include "afxres.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.clear();
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCWSTR lpszPathName)
{
    HANDLE hFile = ::CreateFileW(lpszPathName, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        AfxMessageBox(AfxFormatString1(AFX_IDP_FAILED_TO_OPEN_DOC, lpszPathName).c_str(),
                      MB_ICONEXCLAMATION);
        return FALSE;
    }
    // Closed however reading ends, thrown out of included.
    const std::unique_ptr<void, decltype(&::CloseHandle)> file(hFile, &::CloseHandle);
    DeleteContents();
    CArchive ar(hFile, CArchive::load);
    Serialize(ar);
    return TRUE;
}

void CDocument::Serialize(CArchive&) {}

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
