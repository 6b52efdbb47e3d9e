#include "WinApp.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>

#include "Afx.h"
#include "CommandLineInfo.h"
#include "Document.h"
#include "Exception.h"
#include "FrameWnd.h"
#include "MessageLoop.h"
#include "SingleDocTemplate.h"
#include "View.h"
#include "Wnd.h"
#include "afxres.h"

namespace {
CWinApp* g_pApp = nullptr; // the one application object; set by its constructor
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

LPCWSTR AfxGetAppName()
{
    return g_pApp != nullptr && g_pApp->m_pszAppName != nullptr ? g_pApp->m_pszAppName : L"";
}

CWnd* AfxGetMainWnd()
{
    return g_pApp != nullptr ? g_pApp->m_pMainWnd : nullptr;
}

int AfxMessageBox(LPCWSTR lpszText, UINT nType)
{
    // Owned by the main window (or whatever popup it has open), so the box is modal to it.
    HWND hOwner = nullptr;
    if (CWnd* pMain = AfxGetMainWnd(); pMain != nullptr && ::IsWindow(pMain->m_hWnd))
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
ON_COMMAND_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
END_MESSAGE_MAP()

namespace {
const wchar_t kRecentSection[] = L"Recent File List";

std::wstring RecentEntry(size_t i)
{
    return L"File" + std::to_wstring(i + 1);
}

// A long path as the menu shows it: its root, "...", and the file name.
CString MenuTextOf(size_t i, const CString& path)
{
    const size_t kLongest = 40;
    CString shown = path;
    const size_t name = path.find_last_of(L"\\/") + 1;
    const size_t root = path.find_first_of(L"\\/", path.compare(0, 2, L"\\\\") == 0 ? 2 : 0);
    if (shown.size() > kLongest && root != CString::npos && root + 1 < name)
        shown = path.substr(0, root + 1) + L"...\\" + path.substr(name);
    if (shown.size() > kLongest)
        shown = path.substr(name);
    CString text = L"&" + std::to_wstring(i + 1) + L" ";
    for (wchar_t ch : shown)
        text += ch == L'&' ? CString(L"&&") : CString(1, ch);
    return text;
}
} // namespace

CWinApp::CWinApp(LPCWSTR lpszAppName)
    : m_pszAppName(nullptr), m_pszRegistryKey(nullptr), m_pszProfileName(nullptr),
      m_hInstance(::GetModuleHandleW(nullptr)), m_pMainWnd(nullptr)
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

CDocTemplate* CWinApp::GetCurrentDocTemplate() const
{
    if (auto* pFrame = dynamic_cast<CFrameWnd*>(m_pMainWnd))
        if (CView* pView = pFrame->GetActiveView())
            if (CDocument* pDoc = pView->GetDocument())
                if (pDoc->m_pDocTemplate != nullptr)
                    return pDoc->m_pDocTemplate;
    return GetFirstDocTemplate();
}

CDocument* CWinApp::OpenDocumentFile(LPCWSTR lpszFileName)
{
    CDocTemplate* pTemplate = GetCurrentDocTemplate();
    return pTemplate ? pTemplate->OpenDocumentFile(lpszFileName) : nullptr;
}

void CWinApp::OnFileNew()
{
    if (CDocTemplate* pTemplate = GetCurrentDocTemplate())
        pTemplate->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    CString path;
    if (DoPromptFileName(path, AFX_IDS_OPENFILE, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, TRUE,
                         GetCurrentDocTemplate()))
        OpenDocumentFile(path.c_str());
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags,
                               BOOL bOpenFileDialog, CDocTemplate* pTemplate)
{
    CString filter = pTemplate != nullptr ? pTemplate->m_strFilter : CString();
    const CString defExt = pTemplate != nullptr ? pTemplate->m_strDefExt : CString();
    if (filter.empty())
        filter = L"*.*|*.*";
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    filter += CString(2, L'\0');
    CString title;
    title.LoadString(nIDSTitle);
    std::vector<wchar_t> path(MAX_PATH, L'\0');
    fileName.copy(path.data(), std::min<size_t>(fileName.size(), MAX_PATH - 1));

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrDefExt = defExt.empty() ? nullptr : defExt.c_str();
    ofn.Flags = lFlags | OFN_EXPLORER | OFN_ENABLESIZING;
    if (!(bOpenFileDialog ? AfxGetOpenFileName(&ofn) : AfxGetSaveFileName(&ofn)))
        return FALSE;
    fileName = path.data();
    return TRUE;
}

void CWinApp::AddToRecentFileList(LPCWSTR lpszPathName)
{
    if (m_nMaxMRU == 0)
        return;
    const CString path = lpszPathName;
    m_recentFiles.erase(std::remove_if(m_recentFiles.begin(), m_recentFiles.end(),
                                       [&](const CString& known) {
                                           return ::CompareStringOrdinal(known.c_str(), -1,
                                                                         path.c_str(), -1,
                                                                         TRUE) == CSTR_EQUAL;
                                       }),
                        m_recentFiles.end());
    m_recentFiles.insert(m_recentFiles.begin(), path);
    if (m_recentFiles.size() > m_nMaxMRU)
        m_recentFiles.resize(m_nMaxMRU);
    WriteRecentFileList();
}

void CWinApp::WriteRecentFileList()
{
    for (size_t i = 0; i < m_nMaxMRU; ++i)
        WriteProfileString(kRecentSection, RecentEntry(i).c_str(),
                           i < m_recentFiles.size() ? m_recentFiles[i].c_str() : nullptr);
}

void CWinApp::UpdateRecentFileMenu(HMENU hPopup)
{
    auto isRecent = [](UINT nID) {
        return nID >= ID_FILE_MRU_FILE1 && nID <= ID_FILE_MRU_FILE16;
    };
    int nPos = -1;
    for (int i = ::GetMenuItemCount(hPopup) - 1; i >= 0; --i)
        if (isRecent(::GetMenuItemID(hPopup, i)))
            nPos = i;
    if (nPos < 0)
        return;
    if (m_strRecentPlaceholder.empty()) {
        wchar_t text[128] = L"";
        ::GetMenuStringW(hPopup, static_cast<UINT>(nPos), text, 128, MF_BYPOSITION);
        m_strRecentPlaceholder = text;
    }
    while (nPos < ::GetMenuItemCount(hPopup) && isRecent(::GetMenuItemID(hPopup, nPos)))
        ::DeleteMenu(hPopup, static_cast<UINT>(nPos), MF_BYPOSITION);
    if (m_recentFiles.empty())
        ::InsertMenuW(hPopup, static_cast<UINT>(nPos), MF_BYPOSITION | MF_STRING | MF_GRAYED,
                      ID_FILE_MRU_FILE1, m_strRecentPlaceholder.c_str());
    for (size_t i = 0; i < m_recentFiles.size(); ++i)
        ::InsertMenuW(hPopup, static_cast<UINT>(nPos) + static_cast<UINT>(i),
                      MF_BYPOSITION | MF_STRING, ID_FILE_MRU_FILE1 + i,
                      MenuTextOf(i, m_recentFiles[i]).c_str());
}

void CWinApp::OnOpenRecentFile(UINT nID)
{
    const size_t i = nID - ID_FILE_MRU_FILE1;
    if (i >= m_recentFiles.size())
        return;
    const CString path = m_recentFiles[i];
    // Gone since: said at once, before any question about the document shown.
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        const DWORD dwError = ::GetLastError();
        AfxMessageBox((AfxFormatString1(AFX_IDP_FAILED_TO_OPEN_DOC, path.c_str()) + L"\n" +
                       AfxOsErrorText(dwError))
                          .c_str(),
                      MB_ICONEXCLAMATION);
        m_recentFiles.erase(m_recentFiles.begin() + static_cast<std::ptrdiff_t>(i));
        WriteRecentFileList();
        return;
    }
    OpenDocumentFile(path.c_str());
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

// HKEY_CURRENT_USER\Software\<registry key>\<application>\<section>. Only a write creates
// it: reading leaves no trace in the registry.
HKEY CWinApp::GetSectionKey(LPCWSTR lpszSection, bool bCreate)
{
    if (m_pszRegistryKey == nullptr || m_pszProfileName == nullptr)
        return nullptr;
    const std::wstring path = std::wstring(L"Software\\") + m_pszRegistryKey + L"\\" +
                              m_pszProfileName + L"\\" + lpszSection;
    HKEY hKey = nullptr;
    const LONG lResult = bCreate
                             ? ::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr,
                                                 REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                                                 nullptr, &hKey, nullptr)
                             : ::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &hKey);
    return lResult == ERROR_SUCCESS ? hKey : nullptr;
}

CString CWinApp::GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault)
{
    HKEY hKey = GetSectionKey(lpszSection, false);
    if (hKey == nullptr)
        return lpszDefault;
    DWORD type = 0;
    DWORD size = 0;
    CString value = lpszDefault;
    if (::RegQueryValueExW(hKey, lpszEntry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        type == REG_SZ) {
        std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
        if (::RegQueryValueExW(hKey, lpszEntry, nullptr, &type,
                               reinterpret_cast<BYTE*>(data.data()), &size) == ERROR_SUCCESS)
            value = data.data();
    }
    ::RegCloseKey(hKey);
    return value;
}

// A null value removes the entry.
BOOL CWinApp::WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue)
{
    HKEY hKey = GetSectionKey(lpszSection, true);
    if (hKey == nullptr)
        return FALSE;
    LONG lResult = ERROR_SUCCESS;
    if (lpszValue == nullptr)
        ::RegDeleteValueW(hKey, lpszEntry);
    else
        lResult =
            ::RegSetValueExW(hKey, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                             static_cast<DWORD>((wcslen(lpszValue) + 1) * sizeof(wchar_t)));
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    m_nMaxMRU = nMaxMRU;
    m_recentFiles.clear();
    for (size_t i = 0; i < nMaxMRU; ++i) {
        const CString path = GetProfileString(kRecentSection, RecentEntry(i).c_str());
        if (!path.empty())
            m_recentFiles.push_back(path);
    }
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
    // Whatever escapes the start or the loop is shown, and the program ends as after a failed
    // start rather than vanishing.
    try {
        if (!pApp->InitApplication() || !pApp->InitInstance())
            return pApp->ExitInstance();
        return pApp->Run();
    } catch (...) {
        AfxReportException();
    }
    return -1;
}
