#pragma once

// CMatrix: a rectangular matrix of doubles sized at run time.
//
// Each row is its own heap block, reached through a row table. Element access checks the index
// and, on a miss, reports through ReportError and carries on (no store, or 0.0). A matrix marked
// temporary hands its values over on assignment and then releases its storage; Solve returns its
// result so marked, so that the caller's one assignment takes the values and frees the result.
class CMatrix {
public:
    CMatrix();
    CMatrix(const CMatrix&) = delete;
    virtual ~CMatrix();

    int GetRowCount() const { return m_nRows; }
    int GetColCount() const { return m_nCols; }
    bool IsTemporary() const { return m_bTemp == 1; }
    bool HasStorage() const { return m_ppData != nullptr; }

    void Resize(int nRows, int nCols);
    void Release();

    void SetVal(int nRow, int nCol, double dValue)
    {
        if (IsInside(nRow, nCol))
            m_ppData[nRow][nCol] = dValue;
        else
            ReportError(kSetValMessage);
    }
    double GetVal(int nRow, int nCol)
    {
        if (IsInside(nRow, nCol))
            return m_ppData[nRow][nCol];
        ReportError(kGetValMessage);
        return 0.0;
    }

    // Takes the source by non-const reference: a temporary source gives up its storage.
    CMatrix& operator=(CMatrix& src);

    // Row operations and the elimination.
    void AddRowMultiple(int nDest, int nSrc, double dFactor);
    void ScaleRow(int nRow, double dFactor);
    CMatrix* Solve();

    virtual void ReportError(const char* pszMessage);
    virtual void Dump();

    // The two messages, as Shift-JIS bytes.
    static const char kSetValMessage[];
    static const char kGetValMessage[];

private:
    // Negative indices count as misses too, like indices past the end.
    bool IsInside(int nRow, int nCol) const
    {
        return nRow >= 0 && nCol >= 0 && nRow < m_nRows && nCol < m_nCols;
    }

    int m_nRows;
    int m_nCols;
    double** m_ppData;
    int m_bTemp;
};
