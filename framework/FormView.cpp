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
    HWND hWnd = CreateBound([pTemplate, pParentWnd] {
        return ::CreateDialogIndirectParamW(AfxGetResourceHandle(), pTemplate, pParentWnd->m_hWnd,
                                            AfxDlgProc, 0);
    });
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
    for (CFrameWnd* pFrame = GetParentFrame(); pFrame != nullptr; pFrame = pFrame->GetParentFrame())
        if (pFrame->PreTranslateMessage(pMsg))
            return TRUE;
    // The wheel goes to the focused control; over the form it scrolls the form.
    if (pMsg->message == WM_MOUSEWHEEL && ::IsChild(m_hWnd, pMsg->hwnd)) {
        OnMouseWheel(GET_KEYSTATE_WPARAM(pMsg->wParam), GET_WHEEL_DELTA_WPARAM(pMsg->wParam));
        return TRUE;
    }
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB && MoveFocusByTab())
        return TRUE;
    HWND hBefore = ::GetFocus();
    // A key ends its walk here, so the frames above are not offered it a second time.
    if (!::IsDialogMessageW(m_hWnd, pMsg)) {
        ::TranslateMessage(pMsg);
        ::DispatchMessageW(pMsg);
    }
    // A control reached with the keyboard is brought into view.
    HWND hAfter = ::GetFocus();
    if (hAfter != hBefore && hAfter != nullptr && ::IsChild(m_hWnd, hAfter))
        ScrollIntoView(hAfter);
    return TRUE;
}

// Tab and Shift+Tab among the form's controls. The dialog manager asks every child for its
// dialog code whenever the focus moves, which a form of a thousand boxes makes slow (tenths of
// a second a key). Between edit boxes this moves the focus itself and selects the text, as the
// dialog manager would; to and from buttons it leaves the move to the dialog manager, which
// also keeps the default button right.
BOOL CFormView::MoveFocusByTab()
{
    if ((::GetKeyState(VK_CONTROL) & 0x8000) || (::GetKeyState(VK_MENU) & 0x8000))
        return FALSE;
    HWND hFrom = ::GetFocus();
    while (hFrom != nullptr && ::GetParent(hFrom) != m_hWnd)
        hFrom = ::GetParent(hFrom);
    if (hFrom == nullptr || (::SendMessageW(::GetFocus(), WM_GETDLGCODE, VK_TAB, 0) & DLGC_WANTTAB))
        return FALSE;
    const bool bBack = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const UINT nStep = bBack ? GW_HWNDPREV : GW_HWNDNEXT;
    const UINT nWrap = bBack ? GW_HWNDLAST : GW_HWNDFIRST;
    for (HWND h = ::GetWindow(hFrom, nStep);; h = ::GetWindow(h, nStep)) {
        if (h == nullptr)
            h = ::GetWindow(hFrom, nWrap);
        if (h == hFrom)
            return FALSE;
        const LONG_PTR style = ::GetWindowLongPtrW(h, GWL_STYLE);
        if ((style & (WS_TABSTOP | WS_VISIBLE | WS_DISABLED)) == (WS_TABSTOP | WS_VISIBLE)) {
            const UINT nEditCodes = DLGC_HASSETSEL;
            const UINT nButtonCodes = DLGC_BUTTON | DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON;
            const auto code = [](HWND hCtl) {
                return static_cast<UINT>(::SendMessageW(hCtl, WM_GETDLGCODE, 0, 0));
            };
            if ((code(h) & nEditCodes) && !(code(hFrom) & nButtonCodes)) {
                ::SetFocus(h);
                ::SendMessageW(h, EM_SETSEL, 0, -1);
            } else {
                ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(h), TRUE);
            }
            ScrollIntoView(h);
            return TRUE;
        }
    }
}

// The form itself never keeps the focus: it goes on to the first control that takes it.
void CFormView::OnSetFocus(HWND)
{
    if (HWND hFirst = ::GetNextDlgTabItem(m_hWnd, nullptr, FALSE))
        ::SetFocus(hFirst);
}
