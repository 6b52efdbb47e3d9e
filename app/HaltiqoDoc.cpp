#include "HaltiqoDoc.h"

IMPLEMENT_DYNCREATE(CHaltiqoDoc, CDocument)

BOOL CHaltiqoDoc::OnNewDocument()
{
    return CDocument::OnNewDocument() ? TRUE : FALSE;
}

void CHaltiqoDoc::Serialize(CArchive&)
{
    // Nothing is stored or loaded, in either direction.
}
