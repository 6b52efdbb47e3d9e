#pragma once

// CWnd: a C++ object bound to a window handle.
//
// A window is bound in one of two ways. Windows the framework creates for its own classes
// (frames, views, dialogs) and windows attached by DDX_Control are subclassed: their messages go
// through AfxWndProc and this object's message map, and anything unhandled goes to the original
// window procedure through Default(). Standard controls made with Create are only attached: the
// object knows its handle, the control keeps its own window procedure.

#include <windows.h>

#include "CmdTarget.h"
#include "Types.h"

class CDataExchange;
class CFrameWnd;

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)

public:
    CWnd();
    ~CWnd() override;

    HWND m_hWnd;
    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // Handle maps
    static CWnd* FromHandle(HWND hWnd);          // permanent object, or a temporary wrapper
    static CWnd* FromHandlePermanent(HWND hWnd); // nullptr when no object is bound
    static void DeleteTempMap();
    BOOL Attach(HWND hWnd);
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);

    // Creation and destruction
    virtual BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName,
                          DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT_PTR nIDorHMenu,
                          LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCTW& cs);

    // Message handling
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    LRESULT Default();
    virtual LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);
    // Offers pMsg to each object from its target window up to its top-level window (inclusive);
    // TRUE when one took it.
    static BOOL WalkPreTranslateTree(MSG* pMsg);

    // Data exchange
    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Operations
    LRESULT SendMessage(UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hWnd, nMsg, wParam, lParam);
    }
    BOOL PostMessage(UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageW(m_hWnd, nMsg, wParam, lParam);
    }
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    void SetDlgCtrlID(int nID) { ::SetWindowLongPtrW(m_hWnd, GWLP_ID, nID); }
    void SetWindowText(LPCWSTR lpszText) { ::SetWindowTextW(m_hWnd, lpszText); }
    int GetWindowText(LPWSTR lpszText, int nMaxCount) const
    {
        return ::GetWindowTextW(m_hWnd, lpszText, nMaxCount);
    }
    CString GetWindowText() const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void InvalidateRect(const RECT* pRect, BOOL bErase = TRUE)
    {
        ::InvalidateRect(m_hWnd, pRect, bErase);
    }
    void GetClientRect(RECT* pRect) const { ::GetClientRect(m_hWnd, pRect); }
    void GetWindowRect(RECT* pRect) const { ::GetWindowRect(m_hWnd, pRect); }
    CWnd* SetFocus();
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CFrameWnd* GetParentFrame() const;
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    int MessageBox(LPCWSTR lpszText, LPCWSTR lpszCaption = nullptr, UINT nType = MB_OK);

protected:
    // Called after the last message (WM_NCDESTROY); frames and views delete themselves here.
    virtual void PostNcDestroy() {}

    // Handlers the ON_WM_ macros call; each passes the message on unchanged.
    int OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
    void OnDestroy() { Default(); }
    void OnClose() { Default(); }
    void OnPaint() { Default(); }
    void OnSize(UINT, int, int) { Default(); }
    void OnSetFocus(HWND) { Default(); }
    void OnActivate(UINT, HWND) { Default(); }
    BOOL OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
    void OnLButtonDown(UINT, CPoint) { Default(); }
    void OnMouseMove(UINT, CPoint) { Default(); }
    void OnHScroll(UINT, int) { Default(); }
    void OnVScroll(UINT, int) { Default(); }
    BOOL OnMouseWheel(UINT, short) { return FALSE; } // declined: the default procedure has it

    // Runs create(), which makes one window, and binds that window to this object before its
    // first message. An object whose window did not come to exist bound to it gets here the
    // PostNcDestroy that the window's last message would have given it.
    template <typename Create> HWND CreateBound(Create create);

    WNDPROC m_pfnSuper; // the window procedure replaced by subclassing, if any

    DECLARE_MESSAGE_MAP()

private:
    friend LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    friend void AfxHookWindowCreate(CWnd* pWnd);
    friend LRESULT CALLBACK AfxCbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam);
    void OnNcDestroyFinal();
};

// Binds the next window created on this thread to pWnd, subclassed, before its first message.
// Unhooking tells whether that happened. Used through CWnd::CreateBound.
void AfxHookWindowCreate(CWnd* pWnd);
BOOL AfxUnhookWindowCreate();

template <typename Create> HWND CWnd::CreateBound(Create create)
{
    AfxHookWindowCreate(this);
    HWND hWnd = create();
    if (AfxUnhookWindowCreate())
        return hWnd;
    if (hWnd != nullptr)
        ::DestroyWindow(hWnd); // made, but without its object: of no use
    PostNcDestroy();
    return nullptr;
}
