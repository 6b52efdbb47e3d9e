#pragma once

// CSingleDocTemplate: one document at a time, in one frame.

#include <memory>

#include "DocTemplate.h"
#include "Document.h"

class CSingleDocTemplate : public CDocTemplate {
public:
    using CDocTemplate::CDocTemplate;
    ~CSingleDocTemplate() override;

    CDocument* OpenDocumentFile(LPCWSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    CDocument* GetDocument() const { return m_pOnlyDoc.get(); }

private:
    std::unique_ptr<CDocument> m_pOnlyDoc;
};
