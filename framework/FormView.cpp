#include "FormView.h"

#include "Afx.h"
#include "Dialog.h"
#include "FrameWnd.h"

IMPLEMENT_DYNAMIC(CFormView, CScrollView)

BEGIN_MESSAGE_MAP(CFormView, CScrollView)
ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CFormView::CFormView(UINT nIDTemplate) : m_nIDTemplate(nIDTemplate) {}

BOOL CFormView::Create(CWnd* pParentWnd, UINT nID, CCreateContext*)
{
    const DLGTEMPLATE* pTemplate = AfxLoadDialogTemplate(m_nIDTemplate);
    if (pTemplate == nullptr) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamW(AfxGetResourceHandle(), pTemplate,
                                             pParentWnd->m_hWnd, AfxDlgProc, 0);
    if (!AfxUnhookWindowCreate() && hWnd == nullptr) {
        PostNcDestroy(); // never bound to a window, so nothing else will delete it
        return FALSE;
    }
    if (hWnd == nullptr)
        return FALSE;
    SetDlgCtrlID(static_cast<int>(nID));
    CRect rect;
    GetWindowRect(&rect);
    SetScrollSizes(MM_TEXT, rect.Size());
    ShowWindow(SW_SHOWNORMAL);
    return TRUE;
}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
    CScrollView::OnInitialUpdate();
}

BOOL CFormView::PreTranslateMessage(MSG* pMsg)
{
    for (CFrameWnd* pFrame = GetParentFrame(); pFrame != nullptr;
         pFrame = pFrame->GetParentFrame())
        if (pFrame->PreTranslateMessage(pMsg))
            return TRUE;
    // The wheel goes to the focused control; over the form it scrolls the form.
    if (pMsg->message == WM_MOUSEWHEEL && ::IsChild(m_hWnd, pMsg->hwnd)) {
        OnMouseWheel(GET_KEYSTATE_WPARAM(pMsg->wParam), GET_WHEEL_DELTA_WPARAM(pMsg->wParam));
        return TRUE;
    }
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    HWND hBefore = ::GetFocus();
    const BOOL bHandled = ::IsDialogMessageW(m_hWnd, pMsg);
    // A control reached with the keyboard is brought into view.
    HWND hAfter = ::GetFocus();
    if (hAfter != hBefore && hAfter != nullptr && ::IsChild(m_hWnd, hAfter))
        ScrollIntoView(hAfter);
    return bHandled;
}

// The form itself never keeps the focus: it goes on to the first control that takes it.
void CFormView::OnSetFocus(HWND)
{
    if (HWND hFirst = ::GetNextDlgTabItem(m_hWnd, nullptr, FALSE))
        ::SetFocus(hFirst);
}
