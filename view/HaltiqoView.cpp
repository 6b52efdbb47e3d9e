#include "HaltiqoView.h"

#include <algorithm>
#include <string>

#include "app/HaltiqoDoc.h"
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
ON_EN_KILLFOCUS(IDC_EDIT_N, OnKillfocusEditN)
ON_WM_CTLCOLOREDIT()
ON_MESSAGE_ENTRY(WM_TIMER, pThis->OnTimer(static_cast<UINT_PTR>(wParam)))
ON_MESSAGE_ENTRY(CHaltiqoView::WM_TAKE_BACK, pThis->TakeBackCutInsertion())
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
const UINT_PTR kCatchUpTimer = 1;

// " ＝ " and " + " after the unknown's letter.
const wchar_t kEqualsSign[] = L" \xFF1D ";
const wchar_t kPlusSign[] = L" + ";
// 解無し: no solution.
const wchar_t kNoSolution[] = L"\x89E3\x7121\x3057";
// その式では解が定まりません！！ / 値を確認してください。
const wchar_t kNoSolutionMessage[] =
    L"\x305D\x306E\x5F0F\x3067\x306F\x89E3\x304C\x5B9A\x307E\x308A\x307E\x305B\x3093\xFF01\xFF01"
    L"\n\x5024\x3092\x78BA\x8A8D\x3057\x3066\x304F\x3060\x3055\x3044\x3002";
// The message when the solution is not unique, and the answer of an unknown left free.
const wchar_t kIndefiniteMessage[] = L"その式では解が一つに定まりません（不定）。\n";
const wchar_t kArbitrary[] = L"任意";

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

// Where the boxes of row r, column k stand in a grid for n unknowns, relative to the form.
CRect EntryRect(int r, int k, int n)
{
    const int x = ColumnX(k);
    const int y = RowY(r);
    return r < n ? CRect(x - 102, y - 10, x - 2, y + 10) : CRect(x - 62, y, x + 38, y + 20);
}

CRect LabelRect(int r, int k, int n)
{
    const int x = ColumnX(k);
    const int y = RowY(r);
    return r < n ? CRect(x, y - 10, x + 38, y + 10) : CRect(x - 100, y, x - 62, y + 20);
}

// Identifiers run down the columns, entry boxes first, then the labels: they depend on
// S = n + 1.
const int kFirstGridId = 5588;

UINT EntryId(int r, int k, int S)
{
    return static_cast<UINT>(kFirstGridId + k * S + r);
}

UINT LabelId(int r, int k, int S)
{
    return EntryId(r, k, S) + static_cast<UINT>(S * S);
}

// The row and column an identifier gives an entry box; false for any other identifier.
bool EntryCell(int nId, int S, int& r, int& k)
{
    const int nIndex = nId - kFirstGridId;
    if (nIndex < 0 || nIndex >= S * S)
        return false;
    r = nIndex % S;
    k = nIndex / S;
    return true;
}

// The unknown's letter and the sign after it: " + " before another unknown, else " ＝ ".
std::wstring LabelText(int r, int k, int n)
{
    return std::wstring(1, static_cast<wchar_t>(L'a' + k)) +
           (r < n && k < n - 1 ? kPlusSign : kEqualsSign);
}

// The view does not draw while its grid changes and repaints it whole afterwards, so a window
// placed meanwhile needs no redrawing of its own.
const UINT kQuietPlacing = SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS | SWP_DEFERERASE |
                           SWP_NOSENDCHANGING | SWP_NOOWNERZORDER;

void PlaceAfter(HWND hWnd, HWND hAfter)
{
    ::SetWindowPos(hWnd, hAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | kQuietPlacing);
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
    if (m_hNoteTip != nullptr && ::IsWindow(m_hNoteTip))
        ::DestroyWindow(m_hNoteTip);
    for (HBRUSH hBrush : {m_hWarningBrush, m_hErrorBrush})
        if (hBrush != nullptr)
            ::DeleteObject(hBrush);
}

CHaltiqoDoc* CHaltiqoView::GetDocument() const
{
    return static_cast<CHaltiqoDoc*>(m_pDocument);
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

// The rectangles are relative to the form's origin, so a grid built while the view is scrolled
// lines up with the form's own controls.
CRect CHaltiqoView::Place(const RECT& rect) const
{
    const CPoint origin = GetDeviceScrollPosition();
    return CRect(rect.left - origin.x, rect.top - origin.y, rect.right - origin.x,
                 rect.bottom - origin.y);
}

int CHaltiqoView::CellOf(int nCol) const
{
    return nCol == m_nGridSize - 1 ? CSystemTable::kRhs : nCol;
}

const std::wstring& CHaltiqoView::DocText(int nRow, int nCol) const
{
    return GetDocument()->System().Text(nRow, CellOf(nCol));
}

void CHaltiqoView::CreateBox(CEdit& box, bool bEntry, int r, int k, int n, const std::wstring& text)
{
    const int S = n + 1;
    if (bEntry) {
        box.Create(kEntryStyle, Place(EntryRect(r, k, n)), this, EntryId(r, k, S), text.c_str());
        box.SendMessage(EM_SETLIMITTEXT, kEntryTextLimit);
        if (r < n && !text.empty())
            NoteEquationBox(box.m_hWnd, text);
    } else {
        // Made disabled, with its text: the same window as one disabled after, one request less.
        box.Create(kLabelStyle | WS_DISABLED, Place(LabelRect(r, k, n)), this, LabelId(r, k, S),
                   text.c_str());
    }
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
    for (int r = 0; r <= n; ++r) {
        m_ppEntry[r] = new CEdit[S];
        m_ppLabel[r] = new CEdit[S];
        for (int k = 0; k <= n; ++k) {
            if (r < n) {
                CreateBox(m_ppEntry[r][k], true, r, k, n, DocText(r, k));
                if (k < n)
                    CreateBox(m_ppLabel[r][k], false, r, k, n, LabelText(r, k, n));
            } else if (k < n) {
                CreateBox(m_ppLabel[r][k], false, r, k, n, LabelText(r, k, n));
                CreateBox(m_ppEntry[r][k], true, r, k, n, L"");
            }
        }
    }
}

// Equation rows keep their places whatever n is: only the last column changes its meaning (the
// right-hand side becomes a coefficient or the other way round), the last label its sign, and
// the answer row its height. Windows are created at the end of the z-order, which is the Tab
// order, and put where a fresh build would have made them.
void CHaltiqoView::ResizeGrid(int m)
{
    const int n = m_nGridSize - 1;
    if (m_ppEntry == nullptr) {
        BuildGrid(m);
        return;
    }
    if (m == n)
        return;
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    {
        const CRedrawOff redrawOff(m_hWnd);
        HWND hFocus = ::GetFocus();
        const int S = m + 1;
        const int nKeep = std::min(n, m);

        for (int r = 0; r < n; ++r) {
            for (int k = 0; k <= n; ++k) {
                if (r >= m || k > m)
                    DestroyEntry(m_ppEntry[r][k]);
                if (k < n && (r >= m || k >= m))
                    m_ppLabel[r][k].DestroyWindow();
            }
        }
        for (int k = m; k < n; ++k) {
            m_ppLabel[n][k].DestroyWindow();
            DestroyEntry(m_ppEntry[n][k]);
        }

        // What stays moves to the new tables under its new identifier.
        CEdit** ppEntry = new CEdit*[S];
        CEdit** ppLabel = new CEdit*[S];
        for (int r = 0; r <= m; ++r) {
            ppEntry[r] = new CEdit[S];
            ppLabel[r] = new CEdit[S];
        }
        auto keep = [](CEdit& from, CEdit& to, UINT nID) {
            to.Attach(from.Detach());
            to.SetDlgCtrlID(static_cast<int>(nID));
        };
        for (int r = 0; r < nKeep; ++r) {
            for (int k = 0; k <= nKeep; ++k) {
                keep(m_ppEntry[r][k], ppEntry[r][k], EntryId(r, k, S));
                if (k < nKeep)
                    keep(m_ppLabel[r][k], ppLabel[r][k], LabelId(r, k, S));
            }
        }
        for (int k = 0; k < nKeep; ++k) {
            keep(m_ppLabel[n][k], ppLabel[m][k], LabelId(m, k, S));
            keep(m_ppEntry[n][k], ppEntry[m][k], EntryId(m, k, S));
        }
        FreeTables(); // only empty objects are left in them
        m_ppEntry = ppEntry;
        m_ppLabel = ppLabel;
        m_nGridSize = S;

        for (int r = 0; r < nKeep; ++r) {
            WriteBox(m_ppEntry[r][nKeep], DocText(r, nKeep));
            m_ppLabel[r][nKeep - 1].SetWindowText(LabelText(r, nKeep - 1, m).c_str());
        }
        // Growing: the new columns of the kept rows, then the new rows. A window made goes to the
        // end of the z-order; a change of place in it costs about a window's making, so either
        // each new window of a kept row moves up behind its row, or (fewer moves when few rows
        // are kept) each kept row after the first moves down to the end before its new windows.
        const bool bMoveKeptRows = m > n && (n - 1) * (2 * n + 1) < 2 * (m - n) * n;
        for (int r = 0; r < m; ++r) {
            HWND hAfter = r < n && !bMoveKeptRows ? m_ppEntry[r][n].m_hWnd : nullptr;
            for (int k = 0; bMoveKeptRows && r > 0 && r < n && k <= n; ++k) {
                PlaceAfter(m_ppEntry[r][k].m_hWnd, HWND_BOTTOM);
                if (k < n)
                    PlaceAfter(m_ppLabel[r][k].m_hWnd, HWND_BOTTOM);
            }
            for (int k = r < n ? n : 0; k <= m; ++k) {
                if (r >= n || k > n) {
                    CreateBox(m_ppEntry[r][k], true, r, k, m, DocText(r, k));
                    if (hAfter != nullptr)
                        PlaceAfter(m_ppEntry[r][k].m_hWnd, hAfter);
                    hAfter = hAfter ? m_ppEntry[r][k].m_hWnd : nullptr;
                }
                if (k < m && (r >= n || k >= n)) {
                    CreateBox(m_ppLabel[r][k], false, r, k, m, LabelText(r, k, m));
                    if (hAfter != nullptr)
                        PlaceAfter(m_ppLabel[r][k].m_hWnd, hAfter);
                    hAfter = hAfter ? m_ppLabel[r][k].m_hWnd : nullptr;
                }
            }
        }
        // The answer row moves to its new height and, when rows were added, to the end again.
        const UINT nOrder = m > n ? 0 : SWP_NOZORDER;
        for (int k = 0; k < nKeep; ++k) {
            for (const bool bEntry : {false, true}) {
                const CRect rc = Place(bEntry ? EntryRect(m, k, m) : LabelRect(m, k, m));
                ::SetWindowPos((bEntry ? m_ppEntry : m_ppLabel)[m][k].m_hWnd, HWND_BOTTOM, rc.left,
                               rc.top, 0, 0, SWP_NOSIZE | kQuietPlacing | nOrder);
            }
        }
        for (int k = n; k < m; ++k) {
            CreateBox(m_ppLabel[m][k], false, m, k, m, LabelText(m, k, m));
            CreateBox(m_ppEntry[m][k], true, m, k, m, L"");
        }
        if (hFocus != nullptr && !::IsWindow(hFocus))
            m_editN.SetFocus();
    }
    SetScrollSizes(MM_TEXT, CSize(150 * (m + 1) + 30, 25 * (m + 1) + 100));
    InvalidateRect(nullptr, FALSE);
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}

void CHaltiqoView::DestroyGrid()
{
    if (m_ppEntry == nullptr)
        return;
    {
        const CRedrawOff redrawOff(m_hWnd);
        const int n = m_nGridSize - 1;
        for (int r = 0; r <= n; ++r) {
            for (int k = 0; k <= n; ++k) {
                if (r < n) {
                    DestroyEntry(m_ppEntry[r][k]);
                    if (k < n)
                        m_ppLabel[r][k].DestroyWindow();
                } else if (k < n) {
                    m_ppLabel[r][k].DestroyWindow();
                    DestroyEntry(m_ppEntry[r][k]);
                }
            }
        }
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

void CHaltiqoView::WriteBox(CEdit& box, const std::wstring& text)
{
    if (box.m_hWnd == nullptr || box.GetWindowText() == text)
        return;
    const BOOL bWriting = m_bWriting;
    m_bWriting = TRUE;
    box.SetWindowText(text.c_str());
    m_bWriting = bWriting;
}

// Every digit shown is the exact solution of the equations as typed, correctly rounded; a system
// without exactly one solution answers "解無し" everywhere.
void CHaltiqoView::OnCalc()
{
    CatchUpGrid();
    CHaltiqoDoc* pDoc = GetDocument();
    pDoc->SealTyping();
    const int n = m_nGridSize - 1;
    CExactSystem system(n);
    CString message;

    // A box that divides by zero has no value: say which, and change nothing.
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j <= n; ++j) {
            if (NumberText::Read(DocText(i, j).substr(0, kEntryTextLimit)).kind ==
                NumberText::Reading::kZeroDenominator) {
                const std::wstring text = std::to_wstring(i + 1) + L" 行目の " + ColumnName(j, n) +
                                          L" の欄: 0 で割っています。";
                MessageBox(text.c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
                FocusBox(m_ppEntry[i][j]);
                return;
            }
        }
    }
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));

    for (int i = 0; i < n; ++i) {
        for (int j = 0; j <= n; ++j) {
            const std::wstring text = DocText(i, j).substr(0, kEntryTextLimit);
            // An empty box is a 0, and says so; the system means the same, so it is no step.
            if (text.empty()) {
                pDoc->SetTextQuietly(i, CellOf(j), L"0");
                WriteBox(m_ppEntry[i][j], L"0");
            }
            system.SetText(i, j, text.c_str());
        }
    }

    if (!system.Solve() && system.GetKind() == CExactSystem::Kind::kIndefinite)
        message = kIndefiniteMessage;
    if (system.GetKind() != CExactSystem::Kind::kNoSolution) {
        for (int i = 0; i < n; ++i) {
            const wchar_t letter = static_cast<wchar_t>(L'a' + i);
            if (system.IsFree(i)) {
                m_ppEntry[n][i].SetWindowText(kArbitrary);
                message += letter + std::wstring(L" は") + kArbitrary + L"\n";
                continue;
            }
            const std::string text = system.FormatAnswer(i);
            m_ppEntry[n][i].SetWindowText(Widen(text).c_str());
            // An expression is longer than its box: its tooltip shows it whole.
            SetNote(m_ppEntry[n][i].m_hWnd,
                    {Mark::kNone,
                     system.IsFixed(i)
                         ? NumberText::FormatExact(system.GetNumerator(i), system.GetDenominator())
                         : letter + (L" = " + Widen(text))});
            message += Widen(NumberText::FormatResultLine(static_cast<char>(letter), text));
        }
    } else {
        for (int k = 0; k < n; ++k)
            m_ppEntry[n][k].SetWindowText(kNoSolution);
        message = kNoSolutionMessage;
    }
    MarkAnswersStale(FALSE);

    MessageBox(message.c_str(), nullptr, MB_OK);
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}

void CHaltiqoView::MarkAnswersStale(BOOL bStale)
{
    if (m_bAnswersStale == bStale)
        return;
    m_bAnswersStale = bStale;
    const int n = m_nGridSize - 1;
    for (int k = 0; m_ppEntry != nullptr && k < n; ++k)
        m_ppEntry[n][k].Invalidate();
}

HBRUSH CHaltiqoView::OnCtlColorEdit(HDC hDC, HWND hWnd)
{
    if (const auto it = m_notes.find(hWnd); it != m_notes.end() && it->second.mark != Mark::kNone) {
        const bool bError = it->second.mark == Mark::kError;
        HBRUSH& hBrush = bError ? m_hErrorBrush : m_hWarningBrush;
        if (hBrush == nullptr)
            hBrush = ::CreateSolidBrush(bError ? kErrorColor : kWarningColor);
        ::SetTextColor(hDC, ::GetSysColor(COLOR_WINDOWTEXT));
        ::SetBkColor(hDC, bError ? kErrorColor : kWarningColor);
        return hBrush;
    }
    int nRow = 0;
    int nCol = 0;
    if (!m_bAnswersStale || !FindEntryBox(hWnd, nRow, nCol) || nRow != m_nGridSize - 1)
        return nullptr;
    ::SetTextColor(hDC, ::GetSysColor(COLOR_GRAYTEXT));
    ::SetBkColor(hDC, ::GetSysColor(COLOR_WINDOW));
    return ::GetSysColorBrush(COLOR_WINDOW);
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
    m_n = GetDocument()->System().Count();
    CWnd* pEditN = GetDlgItem(IDC_EDIT_N);
    m_spinN.SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(pEditN ? pEditN->m_hWnd : nullptr),
                        0);
    m_spinN.SendMessage(UDM_SETRANGE, 0, MAKELPARAM(kMaxUnknowns, kMinUnknowns));
    m_spinN.SendMessage(UDM_SETPOS, 0, m_n);
    UpdateData(FALSE);
    m_ppEntry = nullptr;
    BuildGrid(m_n);
}

// Every change of the system reaches the view here: the count, then the texts the step changed.
void CHaltiqoView::OnUpdate(CView*, LPARAM lHint, CObject* pHint)
{
    if (m_ppEntry == nullptr)
        return; // not shown yet: the initial update builds from the document
    MarkAnswersStale(TRUE);
    const CSystemTable& system = GetDocument()->System();
    const int n = system.Count();
    if (n != m_n) {
        m_n = n;
        if (!m_bSpinning)
            m_spinN.SendMessage(UDM_SETPOS, 0, n);
        int nTyped = 0;
        if (!ReadCount(nTyped) || nTyped != n)
            WriteCount();
    }
    if (n != m_nGridSize - 1) {
        // A held arrow key queues steps faster than a grid of hundreds of boxes follows: the
        // grid catches up once the keys are all taken.
        if (m_bSpinning && HIWORD(::GetQueueStatus(QS_KEY)) != 0) {
            m_bGridBehind = TRUE;
            ::SetTimer(m_hWnd, kCatchUpTimer, 0, nullptr);
            return;
        }
        ResizeGrid(n);
    }
    m_bGridBehind = FALSE;
    const auto* pSystemHint = dynamic_cast<const CSystemHint*>(pHint);
    if (pSystemHint == nullptr) {
        // Another system altogether (a file, a new one): its count, its texts, no answers yet.
        WriteCount();
        for (int r = 0; r < n; ++r)
            for (int k = 0; k <= n; ++k)
                WriteBox(m_ppEntry[r][k], DocText(r, k));
        for (int k = 0; k < n; ++k)
            WriteBox(m_ppEntry[n][k], L"");
        MarkAnswersStale(FALSE);
        return;
    }
    for (const CSystemTable::CellChange& cell : pSystemHint->m_step.cells) {
        const int k = cell.nCell == CSystemTable::kRhs ? n : cell.nCell;
        if (cell.nRow < n && k <= n)
            WriteBox(m_ppEntry[cell.nRow][k], system.Text(cell.nRow, cell.nCell));
    }
    if (lHint == CSystemHint::kReplayed)
        ShowChange(pHint);
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
    if (nIDEvent == kCatchUpTimer)
        CatchUpGrid();
}

// A paste the box cut to its limit itself (its own menu, or Shift+Insert) is taken back whole.
void CHaltiqoView::TakeBackCutInsertion()
{
    int r = 0;
    int k = 0;
    const CutInsertion cut = m_cut;
    m_cut = CutInsertion{};
    if (!FindEntryBox(cut.hBox, r, k) || r >= m_nGridSize - 1)
        return;
    CEdit& box = m_ppEntry[r][k];
    const std::wstring now = box.GetWindowText();
    if (now == cut.before)
        return; // nothing went in: a key typed at the limit
    const size_t nKept = cut.before.size() - (cut.dwEnd - cut.dwStart);
    std::wstring pasted = ReadClipboardText(m_hWnd);
    pasted = pasted.substr(0, pasted.find_first_of(L"\r\n")); // what a box pastes
    const size_t nWanted = nKept + std::max(pasted.size(), now.size() - nKept + 1);
    box.SetWindowText(cut.before.c_str());
    box.SetSel(static_cast<int>(cut.dwStart), static_cast<int>(cut.dwEnd));
    SealTyping();
    RefuseLongText(r, k, m_nGridSize - 1, nWanted);
}

void CHaltiqoView::ShowChange(const CObject* pHint)
{
    const int n = m_nGridSize - 1;
    for (const CSystemTable::CellChange& cell :
         static_cast<const CSystemHint*>(pHint)->m_step.cells) {
        const int k = cell.nCell == CSystemTable::kRhs ? n : cell.nCell;
        if (cell.nRow < n && k <= n) {
            FocusBox(m_ppEntry[cell.nRow][k]);
            return;
        }
    }
    FocusBox(m_editN);
}

void CHaltiqoView::FocusBox(CEdit& box)
{
    box.SetFocus();
    box.SetSel(0, -1);
    ScrollIntoView(box.m_hWnd);
}

BOOL CHaltiqoView::ReadCount(int& n) const
{
    wchar_t text[32]; // the count's exchange reads at most the first 31 characters
    const int nLength = ::GetWindowTextW(m_editN.m_hWnd, text, 32);
    int nRead = 0;
    if (!AfxParseDataExchangeInt(
            NumberText::ToAsciiForms(std::wstring_view(text, nLength > 0 ? nLength : 0)), nRead) ||
        nRead < kMinUnknowns || nRead > kMaxUnknowns)
        return FALSE;
    n = nRead;
    return TRUE;
}

void CHaltiqoView::WriteCount()
{
    m_n = GetDocument()->System().Count();
    UpdateData(FALSE); // its change notice is discarded
}

// A count is taken as soon as the text reads as one; texts on the way to one ("1" of 12, "-")
// wait for the box to be left.
void CHaltiqoView::OnChangeEditN()
{
    int n = 0;
    if (m_bWriting)
        return;
    if (ReadCount(n))
        GetDocument()->TypeCount(n);
    else if (::GetFocus() != m_editN.m_hWnd)
        RefuseCount(); // pasted from the menu, or cut: nobody is typing on towards a count
}

void CHaltiqoView::OnKillfocusEditN()
{
    int n = 0;
    if (m_bRefusingCount || ReadCount(n) || !::IsWindowVisible(m_hWnd))
        return; // a window on its way out asks nothing
    // Not when the person turns to another program: the text waits for their return.
    HWND hFocus = ::GetFocus();
    if (hFocus == nullptr || ::GetAncestor(hFocus, GA_ROOT) != ::GetAncestor(m_hWnd, GA_ROOT))
        return;
    RefuseCount();
}

void CHaltiqoView::RefuseCount()
{
    m_bRefusingCount = TRUE;
    UpdateData(TRUE); // the message; the focus goes back into the box
    WriteCount();
    m_editN.SetSel(0, -1);
    if (::GetFocus() == m_editN.m_hWnd)
        m_nFocusCol = -1;
    m_bRefusingCount = FALSE;
}

void CHaltiqoView::OnDeltaposSpinN(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMUPDOWN* pNMUpDown = reinterpret_cast<const NMUPDOWN*>(pNMHDR);
    SealTyping();
    // The low word is the position; the high word only carries the control's error flag.
    const DWORD dwAnswer = m_spinN.GetPos();
    int n = static_cast<short>(LOWORD(dwAnswer)) + pNMUpDown->iDelta;
    n = std::min(std::max(n, kMinUnknowns), kMaxUnknowns);
    m_bSpinning = TRUE;
    GetDocument()->SetCount(n);
    m_bSpinning = FALSE;
    WriteCount();
    SealTyping();
    *pResult = 0;
}

void CHaltiqoView::SealTyping()
{
    GetDocument()->SealTyping();
}

BOOL CHaltiqoView::UndoStep(BOOL bRedo)
{
    CatchUpGrid();
    // What is typed into an answer box is no step of the system; the box takes it back itself.
    if (!bRedo && m_nFocusCol >= 0 && m_nFocusRow == m_nGridSize - 1 && m_nFocusCol < m_nFocusRow) {
        CEdit& answer = m_ppEntry[m_nFocusRow][m_nFocusCol];
        if (answer.SendMessage(EM_CANUNDO) != 0)
            return answer.SendMessage(EM_UNDO) != 0;
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
    // Whatever comes after the arrow keys finds the grid of the count shown.
    const bool bKey = pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP;
    if (!bKey || (pMsg->wParam != VK_UP && pMsg->wParam != VK_DOWN))
        CatchUpGrid();
    if (pMsg->message == WM_LBUTTONDOWN)
        RecordEntryBox(pMsg->hwnd);
    int n = 0;
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && pMsg->hwnd == m_editN.m_hWnd &&
        !ReadCount(n)) {
        RefuseCount();
        return TRUE;
    }
    // Shift+Insert pastes as Ctrl+V does.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_INSERT &&
        (::GetKeyState(VK_SHIFT) & 0x8000) && !(::GetKeyState(VK_CONTROL) & 0x8000) &&
        FindEntryBox(pMsg->hwnd, n, n)) {
        GetParentFrame()->SendMessage(WM_COMMAND, ID_EDIT_PASTE);
        return TRUE;
    }
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
    HWND hControl = reinterpret_cast<HWND>(lParam);
    int nRow = 0;
    int nCol = 0;
    switch (lParam != 0 ? HIWORD(wParam) : 0) {
    case EN_SETFOCUS:
        // The box with the caret is the one the Edit commands act on, however it got there.
        RecordEntryBox(hControl);
        break;
    case EN_KILLFOCUS:
        SealTyping(); // a box's typing is one step up to leaving it
        break;
    case EN_MAXTEXT:
        // The box is cutting an insertion to fit: it is taken back once the box is done.
        if (!m_bWriting && FindEntryBox(hControl, nRow, nCol) && nRow < m_nGridSize - 1) {
            m_cut = {hControl, DocText(nRow, nCol), 0, 0};
            ::SendMessageW(hControl, EM_GETSEL, reinterpret_cast<WPARAM>(&m_cut.dwStart),
                           reinterpret_cast<LPARAM>(&m_cut.dwEnd));
            PostMessage(WM_TAKE_BACK);
        }
        break;
    case EN_CHANGE:
        // Typing in an equation box goes to the document at once; the answers are the view's.
        // Either way the box's note follows its text.
        if (FindEntryBox(hControl, nRow, nCol) && nRow < m_nGridSize - 1) {
            const std::wstring text = m_ppEntry[nRow][nCol].GetWindowText();
            NoteEquationBox(hControl, text);
            if (!m_bWriting)
                GetDocument()->TypeText(nRow, CellOf(nCol), text);
        } else if (m_notes.count(hControl) != 0) {
            SetNote(hControl, Note{}); // an answer written over
        }
        break;
    default:
        break;
    }
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
    int r = 0;
    int k = 0;
    if (!EntryCell(::GetDlgCtrlID(hWnd), m_nGridSize, r, k) || m_ppEntry[r][k].m_hWnd != hWnd)
        return FALSE;
    nRow = r;
    nCol = k;
    return TRUE;
}

bool CHaltiqoView::IsEntryBox(int nRow, int nCol) const
{
    const int n = m_nGridSize - 1;
    return m_ppEntry != nullptr && nRow >= 0 && nCol >= 0 && nRow <= n && nCol <= n &&
           !(nRow == n && nCol == n);
}

HWND CHaltiqoView::GetRecordedBox() const
{
    if (m_nFocusCol == -1)
        return m_editN.m_hWnd;
    return IsEntryBox(m_nFocusRow, m_nFocusCol) ? m_ppEntry[m_nFocusRow][m_nFocusCol].m_hWnd
                                                : nullptr;
}

void CHaltiqoView::MoveFocusVertically(int nRow, int nCol, int nStep)
{
    const int n = m_nGridSize - 1;
    const int nTo = nRow + nStep;
    // Rows 0..n-1 hold every column; the answer row n only the unknowns'.
    if (nTo < 0 || nTo > n || (nTo == n && nCol == n))
        return;
    FocusBox(m_ppEntry[nTo][nCol]);
}

BOOL CHaltiqoView::PasteBlock()
{
    CatchUpGrid();
    const std::wstring text = ReadClipboardText(m_hWnd);
    if (text.empty())
        return FALSE;
    const BlockText::Block block = BlockText::Split(text);
    if (block.IsSingleCell()) {
        if (m_nFocusCol < 0)
            return FALSE; // the n box takes a count its own way
        PasteCell(BlockText::SingleCell(text));
        return TRUE;
    }

    const int n = m_nGridSize - 1;
    const int nRows = block.Rows();
    const int nCols = block.Columns();
    const int r0 = m_nFocusRow;
    const int k0 = m_nFocusCol;
    // A record left outside a smaller grid names no box: like every Edit command, do nothing.
    if (k0 >= 0 && !IsEntryBox(r0, k0))
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

    for (int i = 0; i < nRows; ++i) {
        for (int j = 0; j < static_cast<int>(block.rows[i].size()); ++j) {
            if (block.rows[i][j].size() > static_cast<size_t>(kEntryTextLimit))
                return bSystem ? RefuseLongText(i, j, nRows, block.rows[i][j].size())
                               : RefuseLongText(r0 + i, k0 + j, n, block.rows[i][j].size());
        }
    }

    int nRow = 0;
    int nCol = 0;
    const BOOL bFocusInGrid = FindEntryBox(::GetFocus(), nRow, nCol);
    CHaltiqoDoc* pDoc = GetDocument();
    pDoc->SealTyping();
    if (bSystem) {
        pDoc->ReplaceSystem(block.rows);
    } else {
        std::vector<CSystemTable::CellText> texts;
        for (int i = 0; i < nRows; ++i)
            for (int j = 0; j < static_cast<int>(block.rows[i].size()); ++j)
                texts.push_back({r0 + i, CellOf(k0 + j), block.rows[i][j]});
        pDoc->SetTexts(texts);
    }
    // As after a paste into one box, the caret follows the pasted text.
    if (bFocusInGrid) {
        CEdit& first = m_ppEntry[r0][k0];
        first.SetFocus();
        const int nLength = first.GetWindowTextLength();
        first.SetSel(nLength, nLength);
    }
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

void CHaltiqoView::PasteCell(const std::wstring& text)
{
    const int n = m_nGridSize - 1;
    const int r = m_nFocusRow;
    const int k = m_nFocusCol;
    // A record left outside a smaller grid names no box: like every Edit command, do nothing.
    if (!IsEntryBox(r, k))
        return;
    CEdit& box = m_ppEntry[r][k];
    DWORD dwStart = 0;
    DWORD dwEnd = 0;
    box.SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart),
                    reinterpret_cast<LPARAM>(&dwEnd));
    const size_t nLength =
        static_cast<size_t>(box.GetWindowTextLength()) - (dwEnd - dwStart) + text.size();
    if (nLength > static_cast<size_t>(kEntryTextLimit)) {
        RefuseLongText(r, k, n, nLength);
        return;
    }
    // A paste is a step of its own, apart from the typing around it.
    SealTyping();
    box.SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    SealTyping();
}

BOOL CHaltiqoView::RefuseLongText(int nRow, int nCol, int n, size_t nLength)
{
    const std::wstring box =
        (nRow < n ? std::to_wstring(nRow + 1) + L" 行目の " : L"答えの ") + ColumnName(nCol, n);
    const std::wstring message = L"貼り付けると " + box + L" の欄は " + std::to_wstring(nLength) +
                                 L" 文字になります。\n欄に入るのは " +
                                 std::to_wstring(kEntryTextLimit) +
                                 L" 文字までなので、貼り付けませんでした。";
    MessageBox(message.c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
    return TRUE;
}

void CHaltiqoView::NoteEquationBox(HWND hBox, const std::wstring& text)
{
    const NumberText::Reading reading = NumberText::Read(text);
    Note note;
    const std::wstring quoted = L"「" + text + L"」は";
    switch (reading.kind) {
    case NumberText::Reading::kPrefix:
        note = {Mark::kWarning, quoted + L" " + reading.read + L" として計算します。"};
        break;
    case NumberText::Reading::kNoNumber:
        note = {Mark::kWarning, quoted + L"数ではないので 0 として計算します。"};
        break;
    case NumberText::Reading::kZeroDenominator:
        note = {Mark::kError, quoted + L" 0 で割っているので計算できません。"};
        break;
    default:
        break;
    }
    SetNote(hBox, note);
}

void CHaltiqoView::SetNote(HWND hBox, const Note& note)
{
    const auto it = m_notes.find(hBox);
    const Note old = it == m_notes.end() ? Note{} : it->second;
    if (old.mark == note.mark && old.tip == note.tip)
        return;
    if (note.tip.empty())
        m_notes.erase(it);
    else
        m_notes[hBox] = note;

    if (m_hNoteTip == nullptr) {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES};
        ::InitCommonControlsEx(&icc);
        m_hNoteTip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                       WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                       AfxGetInstanceHandle(), nullptr);
        // Long texts wrap, and stay long enough to be read.
        ::SendMessageW(m_hNoteTip, TTM_SETMAXTIPWIDTH, 0, 480);
        ::SendMessageW(m_hNoteTip, TTM_SETDELAYTIME, TTDT_AUTOPOP, 30000);
    }
    // The tooltip asks for the text when it shows (OnNotify): a box typed into changes no tool.
    if (old.tip.empty() || note.tip.empty()) {
        TOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = m_hWnd;
        info.uId = reinterpret_cast<UINT_PTR>(hBox);
        info.lpszText = LPSTR_TEXTCALLBACKW;
        ::SendMessageW(m_hNoteTip, old.tip.empty() ? TTM_ADDTOOLW : TTM_DELTOOLW, 0,
                       reinterpret_cast<LPARAM>(&info));
    }
    if (old.mark != note.mark)
        ::InvalidateRect(hBox, nullptr, TRUE);
}

BOOL CHaltiqoView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pInfo = reinterpret_cast<NMTTDISPINFOW*>(lParam);
    if (m_hNoteTip == nullptr || pInfo->hdr.hwndFrom != m_hNoteTip ||
        pInfo->hdr.code != TTN_GETDISPINFOW)
        return CFormView::OnNotify(wParam, lParam, pResult);
    const auto it = m_notes.find(reinterpret_cast<HWND>(pInfo->hdr.idFrom));
    pInfo->lpszText = const_cast<wchar_t*>(it == m_notes.end() ? L"" : it->second.tip.c_str());
    *pResult = 0;
    return TRUE;
}

void CHaltiqoView::DestroyEntry(CEdit& box)
{
    if (box.m_hWnd != nullptr && m_notes.count(box.m_hWnd) != 0)
        SetNote(box.m_hWnd, Note{});
    box.DestroyWindow();
}
