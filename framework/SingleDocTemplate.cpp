#include "SingleDocTemplate.h"

#include "WinApp.h"
#include "FrameWnd.h"
#include "afxres.h"

CSingleDocTemplate::~CSingleDocTemplate() = default;

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCWSTR lpszPathName, BOOL bMakeVisible)
{
    if (m_pOnlyDoc)
        return ReopenDocument(lpszPathName);
    std::unique_ptr<CDocument> pDoc(CreateNewDocument());
    if (!pDoc)
        return nullptr;
    CFrameWnd* pFrame = CreateNewFrame(pDoc.get());
    if (pFrame == nullptr) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC, MB_ICONEXCLAMATION);
        return nullptr;
    }
    const BOOL bOpened =
        lpszPathName == nullptr ? pDoc->OnNewDocument() : pDoc->OnOpenDocument(lpszPathName);
    if (!bOpened) {
        pFrame->DestroyWindow();
        return nullptr;
    }
    if (lpszPathName != nullptr)
        pDoc->SetPathName(lpszPathName);
    if (AfxGetApp() != nullptr && AfxGetApp()->m_pMainWnd == nullptr)
        AfxGetApp()->m_pMainWnd = pFrame;
    m_pOnlyDoc = std::move(pDoc);
    pFrame->InitialUpdateFrame(m_pOnlyDoc.get(), bMakeVisible);
    return m_pOnlyDoc.get();
}

// The one document takes a new system or a file's in its frame; whatever goes wrong leaves it
// as it was.
CDocument* CSingleDocTemplate::ReopenDocument(LPCWSTR lpszPathName)
{
    CDocument* pDoc = m_pOnlyDoc.get();
    if (!pDoc->SaveModified())
        return nullptr;
    if (lpszPathName == nullptr)
        return pDoc->OnNewDocument() ? pDoc : nullptr;
    if (!pDoc->OnOpenDocument(lpszPathName))
        return nullptr;
    pDoc->SetPathName(lpszPathName);
    return pDoc;
}
