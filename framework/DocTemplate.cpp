#include "DocTemplate.h"

#include "Afx.h"
#include "Document.h"
#include "FrameWnd.h"

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
