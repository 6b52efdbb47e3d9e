#pragma once

// CWinApp: the application object. Owns the document templates, runs the message loop, keeps the
// per-user profile in the registry and carries out the command line.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "CmdTarget.h"
#include "Types.h"

class CCommandLineInfo;
class CDocTemplate;
class CDocument;
class CWnd;

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(LPCWSTR lpszAppName = nullptr);
    ~CWinApp() override;

    LPCWSTR m_pszAppName;
    LPCWSTR m_pszRegistryKey;
    LPCWSTR m_pszProfileName;
    HINSTANCE m_hInstance;
    CWnd* m_pMainWnd;

    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();

    // Takes ownership of the template.
    void AddDocTemplate(CDocTemplate* pTemplate);
    CDocTemplate* GetFirstDocTemplate() const;
    virtual CDocument* OpenDocumentFile(LPCWSTR lpszFileName);

    void SetRegistryKey(LPCWSTR lpszRegistryKey);
    // Reads a recent-file list of nMaxMRU entries (none for 0).
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    CString GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault = L"");
    BOOL WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue);

    // Files opened and saved, newest first; written to the profile at each change.
    void AddToRecentFileList(LPCWSTR lpszPathName);
    const std::vector<CString>& GetRecentFiles() const { return m_recentFiles; }
    // Puts the list into a popup menu in place of its recent-file items.
    void UpdateRecentFileMenu(HMENU hPopup);
    // The standard file dialog, filtered as the template says; fileName is the proposal and
    // the answer.
    BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                          CDocTemplate* pTemplate);

    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    BOOL Enable3dControlsStatic() { return TRUE; } // the platform draws 3-D controls itself

    void OnFileNew();
    void OnFileOpen();
    void OnAppExit();
    // A recent file: opened, or dropped from the list when it is no longer there.
    void OnOpenRecentFile(UINT nID);

protected:
    DECLARE_MESSAGE_MAP()

private:
    // The name when none was given: the title string, or else the program file's name.
    void SetAppNameFromResources();
    HKEY GetSectionKey(LPCWSTR lpszSection, bool bCreate);
    void WriteRecentFileList();
    // The template of the document shown, or the first.
    CDocTemplate* GetCurrentDocTemplate() const;

    std::wstring m_strAppName;
    std::wstring m_strRegistryKey;
    std::vector<std::unique_ptr<CDocTemplate>> m_templateList;
    UINT m_nMaxMRU = 0;
    std::vector<CString> m_recentFiles;
    CString m_strRecentPlaceholder; // the menu's text for an empty list
};

// The one application object, nullptr before it is made and after it is gone; the functions
// below ask it and do nothing or give nothing without it.
CWinApp* AfxGetApp();
LPCWSTR AfxGetAppName();
CWnd* AfxGetMainWnd();
// Message boxes captioned with the application's name, owned by the main window.
int AfxMessageBox(LPCWSTR lpszText, UINT nType = MB_OK);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK);

// The framework's entry point: initialises, runs InitInstance and the message loop.
int AfxWinMain(HINSTANCE hInstance, int nCmdShow);
