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
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    UINT GetProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nValue);

    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    BOOL Enable3dControlsStatic() { return TRUE; } // the platform draws 3-D controls itself

    void OnFileNew();
    void OnFileOpen();
    void OnAppExit();

protected:
    DECLARE_MESSAGE_MAP()

private:
    // The name when none was given: the title string, or else the program file's name.
    void SetAppNameFromResources();
    HKEY GetSectionKey(LPCWSTR lpszSection);

    std::wstring m_strAppName;
    std::wstring m_strRegistryKey;
    std::vector<std::unique_ptr<CDocTemplate>> m_templateList;
    int m_nNumPreviewPages;
};

// The framework's entry point: initialises, runs InitInstance and the message loop.
int AfxWinMain(HINSTANCE hInstance, int nCmdShow);
