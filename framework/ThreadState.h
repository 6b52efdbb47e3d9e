#pragma once

// What the framework keeps per user-interface thread: the handle maps, the message being
// dispatched, the window whose notifications are locked out during a data exchange, and the
// object waiting for its window to be created.

#include <windows.h>

#include <memory>
#include <unordered_map>

class CWnd;

struct AFX_THREAD_STATE {
    std::unordered_map<HWND, CWnd*> m_permanentMap;
    std::unordered_map<HWND, std::unique_ptr<CWnd>> m_temporaryMap;
    MSG m_lastSentMsg{};
    HWND m_hLockoutNotifyWindow = nullptr;
    CWnd* m_pWndInit = nullptr;
    bool m_bBindFailed = false; // the waiting object could not be bound to its window
    HHOOK m_hHookOldCbtFilter = nullptr;
};

AFX_THREAD_STATE* AfxGetThreadState();
