// The view's class: its message map, its start, the document's news and the grid boxes' notices.

#include "HaltiqoView.h"

#include "app/HaltiqoDoc.h"
#include "core/NumberText.h"

IMPLEMENT_DYNCREATE(CHaltiqoView, CFormView)

BEGIN_MESSAGE_MAP(CHaltiqoView, CFormView)
ON_WM_SIZE()
ON_BN_CLICKED(IDC_CALC, OnCalc)
ON_EN_CHANGE(IDC_EDIT_N, OnChangeEditN)
ON_NOTIFY(UDN_DELTAPOS, IDC_SPIN_N, OnDeltaposSpinN)
ON_EN_SETFOCUS(IDC_EDIT_N, OnSetfocusEditN)
ON_EN_KILLFOCUS(IDC_EDIT_N, OnKillfocusEditN)
ON_CONTROL_RANGE(EN_SETFOCUS, CGridLayout::kFirstId, CGridLayout::kLastId, OnSetfocusBox)
ON_CONTROL_RANGE(EN_KILLFOCUS, CGridLayout::kFirstId, CGridLayout::kLastId, OnKillfocusBox)
ON_CONTROL_RANGE(EN_CHANGE, CGridLayout::kFirstId, CGridLayout::kLastId, OnChangeBox)
ON_CONTROL_RANGE(EN_MAXTEXT, CGridLayout::kFirstId, CGridLayout::kLastId, OnMaxtextBox)
ON_WM_CTLCOLOREDIT()
ON_WM_TIMER()
ON_MESSAGE(CHaltiqoView::WM_TAKE_BACK, OnTakeBack)
ON_COMMAND(ID_FILE_EXPORT, OnFileExport)
ON_COMMAND(ID_EDIT_COPY_SYSTEM, OnEditCopySystem)
END_MESSAGE_MAP()

CHaltiqoView::CHaltiqoView()
    : CFormView(CHaltiqoView::IDD), m_n(0), m_ppEntry(nullptr), m_ppLabel(nullptr), m_nGridSize(0),
      m_nFocusCol(0), m_nFocusRow(0)
{
}

CHaltiqoView::~CHaltiqoView()
{
    DestroyGrid();
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

void CHaltiqoView::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_EDIT_N, m_editN);
    DDX_Control(pDX, IDC_SPIN_N, m_spinN);
    // A count typed full-width ("１２", as an input method in kana mode writes it) counts too.
    DDX_Text(pDX, IDC_EDIT_N, m_n, NumberText::ToAsciiForms);
    DDV_MinMaxInt(pDX, m_n, CSystemTable::kMinCount, CSystemTable::kMaxCount);
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
    m_spinN.SendMessage(UDM_SETRANGE, 0,
                        MAKELPARAM(CSystemTable::kMaxCount, CSystemTable::kMinCount));
    m_spinN.SendMessage(UDM_SETPOS, 0, m_n);
    UpdateData(FALSE);
    CreateBoxFont();
    m_ppEntry = nullptr;
    BuildGrid(m_n);
}

// 10.5 points: as large as the box's height leaves room for, with the underscore and the
// descenders below the line.
void CHaltiqoView::CreateBoxFont()
{
    LOGFONTW font{};
    HDC hDC = ::GetDC(m_hWnd);
    font.lfHeight = -::MulDiv(14, ::GetDeviceCaps(hDC, LOGPIXELSY), 96);
    ::ReleaseDC(m_hWnd, hDC);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    ::lstrcpynW(font.lfFaceName, CBoxNotes::kFace, LF_FACESIZE);
    m_boxFont.CreateFontIndirect(&font);
}

// Every change of the system reaches the view here: the count, then the texts the step changed.
void CHaltiqoView::OnUpdate(CView*, LPARAM, CObject* pHint)
{
    if (m_ppEntry == nullptr)
        return; // not shown yet: the initial update builds from the document
    MarkAnswersStale(TRUE);
    const int n = GetDocument()->System().Count();
    if (n != m_n)
        ShowCount(n);
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
        ShowWholeSystem(); // another system altogether: a file, a new one
        return;
    }
    ShowStep(pSystemHint->m_step);
    if (pSystemHint->m_kind == CSystemHint::Kind::kReplayed)
        ShowChange(pSystemHint->m_step);
}

BOOL CHaltiqoView::PreTranslateMessage(MSG* pMsg)
{
    // Whatever comes after the arrow keys finds the grid of the count shown.
    const bool bKey = pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP;
    if (!bKey || (pMsg->wParam != VK_UP && pMsg->wParam != VK_DOWN))
        CatchUpGrid();
    if (pMsg->message == WM_LBUTTONDOWN)
        RecordEntryBox(pMsg->hwnd);
    if (pMsg->message == WM_KEYDOWN && PreTranslateKey(pMsg))
        return TRUE;
    return CFormView::PreTranslateMessage(pMsg);
}

// The box with the caret is the one the Edit commands act on, however it got there.
void CHaltiqoView::OnSetfocusBox(UINT, HWND hBox)
{
    RecordEntryBox(hBox);
}

// A box's typing is one step up to leaving it.
void CHaltiqoView::OnKillfocusBox(UINT, HWND)
{
    SealTyping();
    m_notes.HideFull();
}

// Typing in an equation box goes to the document at once; the answers are the view's. Either way
// the box's note follows its text.
void CHaltiqoView::OnChangeBox(UINT, HWND hBox)
{
    int nRow = 0;
    int nCol = 0;
    m_notes.HideFull();
    if (FindEntryBox(hBox, nRow, nCol) && Layout().IsEquationRow(nRow)) {
        const std::wstring text = m_ppEntry[nRow][nCol].GetWindowText();
        m_notes.SetForEquation(hBox, text);
        if (!m_bWriting)
            GetDocument()->TypeText(nRow, Layout().CellOf(nCol), text);
    } else {
        m_notes.Forget(hBox); // an answer written over
        AnswerTyped(hBox);
    }
}

// The box is cutting an insertion to fit: it is taken back once the box is done.
void CHaltiqoView::OnMaxtextBox(UINT, HWND hBox)
{
    int nRow = 0;
    int nCol = 0;
    if (m_bWriting || !FindEntryBox(hBox, nRow, nCol) || !Layout().IsEquationRow(nRow))
        return;
    m_cut = {hBox, DocText(nRow, nCol), 0, 0};
    ::SendMessageW(hBox, EM_GETSEL, reinterpret_cast<WPARAM>(&m_cut.dwStart),
                   reinterpret_cast<LPARAM>(&m_cut.dwEnd));
    PostMessage(WM_TAKE_BACK);
}

LRESULT CHaltiqoView::OnTakeBack(WPARAM, LPARAM)
{
    TakeBackCutInsertion();
    return 0;
}

HBRUSH CHaltiqoView::OnCtlColorEdit(HDC hDC, HWND hWnd)
{
    if (HBRUSH hBrush = m_notes.PaintBackground(hDC, hWnd))
        return hBrush;
    int nRow = 0;
    int nCol = 0;
    if (!m_bAnswersStale || !FindEntryBox(hWnd, nRow, nCol) || Layout().IsEquationRow(nRow))
        return nullptr;
    ::SetTextColor(hDC, ::GetSysColor(COLOR_GRAYTEXT));
    ::SetBkColor(hDC, ::GetSysColor(COLOR_WINDOW));
    return ::GetSysColorBrush(COLOR_WINDOW);
}

BOOL CHaltiqoView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (!m_notes.GiveText(reinterpret_cast<NMHDR*>(lParam)))
        return CFormView::OnNotify(wParam, lParam, pResult);
    *pResult = 0;
    return TRUE;
}
