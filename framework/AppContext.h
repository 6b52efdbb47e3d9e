#pragma once

// What the one application object lends the windows and documents beneath it: its name, its
// main window and message boxes, its commands, its recent files and its file dialog. The
// application implements CAppContext and lends itself with AfxSetAppContext while it lives, so
// the layers below need not know the application's class; without one, the functions below do
// nothing or give nothing.

#include <windows.h>

#include "Types.h"

class CDocTemplate;
class CDocument;
class CWnd;

class CAppContext {
public:
    virtual LPCWSTR GetContextAppName() const = 0;
    virtual CWnd*& ContextMainWnd() = 0;
    // The main window's handle, nullptr when there is none.
    virtual HWND GetMainWindowHandle() const = 0;
    virtual BOOL RouteCmdMsg(UINT nID, UINT nMessage, UINT nCode, WPARAM wParam, LPARAM lParam,
                             LRESULT* pResult) = 0;
    virtual CDocument* OpenDocumentFile(LPCWSTR lpszFileName) = 0;
    virtual void AddToRecentFileList(LPCWSTR lpszPathName) = 0;
    virtual void UpdateRecentFileMenu(HMENU hPopup) = 0;
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags,
                                  BOOL bOpenFileDialog, CDocTemplate* pTemplate) = 0;

protected:
    ~CAppContext() = default;
};

// Lends a context, or takes it back with nullptr.
void AfxSetAppContext(CAppContext* pContext);

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
