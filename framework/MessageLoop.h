#pragma once

// The program's one message loop, shared by the application, modal dialogs and the tests. Each
// turn takes a queued message, offers it to PreTranslateMessage of the objects from its window
// up to the top-level window (the frame translates its accelerators there, a dialog or form
// view its Tab and arrow keys), dispatches it if none took it, and then drops the temporary
// window objects made meanwhile.

#include <windows.h>

// One turn. With bWait it waits for a message, otherwise it returns at once when the queue is
// empty (msg.message is then 0). Returns FALSE when no message was dispatched: the queue was
// empty, or the message was WM_QUIT, which is left in msg and not dispatched.
BOOL AfxPumpMessage(MSG& msg, BOOL bWait = TRUE);
