#pragma once

// CWaitCursor: the system's wait cursor while it lives, the standard arrow once it goes. For work
// a person sees take time; the cursor shown before is not restored.

#include <windows.h>

class CWaitCursor {
public:
    CWaitCursor() { ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT)); }
    ~CWaitCursor() { ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW)); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};
