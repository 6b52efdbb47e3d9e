#include "HaltiqoView.h"

#include <algorithm>
#include <string>

#include "core/BlockText.h"
#include "core/ExactSystem.h"
#include "core/NumberText.h"

IMPLEMENT_DYNCREATE(CHaltiqoView, CFormView)

BEGIN_MESSAGE_MAP(CHaltiqoView, CFormView)
ON_WM_SIZE()
ON_BN_CLICKED(IDC_CALC, OnCalc)
ON_EN_CHANGE(IDC_EDIT_N, OnChangeEditN)
ON_NOTIFY(UDN_DELTAPOS, IDC_SPIN_N, OnDeltaposSpinN)
ON_EN_SETFOCUS(IDC_EDIT_N, OnSetfocusEditN)
END_MESSAGE_MAP()

namespace {

// Scrolling sideways, so a box keeps every character typed or pasted, whatever its width.
const DWORD kEntryStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
const DWORD kLabelStyle = WS_CHILD | WS_VISIBLE;
const int kMinUnknowns = 2;
// The solve command reads at most 255 characters of a box; the limit also keeps a pasted page
// from stalling the edit control.
const int kEntryTextLimit = 255;
const int kMaxUnknowns = 26;

// " ＝ " and " + " after the unknown's letter.
const wchar_t kEqualsSign[] = L" \xFF1D ";
const wchar_t kPlusSign[] = L" + ";
// 解無し: no solution.
const wchar_t kNoSolution[] = L"\x89E3\x7121\x3057";
// その式では解が定まりません！！ / 値を確認してください。
const wchar_t kNoSolutionMessage[] =
    L"\x305D\x306E\x5F0F\x3067\x306F\x89E3\x304C\x5B9A\x307E\x308A\x307E\x305B\x3093\xFF01\xFF01"
    L"\n\x5024\x3092\x78BA\x8A8D\x3057\x3066\x304F\x3060\x3055\x3044\x3002";

// Keeps a shown window from drawing while it lives, then repaints it and its children once:
// a grid of hundreds of boxes would otherwise be drawn box by box as it is made or taken down.
// Inside another one, or on a window not shown, it does nothing.
class CRedrawOff {
public:
    explicit CRedrawOff(HWND hWnd) : m_hWnd(::IsWindowVisible(hWnd) ? hWnd : nullptr)
    {
        if (m_hWnd != nullptr)
            ::SendMessageW(m_hWnd, WM_SETREDRAW, FALSE, 0);
    }
    ~CRedrawOff()
    {
        if (m_hWnd == nullptr)
            return;
        ::SendMessageW(m_hWnd, WM_SETREDRAW, TRUE, 0);
        ::RedrawWindow(m_hWnd, nullptr, nullptr,
                       RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    CRedrawOff(const CRedrawOff&) = delete;
    CRedrawOff& operator=(const CRedrawOff&) = delete;

private:
    HWND m_hWnd;
};

int ColumnX(int k)
{
    return 132 + 150 * k;
}

int RowY(int r)
{
    return 90 + 25 * r;
}

std::wstring Widen(const std::string& text)
{
    return std::wstring(text.begin(), text.end()); // the number texts are plain ASCII
}

std::wstring ReadClipboardText(HWND hOwner)
{
    std::wstring text;
    if (!::OpenClipboard(hOwner))
        return text;
    if (HANDLE hData = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* pText = static_cast<const wchar_t*>(::GlobalLock(hData))) {
            text.assign(pText, ::wcsnlen(pText, ::GlobalSize(hData) / sizeof(wchar_t)));
            ::GlobalUnlock(hData);
        }
    }
    ::CloseClipboard();
    return text;
}

// "3 行目" or "1～3 行目"; "b" or "a～右辺".
std::wstring RowRange(int nFirst, int nLast)
{
    std::wstring text = std::to_wstring(nFirst + 1);
    if (nLast != nFirst)
        text += L"～" + std::to_wstring(nLast + 1);
    return text + L" 行目";
}

std::wstring ColumnName(int k, int n)
{
    return k < n ? std::wstring(1, static_cast<wchar_t>(L'a' + k)) : std::wstring(L"右辺");
}

std::wstring ColumnRange(int nFirst, int nLast, int n)
{
    std::wstring text = ColumnName(nFirst, n);
    if (nLast != nFirst)
        text += L"～" + ColumnName(nLast, n);
    return text;
}

} // namespace

CHaltiqoView::CHaltiqoView()
    : CFormView(CHaltiqoView::IDD), m_n(0), m_ppEntry(nullptr), m_ppLabel(nullptr), m_nGridSize(0),
      m_nFocusCol(0), m_nFocusRow(0)
{
}

CHaltiqoView::~CHaltiqoView()
{
    DestroyGrid();
}

BOOL CHaltiqoView::PreCreateWindow(CREATESTRUCTW& cs)
{
    return CFormView::PreCreateWindow(cs);
}

void CHaltiqoView::OnSize(UINT nType, int cx, int cy)
{
    CFormView::OnSize(nType, cx, cy);
}

void CHaltiqoView::BuildGrid(int n)
{
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    CreateGridWindows(n);
    const int S = n + 1;
    SetScrollSizes(MM_TEXT, CSize(150 * S + 30, 25 * S + 100));
    InvalidateRect(nullptr, FALSE);
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}

// The old grid's windows go and the new ones come while the view does not draw.
void CHaltiqoView::CreateGridWindows(int n)
{
    const CRedrawOff redrawOff(m_hWnd);
    DestroyGrid();
    const int S = n + 1;
    m_nGridSize = S;
    m_ppEntry = new CEdit*[S];
    m_ppLabel = new CEdit*[S];

    // The rectangles are relative to the form's origin, so a grid built while the view is
    // scrolled lines up with the form's own controls.
    const CPoint origin = GetDeviceScrollPosition();
    auto place = [&](int left, int top, int right, int bottom) {
        return CRect(left - origin.x, top - origin.y, right - origin.x, bottom - origin.y);
    };
    auto entryId = [S](int r, int k) {
        return static_cast<UINT>(5588 + k * S + r);
    };
    auto labelId = [S](int r, int k) {
        return static_cast<UINT>(5588 + S * S + k * S + r);
    };

    for (int r = 0; r <= n; ++r) {
        const int y = RowY(r);
        m_ppEntry[r] = new CEdit[S];
        m_ppLabel[r] = new CEdit[S];
        for (int k = 0; k <= n; ++k) {
            const int x = ColumnX(k);
            std::wstring label(1, static_cast<wchar_t>(L'a' + k));
            if (r < n) {
                m_ppEntry[r][k].Create(kEntryStyle, place(x - 102, y - 10, x - 2, y + 10), this,
                                       entryId(r, k));
                m_ppEntry[r][k].SendMessage(EM_SETLIMITTEXT, kEntryTextLimit);
                if (k < n) {
                    CEdit& rLabel = m_ppLabel[r][k];
                    rLabel.Create(kLabelStyle, place(x, y - 10, x + 38, y + 10), this,
                                  labelId(r, k));
                    label += k < n - 1 ? kPlusSign : kEqualsSign;
                    rLabel.SetWindowText(label.c_str());
                    rLabel.EnableWindow(FALSE);
                }
            } else if (k < n) {
                CEdit& rLabel = m_ppLabel[r][k];
                rLabel.Create(kLabelStyle, place(x - 100, y, x - 62, y + 20), this, labelId(r, k));
                m_ppEntry[r][k].Create(kEntryStyle, place(x - 62, y, x + 38, y + 20), this,
                                       entryId(r, k));
                m_ppEntry[r][k].SendMessage(EM_SETLIMITTEXT, kEntryTextLimit);
                label += kEqualsSign;
                rLabel.SetWindowText(label.c_str());
                rLabel.EnableWindow(FALSE);
            }
        }
    }
}

void CHaltiqoView::DestroyGrid()
{
    if (m_ppEntry == nullptr)
        return;
    const CRedrawOff redrawOff(m_hWnd);
    const int n = m_nGridSize - 1;
    for (int r = 0; r <= n; ++r) {
        for (int k = 0; k <= n; ++k) {
            if (r < n) {
                m_ppEntry[r][k].DestroyWindow();
                if (k < n)
                    m_ppLabel[r][k].DestroyWindow();
            } else if (k < n) {
                m_ppLabel[r][k].DestroyWindow();
                m_ppEntry[r][k].DestroyWindow();
            }
        }
    }
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

// Every digit shown is the exact solution of the equations as typed, correctly rounded; a system
// without exactly one solution answers "解無し" everywhere.
void CHaltiqoView::OnCalc()
{
    const int n = m_nGridSize - 1;
    CExactSystem system(n);
    CString message;
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));

    for (int i = 0; i < n; ++i) {
        for (int j = 0; j <= n; ++j) {
            wchar_t buffer[256];
            m_ppEntry[i][j].GetWindowText(buffer, 256);
            if (buffer[0] == L'\0')
                m_ppEntry[i][j].SetWindowText(L"0");
            system.SetText(i, j, buffer);
        }
    }

    if (system.Solve()) {
        for (int i = 0; i < n; ++i) {
            const std::string text = system.FormatAnswer(i);
            m_ppEntry[n][i].SetWindowText(Widen(text).c_str());
            message += Widen(NumberText::FormatResultLine(static_cast<char>('a' + i), text));
        }
    } else {
        for (int k = 0; k < n; ++k)
            m_ppEntry[n][k].SetWindowText(kNoSolution);
        message = kNoSolutionMessage;
    }

    MessageBox(message.c_str(), nullptr, MB_OK);
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}

void CHaltiqoView::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_EDIT_N, m_editN);
    DDX_Control(pDX, IDC_SPIN_N, m_spinN);
    // A count typed full-width ("１２", as an input method in kana mode writes it) counts too.
    DDX_Text(pDX, IDC_EDIT_N, m_n, NumberText::ToAsciiForms);
    DDV_MinMaxInt(pDX, m_n, kMinUnknowns, kMaxUnknowns);
}

void CHaltiqoView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    GetParentFrame()->RecalcLayout();
    ResizeParentToFit(TRUE);
    m_n = kMinUnknowns;
    CWnd* pEditN = GetDlgItem(IDC_EDIT_N);
    m_spinN.SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(pEditN ? pEditN->m_hWnd : nullptr),
                        0);
    m_spinN.SendMessage(UDM_SETRANGE, 0, MAKELPARAM(kMaxUnknowns, kMinUnknowns));
    m_spinN.SendMessage(UDM_SETPOS, 0, kMinUnknowns);
    UpdateData(FALSE);
    m_ppEntry = nullptr;
    BuildGrid(kMinUnknowns);
}

// Every change of the box's text is validated at once. The grid is rebuilt (and so emptied)
// only when the count really changes, so a refused or equal count keeps what was typed.
void CHaltiqoView::OnChangeEditN()
{
    const int nPrevious = m_n;
    const BOOL bAccepted = UpdateData(TRUE);
    // A refused count, in range or not, leaves n and everything typed as they were.
    if (m_n < kMinUnknowns || m_n > kMaxUnknowns)
        m_n = nPrevious >= kMinUnknowns && nPrevious <= kMaxUnknowns ? nPrevious : kMinUnknowns;
    m_spinN.SendMessage(UDM_SETPOS, 0, m_n & 0xFFFF);
    UpdateData(FALSE);
    // Rewriting the refused text puts the caret in front of the count; selected, the count is
    // replaced by the next key instead of gaining a digit in front ("7" after a refusal at 9
    // would otherwise make 79).
    if (!bAccepted)
        m_editN.SetSel(0, -1);
    if (m_n != m_nGridSize - 1)
        BuildGrid(m_n);
}

void CHaltiqoView::OnDeltaposSpinN(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMUPDOWN* pNMUpDown = reinterpret_cast<const NMUPDOWN*>(pNMHDR);
    UpdateData(TRUE);
    // The low word is the position; the high word only carries the control's error flag.
    const DWORD dwAnswer = m_spinN.GetPos();
    m_n = static_cast<short>(LOWORD(dwAnswer)) + pNMUpDown->iDelta;
    if (m_n > kMaxUnknowns)
        m_n = kMaxUnknowns;
    if (m_n < kMinUnknowns)
        m_n = kMinUnknowns;
    UpdateData(FALSE);
    if (m_n != m_nGridSize - 1)
        BuildGrid(m_n);
    *pResult = 0;
}

void CHaltiqoView::RecordEntryBox(HWND hWnd)
{
    int nRow = 0;
    int nCol = 0;
    if (FindEntryBox(hWnd, nRow, nCol)) {
        m_nFocusCol = nCol;
        m_nFocusRow = nRow;
    }
}

BOOL CHaltiqoView::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_LBUTTONDOWN)
        RecordEntryBox(pMsg->hwnd);
    const bool bUpOrDown = pMsg->wParam == VK_UP || pMsg->wParam == VK_DOWN;
    if (pMsg->message == WM_KEYDOWN && bUpOrDown && !(::GetKeyState(VK_SHIFT) & 0x8000) &&
        !(::GetKeyState(VK_CONTROL) & 0x8000)) {
        int nRow = 0;
        int nCol = 0;
        if (FindEntryBox(pMsg->hwnd, nRow, nCol)) {
            // At the top and bottom the key is spent, so the caret stays where it was.
            MoveFocusVertically(nRow, nCol, pMsg->wParam == VK_UP ? -1 : 1);
            return TRUE;
        }
    }
    return CFormView::PreTranslateMessage(pMsg);
}

BOOL CHaltiqoView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The box with the caret is the one the Edit commands act on, however the caret got there.
    if (HIWORD(wParam) == EN_SETFOCUS && lParam != 0)
        RecordEntryBox(reinterpret_cast<HWND>(lParam));
    // Any edit after a block paste is a newer step than the paste.
    if (HIWORD(wParam) == EN_CHANGE)
        m_pBlockUndo.reset();
    return CFormView::OnCommand(wParam, lParam);
}

void CHaltiqoView::OnSetfocusEditN()
{
    m_nFocusCol = -1;
}

BOOL CHaltiqoView::FindEntryBox(HWND hWnd, int& nRow, int& nCol) const
{
    if (m_ppEntry == nullptr || hWnd == nullptr || ::GetParent(hWnd) != m_hWnd)
        return FALSE;
    // Identifiers run down the columns: 5588 + k × (n + 1) + r.
    const int S = m_nGridSize;
    const int nIndex = ::GetDlgCtrlID(hWnd) - 5588;
    if (nIndex < 0 || nIndex >= S * S || m_ppEntry[nIndex % S][nIndex / S].m_hWnd != hWnd)
        return FALSE;
    nRow = nIndex % S;
    nCol = nIndex / S;
    return TRUE;
}

void CHaltiqoView::MoveFocusVertically(int nRow, int nCol, int nStep)
{
    const int n = m_nGridSize - 1;
    const int nTo = nRow + nStep;
    // Rows 0..n-1 hold every column; the answer row n only the unknowns'.
    if (nTo < 0 || nTo > n || (nTo == n && nCol == n))
        return;
    CEdit& rBox = m_ppEntry[nTo][nCol];
    rBox.SetFocus();
    rBox.SetSel(0, -1);
    ScrollIntoView(rBox.m_hWnd);
}

std::wstring CHaltiqoView::GetEntryText(int nRow, int nCol) const
{
    return m_ppEntry[nRow][nCol].GetWindowText();
}

void CHaltiqoView::SetCount(int n)
{
    int nRow = 0;
    int nCol = 0;
    const BOOL bFocusInGrid = FindEntryBox(::GetFocus(), nRow, nCol);
    m_n = n;
    m_spinN.SendMessage(UDM_SETPOS, 0, n);
    UpdateData(FALSE); // the box's change notice rebuilds the grid
    if (n != m_nGridSize - 1)
        BuildGrid(n);
    // The focused box went with the old grid; the first box, where a whole system is pasted,
    // takes its place.
    if (bFocusInGrid)
        m_ppEntry[0][0].SetFocus();
    m_nFocusCol = 0;
    m_nFocusRow = 0;
}

BOOL CHaltiqoView::PasteBlock()
{
    const std::wstring text = ReadClipboardText(m_hWnd);
    if (text.empty())
        return FALSE;
    const BlockText::Block block = BlockText::Split(text);
    if (block.IsSingleCell())
        return FALSE;

    const int n = m_nGridSize - 1;
    const int nRows = block.Rows();
    const int nCols = block.Columns();
    const int r0 = m_nFocusRow;
    const int k0 = m_nFocusCol;
    // A record left outside a smaller grid names no box: like every Edit command, do nothing.
    if (k0 >= 0 && (m_ppEntry == nullptr || k0 > n || r0 < 0 || r0 > n || (r0 == n && k0 == n)))
        return TRUE;
    const bool bFromEquation = k0 >= 0 && r0 < n;
    // m rows of m + 1 cells: the equations of a whole system.
    const bool bWholeSystem =
        nRows >= kMinUnknowns && nRows <= kMaxUnknowns &&
        std::all_of(block.rows.begin(), block.rows.end(),
                    [&](const auto& row) { return row.size() == nRows + 1u; });
    const bool bSystem = bWholeSystem && bFromEquation && r0 == 0 && k0 == 0;
    if (!bSystem && (!bFromEquation || r0 + nRows > n || k0 + nCols > n + 1)) {
        RefuseBlock(nRows, nCols, bWholeSystem);
        return TRUE;
    }

    auto pUndo = std::make_unique<BlockUndo>();
    pUndo->nCount = n;
    const bool bResize = bSystem && nRows != n;
    if (bResize) {
        for (int r = 0; r <= n; ++r)
            for (int k = 0; k <= n; ++k)
                if (r < n || k < n)
                    pUndo->texts.push_back({r, k, GetEntryText(r, k)});
        SetCount(nRows);
    }
    for (int i = 0; i < nRows; ++i) {
        for (int j = 0; j < static_cast<int>(block.rows[i].size()); ++j) {
            if (!bResize)
                pUndo->texts.push_back({r0 + i, k0 + j, GetEntryText(r0 + i, k0 + j)});
            const std::wstring cell = block.rows[i][j].substr(0, kEntryTextLimit);
            m_ppEntry[r0 + i][k0 + j].SetWindowText(cell.c_str());
        }
    }
    m_pBlockUndo = std::move(pUndo); // after the fill, whose change notices clear it
    return TRUE;
}

BOOL CHaltiqoView::UndoBlockPaste()
{
    if (!m_pBlockUndo)
        return FALSE;
    const std::unique_ptr<BlockUndo> pUndo = std::move(m_pBlockUndo);
    if (pUndo->nCount != m_nGridSize - 1)
        SetCount(pUndo->nCount);
    for (const BoxText& box : pUndo->texts)
        m_ppEntry[box.nRow][box.nCol].SetWindowText(box.text.c_str());
    return TRUE;
}

// Says how large the block is, why it cannot go where the Edit commands act, and where it could.
void CHaltiqoView::RefuseBlock(int nRows, int nCols, bool bWholeSystem)
{
    const int n = m_nGridSize - 1;
    std::wstring message = L"貼り付ける値は " + std::to_wstring(nRows) + L" 行 " +
                           std::to_wstring(nCols) + L" 列です。\n";
    if (m_nFocusCol < 0)
        message += L"n の欄には貼り付けられません。\n";
    else if (m_nFocusRow >= n)
        message += L"答えの欄には貼り付けられません。\n";
    else
        message += std::to_wstring(m_nFocusRow + 1) + L" 行目の " + ColumnName(m_nFocusCol, n) +
                   L" の欄からでは、式の欄に収まりません。\n";

    if (nRows <= n && nCols <= n + 1) {
        message += RowRange(0, n - nRows) + L"の " + ColumnRange(0, n + 1 - nCols, n) +
                   L" の欄から貼り付けてください。";
    } else if (std::max(nRows, nCols - 1) <= kMaxUnknowns) {
        message += L"n を " + std::to_wstring(std::max(nRows, nCols - 1)) +
                   L" 以上にしてから貼り付けてください。";
    } else {
        message += L"式は " + std::to_wstring(kMaxUnknowns) +
                   L" 個までなので、この大きさは貼り付けられません。";
    }
    if (bWholeSystem && nRows != n)
        message += L"\n連立方程式の全体なら、1 行目の a の欄に貼り付けると n が " +
                   std::to_wstring(nRows) + L" になります。";
    MessageBox(message.c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
}
