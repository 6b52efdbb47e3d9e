#pragma once

// CDialog: a modal dialog made from a dialog template. DoModal runs its own message loop, which
// pre-translates every queued message through the objects of the target window's chain.

#include "Wnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)

public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    virtual INT_PTR DoModal();
    // Called once the dialog's controls exist; the default attaches them through the data
    // exchange. Return TRUE to let the dialog manager focus the first tab stop.
    virtual BOOL OnInitDialog();
    void EndDialog(int nResult);
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    virtual void OnOK();
    virtual void OnCancel();
    // A dialog destroyed without EndDialog ends its modal loop too, with -1.
    void PostNcDestroy() override;

    DECLARE_MESSAGE_MAP()

private:
    void RunModalLoop();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    BOOL m_bModalDone;
    INT_PTR m_nModalResult;
};

// The dialog procedure of every template-made window: it only forwards WM_INITDIALOG.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
const DLGTEMPLATE* AfxLoadDialogTemplate(UINT nIDTemplate);
