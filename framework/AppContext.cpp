#include "AppContext.h"

namespace {
CAppContext* g_pContext = nullptr;
}

void AfxSetAppContext(CAppContext* pContext)
{
    g_pContext = pContext;
}

LPCWSTR AfxGetAppName()
{
    return g_pContext != nullptr ? g_pContext->GetContextAppName() : L"";
}

CWnd* AfxGetMainWnd()
{
    return g_pContext != nullptr ? g_pContext->ContextMainWnd() : nullptr;
}

void AfxSetMainWnd(CWnd* pWnd)
{
    if (g_pContext != nullptr)
        g_pContext->ContextMainWnd() = pWnd;
}

int AfxMessageBox(LPCWSTR lpszText, UINT nType)
{
    // Owned by the main window (or whatever popup it has open), so the box is modal to it.
    HWND hOwner = nullptr;
    if (g_pContext != nullptr)
        if (HWND hMain = g_pContext->GetMainWindowHandle(); ::IsWindow(hMain))
            hOwner = ::GetLastActivePopup(hMain);
    return ::MessageBoxW(hOwner, lpszText, AfxGetAppName(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text.c_str(), nType);
}

BOOL AfxAppOnCmdMsg(UINT nID, UINT nMessage, UINT nCode, WPARAM wParam, LPARAM lParam,
                    LRESULT* pResult)
{
    return g_pContext != nullptr &&
           g_pContext->RouteCmdMsg(nID, nMessage, nCode, wParam, lParam, pResult);
}

CDocument* AfxAppOpenDocumentFile(LPCWSTR lpszFileName)
{
    return g_pContext != nullptr ? g_pContext->OpenDocumentFile(lpszFileName) : nullptr;
}

void AfxAppAddToRecentFileList(LPCWSTR lpszPathName)
{
    if (g_pContext != nullptr)
        g_pContext->AddToRecentFileList(lpszPathName);
}

void AfxAppUpdateRecentFileMenu(HMENU hPopup)
{
    if (g_pContext != nullptr)
        g_pContext->UpdateRecentFileMenu(hPopup);
}

BOOL AfxAppDoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                            CDocTemplate* pTemplate)
{
    return g_pContext != nullptr &&
           g_pContext->DoPromptFileName(fileName, nIDSTitle, lFlags, bOpenFileDialog, pTemplate);
}
