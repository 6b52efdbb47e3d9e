#include "Dialog.h"

#include "Afx.h"
#include "WinApp.h"
#include "Exception.h"
#include "MessageLoop.h"
#include "afxres.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

const DLGTEMPLATE* AfxLoadDialogTemplate(UINT nIDTemplate)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceW(hInst, MAKEINTRESOURCEW(nIDTemplate), RT_DIALOG);
    if (hResource == nullptr)
        return nullptr;
    HGLOBAL hTemplate = ::LoadResource(hInst, hResource);
    return hTemplate ? static_cast<const DLGTEMPLATE*>(::LockResource(hTemplate)) : nullptr;
}

// Runs inside the platform's dialog code, so nothing may be thrown through it.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT nMsg, WPARAM, LPARAM)
{
    if (nMsg != WM_INITDIALOG)
        return FALSE;
    auto* pDialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
    if (pDialog == nullptr)
        return FALSE;
    try {
        return pDialog->OnInitDialog();
    } catch (...) {
        AfxReportException();
        pDialog->EndDialog(-1); // a dialog that could not be set up is not shown
    }
    return TRUE;
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd), m_bModalDone(FALSE), m_nModalResult(-1)
{
}

INT_PTR CDialog::DoModal()
{
    const DLGTEMPLATE* pTemplate = AfxLoadDialogTemplate(m_nIDTemplate);
    if (pTemplate == nullptr)
        return -1;
    HWND hParent =
        m_pParentWnd ? m_pParentWnd->m_hWnd : (AfxGetMainWnd() ? AfxGetMainWnd()->m_hWnd : nullptr);
    const BOOL bEnableParent = hParent != nullptr && ::IsWindowEnabled(hParent);
    if (bEnableParent)
        ::EnableWindow(hParent, FALSE);

    m_bModalDone = FALSE;
    m_nModalResult = -1;
    HWND hWnd = CreateBound([pTemplate, hParent] {
        return ::CreateDialogIndirectParamW(AfxGetResourceHandle(), pTemplate, hParent, AfxDlgProc,
                                            0);
    });
    if (hWnd != nullptr && !m_bModalDone) {
        ShowWindow(SW_SHOWNORMAL);
        RunModalLoop();
    }

    if (bEnableParent)
        ::EnableWindow(hParent, TRUE);
    if (hParent != nullptr && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hParent);
    if (m_hWnd != nullptr)
        DestroyWindow();
    return m_nModalResult;
}

void CDialog::RunModalLoop()
{
    MSG msg{};
    while (!m_bModalDone) {
        if (!AfxPumpMessage(msg)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam)); // leave the quit for the main loop
            break;
        }
    }
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

// The window stays up until DoModal has given the activation back to the owner: hidden while
// the owner is still disabled, it would hand the activation to some other program.
void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    m_bModalDone = TRUE;
    // Called from outside the loop's own dispatch (a sent message, a hook), the flag alone
    // would wait for the next message to be seen.
    if (m_hWnd != nullptr)
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
}

void CDialog::PostNcDestroy()
{
    if (!m_bModalDone) {
        m_bModalDone = TRUE;
        // Destroyed from a message sent by another thread, the loop waits on: it is woken.
        ::PostThreadMessageW(::GetCurrentThreadId(), WM_NULL, 0, 0);
    }
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
        return ::IsDialogMessageW(m_hWnd, pMsg);
    return FALSE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}
