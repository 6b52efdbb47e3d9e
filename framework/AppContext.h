#pragma once

// What the one application object lends the windows and documents beneath it: its name, its
// main window and message boxes, its commands, its recent files and its file dialog. CWinApp
// defines these in WinApp.cpp, so the layers below need not know the application's class.

#include <windows.h>

#include "Types.h"

class CDocTemplate;
class CDocument;
class CWnd;

LPCWSTR AfxGetAppName();
CWnd* AfxGetMainWnd();
void AfxSetMainWnd(CWnd* pWnd);
// Message boxes captioned with the application's name, owned by the main window.
int AfxMessageBox(LPCWSTR lpszText, UINT nType = MB_OK);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK);

// The last stop of a command's route: the application's own message map.
BOOL AfxAppOnCmdMsg(UINT nID, UINT nMessage, UINT nCode, WPARAM wParam, LPARAM lParam,
                    LRESULT* pResult);
CDocument* AfxAppOpenDocumentFile(LPCWSTR lpszFileName);
void AfxAppAddToRecentFileList(LPCWSTR lpszPathName);
void AfxAppUpdateRecentFileMenu(HMENU hPopup);
BOOL AfxAppDoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                            CDocTemplate* pTemplate);
