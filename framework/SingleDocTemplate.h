#pragma once

// CSingleDocTemplate: one document at a time, in one frame.

#include <memory>

#include "DocTemplate.h"
#include "Document.h"

class CSingleDocTemplate : public CDocTemplate {
public:
    using CDocTemplate::CDocTemplate;
    ~CSingleDocTemplate() override;

    // The first call makes the document and its frame; later ones ask to save a modified
    // document and then replace its contents.
    CDocument* OpenDocumentFile(LPCWSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    CDocument* GetDocument() const { return m_pOnlyDoc.get(); }

private:
    CDocument* ReopenDocument(LPCWSTR lpszPathName);

    std::unique_ptr<CDocument> m_pOnlyDoc;
};
