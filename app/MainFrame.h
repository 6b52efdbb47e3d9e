#pragma once

// CMainFrame: the main window, titled "Haltiqo", with a sizing border and no minimise or
// maximise box, no toolbar and no status bar. It turns the Edit menu's commands into edit-control
// messages for the box the form view has recorded; a pasted block of cells, undo and redo go to
// the form view itself.

#include "framework/afxwin.h"

class CHaltiqoView;

class CMainFrame : public CFrameWnd {
protected:
    CMainFrame() = default;
    DECLARE_DYNCREATE(CMainFrame)

public:
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnEditPaste();
    void OnEditCopy();
    void OnEditCut();
    void OnEditUndo();
    void OnEditRedo();
    void OnEditSelAll();

    DECLARE_MESSAGE_MAP()

private:
    CHaltiqoView* GetFormView() const;
    // The box the view recorded, or nullptr when the record lies outside the present grid.
    HWND GetRecordedBox() const;
    void SendToRecordedBox(UINT nMsg);
    void SendEditToRecordedBox(UINT nMsg);
};
