// The system for other programs: the numbers' CSV the export writes, and the copy of the whole
// system a spreadsheet pastes as a table. Neither touches the document's file or its state.

#include <algorithm>
#include <cstring>
#include <vector>

#include <windows.h>
#include <commdlg.h>

#include "HaltiqoView.h"
#include "app/HaltiqoDoc.h"
#include "core/PlainNumbers.h"
#include "framework/Archive.h"

namespace {

// Takes the clipboard's text, CSV and HTML formats together; FALSE when the clipboard is busy.
BOOL PutOnClipboard(HWND hOwner, const PlainNumbers::Table& table)
{
    const std::wstring text = PlainNumbers::Tabbed(table);
    const std::string csv = PlainNumbers::Csv(table);
    const std::string html = PlainNumbers::Html(table);
    const auto put = [](UINT uFormat, const void* pData, size_t nBytes) {
        HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, nBytes);
        void* pCopy = hData != nullptr ? ::GlobalLock(hData) : nullptr;
        if (pCopy == nullptr) {
            if (hData != nullptr)
                ::GlobalFree(hData);
            return false;
        }
        std::memcpy(pCopy, pData, nBytes);
        ::GlobalUnlock(hData);
        if (::SetClipboardData(uFormat, hData) != nullptr)
            return true;
        ::GlobalFree(hData);
        return false;
    };
    if (!::OpenClipboard(hOwner))
        return FALSE;
    ::EmptyClipboard();
    const bool bPut =
        put(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t)) &&
        put(::RegisterClipboardFormatW(L"Csv"), csv.c_str(), csv.size() + 1) &&
        put(::RegisterClipboardFormatW(L"HTML Format"), html.c_str(), html.size() + 1);
    ::CloseClipboard();
    return bPut;
}

} // namespace

BOOL CHaltiqoView::AnswersCurrent() const
{
    return m_bAnswersUnique && !m_bAnswersStale;
}

BOOL CHaltiqoView::ShownValues(BOOL bAnswers, PlainNumbers::Table& table)
{
    CatchUpGrid();
    GetDocument()->SealTyping();
    if (RefuseNoValue())
        return FALSE;
    int nRow = 0;
    int nCol = 0;
    return PlainNumbers::TableOf(GetDocument()->System(), bAnswers && AnswersCurrent(), table, nRow,
                                 nCol);
}

void CHaltiqoView::OnFileExport()
{
    PlainNumbers::Table table;
    if (!ShownValues(FALSE, table))
        return;
    // Current answers are offered as a second type of file: the last column.
    std::wstring filter = L"数値の CSV (*.csv)|*.csv|";
    if (AnswersCurrent())
        filter += L"数値と答えの CSV (*.csv)|*.csv|";
    filter += L"すべてのファイル (*.*)|*.*||";
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    std::vector<wchar_t> path(MAX_PATH, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetParentFrame() ? GetParentFrame()->m_hWnd : m_hWnd;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = AnswersCurrent() ? 2 : 1;
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = L"エクスポート (数値の CSV)";
    ofn.lpstrDefExt = L"csv";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER |
                OFN_ENABLESIZING;
    if (!AfxGetSaveFileName(&ofn))
        return;
    ExportTo(path.data(), AnswersCurrent() && ofn.nFilterIndex == 2);
}

BOOL CHaltiqoView::ExportTo(LPCWSTR lpszPathName, BOOL bAnswers)
{
    PlainNumbers::Table table;
    if (!ShownValues(bAnswers, table))
        return FALSE;
    const std::string bytes = PlainNumbers::Csv(table);
    return GetDocument()->WriteReplacing(lpszPathName, [&](CArchive& ar) { ar.Write(bytes); });
}

void CHaltiqoView::OnEditCopySystem()
{
    PlainNumbers::Table table;
    if (!ShownValues(TRUE, table))
        return;
    if (!PutOnClipboard(m_hWnd, table))
        MessageBox(
            L"クリップボードが使えないので、コピーできませんでした。もう一度お試しください。",
            nullptr, MB_OK | MB_ICONEXCLAMATION);
}
