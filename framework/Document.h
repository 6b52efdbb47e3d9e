#pragma once

// CDocument: the data behind the views. Knows its views, the template that made it, its file and
// whether it has changed since that file was written.

#include <functional>
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
    ~CDocument() override;

    virtual BOOL OnNewDocument();
    // Reads the file through Serialize. A file that cannot be read is reported, naming the file
    // and the reason, and the document keeps what it had: Serialize replaces the contents only
    // once it has read them whole.
    virtual BOOL OnOpenDocument(LPCWSTR lpszPathName);
    // Writes through Serialize into a new file beside the old one, and puts it in the old one's
    // place only once it is complete and flushed; a failure is reported and changes no file.
    virtual BOOL OnSaveDocument(LPCWSTR lpszPathName);
    // Writes a file beside the named one and replaces it only once complete; a failure is said.
    BOOL WriteReplacing(LPCWSTR lpszPathName, const std::function<void(CArchive&)>& write);
    virtual void Serialize(CArchive& ar);
    virtual void DeleteContents() {}

    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }
    // Before the document is closed or replaced: asks whether to save a modified document.
    // FALSE when the person cancels, or the save they asked for failed.
    virtual BOOL SaveModified();
    // Saves under the path; with none, under a name the person picks. bReplace makes the path
    // the document's own.
    virtual BOOL DoSave(LPCWSTR lpszPathName, BOOL bReplace = TRUE);
    // Saves under the document's own path, asking for one when it has none or is read-only.
    BOOL DoFileSave();

    // Tells every view but the sender what changed; the hints are the document's own.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    CView* GetFirstView() const { return m_viewList.empty() ? nullptr : m_viewList.front(); }

    // The full path becomes the document's; its file name the title; the recent-file list
    // gains it when bAddToMRU.
    void SetPathName(LPCWSTR lpszPathName, BOOL bAddToMRU = TRUE);
    void ClearPathName();
    const CString& GetPathName() const { return m_strPathName; }
    // The file name, or the untitled name when there is no file.
    CString GetTitle() const;

    CDocTemplate* m_pDocTemplate = nullptr;

protected:
    void OnFileSave();
    void OnFileSaveAs();
    DECLARE_MESSAGE_MAP()

private:
    void UpdateFrameTitles();

    std::vector<CView*> m_viewList;
    CString m_strPathName;
    BOOL m_bModified = FALSE;
};

// The system's own words for an error code, with the code.
CString AfxOsErrorText(DWORD dwError);
