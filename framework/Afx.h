#pragma once

// The framework's global operations.

#include <windows.h>
#include <shellapi.h>

#include "Types.h"

HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

// Sets the module handle and registers the common controls; called once by the entry point
// (and by test programs).
BOOL AfxWinInit(HINSTANCE hInstance);

BOOL AfxRegisterClass(WNDCLASSW* pWndClass);

// Replaces %1 (and %2) in the string resource nIDS.
CString AfxFormatString1(UINT nIDS, LPCWSTR lpsz1);
CString AfxFormatString2(UINT nIDS, LPCWSTR lpsz1, LPCWSTR lpsz2);

// The shell's ShellExecute and the common file dialog. Their libraries are loaded on first use:
// under Wine, loading them at start-up costs more than the whole form.
HINSTANCE AfxShellExecute(HWND hWnd, LPCWSTR lpszVerb, LPCWSTR lpszFile, LPCWSTR lpszParameters,
                          LPCWSTR lpszDirectory, int nShowCmd);
struct tagOFNW;
BOOL AfxGetOpenFileName(tagOFNW* pOpenFileName);
BOOL AfxGetSaveFileName(tagOFNW* pOpenFileName);
// The files dropped on a window: the first of them, and the drop released.
CString AfxTakeFirstDroppedFile(HDROP hDropInfo);

// Kept for the start-up sequence; the platform's controls need neither.
inline void AfxEnableControlContainer() {}
