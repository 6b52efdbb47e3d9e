#pragma once

// CDocument: the data behind the views. Knows its views and the template that made it.

#include <vector>

#include "CmdTarget.h"
#include "Types.h"

class CArchive;
class CDocTemplate;
class CObject;
class CView;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)

public:
    CDocument() = default;

    virtual BOOL OnNewDocument();
    // Reads the file through Serialize; reports a file that cannot be opened.
    virtual BOOL OnOpenDocument(LPCWSTR lpszPathName);
    virtual void Serialize(CArchive& ar);
    virtual void DeleteContents() {}

    // Tells every view but the sender what changed; the hints are the document's own.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    CView* GetFirstView() const { return m_viewList.empty() ? nullptr : m_viewList.front(); }
    void SetPathName(LPCWSTR lpszPathName) { m_strPathName = lpszPathName; }
    const CString& GetPathName() const { return m_strPathName; }

    CDocTemplate* m_pDocTemplate = nullptr;

private:
    std::vector<CView*> m_viewList;
    CString m_strPathName;
};
