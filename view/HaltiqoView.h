#pragma once

// CHaltiqoView: the form. Shows the document's system: the n edit box and spin button of the
// template, and the grid of coefficient, label and answer boxes for n unknowns, which grows and
// shrinks in place. Reports every edit to the document, solves the system on "計算！！" (the
// answers are the view's own, greyed once the system changes), and records which box the Edit
// menu's commands act on.
//
// One class, its work in a file per concern:
//   HaltiqoView.cpp   the message map, start-up, the document's news, the boxes' notices
//   GridWindows.cpp   the grid's windows: build, resize in place, destroy, catch up
//   CountControl.cpp  the n edit box and the spin button
//   SolveCommand.cpp  "計算！！": read the system, show the answers, grey them when stale
//   BlockPaste.cpp    pastes of one cell or a block, and the refusals that say why
//   FocusRecord.cpp   the box the Edit commands act on, Up and Down, undo and redo shown
// Where boxes stand and what they are called is CGridLayout's; their notes are CBoxNotes'.

#include <string>
#include <vector>

#include "framework/afxwin.h"
#include "res/resource.h"
#include "view/BoxNotes.h"
#include "view/GridLayout.h"

namespace BlockText {
struct Block;
}
class CExactSystem;
class CHaltiqoDoc;

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

    CHaltiqoDoc* GetDocument() const;
    // Builds the grid for n unknowns from nothing, showing the document's texts; callers keep n
    // within 2..26.
    void BuildGrid(int n);
    // Grows or shrinks the grid to n unknowns, making and destroying only the windows that
    // differ; the result is window for window what BuildGrid(n) makes.
    void ResizeGrid(int n);
    void DestroyGrid();
    int GetFocusCol() const { return m_nFocusCol; }
    int GetFocusRow() const { return m_nFocusRow; }
    // The box the Edit commands act on: the entry box recorded, or the n edit box; nullptr when
    // the record lies outside the present grid.
    HWND GetRecordedBox() const;
    // Pastes clipboard text of several cells into the grid from the recorded box, or refuses it
    // with a message. FALSE when the clipboard holds one cell or no text: the box pastes that.
    BOOL PasteBlock();
    // Edit ▸ Undo and Redo: one step of the document's history, wherever it was made.
    BOOL UndoStep(BOOL bRedo);
    // Ends the step the typing in a box is adding to, so that what follows is a step of its own.
    void SealTyping();
    // Brings the grid to the document's count when arrow keys left it behind.
    void CatchUpGrid();
    // File ▸ Export to a path chosen: the shown system's numbers, with bAnswers and current
    // answers the answers as a last column. FALSE, after saying why, when nothing was written.
    BOOL ExportTo(LPCWSTR lpszPathName, BOOL bAnswers);
    // Whether the answer row holds the one solution of the system shown.
    BOOL AnswersCurrent() const;
    // The tooltip window of the boxes' notes; nullptr until the first note.
    HWND GetNoteTip() const { return m_notes.GetTip(); }
    // The balloon of a full box; nullptr until the first.
    HWND GetFullTip() const { return m_notes.GetFullTip(); }

    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Records the entry box under a left-button press before the box gets the click.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

protected:
    // The tooltip asks for a note's text.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnSize(UINT nType, int cx, int cy);
    void OnCalc();
    void OnChangeEditN();
    void OnDeltaposSpinN(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSetfocusEditN();
    void OnKillfocusEditN();
    // The grid's boxes: the caret arrives, leaves, the text changes or is cut to the limit.
    void OnSetfocusBox(UINT nID, HWND hBox);
    void OnKillfocusBox(UINT nID, HWND hBox);
    void OnChangeBox(UINT nID, HWND hBox);
    void OnMaxtextBox(UINT nID, HWND hBox);
    // Marked boxes, and answers that belong to an earlier system (greyed).
    HBRUSH OnCtlColorEdit(HDC hDC, HWND hWnd);
    void OnTimer(UINT_PTR nIDEvent);
    void OnFileExport();
    // Edit ▸ Copy System: the shown system and its current answers as a table.
    void OnEditCopySystem();
    // Posted when an equation box cuts an insertion to its limit.
    enum { WM_TAKE_BACK = WM_APP };
    LRESULT OnTakeBack(WPARAM wParam, LPARAM lParam);

private:
    enum { kCatchUpTimer = 1, kFullTimer = 2 };
    void CreateBoxFont();
    // The layout of the grid shown.
    CGridLayout Layout() const { return CGridLayout(m_nGridSize - 1); }

    // GridWindows.cpp
    void CreateGridWindows(int n);
    // Deletes the two tables and the box objects in them, windows or not.
    void FreeTables();
    // Makes one box of the grid for n unknowns, with its text.
    void CreateBox(CEdit& box, bool bEntry, int nRow, int nCol, const CGridLayout& layout,
                   const std::wstring& text);
    CRect Place(const GridRect& rect) const;
    void SetGridScrollSizes();
    void DestroyLeavingWindows(int m);
    void MoveKeptWindows(int m);
    void CreateArrivingWindows(int n, int m);
    void PlaceAnswerRow(int n, int m);
    // Entry boxes lose their notes before they go.
    void DestroyEntry(CEdit& box);
    // The document's text for the box in row r, column k of the grid shown.
    const std::wstring& DocText(int nRow, int nCol) const;
    // Sets a box's text where it differs, without reporting it as an edit.
    void WriteBox(CEdit& box, const std::wstring& text);
    // The grid shows the texts of the step, or of a system that replaced the last one.
    void ShowStep(const CSystemTable::Step& step);
    void ShowWholeSystem();

    // CountControl.cpp
    void WriteCount();
    // The count the n edit box holds, when it reads as one in 2..26.
    BOOL ReadCount(int& n) const;
    // The n edit box holds no count: the message, then n again, selected.
    void RefuseCount();
    // The document's count reached the box and the spin button.
    void ShowCount(int n);

    // SolveCommand.cpp
    // The first box without a value: the message, and its caret. FALSE when there is none.
    BOOL RefuseNoValue();
    void ShowAnswers(const CExactSystem& system, CString& message);
    void MarkAnswersStale(BOOL bStale);

    // SystemExport.cpp
    // The shown system's values, with its answers when bAnswers and they are current; FALSE,
    // after the message naming the box, when a box has no value.
    BOOL ShownValues(BOOL bAnswers, std::vector<std::vector<std::string>>& table);

    // BlockPaste.cpp
    // why: what keeps the block from being a system, when it could be one.
    void RefuseBlock(int nRows, int nCols, bool bWholeSystem, const std::wstring& why);
    // The first cell too long for a box, named where it would go; FALSE when every cell fits.
    BOOL RefuseLongCell(const BlockText::Block& block, bool bSystem, int r0, int k0);
    // A text longer than a box takes: says which box and how long, and changes nothing.
    BOOL RefuseLongText(int nRow, int nCol, int n, size_t nLength);
    // The box of the Edit commands pastes one cell, as a block's cells are pasted.
    void PasteCell(const std::wstring& text);
    // A paste the box cut to its limit is taken back whole.
    void TakeBackCutInsertion();

    // FocusRecord.cpp
    // Makes hWnd the box of the Edit commands when it is one of the grid's entry boxes.
    void RecordEntryBox(HWND hWnd);
    // The grid's row and column of an entry box; FALSE for any other window.
    BOOL FindEntryBox(HWND hWnd, int& nRow, int& nCol) const;
    // Whether row r, column k names an entry box of the present grid.
    bool IsEntryBox(int nRow, int nCol) const;
    // Up and Down: the focus to the box above or below in the same column.
    void MoveFocusVertically(int nRow, int nCol, int nStep);
    void FocusBox(CEdit& box);
    // After an undo or redo: the caret to the first box the step changed.
    void ShowChange(const CSystemTable::Step& step);
    // An answer box's text changed: its own typing, or the view writing over it.
    void AnswerTyped(HWND hBox);
    // Keys the view takes before the box they are for; TRUE when one was taken.
    BOOL PreTranslateKey(const MSG* pMsg);

    // An insertion that an equation box is cutting to its limit, and the box's text before it.
    struct CutInsertion {
        HWND hBox = nullptr;
        std::wstring before;
        DWORD dwStart = 0;
        DWORD dwEnd = 0;
    };
    CutInsertion m_cut;
    // The answer box whose typing undo took back, and where the system's history stood then.
    struct AnswerUndo {
        HWND hBox = nullptr;
        std::size_t nDone = 0;
        bool bUndoing = false; // the box is taking its typing back
    };
    AnswerUndo m_answerUndo;
    CBoxNotes m_notes;
    // The entry boxes' font: its cell, descenders and all, fits in a box.
    CFont m_boxFont;

    BOOL m_bWriting = FALSE;       // the view is setting texts: their change notices are no edits
    BOOL m_bSpinning = FALSE;      // the spin button moves itself once the notice returns
    BOOL m_bRefusingCount = FALSE; // the count message is up
    BOOL m_bAnswersStale = FALSE;
    BOOL m_bAnswersUnique = FALSE; // the last solve found one solution
    BOOL m_bGridBehind = FALSE;    // the grid still shows an earlier count; a timer catches it up

    DECLARE_MESSAGE_MAP()
};
