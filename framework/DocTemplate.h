#pragma once

// CDocTemplate: ties a document class to the frame and view classes that show it, and to the
// resources (menu, accelerators, icon, title string) of the frame.

#include "CmdTarget.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
public:
    CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                 const CRuntimeClass* pViewClass);

    // A null path makes a new, empty document. Returns nullptr when that fails.
    virtual CDocument* OpenDocumentFile(LPCWSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;

protected:
    CDocument* CreateNewDocument();
    CFrameWnd* CreateNewFrame(CDocument* pDoc);

    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
};
