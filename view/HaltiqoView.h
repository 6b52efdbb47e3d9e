#pragma once

// CHaltiqoView: the form. Shows the document's system: the n edit box and spin button of the
// template, and the grid of coefficient, label and answer boxes for n unknowns, which grows and
// shrinks in place. Reports every edit to the document, solves the system on "計算！！" (the
// answers are the view's own, greyed once the system changes), and records which box the Edit
// menu's commands act on.

#include <map>
#include <string>

#include "framework/afxwin.h"
#include "res/resource.h"

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

    // The backgrounds of equation boxes whose text is not wholly one number (read in part, or as
    // 0) and of those that divide by zero. Their tooltips say how the text is read; an answer's
    // tooltip gives its exact value where six decimals do not.
    static const COLORREF kWarningColor = RGB(255, 240, 168);
    static const COLORREF kErrorColor = RGB(255, 196, 196);
    // The tooltip window of the boxes' notes; nullptr until the first note.
    HWND GetNoteTip() const { return m_hNoteTip; }

    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Records the entry box under a left-button press before the box gets the click.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The tooltip asks for a note's text.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // Makes hWnd the box of the Edit commands when it is one of the grid's entry boxes.
    void RecordEntryBox(HWND hWnd);
    void OnSize(UINT nType, int cx, int cy);
    void OnCalc();
    void OnChangeEditN();
    void OnDeltaposSpinN(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSetfocusEditN();
    void OnKillfocusEditN();
    // Answers that belong to an earlier system are drawn greyed.
    HBRUSH OnCtlColorEdit(HDC hDC, HWND hWnd);
    void OnTimer(UINT_PTR nIDEvent);

private:
    void CreateGridWindows(int n);
    // Deletes the two tables and the box objects in them, windows or not.
    void FreeTables();
    // Makes one box of the grid for n unknowns, with its text.
    void CreateBox(CEdit& box, bool bEntry, int nRow, int nCol, int n, const std::wstring& text);
    CRect Place(const RECT& rect) const;
    // The document's text for the box in row r, column k of the grid shown.
    const std::wstring& DocText(int nRow, int nCol) const;
    int CellOf(int nCol) const;
    // Sets a box's text where it differs, without reporting it as an edit.
    void WriteBox(CEdit& box, const std::wstring& text);
    void WriteCount();
    // The count the n edit box holds, when it reads as one in 2..26.
    BOOL ReadCount(int& n) const;
    // The n edit box holds no count: the message, then n again, selected.
    void RefuseCount();
    void MarkAnswersStale(BOOL bStale);
    void FocusBox(CEdit& box);
    // After an undo or redo: the caret to the first box the step changed.
    void ShowChange(const CObject* pHint);

    // The grid's row and column of an entry box; FALSE for any other window.
    BOOL FindEntryBox(HWND hWnd, int& nRow, int& nCol) const;
    // Whether row r, column k names an entry box of the present grid: every column of the
    // equations, the unknowns' of the answer row.
    bool IsEntryBox(int nRow, int nCol) const;
    // Up and Down: the focus to the box above or below in the same column.
    void MoveFocusVertically(int nRow, int nCol, int nStep);
    void RefuseBlock(int nRows, int nCols, bool bWholeSystem);
    // A text longer than a box takes: says which box and how long, and changes nothing.
    BOOL RefuseLongText(int nRow, int nCol, int n, size_t nLength);
    // The box of the Edit commands pastes one cell, as a block's cells are pasted.
    void PasteCell(const std::wstring& text);
    // Posted when an equation box cuts an insertion to its limit.
    enum { WM_TAKE_BACK = WM_APP };
    void TakeBackCutInsertion();

    enum class Mark { kNone, kWarning, kError };
    struct Note {
        Mark mark = Mark::kNone;
        std::wstring tip;
    };
    // Sets the box's note: its background and tooltip.
    void SetNote(HWND hBox, const Note& note);
    // The note of an equation box holding `text`.
    void NoteEquationBox(HWND hBox, const std::wstring& text);
    // Entry boxes lose their notes before they go.
    void DestroyEntry(CEdit& box);

    // An insertion that an equation box is cutting to its limit, and the box's text before it.
    struct CutInsertion {
        HWND hBox = nullptr;
        std::wstring before;
        DWORD dwStart = 0;
        DWORD dwEnd = 0;
    };
    CutInsertion m_cut;
    std::map<HWND, Note> m_notes; // the boxes with a note
    HWND m_hNoteTip = nullptr;
    HBRUSH m_hWarningBrush = nullptr;
    HBRUSH m_hErrorBrush = nullptr;

    BOOL m_bWriting = FALSE;       // the view is setting texts: their change notices are no edits
    BOOL m_bSpinning = FALSE;      // the spin button moves itself once the notice returns
    BOOL m_bRefusingCount = FALSE; // the count message is up
    BOOL m_bAnswersStale = FALSE;
    BOOL m_bGridBehind = FALSE; // the grid still shows an earlier count; a timer catches it up

    DECLARE_MESSAGE_MAP()
};
