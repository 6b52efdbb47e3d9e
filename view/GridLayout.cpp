#include "GridLayout.h"

namespace {

// The reference point of each column and row; the boxes stand around it.
int ColumnX(int nCol)
{
    return 132 + 150 * nCol;
}

int RowY(int nRow)
{
    return 90 + 25 * nRow;
}

} // namespace

bool CGridLayout::HasEntry(int nRow, int nCol) const
{
    return nRow >= 0 && nCol >= 0 && nRow <= m_n && nCol <= m_n && !(nRow == m_n && nCol == m_n);
}

bool CGridLayout::HasLabel(int nRow, int nCol) const
{
    return nRow >= 0 && nCol >= 0 && nRow <= m_n && nCol < m_n;
}

// An equation's label follows its box after a gap; an answer's label touches its box, which ends
// where the label above it ends.
GridRect CGridLayout::EntryRect(int nRow, int nCol) const
{
    const int x = ColumnX(nCol);
    const int y = RowY(nRow);
    return nRow < m_n ? GridRect{x - 102, y - 10, x - 2, y + 10}
                      : GridRect{x - 62, y, x + 38, y + 20};
}

GridRect CGridLayout::LabelRect(int nRow, int nCol) const
{
    const int x = ColumnX(nCol);
    const int y = RowY(nRow);
    return nRow < m_n ? GridRect{x, y - 10, x + 38, y + 10} : GridRect{x - 100, y, x - 62, y + 20};
}

unsigned CGridLayout::EntryId(int nRow, int nCol) const
{
    return static_cast<unsigned>(kFirstId + nCol * Size() + nRow);
}

unsigned CGridLayout::LabelId(int nRow, int nCol) const
{
    return EntryId(nRow, nCol) + static_cast<unsigned>(Size() * Size());
}

bool CGridLayout::EntryCell(int nId, int& nRow, int& nCol) const
{
    const int nIndex = nId - kFirstId;
    if (nIndex < 0 || nIndex >= Size() * Size())
        return false;
    nRow = nIndex % Size();
    nCol = nIndex / Size();
    return true;
}

std::wstring CGridLayout::LabelText(int nRow, int nCol) const
{
    return std::wstring(1, Letter(nCol)) + (nRow < m_n && nCol < m_n - 1 ? L" + " : L" \xFF1D ");
}

int CGridLayout::ColumnOf(int nCell) const
{
    if (nCell == CSystemTable::kRhs)
        return m_n;
    return nCell >= 0 && nCell < m_n ? nCell : -1;
}

std::wstring CGridLayout::BoxName(int nRow, int nCol) const
{
    return (nRow < m_n ? std::to_wstring(nRow + 1) + L" 行目の " : L"答えの ") + ColumnName(nCol);
}

std::wstring CGridLayout::ColumnName(int nCol) const
{
    return nCol < m_n ? std::wstring(1, Letter(nCol)) : std::wstring(L"右辺");
}

std::wstring CGridLayout::ColumnRange(int nFirst, int nLast) const
{
    std::wstring text = ColumnName(nFirst);
    if (nLast != nFirst)
        text += L"～" + ColumnName(nLast);
    return text;
}

std::wstring CGridLayout::RowRange(int nFirst, int nLast)
{
    std::wstring text = std::to_wstring(nFirst + 1);
    if (nLast != nFirst)
        text += L"～" + std::to_wstring(nLast + 1);
    return text + L" 行目";
}
