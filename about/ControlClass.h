#pragma once

#include <windows.h>

// Registers the window class of a picture control of the About box, unless this process has
// already: redrawn whole on resizing, double-clicks reported, the arrow cursor, the button face
// as background, and the default window procedure until an object attaches. Throws the
// framework's resource exception when registration fails.
BOOL RegisterPictureControlClass(LPCWSTR lpszClassName);
