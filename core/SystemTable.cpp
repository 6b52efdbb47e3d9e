#include "SystemTable.h"

#include <utility>

CSystemTable::CSystemTable()
    : m_nCount(kMinCount), m_countText(std::to_wstring(kMinCount)), m_nDone(0), m_nSaved(0),
      m_bOpen(false), m_openKind(OpenKind::None)
{
}

CSystemTable::CSystemTable(const std::vector<std::vector<std::wstring>>& rows) : CSystemTable()
{
    ReplaceSystem(rows);
    m_steps.clear();
    m_nDone = 0;
    MarkSaved();
}

// Typing goes on in a step of its own: the saved texts stay the saved texts.
void CSystemTable::MarkSaved()
{
    m_bOpen = false;
    m_nSaved = m_nDone;
}

bool CSystemTable::TypeText(int nRow, int nCell, const std::wstring& text)
{
    std::wstring& current = m_texts[nRow][nCell];
    if (current == text)
        return false;
    if (m_bOpen && m_openKind == OpenKind::Cell) {
        Step& last = m_steps[m_nDone - 1];
        CellChange& cell = last.cells.front();
        if (cell.nRow == nRow && cell.nCell == nCell) {
            cell.newText = text;
            current = text;
            if (cell.oldText == text)
                DropOpenStep();
            return true;
        }
    }
    return Push({m_nCount, m_nCount, {{nRow, nCell, current, text}}, m_countText, m_countText},
                OpenKind::Cell);
}

bool CSystemTable::TypeCount(int n, const std::wstring& text)
{
    const bool bOpen = m_bOpen && m_openKind == OpenKind::Count;
    if (n == m_nCount) {
        // On the way to another count ("０２" of "０２６"), or back: the step keeps what was typed.
        if (bOpen) {
            m_countText = text;
            m_steps[m_nDone - 1].newCountText = text;
        }
        return false;
    }
    if (bOpen) {
        Step& last = m_steps[m_nDone - 1];
        last.nNewCount = n;
        last.newCountText = text;
        m_nCount = n;
        m_countText = text;
        if (last.nOldCount == n)
            DropOpenStep();
        return true;
    }
    return Push({m_nCount, n, {}, m_countText, text}, OpenKind::Count);
}

bool CSystemTable::SetCount(int n)
{
    return n != m_nCount &&
           Push({m_nCount, n, {}, m_countText, std::to_wstring(n)}, OpenKind::None);
}

bool CSystemTable::SetTexts(const std::vector<CellText>& texts)
{
    Step step{m_nCount, m_nCount, {}, m_countText, m_countText};
    for (const CellText& cell : texts)
        if (m_texts[cell.nRow][cell.nCell] != cell.text)
            step.cells.push_back(
                {cell.nRow, cell.nCell, m_texts[cell.nRow][cell.nCell], cell.text});
    return !step.cells.empty() && Push(std::move(step), OpenKind::None);
}

bool CSystemTable::ReplaceSystem(const std::vector<std::vector<std::wstring>>& rows)
{
    const int m = static_cast<int>(rows.size());
    Step step{m_nCount, m, {}, m_countText, std::to_wstring(m)};
    for (int r = 0; r < kMaxCount; ++r) {
        for (int c = 0; c <= kMaxCount; ++c) {
            std::wstring text;
            if (r < m && (c < m || c == kRhs))
                text = rows[r][c == kRhs ? m : c];
            if (text != m_texts[r][c])
                step.cells.push_back({r, c, m_texts[r][c], std::move(text)});
        }
    }
    if (step.cells.empty() && step.nOldCount == step.nNewCount)
        return false;
    return Push(std::move(step), OpenKind::None);
}

void CSystemTable::SetTextQuietly(int nRow, int nCell, const std::wstring& text)
{
    m_texts[nRow][nCell] = text;
}

const CSystemTable::Step* CSystemTable::Undo()
{
    if (!CanUndo())
        return nullptr;
    m_bOpen = false;
    const Step& step = m_steps[--m_nDone];
    Apply(step, false);
    return &step;
}

const CSystemTable::Step* CSystemTable::Redo()
{
    if (!CanRedo())
        return nullptr;
    m_bOpen = false;
    const Step& step = m_steps[m_nDone++];
    Apply(step, true);
    return &step;
}

// Typed and taken back again: nothing is left to undo.
void CSystemTable::DropOpenStep()
{
    m_steps.pop_back();
    --m_nDone;
    m_bOpen = false;
}

bool CSystemTable::Push(Step step, OpenKind kind)
{
    if (m_nSaved > m_nDone)
        m_nSaved = kUnreachable; // it was among the steps undone, now dropped
    m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(m_nDone), m_steps.end());
    m_steps.push_back(std::move(step));
    if (m_steps.size() > kMaxSteps) {
        m_steps.pop_front();
        if (m_nSaved != kUnreachable)
            m_nSaved = m_nSaved == 0 ? kUnreachable : m_nSaved - 1;
    }
    m_nDone = m_steps.size();
    Apply(m_steps.back(), true);
    m_bOpen = kind != OpenKind::None;
    m_openKind = kind;
    return true;
}

void CSystemTable::Apply(const Step& step, bool bForward)
{
    m_nCount = bForward ? step.nNewCount : step.nOldCount;
    m_countText = bForward ? step.newCountText : step.oldCountText;
    for (const CellChange& cell : step.cells)
        m_texts[cell.nRow][cell.nCell] = bForward ? cell.newText : cell.oldText;
}
