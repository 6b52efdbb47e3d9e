#pragma once

// CView: a child of a frame that shows a document. Deletes itself when its window goes.

#include "Wnd.h"

class CDocument;
struct CCreateContext;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)

public:
    CView() = default;
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    // Creates the view's window as a child of the frame.
    virtual BOOL Create(CWnd* pParentWnd, UINT nID, CCreateContext* pContext) = 0;
    // Called once, after the document is ready and before the frame is first shown.
    virtual void OnInitialUpdate();
    // Called when the document has changed; by default the view is redrawn.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    BOOL OnCmdMsg(UINT nID, UINT nMessage, UINT nCode, WPARAM wParam, LPARAM lParam,
                  LRESULT* pResult) override;

    CDocument* m_pDocument = nullptr;

protected:
    void PostNcDestroy() override;
};
