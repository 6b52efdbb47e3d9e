#pragma once

// CDocTemplate: ties a document class to the frame and view classes that show it, and to the
// resources (menu, accelerators, icon, title string) of the frame.

#include "CmdTarget.h"
#include "Types.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
public:
    CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                 const CRuntimeClass* pViewClass);

    // A null path makes a new, empty document. Returns nullptr when that fails.
    virtual CDocument* OpenDocumentFile(LPCWSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;

    // The file dialogs' filter, as name|pattern pairs ("CSV (*.csv)|*.csv|..."), and the
    // extension a name typed without one is given.
    void SetFileFilter(LPCWSTR lpszFilter, LPCWSTR lpszDefExt)
    {
        m_strFilter = lpszFilter;
        m_strDefExt = lpszDefExt;
    }
    CString m_strFilter;
    CString m_strDefExt;

protected:
    CDocument* CreateNewDocument();
    CFrameWnd* CreateNewFrame(CDocument* pDoc);

    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
};
