#pragma once

// CCmdTarget and message maps.
//
// A message map is a static table per class, chained to the base class's table. Each entry holds
// a small thunk that unpacks the message's parameters and calls the handler; the thunks are
// written by the ON_... macros inside the class's own GetThisMessageMap, so they may call
// protected handlers.

#include <windows.h>

#include "Object.h"

class CCmdTarget;

typedef BOOL (*AFX_THUNK)(CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage; // WM_xxx; WM_COMMAND or WM_NOTIFY for commands and notifications
    UINT nCode;    // notification code; 0 for commands and plain window messages
    UINT nID;      // first control or command ID; 0 for window messages
    UINT nLastID;
    AFX_THUNK pfnThunk;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)

public:
    // Offers a command (WM_COMMAND with nCode 0), control notification (WM_COMMAND, nCode) or
    // WM_NOTIFY to this target's map. Returns TRUE when a handler took it.
    virtual BOOL OnCmdMsg(UINT nID, UINT nMessage, UINT nCode, WPARAM wParam, LPARAM lParam,
                          LRESULT* pResult);

protected:
    // The one place that looks a message up in a chain of maps.
    static const AFX_MSGMAP_ENTRY* FindEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode,
                                             UINT nID);
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const                                              \
    {                                                                                              \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                                \
    {                                                                                              \
        typedef theClass ThisClass;                                                                \
        typedef baseClass TheBaseClass;                                                            \
        static_assert(sizeof(ThisClass) > 0, "complete class");                                    \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                          \
    {                                                                                              \
        0, 0, 0, 0, nullptr                                                                        \
    }                                                                                              \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};  \
    return &messageMap;                                                                            \
    }

// The thunk of an entry: runs the statements with the message's parameters at hand; they return
// whether the message was handled.
#define AFX_THUNK(statements)                                                                      \
    [](CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam, LRESULT* pResult) -> BOOL {              \
        ThisClass* pThis = static_cast<ThisClass*>(pTarget);                                       \
        (void)pThis;                                                                               \
        (void)wParam;                                                                              \
        (void)lParam;                                                                              \
        (void)pResult;                                                                             \
        statements                                                                                 \
    }

// For handlers that always take their message.
#define AFX_THUNK_LAMBDA(body) AFX_THUNK(body; return TRUE;)

// For handlers that may decline: a FALSE result sends the message on to the default or
// original window procedure, as if there were no entry; a message taken returns `result`.
#define AFX_THUNK_DECLINABLE(handled, result)                                                      \
    AFX_THUNK(if (!(handled)) return FALSE; *pResult = (result); return TRUE;)

// Commands and control notifications
#define ON_COMMAND(id, memberFxn) {WM_COMMAND, 0, (id), (id), AFX_THUNK_LAMBDA(pThis->memberFxn())},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                    \
    {WM_COMMAND, 0, (id), (idLast), AFX_THUNK_LAMBDA(pThis->memberFxn(LOWORD(wParam)))},
#define ON_CONTROL(code, id, memberFxn)                                                            \
    {WM_COMMAND, (code), (id), (id), AFX_THUNK_LAMBDA(pThis->memberFxn())},
// Notifications with the code from any control in id..idLast; the handler gets the control's
// identifier and window.
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn)                                              \
    {WM_COMMAND, (code), (id), (idLast),                                                           \
     AFX_THUNK_LAMBDA(pThis->memberFxn(LOWORD(wParam), reinterpret_cast<HWND>(lParam)))},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_NOTIFY(code, id, memberFxn)                                                             \
    {WM_NOTIFY, static_cast<UINT>(code), (id), (id),                                               \
     AFX_THUNK_LAMBDA(pThis->memberFxn(reinterpret_cast<NMHDR*>(lParam), pResult))},

// Window messages
#define ON_MESSAGE_ENTRY(msg, body) {(msg), 0, 0, 0, AFX_THUNK_LAMBDA(body)},
// A message of the window's own: LRESULT memberFxn(WPARAM, LPARAM).
#define ON_MESSAGE(msg, memberFxn)                                                                 \
    ON_MESSAGE_ENTRY(msg, *pResult = pThis->memberFxn(wParam, lParam))
#define ON_WM_TIMER() ON_MESSAGE_ENTRY(WM_TIMER, pThis->OnTimer(static_cast<UINT_PTR>(wParam)))
#define ON_WM_CREATE()                                                                             \
    ON_MESSAGE_ENTRY(WM_CREATE,                                                                    \
                     *pResult = pThis->OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam)))
#define ON_WM_DESTROY() ON_MESSAGE_ENTRY(WM_DESTROY, pThis->OnDestroy())
#define ON_WM_CLOSE() ON_MESSAGE_ENTRY(WM_CLOSE, pThis->OnClose())
#define ON_WM_PAINT() ON_MESSAGE_ENTRY(WM_PAINT, pThis->OnPaint())
#define ON_WM_QUERYENDSESSION()                                                                    \
    ON_MESSAGE_ENTRY(WM_QUERYENDSESSION, *pResult = pThis->OnQueryEndSession())
#define ON_WM_DROPFILES()                                                                          \
    ON_MESSAGE_ENTRY(WM_DROPFILES, pThis->OnDropFiles(reinterpret_cast<HDROP>(wParam)))
#define ON_WM_INITMENUPOPUP()                                                                      \
    ON_MESSAGE_ENTRY(WM_INITMENUPOPUP, pThis->OnInitMenuPopup(reinterpret_cast<HMENU>(wParam),     \
                                                              LOWORD(lParam), HIWORD(lParam)))
#define ON_WM_SIZE()                                                                               \
    ON_MESSAGE_ENTRY(WM_SIZE,                                                                      \
                     pThis->OnSize(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)),  \
                                   static_cast<short>(HIWORD(lParam))))
#define ON_WM_SETFOCUS()                                                                           \
    ON_MESSAGE_ENTRY(WM_SETFOCUS, pThis->OnSetFocus(reinterpret_cast<HWND>(wParam)))
#define ON_WM_ACTIVATE()                                                                           \
    ON_MESSAGE_ENTRY(WM_ACTIVATE, pThis->OnActivate(LOWORD(wParam), reinterpret_cast<HWND>(lParam)))
#define ON_WM_SETCURSOR()                                                                          \
    ON_MESSAGE_ENTRY(WM_SETCURSOR, *pResult = pThis->OnSetCursor(                                  \
                                       CWnd::FromHandle(reinterpret_cast<HWND>(wParam)),           \
                                       LOWORD(lParam), HIWORD(lParam)))
#define ON_WM_LBUTTONDOWN()                                                                        \
    ON_MESSAGE_ENTRY(WM_LBUTTONDOWN,                                                               \
                     pThis->OnLButtonDown(static_cast<UINT>(wParam), CPoint::FromLParam(lParam)))
#define ON_WM_MOUSEMOVE()                                                                          \
    ON_MESSAGE_ENTRY(WM_MOUSEMOVE,                                                                 \
                     pThis->OnMouseMove(static_cast<UINT>(wParam), CPoint::FromLParam(lParam)))
#define ON_WM_HSCROLL()                                                                            \
    ON_MESSAGE_ENTRY(WM_HSCROLL,                                                                   \
                     pThis->OnHScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam))))
#define ON_WM_VSCROLL()                                                                            \
    ON_MESSAGE_ENTRY(WM_VSCROLL,                                                                   \
                     pThis->OnVScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam))))
// OnCtlColorEdit returns the brush for the edit control's background, or nullptr to leave its
// colours to the default procedure.
#define ON_WM_CTLCOLOREDIT()                                                                       \
    {                                                                                              \
        WM_CTLCOLOREDIT, 0, 0, 0,                                                                  \
            AFX_THUNK(const HBRUSH hBrush = pThis->OnCtlColorEdit(reinterpret_cast<HDC>(wParam),   \
                                                                  reinterpret_cast<HWND>(lParam)); \
                      *pResult = reinterpret_cast<LRESULT>(hBrush); return hBrush != nullptr;)     \
    }                                                                                              \
    ,
// OnMouseWheel returns FALSE to decline the turn; a turn taken returns 0, as the platform asks.
#define ON_WM_MOUSEWHEEL()                                                                         \
    {WM_MOUSEWHEEL, 0, 0, 0,                                                                       \
     AFX_THUNK_DECLINABLE(                                                                         \
         pThis->OnMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam)), 0)},
