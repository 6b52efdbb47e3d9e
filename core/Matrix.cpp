#include "Matrix.h"

#include <algorithm>
#include <cstdio>

// 確保されていないメモリーに格納しようとしました。（SetVal）
const char CMatrix::kSetValMessage[] =
    "\x8a\x6d\x95\xdb\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xc8\x82\xa2\x83\x81\x83\x82\x83\x8a"
    "\x81\x5b\x82\xc9\x8a\x69\x94\x5b\x82\xb5\x82\xe6\x82\xa4\x82\xc6\x82\xb5\x82\xdc\x82\xb5"
    "\x82\xbd\x81\x42\x81\x69SetVal\x81\x6a";

// 確保されていないメモリーを参照しようとしました。（GetVal）
const char CMatrix::kGetValMessage[] =
    "\x8a\x6d\x95\xdb\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xc8\x82\xa2\x83\x81\x83\x82\x83\x8a"
    "\x81\x5b\x82\xf0\x8e\x51\x8f\xc6\x82\xb5\x82\xe6\x82\xa4\x82\xc6\x82\xb5\x82\xdc\x82\xb5"
    "\x82\xbd\x81\x42\x81\x69GetVal\x81\x6a";

CMatrix::CMatrix() : m_nRows(0), m_nCols(0), m_ppData(nullptr), m_bTemp(0) {}

CMatrix::~CMatrix()
{
    Release();
}

void CMatrix::Resize(int nRows, int nCols)
{
    Release();
    m_nRows = nRows;
    m_nCols = nCols;
    m_ppData = new double*[nRows > 0 ? nRows : 0];
    for (int r = 0; r < nRows; ++r)
        m_ppData[r] = new double[nCols > 0 ? nCols : 0];
}

void CMatrix::Release()
{
    if (m_ppData == nullptr)
        return;
    for (int r = 0; r < m_nRows; ++r)
        delete[] m_ppData[r];
    delete[] m_ppData;
    m_bTemp = 0;
    m_nRows = 0;
    m_nCols = 0;
    m_ppData = nullptr;
}

CMatrix& CMatrix::operator=(CMatrix& src)
{
    if (&src == this)
        return *this;
    if (src.m_bTemp == 1)
        m_bTemp = 1; // survives only if Resize below finds no storage to release
    else
        Release();
    Resize(src.GetRowCount(), src.GetColCount());
    // Both matrices now have the same counts, so no element access can miss.
    for (int r = 0; r < m_nRows; ++r)
        std::copy(src.m_ppData[r], src.m_ppData[r] + m_nCols, m_ppData[r]);
    if (src.m_bTemp == 1)
        src.Release();
    return *this;
}

// When both rows exist every access would hit, so the row is worked on directly; the compiler can
// then vectorise the loop, which rounds each product and each sum exactly as the checked path does.
void CMatrix::AddRowMultiple(int nDest, int nSrc, double dFactor)
{
    if (IsInside(nDest, 0) && IsInside(nSrc, 0)) {
        double* pDest = m_ppData[nDest];
        const double* pSrc = m_ppData[nSrc];
        for (int k = 0; k < m_nCols; ++k)
            pDest[k] = pDest[k] + pSrc[k] * dFactor;
        return;
    }
    for (int k = 0; k < m_nCols; ++k) {
        const double dProduct = GetVal(nSrc, k) * dFactor;
        SetVal(nDest, k, GetVal(nDest, k) + dProduct);
    }
}

void CMatrix::ScaleRow(int nRow, double dFactor)
{
    if (IsInside(nRow, 0)) {
        double* pRow = m_ppData[nRow];
        for (int k = 0; k < m_nCols; ++k)
            pRow[k] = pRow[k] * dFactor;
        return;
    }
    for (int k = 0; k < m_nCols; ++k)
        SetVal(nRow, k, GetVal(nRow, k) * dFactor);
}

// Gauss-Jordan without pivoting: clear above the diagonal (each row with the one below it, last
// column first), then below it, then scale each row by its diagonal's reciprocal. A zero divisor
// spreads infinities and NaN through the result; callers test the answers for that.
CMatrix* CMatrix::Solve()
{
    CMatrix* pW = new CMatrix;
    *pW = *this;
    const int a = m_nRows < m_nCols ? m_nRows : m_nCols;

    for (int i = a - 1; i >= 1; --i)
        for (int j = 0; j <= i - 1; ++j) {
            const double f = -(pW->GetVal(j, i) / pW->GetVal(j + 1, i));
            pW->AddRowMultiple(j, j + 1, f);
        }

    for (int i = 1; i <= a - 1; ++i)
        for (int j = 0; j <= i - 1; ++j) {
            const double f = -(pW->GetVal(i, j) / pW->GetVal(j, j));
            pW->AddRowMultiple(i, j, f);
        }

    for (int i = 0; i <= a - 1; ++i) {
        const double r = 1.0 / pW->GetVal(i, i);
        pW->ScaleRow(i, r);
    }

    pW->m_bTemp = 1;
    return pW;
}

void CMatrix::ReportError(const char* pszMessage)
{
    std::fputs(pszMessage, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void CMatrix::Dump()
{
    for (int r = 0; r < m_nRows; ++r) {
        for (int c = 0; c < m_nCols; ++c)
            std::printf("[%10.10lf] ", GetVal(r, c));
        std::printf("\n");
    }
}
