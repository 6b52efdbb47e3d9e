// The grid's windows: built from nothing, grown and shrunk in place, destroyed, and caught up
// with the document's count; the texts the document gives them.

#include <algorithm>

#include "HaltiqoView.h"
#include "app/HaltiqoDoc.h"

namespace {

// Scrolling sideways, so a box keeps every character typed or pasted, whatever its width.
const DWORD kEntryStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
const DWORD kLabelStyle = WS_CHILD | WS_VISIBLE;

// The view does not draw while its grid changes and repaints it whole afterwards, so a window
// placed meanwhile needs no redrawing of its own.
const UINT kQuietPlacing = SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS | SWP_DEFERERASE |
                           SWP_NOSENDCHANGING | SWP_NOOWNERZORDER;

void PlaceAfter(HWND hWnd, HWND hAfter)
{
    ::SetWindowPos(hWnd, hAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | kQuietPlacing);
}

// Where row r of a grid for n unknowns stands in one for m: equation rows keep their places, the
// answer row moves to the foot; -1 for an equation row that goes.
int KeptRow(int r, int n, int m)
{
    if (r == n)
        return m;
    return r < m ? r : -1;
}

// Whether the box in row r, column k of the grid for `from` has its place in the grid `to`.
bool IsKept(bool bEntry, int r, int k, const CGridLayout& from, const CGridLayout& to)
{
    const int rTo = KeptRow(r, from.Count(), to.Count());
    return rTo >= 0 && (bEntry ? to.HasEntry(rTo, k) : to.HasLabel(rTo, k));
}

} // namespace

void CHaltiqoView::BuildGrid(int n)
{
    const CWaitCursor wait;
    CreateGridWindows(n);
    SetGridScrollSizes();
    InvalidateRect(nullptr, FALSE);
}

void CHaltiqoView::SetGridScrollSizes()
{
    const CGridLayout layout = Layout();
    SetScrollSizes(MM_TEXT, CSize(layout.ScrollWidth(), layout.ScrollHeight()));
}

// The rectangles are relative to the form's origin, so a grid built while the view is scrolled
// lines up with the form's own controls.
CRect CHaltiqoView::Place(const GridRect& rect) const
{
    const CPoint origin = GetDeviceScrollPosition();
    return CRect(rect.left - origin.x, rect.top - origin.y, rect.right - origin.x,
                 rect.bottom - origin.y);
}

const std::wstring& CHaltiqoView::DocText(int nRow, int nCol) const
{
    return GetDocument()->System().Text(nRow, Layout().CellOf(nCol));
}

void CHaltiqoView::CreateBox(CEdit& box, bool bEntry, int r, int k, const CGridLayout& layout,
                             const std::wstring& text)
{
    if (bEntry) {
        box.Create(kEntryStyle, Place(layout.EntryRect(r, k)), this, layout.EntryId(r, k),
                   text.c_str());
        box.SendMessage(EM_SETLIMITTEXT, CSystemTable::kMaxText);
        box.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(m_boxFont)), FALSE);
        if (layout.IsEquationRow(r) && !text.empty())
            m_notes.SetForEquation(box.m_hWnd, text);
    } else {
        // Made disabled, with its text: the same window as one disabled after, one request less.
        box.Create(kLabelStyle | WS_DISABLED, Place(layout.LabelRect(r, k)), this,
                   layout.LabelId(r, k), layout.LabelText(r, k).c_str());
    }
}

// The old grid's windows go and the new ones come while the view does not draw.
void CHaltiqoView::CreateGridWindows(int n)
{
    const CRedrawOff redrawOff(m_hWnd);
    DestroyGrid();
    const CGridLayout layout(n);
    const int S = layout.Size();
    m_nGridSize = S;
    m_ppEntry = new CEdit*[S];
    m_ppLabel = new CEdit*[S];
    for (int r = 0; r < S; ++r) {
        m_ppEntry[r] = new CEdit[S];
        m_ppLabel[r] = new CEdit[S];
    }
    layout.ForEachBox([&](bool bEntry, int r, int k) {
        const bool bText = bEntry && layout.IsEquationRow(r);
        CreateBox((bEntry ? m_ppEntry : m_ppLabel)[r][k], bEntry, r, k, layout,
                  bText ? DocText(r, k) : std::wstring());
    });
}

// Equation rows keep their places whatever n is: only the last column changes its meaning (the
// right-hand side becomes a coefficient or the other way round), the last label its sign, and
// the answer row its height.
void CHaltiqoView::ResizeGrid(int m)
{
    const int n = m_nGridSize - 1;
    if (m_ppEntry == nullptr) {
        BuildGrid(m);
        return;
    }
    if (m == n)
        return;
    const CWaitCursor wait;
    {
        const CRedrawOff redrawOff(m_hWnd);
        HWND hFocus = ::GetFocus();
        DestroyLeavingWindows(m);
        MoveKeptWindows(m);
        CreateArrivingWindows(n, m);
        PlaceAnswerRow(n, m);
        if (hFocus != nullptr && !::IsWindow(hFocus))
            m_editN.SetFocus();
    }
    SetGridScrollSizes();
    InvalidateRect(nullptr, FALSE);
}

void CHaltiqoView::DestroyLeavingWindows(int m)
{
    const CGridLayout from = Layout();
    const CGridLayout to(m);
    from.ForEachBox([&](bool bEntry, int r, int k) {
        if (IsKept(bEntry, r, k, from, to))
            return;
        if (bEntry)
            DestroyEntry(m_ppEntry[r][k]);
        else
            m_ppLabel[r][k].DestroyWindow();
    });
}

// What stays moves to new tables under its new identifier; the kept rows' last column and last
// label take their new meaning.
void CHaltiqoView::MoveKeptWindows(int m)
{
    const CGridLayout from = Layout();
    const CGridLayout to(m);
    const int S = to.Size();
    CEdit** ppEntry = new CEdit*[S];
    CEdit** ppLabel = new CEdit*[S];
    for (int r = 0; r < S; ++r) {
        ppEntry[r] = new CEdit[S];
        ppLabel[r] = new CEdit[S];
    }
    from.ForEachBox([&](bool bEntry, int r, int k) {
        if (!IsKept(bEntry, r, k, from, to))
            return;
        const int rTo = KeptRow(r, from.Count(), m);
        CEdit& box = (bEntry ? ppEntry : ppLabel)[rTo][k];
        box.Attach((bEntry ? m_ppEntry : m_ppLabel)[r][k].Detach());
        box.SetDlgCtrlID(static_cast<int>(bEntry ? to.EntryId(rTo, k) : to.LabelId(rTo, k)));
    });
    FreeTables(); // only empty objects are left in them
    m_ppEntry = ppEntry;
    m_ppLabel = ppLabel;
    m_nGridSize = S;

    const int nKeep = std::min(from.Count(), m);
    for (int r = 0; r < nKeep; ++r) {
        WriteBox(m_ppEntry[r][nKeep], DocText(r, nKeep));
        m_ppLabel[r][nKeep - 1].SetWindowText(to.LabelText(r, nKeep - 1).c_str());
    }
}

// Growing: the new columns of the kept rows, then the new rows. A window made goes to the end of
// the z-order, which is the Tab order; a change of place in it costs about a window's making, so
// either each new window of a kept row moves up behind its row, or (fewer moves when few rows
// are kept) each kept row after the first moves down to the end before its new windows.
void CHaltiqoView::CreateArrivingWindows(int n, int m)
{
    const CGridLayout from(n);
    const CGridLayout to(m);
    const bool bMoveKeptRows = m > n && (n - 1) * (2 * n + 1) < 2 * (m - n) * n;
    for (int r = 0; r < m; ++r) {
        const bool bKeptRow = from.IsEquationRow(r);
        HWND hAfter = bKeptRow && !bMoveKeptRows ? m_ppEntry[r][n].m_hWnd : nullptr;
        if (bMoveKeptRows && bKeptRow && r > 0) {
            for (int k = 0; k <= n; ++k) {
                PlaceAfter(m_ppEntry[r][k].m_hWnd, HWND_BOTTOM);
                if (from.HasLabel(r, k))
                    PlaceAfter(m_ppLabel[r][k].m_hWnd, HWND_BOTTOM);
            }
        }
        for (int k = bKeptRow ? n : 0; k <= m; ++k) {
            for (const bool bEntry : {true, false}) {
                const bool bThere = bEntry ? to.HasEntry(r, k) : to.HasLabel(r, k);
                const bool bWasThere =
                    bKeptRow && (bEntry ? from.HasEntry(r, k) : from.HasLabel(r, k));
                if (!bThere || bWasThere)
                    continue;
                CEdit& box = (bEntry ? m_ppEntry : m_ppLabel)[r][k];
                CreateBox(box, bEntry, r, k, to, bEntry ? DocText(r, k) : std::wstring());
                if (hAfter != nullptr) {
                    PlaceAfter(box.m_hWnd, hAfter);
                    hAfter = box.m_hWnd;
                }
            }
        }
    }
}

// The answer row moves to its new height and, when rows were added, to the end again; new
// unknowns get their answer boxes.
void CHaltiqoView::PlaceAnswerRow(int n, int m)
{
    const CGridLayout to(m);
    const UINT nOrder = m > n ? 0 : SWP_NOZORDER;
    for (int k = 0; k < std::min(n, m); ++k) {
        for (const bool bEntry : {false, true}) {
            const CRect rc = Place(bEntry ? to.EntryRect(m, k) : to.LabelRect(m, k));
            ::SetWindowPos((bEntry ? m_ppEntry : m_ppLabel)[m][k].m_hWnd, HWND_BOTTOM, rc.left,
                           rc.top, 0, 0, SWP_NOSIZE | kQuietPlacing | nOrder);
        }
    }
    for (int k = n; k < m; ++k) {
        CreateBox(m_ppLabel[m][k], false, m, k, to, std::wstring());
        CreateBox(m_ppEntry[m][k], true, m, k, to, std::wstring());
    }
}

void CHaltiqoView::DestroyGrid()
{
    if (m_ppEntry == nullptr)
        return;
    {
        const CRedrawOff redrawOff(m_hWnd);
        Layout().ForEachBox([&](bool bEntry, int r, int k) {
            if (bEntry)
                DestroyEntry(m_ppEntry[r][k]);
            else
                m_ppLabel[r][k].DestroyWindow();
        });
    }
    FreeTables();
}

void CHaltiqoView::FreeTables()
{
    for (int r = 0; r < m_nGridSize; ++r) {
        delete[] m_ppEntry[r];
        delete[] m_ppLabel[r];
        m_ppEntry[r] = nullptr;
        m_ppLabel[r] = nullptr;
    }
    delete[] m_ppEntry;
    delete[] m_ppLabel;
    m_ppEntry = nullptr;
    m_ppLabel = nullptr;
}

void CHaltiqoView::DestroyEntry(CEdit& box)
{
    m_notes.Forget(box.m_hWnd);
    box.DestroyWindow();
}

void CHaltiqoView::CatchUpGrid()
{
    if (!m_bGridBehind)
        return;
    m_bGridBehind = FALSE;
    ::KillTimer(m_hWnd, kCatchUpTimer);
    ResizeGrid(GetDocument()->System().Count());
}

void CHaltiqoView::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kCatchUpTimer) {
        CatchUpGrid();
    } else if (nIDEvent == kFullTimer) {
        ::KillTimer(m_hWnd, kFullTimer);
        m_notes.HideFull();
    }
}

void CHaltiqoView::WriteBox(CEdit& box, const std::wstring& text)
{
    if (box.m_hWnd == nullptr || box.GetWindowText() == text)
        return;
    const BOOL bWriting = m_bWriting;
    m_bWriting = TRUE;
    box.SetWindowText(text.c_str());
    m_bWriting = bWriting;
}

void CHaltiqoView::ShowStep(const CSystemTable::Step& step)
{
    const CGridLayout layout = Layout();
    const CSystemTable& system = GetDocument()->System();
    for (const CSystemTable::CellChange& cell : step.cells) {
        const int k = layout.ColumnOf(cell.nCell);
        if (layout.IsEquationRow(cell.nRow) && k >= 0)
            WriteBox(m_ppEntry[cell.nRow][k], system.Text(cell.nRow, cell.nCell));
    }
}

// Its count, its texts, no answers yet.
void CHaltiqoView::ShowWholeSystem()
{
    WriteCount();
    const CGridLayout layout = Layout();
    layout.ForEachBox([&](bool bEntry, int r, int k) {
        if (bEntry)
            WriteBox(m_ppEntry[r][k], layout.IsEquationRow(r) ? DocText(r, k) : std::wstring());
    });
    m_bAnswersUnique = FALSE;
    MarkAnswersStale(FALSE);
}
