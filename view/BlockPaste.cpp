// Pastes: one cell into the box of the Edit commands, a block into the grid like a spreadsheet,
// a whole system into the first box; and the refusals that say why nothing changed.

#include <algorithm>

#include "HaltiqoView.h"
#include "app/HaltiqoDoc.h"
#include "core/BlockText.h"
#include "core/SheetShape.h"

namespace {

std::wstring ReadClipboardText(HWND hOwner)
{
    std::wstring text;
    if (!::OpenClipboard(hOwner))
        return text;
    if (HANDLE hData = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* pText = static_cast<const wchar_t*>(::GlobalLock(hData))) {
            text.assign(pText, ::wcsnlen(pText, ::GlobalSize(hData) / sizeof(wchar_t)));
            ::GlobalUnlock(hData);
        }
    }
    ::CloseClipboard();
    return text;
}

} // namespace

BOOL CHaltiqoView::PasteBlock()
{
    CatchUpGrid();
    const std::wstring text = ReadClipboardText(m_hWnd);
    if (text.empty())
        return FALSE;
    BlockText::Block block = BlockText::Split(text);
    if (block.IsSingleCell()) {
        if (m_nFocusCol < 0)
            return FALSE; // the n box takes a count its own way
        PasteCell(BlockText::SingleCell(text));
        return TRUE;
    }

    const CGridLayout layout = Layout();
    const int n = layout.Count();
    const int r0 = m_nFocusRow;
    const int k0 = m_nFocusCol;
    // A record left outside a smaller grid names no box: like every Edit command, do nothing.
    if (k0 >= 0 && !IsEntryBox(r0, k0))
        return TRUE;
    const bool bFromEquation = k0 >= 0 && layout.IsEquationRow(r0);
    // From the first box, what a spreadsheet or a numeric tool put around a system is left out.
    SheetShape::Shaped shaped = SheetShape::Read(block);
    const bool bWholeSystem = shaped.bSystem;
    const bool bSystem = bWholeSystem && bFromEquation && r0 == 0 && k0 == 0;
    if (bSystem)
        block = std::move(shaped.block);
    else
        shaped.said.clear();
    if (!bSystem && (!bFromEquation || r0 + block.Rows() > n || k0 + block.Columns() > n + 1)) {
        RefuseBlock(block.Rows(), block.Columns(), bWholeSystem, shaped.why);
        return TRUE;
    }
    if (RefuseLongCell(block, bSystem, r0, k0))
        return TRUE;

    int nRow = 0;
    int nCol = 0;
    const BOOL bFocusInGrid = FindEntryBox(::GetFocus(), nRow, nCol);
    CHaltiqoDoc* pDoc = GetDocument();
    pDoc->SealTyping();
    if (bSystem) {
        pDoc->ReplaceSystem(block.rows);
    } else {
        std::vector<CSystemTable::CellText> texts;
        for (int i = 0; i < block.Rows(); ++i)
            for (int j = 0; j < static_cast<int>(block.rows[i].size()); ++j)
                texts.push_back({r0 + i, layout.CellOf(k0 + j), block.rows[i][j]});
        pDoc->SetTexts(texts);
    }
    // As after a paste into one box, the caret follows the pasted text.
    if (bFocusInGrid) {
        CEdit& first = m_ppEntry[r0][k0];
        first.SetFocus();
        const int nLength = first.GetWindowTextLength();
        first.SetSel(nLength, nLength);
    }
    if (!shaped.said.empty())
        MessageBox(shaped.said.c_str(), nullptr, MB_OK | MB_ICONINFORMATION);
    return TRUE;
}

// The first cell too long for a box, named where it would go; FALSE when every cell fits.
BOOL CHaltiqoView::RefuseLongCell(const BlockText::Block& block, bool bSystem, int r0, int k0)
{
    for (int i = 0; i < block.Rows(); ++i) {
        for (int j = 0; j < static_cast<int>(block.rows[i].size()); ++j) {
            const size_t nLength = block.rows[i][j].size();
            if (nLength > static_cast<size_t>(CSystemTable::kMaxText))
                return bSystem ? RefuseLongText(i, j, block.Rows(), nLength)
                               : RefuseLongText(r0 + i, k0 + j, m_nGridSize - 1, nLength);
        }
    }
    return FALSE;
}

// Says how large the block is, why it cannot go where the Edit commands act, and where it could.
void CHaltiqoView::RefuseBlock(int nRows, int nCols, bool bWholeSystem, const std::wstring& why)
{
    const CGridLayout layout = Layout();
    const int n = layout.Count();
    const int nMax = CSystemTable::kMaxCount;
    std::wstring message = L"貼り付ける値は " + std::to_wstring(nRows) + L" 行 " +
                           std::to_wstring(nCols) + L" 列です。" + why + L"\n";
    if (m_nFocusCol < 0)
        message += L"n の欄には貼り付けられません。\n";
    else if (!layout.IsEquationRow(m_nFocusRow))
        message += L"答えの欄には貼り付けられません。\n";
    else
        message +=
            layout.BoxName(m_nFocusRow, m_nFocusCol) + L" の欄からでは、式の欄に収まりません。\n";

    if (nRows <= n && nCols <= n + 1) {
        message += CGridLayout::RowRange(0, n - nRows) + L"の " +
                   layout.ColumnRange(0, n + 1 - nCols) + L" の欄から貼り付けてください。";
    } else if (std::max(nRows, nCols - 1) <= nMax) {
        message += L"n を " + std::to_wstring(std::max(nRows, nCols - 1)) +
                   L" 以上にしてから貼り付けてください。";
    } else {
        message +=
            L"式は " + std::to_wstring(nMax) + L" 個までなので、この大きさは貼り付けられません。";
    }
    if (bWholeSystem && nRows != n)
        message += L"\n連立方程式の全体なら、1 行目の a の欄に貼り付けると n が " +
                   std::to_wstring(nRows) + L" になります。";
    MessageBox(message.c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
}

void CHaltiqoView::PasteCell(const std::wstring& text)
{
    const int r = m_nFocusRow;
    const int k = m_nFocusCol;
    // A record left outside a smaller grid names no box: like every Edit command, do nothing.
    if (!IsEntryBox(r, k))
        return;
    CEdit& box = m_ppEntry[r][k];
    DWORD dwStart = 0;
    DWORD dwEnd = 0;
    box.SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart),
                    reinterpret_cast<LPARAM>(&dwEnd));
    const size_t nLength =
        static_cast<size_t>(box.GetWindowTextLength()) - (dwEnd - dwStart) + text.size();
    if (nLength > static_cast<size_t>(CSystemTable::kMaxText)) {
        RefuseLongText(r, k, m_nGridSize - 1, nLength);
        return;
    }
    // A paste is a step of its own, apart from the typing around it.
    SealTyping();
    box.SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    SealTyping();
}

BOOL CHaltiqoView::RefuseLongText(int nRow, int nCol, int n, size_t nLength)
{
    const std::wstring message =
        L"貼り付けると " + CGridLayout(n).BoxName(nRow, nCol) + L" の欄は " +
        std::to_wstring(nLength) + L" 文字になります。\n欄に入るのは " +
        std::to_wstring(CSystemTable::kMaxText) + L" 文字までなので、貼り付けませんでした。";
    MessageBox(message.c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
    return TRUE;
}

// A paste the box cut to its limit itself (its own menu, or Shift+Insert) is taken back whole.
void CHaltiqoView::TakeBackCutInsertion()
{
    int r = 0;
    int k = 0;
    const CutInsertion cut = m_cut;
    m_cut = CutInsertion{};
    if (!FindEntryBox(cut.hBox, r, k) || !Layout().IsEquationRow(r))
        return;
    CEdit& box = m_ppEntry[r][k];
    const std::wstring now = box.GetWindowText();
    if (now == cut.before) {
        // Nothing went in: a key typed at the limit, refused as the system refuses keys.
        ::MessageBeep(MB_OK);
        m_notes.ShowFull(box.m_hWnd, L"この欄に入るのは " +
                                         std::to_wstring(CSystemTable::kMaxText) +
                                         L" 文字までです。");
        ::SetTimer(m_hWnd, kFullTimer, 4000, nullptr);
        return;
    }
    const size_t nKept = cut.before.size() - (cut.dwEnd - cut.dwStart);
    std::wstring pasted = ReadClipboardText(m_hWnd);
    pasted = pasted.substr(0, pasted.find_first_of(L"\r\n")); // what a box pastes
    const size_t nWanted = nKept + std::max(pasted.size(), now.size() - nKept + 1);
    box.SetWindowText(cut.before.c_str());
    box.SetSel(static_cast<int>(cut.dwStart), static_cast<int>(cut.dwEnd));
    SealTyping();
    RefuseLongText(r, k, m_nGridSize - 1, nWanted);
}
