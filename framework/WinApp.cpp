#include "WinApp.h"

#include <commctrl.h>
#include <commdlg.h>

#include "Afx.h"
#include "CommandLineInfo.h"
#include "MessageLoop.h"
#include "SingleDocTemplate.h"
#include "Wnd.h"
#include "afxres.h"

namespace {
CWinApp* g_pApp = nullptr; // the one application object; set by its constructor
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWnd* AfxGetMainWnd()
{
    return g_pApp ? g_pApp->m_pMainWnd : nullptr;
}

LPCWSTR AfxGetAppName()
{
    return g_pApp && g_pApp->m_pszAppName ? g_pApp->m_pszAppName : L"";
}

int AfxMessageBox(LPCWSTR lpszText, UINT nType)
{
    // Owned by the main window (or whatever popup it has open), so the box is modal to it.
    HWND hOwner = nullptr;
    if (CWnd* pMain = AfxGetMainWnd())
        if (::IsWindow(pMain->m_hWnd))
            hOwner = ::GetLastActivePopup(pMain->m_hWnd);
    return ::MessageBoxW(hOwner, lpszText, AfxGetAppName(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text.c_str(), nType);
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCWSTR lpszAppName)
    : m_pszAppName(nullptr), m_pszRegistryKey(nullptr), m_pszProfileName(nullptr),
      m_hInstance(::GetModuleHandleW(nullptr)), m_pMainWnd(nullptr), m_nNumPreviewPages(0)
{
    if (lpszAppName != nullptr) {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName.c_str();
    } else {
        SetAppNameFromResources();
    }
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

void CWinApp::SetAppNameFromResources()
{
    CString title;
    if (!title.LoadString(AFX_IDS_APP_TITLE) || title.empty()) {
        wchar_t path[MAX_PATH];
        ::GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring name = path;
        name = name.substr(name.find_last_of(L"\\/") + 1);
        title = name.substr(0, name.find_last_of(L'.'));
    }
    m_strAppName = title;
    m_pszAppName = m_strAppName.c_str();
    m_pszProfileName = m_pszAppName;
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    MSG msg{};
    while (AfxPumpMessage(msg)) {
    }
    ExitInstance();
    return static_cast<int>(msg.wParam);
}

int CWinApp::ExitInstance()
{
    if (m_nNumPreviewPages != 0)
        WriteProfileInt(L"Settings", L"PreviewPages", m_nNumPreviewPages);
    return 0;
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    m_templateList.emplace_back(pTemplate);
}

CDocTemplate* CWinApp::GetFirstDocTemplate() const
{
    return m_templateList.empty() ? nullptr : m_templateList.front().get();
}

CDocument* CWinApp::OpenDocumentFile(LPCWSTR lpszFileName)
{
    CDocTemplate* pTemplate = GetFirstDocTemplate();
    return pTemplate ? pTemplate->OpenDocumentFile(lpszFileName) : nullptr;
}

void CWinApp::OnFileNew()
{
    if (CDocTemplate* pTemplate = GetFirstDocTemplate())
        pTemplate->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    wchar_t path[MAX_PATH] = L"";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (AfxGetOpenFileName(&ofn))
        OpenDocumentFile(path);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != nullptr)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::SetRegistryKey(LPCWSTR lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey;
    m_pszRegistryKey = m_strRegistryKey.c_str();
    m_pszProfileName = m_pszAppName;
}

// HKEY_CURRENT_USER\Software\<registry key>\<application>\<section>, created when missing.
HKEY CWinApp::GetSectionKey(LPCWSTR lpszSection)
{
    if (m_pszRegistryKey == nullptr || m_pszProfileName == nullptr)
        return nullptr;
    const std::wstring path = std::wstring(L"Software\\") + m_pszRegistryKey + L"\\" +
                              m_pszProfileName + L"\\" + lpszSection;
    HKEY hKey = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_READ | KEY_WRITE, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return hKey;
}

UINT CWinApp::GetProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nDefault)
{
    HKEY hKey = GetSectionKey(lpszSection);
    if (hKey == nullptr)
        return static_cast<UINT>(nDefault);
    DWORD value = 0, type = 0, size = sizeof value;
    const LONG lResult =
        ::RegQueryValueExW(hKey, lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS && type == REG_DWORD ? value : static_cast<UINT>(nDefault);
}

BOOL CWinApp::WriteProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nValue)
{
    HKEY hKey = GetSectionKey(lpszSection);
    if (hKey == nullptr)
        return FALSE;
    const DWORD value = static_cast<DWORD>(nValue);
    const LONG lResult = ::RegSetValueExW(hKey, lpszEntry, 0, REG_DWORD,
                                          reinterpret_cast<const BYTE*>(&value), sizeof value);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

void CWinApp::LoadStdProfileSettings(UINT)
{
    // No recently-used file list is kept; only the preview page count is read.
    m_nNumPreviewPages = static_cast<int>(GetProfileInt(L"Settings", L"PreviewPages", 0));
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    const std::vector<std::wstring> args = AfxSplitCommandLine(::GetCommandLineW());
    for (size_t i = 1; i < args.size(); ++i) {
        LPCWSTR pszParam = args[i].c_str();
        const BOOL bFlag = pszParam[0] == L'/' || pszParam[0] == L'-';
        rCmdInfo.ParseParam(bFlag ? pszParam + 1 : pszParam, bFlag, i == args.size() - 1);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        OnCmdMsg(ID_FILE_NEW, WM_COMMAND, 0, ID_FILE_NEW, 0, nullptr);
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName.c_str()) != nullptr;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
    case CCommandLineInfo::FileDDE:
    case CCommandLineInfo::AppUnregister:
        return FALSE; // nothing to print, no shell conversation, nothing registered
    default:
        return TRUE;
    }
}

int AfxWinMain(HINSTANCE hInstance, int nCmdShow)
{
    (void)nCmdShow;
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || !AfxWinInit(hInstance))
        return -1;
    pApp->m_hInstance = hInstance;
    if (!pApp->InitApplication() || !pApp->InitInstance())
        return pApp->ExitInstance();
    return pApp->Run();
}
