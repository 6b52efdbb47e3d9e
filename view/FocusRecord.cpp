// The box the Edit commands act on, the keys the view takes before a box (Enter in the n box,
// Shift+Insert, Up and Down), and undo and redo brought to the person.

#include "HaltiqoView.h"
#include "app/HaltiqoDoc.h"

void CHaltiqoView::RecordEntryBox(HWND hWnd)
{
    int nRow = 0;
    int nCol = 0;
    if (FindEntryBox(hWnd, nRow, nCol)) {
        m_nFocusCol = nCol;
        m_nFocusRow = nRow;
    }
}

BOOL CHaltiqoView::FindEntryBox(HWND hWnd, int& nRow, int& nCol) const
{
    if (m_ppEntry == nullptr || hWnd == nullptr || ::GetParent(hWnd) != m_hWnd)
        return FALSE;
    int r = 0;
    int k = 0;
    if (!Layout().EntryCell(::GetDlgCtrlID(hWnd), r, k) || m_ppEntry[r][k].m_hWnd != hWnd)
        return FALSE;
    nRow = r;
    nCol = k;
    return TRUE;
}

bool CHaltiqoView::IsEntryBox(int nRow, int nCol) const
{
    return m_ppEntry != nullptr && Layout().HasEntry(nRow, nCol);
}

HWND CHaltiqoView::GetRecordedBox() const
{
    if (m_nFocusCol == -1)
        return m_editN.m_hWnd;
    return IsEntryBox(m_nFocusRow, m_nFocusCol) ? m_ppEntry[m_nFocusRow][m_nFocusCol].m_hWnd
                                                : nullptr;
}

BOOL CHaltiqoView::PreTranslateKey(const MSG* pMsg)
{
    int nCount = 0;
    if (pMsg->wParam == VK_RETURN && pMsg->hwnd == m_editN.m_hWnd && !ReadCount(nCount)) {
        RefuseCount();
        return TRUE;
    }
    const bool bShift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const bool bCtrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    int nRow = 0;
    int nCol = 0;
    if (bCtrl || !FindEntryBox(pMsg->hwnd, nRow, nCol))
        return FALSE;
    // Shift+Insert pastes as Ctrl+V does.
    if (pMsg->wParam == VK_INSERT && bShift) {
        GetParentFrame()->SendMessage(WM_COMMAND, ID_EDIT_PASTE);
        return TRUE;
    }
    if ((pMsg->wParam == VK_UP || pMsg->wParam == VK_DOWN) && !bShift) {
        // At the top and bottom the key is spent, so the caret stays where it was.
        MoveFocusVertically(nRow, nCol, pMsg->wParam == VK_UP ? -1 : 1);
        return TRUE;
    }
    return FALSE;
}

void CHaltiqoView::MoveFocusVertically(int nRow, int nCol, int nStep)
{
    // Rows 0..n-1 hold every column; the answer row n only the unknowns'.
    if (IsEntryBox(nRow + nStep, nCol))
        FocusBox(m_ppEntry[nRow + nStep][nCol]);
}

void CHaltiqoView::FocusBox(CEdit& box)
{
    box.SetFocus();
    box.SetSel(0, -1);
    ScrollIntoView(box.m_hWnd);
}

void CHaltiqoView::ShowChange(const CSystemTable::Step& step)
{
    const CGridLayout layout = Layout();
    for (const CSystemTable::CellChange& cell : step.cells) {
        const int k = layout.ColumnOf(cell.nCell);
        if (layout.IsEquationRow(cell.nRow) && k >= 0) {
            FocusBox(m_ppEntry[cell.nRow][k]);
            return;
        }
    }
    FocusBox(m_editN);
}

void CHaltiqoView::SealTyping()
{
    GetDocument()->SealTyping();
}

BOOL CHaltiqoView::UndoStep(BOOL bRedo)
{
    CatchUpGrid();
    // What is typed into an answer box is no step of the system: the box takes its typing back
    // once, and the system's history goes on from there; redo brings the typing again where the
    // history stood when it was taken back.
    if (m_nFocusCol >= 0 && IsEntryBox(m_nFocusRow, m_nFocusCol) &&
        !Layout().IsEquationRow(m_nFocusRow)) {
        CEdit& answer = m_ppEntry[m_nFocusRow][m_nFocusCol];
        const bool bUndone = m_answerUndo.hBox == answer.m_hWnd;
        const std::size_t nDone = GetDocument()->System().Done();
        if (bRedo ? bUndone && m_answerUndo.nDone == nDone
                  : !bUndone && answer.SendMessage(EM_CANUNDO) != 0) {
            m_answerUndo.bUndoing = true;
            answer.SendMessage(EM_UNDO);
            m_answerUndo = {bRedo ? nullptr : answer.m_hWnd, nDone, false};
            return TRUE;
        }
    }
    // A count half typed is the newest change: undo takes it back first.
    int n = 0;
    if (!ReadCount(n)) {
        WriteCount();
        if (!bRedo) {
            FocusBox(m_editN);
            return TRUE;
        }
    }
    return bRedo ? GetDocument()->Redo() : GetDocument()->Undo();
}

// Typing into an answer box again puts that typing first for undo.
void CHaltiqoView::AnswerTyped(HWND hBox)
{
    if (!m_answerUndo.bUndoing && m_answerUndo.hBox == hBox)
        m_answerUndo = AnswerUndo{};
}
