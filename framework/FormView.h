#pragma once

// CFormView: a scroll view whose window is a child dialog made from a dialog template. Its
// controls are laid out by the template; Tab and the dialog keys work inside it.

#include "ScrollView.h"

class CFormView : public CScrollView {
    DECLARE_DYNAMIC(CFormView)

public:
    explicit CFormView(UINT nIDTemplate);

    BOOL Create(CWnd* pParentWnd, UINT nID, CCreateContext* pContext) override;
    void OnInitialUpdate() override;
    // Offers the message to the frames first, so their accelerators are translated before the
    // dialog keys (and the focused control) see it.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnSetFocus(HWND hWndOld);

private:
    BOOL MoveFocusByTab();

    DECLARE_MESSAGE_MAP()

    UINT m_nIDTemplate;
};
