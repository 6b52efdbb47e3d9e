#pragma once

// CHaltiqoView: the form. Holds the n edit box and spin button of the template, builds the grid of
// coefficient, label and answer boxes for n unknowns at run time, solves the system on "計算！！",
// and records which box the Edit menu's commands act on.

#include <memory>
#include <string>
#include <vector>

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
    // Pastes clipboard text of several cells into the grid from the recorded box, or refuses it
    // with a message. FALSE when the clipboard holds one cell or no text: the box pastes that.
    BOOL PasteBlock();
    // Takes back the last block paste while nothing has been edited since; FALSE when there is
    // none to take back.
    BOOL UndoBlockPaste();

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

private:
    void CreateGridWindows(int n);

    // What a block paste overwrote: the count before it and the old texts of the boxes it
    // changed (of the whole old grid when it changed the count).
    struct BoxText {
        int nRow;
        int nCol;
        std::wstring text;
    };
    struct BlockUndo {
        int nCount;
        std::vector<BoxText> texts;
    };

    // The grid's row and column of an entry box; FALSE for any other window.
    BOOL FindEntryBox(HWND hWnd, int& nRow, int& nCol) const;
    // Up and Down: the focus to the box above or below in the same column.
    void MoveFocusVertically(int nRow, int nCol, int nStep);
    // Sets n as the n edit box would, rebuilding the grid when n changes.
    void SetCount(int n);
    std::wstring GetEntryText(int nRow, int nCol) const;
    void RefuseBlock(int nRows, int nCols, bool bWholeSystem);

    std::unique_ptr<BlockUndo> m_pBlockUndo;

    DECLARE_MESSAGE_MAP()
};
