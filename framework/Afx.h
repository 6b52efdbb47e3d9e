#pragma once

// The framework's global operations.

#include <windows.h>

#include "Types.h"

class CWinApp;
class CWnd;

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
LPCWSTR AfxGetAppName();

// Sets the module handles; called once by the entry point (and by test programs).
BOOL AfxWinInit(HINSTANCE hInstance);

BOOL AfxRegisterClass(WNDCLASSW* pWndClass);

// Message boxes captioned with the application's name, owned by the main window.
int AfxMessageBox(LPCWSTR lpszText, UINT nType = MB_OK);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK);

// Replaces %1 (and %2) in the string resource nIDS.
CString AfxFormatString1(UINT nIDS, LPCWSTR lpsz1);
CString AfxFormatString2(UINT nIDS, LPCWSTR lpsz1, LPCWSTR lpsz2);

// The shell's ShellExecute and the common file dialog. Their libraries are loaded on first use:
// under Wine, loading them at start-up costs more than the whole form.
HINSTANCE AfxShellExecute(HWND hWnd, LPCWSTR lpszVerb, LPCWSTR lpszFile, LPCWSTR lpszParameters,
                          LPCWSTR lpszDirectory, int nShowCmd);
struct tagOFNW;
BOOL AfxGetOpenFileName(tagOFNW* pOpenFileName);

// Kept for the start-up sequence; the platform's controls need neither.
inline void AfxEnableControlContainer() {}
