#pragma once

// CFrameWnd: the main window. Loads its menu, accelerators, icon and title from one resource
// ID, creates its view, translates its accelerators and routes commands: the active view
// first, then itself, then the application.

#include <windows.h>
#include <shellapi.h>

#include "Wnd.h"

class CDocument;
class CDocTemplate;
class CView;

#define FWS_ADDTOTITLE 0x00008000L

struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
};

class CFrameWnd : public CWnd {
    DECLARE_DYNAMIC(CFrameWnd)

public:
    CFrameWnd();

    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                           CCreateContext* pContext);
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;

    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pView) { m_pViewActive = pView; }
    // Fits the view to the client area.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // Gives the view its initial update and shows the frame.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    CDocument* GetActiveDocument() const;
    // With FWS_ADDTOTITLE, "file - title" while the document has a file; the title otherwise.
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    // Files dropped on the frame open as the document.
    void DragAcceptFiles(BOOL bAccept = TRUE);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, UINT nMessage, UINT nCode, WPARAM wParam, LPARAM lParam,
                  LRESULT* pResult) override;

    HACCEL m_hAccelTable;

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CView* CreateView(CCreateContext* pContext, UINT nID);
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnClose();
    BOOL OnQueryEndSession();
    void OnDropFiles(HDROP hDropInfo);
    void OnInitMenuPopup(HMENU hPopup, UINT nIndex, BOOL bSysMenu);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(HWND hWndOld);
    void OnActivate(UINT nState, HWND hWndOther);

    DECLARE_MESSAGE_MAP()

private:
    CView* m_pViewActive;
    HWND m_hWndFocusSaved;
    CString m_strTitle;
};
