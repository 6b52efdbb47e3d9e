#include "DocTemplate.h"

#include "Afx.h"
#include "Document.h"
#include "FrameWnd.h"
#include "SingleDocTemplate.h"
#include "WinApp.h"
#include "afxres.h"

CDocTemplate::CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                           const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass)
{
}

CDocument* CDocTemplate::CreateNewDocument()
{
    auto* pDoc = static_cast<CDocument*>(m_pDocClass->CreateObject());
    if (pDoc != nullptr)
        pDoc->m_pDocTemplate = this;
    return pDoc;
}

// The frame deletes itself when its window goes, including when its creation fails.
CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc)
{
    auto* pFrame = static_cast<CFrameWnd*>(m_pFrameClass->CreateObject());
    if (pFrame == nullptr)
        return nullptr;
    CCreateContext context;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewDocTemplate = this;
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;
    return pFrame;
}

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
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == nullptr)
        pApp->m_pMainWnd = pFrame;
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
