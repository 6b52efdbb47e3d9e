#pragma once

// CHaltiqoView: the form. Holds the n edit box and spin button of the template, builds the grid of
// coefficient, label and answer boxes for n unknowns at run time, solves the system on "計算！！",
// and records which box the Edit menu's commands act on.

#include "framework/afxwin.h"
#include "res/resource.h"

class CHaltiqoView : public CFormView {
protected:
    CHaltiqoView();
    DECLARE_DYNCREATE(CHaltiqoView)

public:
    enum { IDD = IDD_FORM };

    CEdit m_editN;
    CSpinButtonCtrl m_spinN;
    int m_n;
    CEdit** m_ppEntry; // [row][column]: coefficient, right-hand-side and answer boxes
    CEdit** m_ppLabel; // [row][column]: operator and answer labels
    int m_nGridSize;   // n + 1 of the grid last built
    int m_nFocusCol;   // column of the entry box last clicked or focused; -1 for the n edit box
    int m_nFocusRow;

    ~CHaltiqoView() override;

    // Replaces the grid with an empty one for n unknowns; callers keep n within 2..26.
    void BuildGrid(int n);
    void DestroyGrid();
    int GetFocusCol() const { return m_nFocusCol; }
    int GetFocusRow() const { return m_nFocusRow; }

    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Records the entry box under a left-button press before the box gets the click.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnInitialUpdate() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Makes hWnd the box of the Edit commands when it is one of the grid's entry boxes.
    void RecordEntryBox(HWND hWnd);
    void OnSize(UINT nType, int cx, int cy);
    void OnCalc();
    void OnChangeEditN();
    void OnDeltaposSpinN(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSetfocusEditN();

    DECLARE_MESSAGE_MAP()
};
