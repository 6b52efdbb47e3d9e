#pragma once

// CGridLayout: where the boxes of the grid for n unknowns stand, what they are called and which
// of them exist, with no windows. Rows 0..n-1 are the equations, row n the answers; columns
// 0..n-1 the unknowns, column n the right-hand side. Rectangles are in pixels relative to the
// form's origin. The grid's windows, its scroll extent and every message that names a box ask
// this one place.

#include <string>

#include "core/SystemTable.h"

struct GridRect {
    int left;
    int top;
    int right;
    int bottom;
};

class CGridLayout {
public:
    // The identifiers run down the columns, entry boxes first, then the labels; they depend on
    // S = n + 1 and stay above the form's own controls.
    static const int kFirstId = 5588;
    static const int kLastId =
        kFirstId + 2 * (CSystemTable::kMaxCount + 1) * (CSystemTable::kMaxCount + 1) - 1;

    explicit CGridLayout(int n) : m_n(n) {}

    int Count() const { return m_n; }
    // S = n + 1: rows and columns of the tables, windows or not.
    int Size() const { return m_n + 1; }
    bool IsEquationRow(int nRow) const { return nRow >= 0 && nRow < m_n; }

    // Whether row r, column k has a window: an entry box in every column of the equations and
    // under each unknown in the answer row; a label after each unknown's box and before each
    // answer.
    bool HasEntry(int nRow, int nCol) const;
    bool HasLabel(int nRow, int nCol) const;

    GridRect EntryRect(int nRow, int nCol) const;
    GridRect LabelRect(int nRow, int nCol) const;
    unsigned EntryId(int nRow, int nCol) const;
    unsigned LabelId(int nRow, int nCol) const;
    // The row and column an identifier gives an entry position; false for any other identifier.
    bool EntryCell(int nId, int& nRow, int& nCol) const;
    // Calls fn(bEntry, r, k) for each box that has a window, in the order the boxes are made,
    // which is the order Tab visits them: row by row; in an equation row each box, then its
    // label; in the answer row each label, then its answer box.
    template <typename Fn> void ForEachBox(Fn fn) const
    {
        for (int r = 0; r <= m_n; ++r) {
            for (int k = 0; k <= m_n; ++k) {
                const bool bAnswer = !IsEquationRow(r);
                if (bAnswer && HasLabel(r, k))
                    fn(false, r, k);
                if (HasEntry(r, k))
                    fn(true, r, k);
                if (!bAnswer && HasLabel(r, k))
                    fn(false, r, k);
            }
        }
    }
    // The unknown's letter and the sign after it: " + " before another unknown, else " ＝ ".
    std::wstring LabelText(int nRow, int nCol) const;
    // The total size the view scrolls over.
    int ScrollWidth() const { return 150 * Size() + 30; }
    int ScrollHeight() const { return 25 * Size() + 100; }

    // The document's cell of column k, and the column of a cell (-1 when this grid hides it).
    int CellOf(int nCol) const { return nCol == m_n ? CSystemTable::kRhs : nCol; }
    int ColumnOf(int nCell) const;

    // A box as messages name it: "2 行目の b", "1 行目の 右辺", "答えの a".
    std::wstring BoxName(int nRow, int nCol) const;
    // "b" or "右辺"; "a～右辺" for several columns.
    std::wstring ColumnName(int nCol) const;
    std::wstring ColumnRange(int nFirst, int nLast) const;
    // "3 行目" or "1～3 行目".
    static std::wstring RowRange(int nFirst, int nLast);
    // The single character 'a' + k.
    static wchar_t Letter(int nCol) { return static_cast<wchar_t>(L'a' + nCol); }

private:
    int m_n;
};
