#include "Document.h"

#include <commdlg.h>

#include <algorithm>
#include <memory>

#include "Afx.h"
#include "Archive.h"
#include "Exception.h"
#include "FrameWnd.h"
#include "View.h"
#include "WinApp.h"
#include "afxres.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

// A view that outlives its document finds it gone, not dangling.
CDocument::~CDocument()
{
    for (CView* pView : m_viewList)
        pView->m_pDocument = nullptr;
}

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
ON_COMMAND(ID_FILE_SAVE, OnFileSave)
ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

namespace {

using FileHandle = std::unique_ptr<void, decltype(&::CloseHandle)>;

// The message for the file and the reason, with the framework's first line.
void ReportFileError(UINT nIDPrompt, LPCWSTR lpszPathName, const CString& reason)
{
    AfxMessageBox((AfxFormatString1(nIDPrompt, lpszPathName) + L"\n" + reason).c_str(),
                  MB_ICONEXCLAMATION);
}

CString ReasonOf(const CException& e)
{
    if (const auto* pArchive = dynamic_cast<const CArchiveException*>(&e))
        return pArchive->m_strReason;
    if (const auto* pFile = dynamic_cast<const CFileException*>(&e))
        return AfxOsErrorText(pFile->m_lOsError);
    CString text;
    text.LoadString(AFX_IDP_INTERNAL_FAILURE);
    return text;
}

CString FolderOf(const CString& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    return slash == CString::npos ? CString(L".") : path.substr(0, slash + 1);
}

} // namespace

CString AfxOsErrorText(DWORD dwError)
{
    wchar_t* pText = nullptr;
    const DWORD nLength = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, dwError, 0, reinterpret_cast<LPWSTR>(&pText), 0, nullptr);
    CString text = nLength > 0 ? CString(pText, nLength) : CString();
    ::LocalFree(pText);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r'))
        text.pop_back();
    return text + L"（エラー " + std::to_wstring(dwError) + L"）";
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    SetModifiedFlag(FALSE);
    ClearPathName();
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCWSTR lpszPathName)
{
    // Others may have the file open, a spreadsheet for one: reading takes nothing from them.
    HANDLE hFile = ::CreateFileW(lpszPathName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        ReportFileError(AFX_IDP_FAILED_TO_OPEN_DOC, lpszPathName, AfxOsErrorText(::GetLastError()));
        return FALSE;
    }
    // Closed however reading ends, thrown out of included.
    const FileHandle file(hFile, &::CloseHandle);
    try {
        CArchive ar(hFile, CArchive::load);
        Serialize(ar);
    } catch (const CException& e) {
        ReportFileError(AFX_IDP_FAILED_TO_OPEN_DOC, lpszPathName, ReasonOf(e));
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCWSTR lpszPathName)
{
    if (!WriteReplacing(lpszPathName, [this](CArchive& ar) { Serialize(ar); }))
        return FALSE;
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::WriteReplacing(LPCWSTR lpszPathName, const std::function<void(CArchive&)>& write)
{
    wchar_t temp[MAX_PATH];
    if (!::GetTempFileNameW(FolderOf(lpszPathName).c_str(), L"~hq", 0, temp)) {
        ReportFileError(AFX_IDP_FAILED_TO_SAVE_DOC, lpszPathName, AfxOsErrorText(::GetLastError()));
        return FALSE;
    }
    DWORD dwError = ERROR_SUCCESS;
    CString reason;
    {
        HANDLE hFile = ::CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        if (hFile == INVALID_HANDLE_VALUE)
            dwError = ::GetLastError();
        const FileHandle file(hFile == INVALID_HANDLE_VALUE ? nullptr : hFile, &::CloseHandle);
        try {
            if (file) {
                CArchive ar(hFile, CArchive::store);
                write(ar);
                if (!::FlushFileBuffers(hFile))
                    throw CFileException(::GetLastError());
            }
        } catch (const CException& e) {
            reason = ReasonOf(e);
        }
    }
    if (dwError == ERROR_SUCCESS && reason.empty()) {
        // The old file's attributes and sharing rules stay with the name.
        const BOOL bReplaced =
            ::GetFileAttributesW(lpszPathName) != INVALID_FILE_ATTRIBUTES
                ? ::ReplaceFileW(lpszPathName, temp, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                 nullptr, nullptr)
                : ::MoveFileExW(temp, lpszPathName, MOVEFILE_WRITE_THROUGH);
        if (bReplaced)
            return TRUE;
        dwError = ::GetLastError();
    }
    ::DeleteFileW(temp);
    ReportFileError(AFX_IDP_FAILED_TO_SAVE_DOC, lpszPathName,
                    reason.empty() ? AfxOsErrorText(dwError) : reason);
    return FALSE;
}

void CDocument::Serialize(CArchive&) {}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    switch (AfxMessageBox(AfxFormatString1(AFX_IDP_ASK_TO_SAVE, GetTitle().c_str()).c_str(),
                          MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

BOOL CDocument::DoSave(LPCWSTR lpszPathName, BOOL bReplace)
{
    CString path = lpszPathName != nullptr ? lpszPathName : L"";
    if (path.empty()) {
        path = m_strPathName.empty() ? GetTitle() : m_strPathName;
        CWinApp* pApp = AfxGetApp();
        if (pApp == nullptr ||
            !pApp->DoPromptFileName(path, AFX_IDS_SAVEFILE,
                                    OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT,
                                    FALSE, m_pDocTemplate))
            return FALSE;
    }
    if (!OnSaveDocument(path.c_str()))
        return FALSE;
    if (bReplace)
        SetPathName(path.c_str());
    return TRUE;
}

BOOL CDocument::DoFileSave()
{
    const DWORD dwAttributes = ::GetFileAttributesW(m_strPathName.c_str());
    if (m_strPathName.empty() ||
        (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY)))
        return DoSave(nullptr);
    return DoSave(m_strPathName.c_str());
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(nullptr);
}

void CDocument::SetPathName(LPCWSTR lpszPathName, BOOL bAddToMRU)
{
    wchar_t full[MAX_PATH];
    const DWORD nLength = ::GetFullPathNameW(lpszPathName, MAX_PATH, full, nullptr);
    m_strPathName = nLength > 0 && nLength < MAX_PATH ? full : lpszPathName;
    UpdateFrameTitles();
    if (bAddToMRU && AfxGetApp() != nullptr)
        AfxGetApp()->AddToRecentFileList(m_strPathName.c_str());
}

void CDocument::ClearPathName()
{
    m_strPathName.clear();
    UpdateFrameTitles();
}

CString CDocument::GetTitle() const
{
    if (m_strPathName.empty()) {
        CString untitled;
        untitled.LoadString(AFX_IDS_UNTITLED);
        return untitled;
    }
    return m_strPathName.substr(m_strPathName.find_last_of(L"\\/") + 1);
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    const std::vector<CView*> views = m_viewList; // a view may come or go meanwhile
    for (CView* pView : views)
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
}

void CDocument::AddView(CView* pView)
{
    m_viewList.push_back(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView)
{
    m_viewList.erase(std::remove(m_viewList.begin(), m_viewList.end(), pView), m_viewList.end());
    pView->m_pDocument = nullptr;
}

// The frames of the views show the document's title.
void CDocument::UpdateFrameTitles()
{
    for (CView* pView : m_viewList)
        if (CFrameWnd* pFrame = pView->GetParentFrame())
            pFrame->OnUpdateFrameTitle(TRUE);
}
