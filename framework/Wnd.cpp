#include "Wnd.h"

#include "Afx.h"
#include "DataExchange.h"
#include "FrameWnd.h"
#include "WinApp.h"
#include "Exception.h"
#include "ThreadState.h"
#include "afxres.h"

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

AFX_THREAD_STATE* AfxGetThreadState()
{
    thread_local AFX_THREAD_STATE state;
    return &state;
}

// Every message of a subclassed window passes here. No C++ exception leaves this function.
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    const MSG saved = pState->m_lastSentMsg;
    pState->m_lastSentMsg = MSG{hWnd, nMsg, wParam, lParam, 0, {0, 0}};
    LRESULT lResult = 0;
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (...) {
        AfxReportException();
        // A window whose creation threw is not created.
        lResult = nMsg == WM_CREATE ? -1 : 0;
    }
    if (nMsg == WM_NCDESTROY) {
        try {
            pWnd->OnNcDestroyFinal();
        } catch (...) {
            AfxReportException(); // the window is gone either way
        }
    }
    pState->m_lastSentMsg = saved;
    return lResult;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT CALLBACK AfxCbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (nCode == HCBT_CREATEWND && pState->m_pWndInit != nullptr) {
        CWnd* pWnd = pState->m_pWndInit;
        pState->m_pWndInit = nullptr;
        try {
            pWnd->SubclassWindow(reinterpret_cast<HWND>(wParam));
        } catch (...) {
            // Unbound, the window goes on without its object; CreateBound sees that.
            AfxReportException();
            pState->m_bBindFailed = true;
        }
    }
    return ::CallNextHookEx(pState->m_hHookOldCbtFilter, nCode, wParam, lParam);
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_hHookOldCbtFilter == nullptr)
        pState->m_hHookOldCbtFilter =
            ::SetWindowsHookExW(WH_CBT, AfxCbtFilterHook, nullptr, ::GetCurrentThreadId());
    pState->m_pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_hHookOldCbtFilter != nullptr) {
        ::UnhookWindowsHookEx(pState->m_hHookOldCbtFilter);
        pState->m_hHookOldCbtFilter = nullptr;
    }
    const BOOL bBound = pState->m_pWndInit == nullptr && !pState->m_bBindFailed;
    pState->m_pWndInit = nullptr;
    pState->m_bBindFailed = false;
    return bBound;
}

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr) {}

CWnd::~CWnd()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    auto& map = AfxGetThreadState()->m_permanentMap;
    auto it = map.find(hWnd);
    return it == map.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    auto& temp = AfxGetThreadState()->m_temporaryMap[hWnd];
    if (!temp) {
        temp = std::make_unique<CWnd>();
        temp->m_hWnd = hWnd;
    }
    return temp.get();
}

void CWnd::DeleteTempMap()
{
    auto& temp = AfxGetThreadState()->m_temporaryMap;
    for (auto& entry : temp)
        entry.second->m_hWnd = nullptr; // the wrapper never owned the window
    temp.clear();
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (hWnd == nullptr || m_hWnd != nullptr)
        return FALSE;
    AfxGetThreadState()->m_permanentMap[hWnd] = this; // may throw: then nothing is bound
    m_hWnd = hWnd;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr) {
        auto& map = AfxGetThreadState()->m_permanentMap;
        auto it = map.find(hWnd);
        if (it != map.end() && it->second == this)
            map.erase(it);
    }
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    WNDPROC pfnOld = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    if (pfnOld != AfxWndProc) {
        m_pfnSuper = pfnOld;
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc));
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWnd = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return hWnd != nullptr && SubclassWindow(hWnd);
}

void CWnd::OnNcDestroyFinal()
{
    Detach();
    m_pfnSuper = nullptr;
    PostNcDestroy();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTW&)
{
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT_PTR nIDorHMenu, LPVOID lpParam)
{
    CREATESTRUCTW cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    cs.hMenu = reinterpret_cast<HMENU>(nIDorHMenu);
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }

    return CreateBound([&cs] {
               return ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x,
                                        cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance,
                                        cs.lpCreateParams);
           }) != nullptr;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    const bool bSubclassed = FromHandlePermanent(m_hWnd) == this && m_pfnSuper != nullptr;
    HWND hWnd = m_hWnd;
    const BOOL bResult = ::DestroyWindow(hWnd);
    // A subclassed window unbinds itself on WM_NCDESTROY; an attached control does not see it.
    if (!bSubclassed && m_hWnd == hWnd)
        Detach();
    return bResult;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(MSG* pMsg)
{
    // GetParent of a top-level window is its owner, whose keys (a frame's accelerators) must not
    // act for the window it owns: the walk ends at the first window that is not a child.
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        if (CWnd* pWnd = FromHandlePermanent(hWnd))
            if (pWnd->PreTranslateMessage(pMsg))
                return TRUE;
        if (!(::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD))
            break;
    }
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (OnWndMsg(nMsg, wParam, lParam, &lResult))
        return lResult;
    return DefWindowProc(nMsg, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (nMsg == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    }
    if (nMsg == WM_NOTIFY)
        return OnNotify(wParam, lParam, pResult);
    const AFX_MSGMAP_ENTRY* pEntry = FindEntry(GetMessageMap(), nMsg, 0, 0);
    if (pEntry == nullptr)
        return FALSE;
    *pResult = 0;
    return pEntry->pfnThunk(this, wParam, lParam, pResult);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    UINT nCode = HIWORD(wParam);
    if (lParam == 0)
        nCode = 0; // a menu item or an accelerator: a command
    else if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
        return TRUE; // notifications are discarded while UpdateData runs
    return OnCmdMsg(nID, WM_COMMAND, nCode, wParam, lParam, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
        return TRUE;
    return OnCmdMsg(static_cast<UINT>(pHeader->idFrom), WM_NOTIFY, pHeader->code, wParam, lParam,
                    pResult);
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

LRESULT CWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, nMsg, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, nMsg, wParam, lParam);
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

CString CWnd::GetWindowText() const
{
    const int nLength = GetWindowTextLength();
    CString text(static_cast<size_t>(nLength) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(m_hWnd, &text[0], nLength + 1)));
    return text;
}

CWnd* CWnd::SetFocus()
{
    return FromHandle(::SetFocus(m_hWnd));
}

int CWnd::MessageBox(LPCWSTR lpszText, LPCWSTR lpszCaption, UINT nType)
{
    return ::MessageBoxW(m_hWnd, lpszText, lpszCaption ? lpszCaption : AfxGetAppName(), nType);
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    HWND hOldLockout = pState->m_hLockoutNotifyWindow;
    pState->m_hLockoutNotifyWindow = m_hWnd;
    BOOL bOK = FALSE;
    try {
        DoDataExchange(&dx);
        bOK = TRUE;
    } catch (...) {
        AfxReportException(); // a failed exchange has shown its message already
    }
    pState->m_hLockoutNotifyWindow = hOldLockout;
    return bOK;
}

CFrameWnd* CWnd::GetParentFrame() const
{
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd != nullptr; hWnd = ::GetParent(hWnd))
        if (auto* pFrame = dynamic_cast<CFrameWnd*>(FromHandlePermanent(hWnd)))
            return pFrame;
    return nullptr;
}
