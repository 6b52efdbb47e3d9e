#pragma once

// CHaltiqoDoc: the document. Holds nothing: the equations live in the form's boxes and are never
// stored.

#include "framework/afxwin.h"

class CHaltiqoDoc : public CDocument {
protected:
    CHaltiqoDoc() = default;
    DECLARE_DYNCREATE(CHaltiqoDoc)

public:
    BOOL OnNewDocument() override;
    void Serialize(CArchive& ar) override;
};
