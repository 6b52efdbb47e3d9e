#include "FrameWnd.h"

#include "Afx.h"
#include "WinApp.h"
#include "Document.h"
#include "View.h"
#include "afxres.h"

IMPLEMENT_DYNAMIC(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_CLOSE()
ON_WM_QUERYENDSESSION()
ON_WM_DROPFILES()
ON_WM_INITMENUPOPUP()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_ACTIVATE()
END_MESSAGE_MAP()

namespace {
const wchar_t kFrameClassName[] = L"AfxFrameWnd";
}

CFrameWnd::CFrameWnd() : m_hAccelTable(nullptr), m_pViewActive(nullptr), m_hWndFocusSaved(nullptr)
{
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    // The title is the first field of the document-template string.
    CString strings;
    strings.LoadString(nIDResource);
    m_strTitle = strings.substr(0, strings.find(L'\n'));

    WNDCLASSW wc{};
    if (!::GetClassInfoW(AfxGetInstanceHandle(), kFrameClassName, &wc)) {
        wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hIcon = ::LoadIconW(hInst, MAKEINTRESOURCEW(nIDResource));
        wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kFrameClassName;
        if (!AfxRegisterClass(&wc))
            return FALSE;
    }
    HMENU hMenu = ::LoadMenuW(hInst, MAKEINTRESOURCEW(nIDResource));
    if (!CreateEx(0, kFrameClassName, m_strTitle.c_str(), dwDefaultStyle, CRect(), pParentWnd,
                  reinterpret_cast<UINT_PTR>(hMenu), pContext)) {
        if (hMenu != nullptr)
            ::DestroyMenu(hMenu);
        return FALSE; // the object has deleted itself
    }
    m_hAccelTable = ::LoadAcceleratorsW(hInst, MAKEINTRESOURCEW(nIDResource));
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTW& cs)
{
    if (cs.cx == 0 && cs.cy == 0) {
        cs.x = cs.y = CW_USEDEFAULT;
        cs.cx = cs.cy = CW_USEDEFAULT;
    }
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    auto* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext == nullptr || pContext->m_pNewViewClass == nullptr)
        return TRUE;
    return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
}

CView* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    auto* pView = static_cast<CView*>(pContext->m_pNewViewClass->CreateObject());
    if (pView == nullptr || !pView->Create(this, nID, pContext))
        return nullptr;
    if (pContext->m_pCurrentDoc != nullptr)
        pContext->m_pCurrentDoc->AddView(pView);
    return pView;
}

void CFrameWnd::RecalcLayout(BOOL)
{
    HWND hPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
    if (hPane == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    ::MoveWindow(hPane, 0, 0, client.Width(), client.Height(), TRUE);
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL bMakeVisible)
{
    if (m_pViewActive == nullptr)
        m_pViewActive =
            dynamic_cast<CView*>(FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST)));
    if (m_pViewActive != nullptr)
        m_pViewActive->OnInitialUpdate();
    OnUpdateFrameTitle(TRUE);
    if (bMakeVisible)
        ShowWindow(SW_SHOW);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != nullptr)
        return ::TranslateAcceleratorW(m_hWnd, m_hAccelTable, pMsg);
    return FALSE;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, UINT nMessage, UINT nCode, WPARAM wParam, LPARAM lParam,
                         LRESULT* pResult)
{
    if (m_pViewActive != nullptr &&
        m_pViewActive->OnCmdMsg(nID, nMessage, nCode, wParam, lParam, pResult))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nMessage, nCode, wParam, lParam, pResult))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->OnCmdMsg(nID, nMessage, nCode, wParam, lParam, pResult);
}

void CFrameWnd::OnDestroy()
{
    m_pViewActive = nullptr; // the view's window goes next and deletes the view
    CWnd::OnDestroy();
}

CDocument* CFrameWnd::GetActiveDocument() const
{
    return m_pViewActive != nullptr ? m_pViewActive->GetDocument() : nullptr;
}

// A modified document is not closed without the person's word.
void CFrameWnd::OnClose()
{
    CDocument* pDoc = GetActiveDocument();
    if (pDoc != nullptr && !pDoc->SaveModified())
        return;
    DestroyWindow();
}

// Windows is ending the session: the same question, and Cancel keeps the session going.
BOOL CFrameWnd::OnQueryEndSession()
{
    CDocument* pDoc = GetActiveDocument();
    return pDoc == nullptr || pDoc->SaveModified();
}

void CFrameWnd::OnDropFiles(HDROP hDropInfo)
{
    const CString path = AfxTakeFirstDroppedFile(hDropInfo);
    ::SetForegroundWindow(m_hWnd); // the question and any message belong in front
    if (!path.empty() && AfxGetApp() != nullptr)
        AfxGetApp()->OpenDocumentFile(path.c_str());
}

void CFrameWnd::OnInitMenuPopup(HMENU hPopup, UINT, BOOL bSysMenu)
{
    if (!bSysMenu && AfxGetApp() != nullptr)
        AfxGetApp()->UpdateRecentFileMenu(hPopup);
}

void CFrameWnd::DragAcceptFiles(BOOL bAccept)
{
    // What the shell's DragAcceptFiles does, without loading the shell at start-up.
    const LONG_PTR exStyle = ::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE);
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE,
                        bAccept ? exStyle | WS_EX_ACCEPTFILES : exStyle & ~WS_EX_ACCEPTFILES);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CDocument* pDoc = GetActiveDocument();
    CString title = m_strTitle;
    if (bAddToTitle && (GetStyle() & FWS_ADDTOTITLE) && pDoc != nullptr &&
        !pDoc->GetPathName().empty())
        title = pDoc->GetTitle() + L" - " + m_strTitle;
    ::SetWindowTextW(m_hWnd, title.c_str());
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

// Keeps the focus where it was when the frame was last active; the view's first control
// otherwise.
void CFrameWnd::OnSetFocus(HWND)
{
    if (m_hWndFocusSaved != nullptr && ::IsWindow(m_hWndFocusSaved) &&
        ::IsChild(m_hWnd, m_hWndFocusSaved) && ::IsWindowEnabled(m_hWndFocusSaved))
        ::SetFocus(m_hWndFocusSaved);
    else if (m_pViewActive != nullptr)
        m_pViewActive->SetFocus();
}

void CFrameWnd::OnActivate(UINT nState, HWND hWndOther)
{
    (void)hWndOther;
    if (nState == WA_INACTIVE) {
        HWND hFocus = ::GetFocus();
        if (hFocus != nullptr && ::IsChild(m_hWnd, hFocus))
            m_hWndFocusSaved = hFocus;
    }
    CWnd::OnActivate(nState, hWndOther);
}

void CFrameWnd::PostNcDestroy()
{
    if (AfxGetMainWnd() == this) {
        AfxGetApp()->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    delete this;
}
