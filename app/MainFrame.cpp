#include "MainFrame.h"

#include "res/resource.h"
#include "view/HaltiqoView.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
ON_WM_CREATE()
ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
ON_COMMAND(ID_EDIT_CUT, OnEditCut)
ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
ON_COMMAND(ID_EDIT_SELALL, OnEditSelAll)
END_MESSAGE_MAP()

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTW& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // The title names the file shown.
    cs.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | FWS_ADDTOTITLE;
    cs.lpszName = L"Haltiqo";
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    return 0;
}

// The form view, its grid up to date for the command at hand.
CHaltiqoView* CMainFrame::GetFormView() const
{
    auto* pMainFrame = static_cast<CFrameWnd*>(AfxGetApp()->m_pMainWnd);
    auto* pView = dynamic_cast<CHaltiqoView*>(pMainFrame ? pMainFrame->GetActiveView() : nullptr);
    if (pView != nullptr)
        pView->CatchUpGrid();
    return pView;
}

HWND CMainFrame::GetRecordedBox() const
{
    CHaltiqoView* pView = GetFormView();
    return pView != nullptr ? pView->GetRecordedBox() : nullptr;
}

void CMainFrame::SendToRecordedBox(UINT nMsg)
{
    if (HWND hBox = GetRecordedBox())
        ::SendMessageW(hBox, nMsg, 0, 0);
}

// A paste or a cut is a step of its own, apart from the typing around it.
void CMainFrame::SendEditToRecordedBox(UINT nMsg)
{
    CHaltiqoView* pView = GetFormView();
    if (pView != nullptr)
        pView->SealTyping();
    SendToRecordedBox(nMsg);
    if (pView != nullptr)
        pView->SealTyping();
}

void CMainFrame::OnEditPaste()
{
    CHaltiqoView* pView = GetFormView();
    if (pView != nullptr && pView->PasteBlock())
        return;
    SendEditToRecordedBox(WM_PASTE);
}

void CMainFrame::OnEditCopy()
{
    SendToRecordedBox(WM_COPY);
}

void CMainFrame::OnEditCut()
{
    SendEditToRecordedBox(WM_CUT);
}

// Undo and redo walk the system's one history, whichever box has the caret.
void CMainFrame::OnEditUndo()
{
    if (CHaltiqoView* pView = GetFormView())
        pView->UndoStep(FALSE);
}

void CMainFrame::OnEditRedo()
{
    if (CHaltiqoView* pView = GetFormView())
        pView->UndoStep(TRUE);
}

void CMainFrame::OnEditSelAll()
{
    HWND hBox = GetRecordedBox();
    if (hBox == nullptr)
        return;
    ::SetFocus(hBox);
    const int nLength = ::GetWindowTextLengthW(hBox);
    ::SendMessageW(hBox, EM_SETSEL, 0, nLength);
}
