#include "core/Matrix.h"

#include <string>

#include "Bits.h"

namespace {

std::string Captured()
{
    std::string out = ::testing::internal::GetCapturedStdout();
#ifdef _WIN32
    // Standard output is in text mode there: a line end is written as CR LF.
    std::string plain;
    for (size_t i = 0; i < out.size(); ++i)
        if (!(out[i] == '\r' && i + 1 < out.size() && out[i + 1] == '\n'))
            plain.push_back(out[i]);
    out = plain;
#endif
    return out;
}

const std::string kSetLine = std::string(CMatrix::kSetValMessage) + "\n";
const std::string kGetLine = std::string(CMatrix::kGetValMessage) + "\n";

void Fill(CMatrix& m, int rows, int cols, double first)
{
    m.Resize(rows, cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            m.SetVal(r, c, first + r * cols + c);
}

TEST(MatrixMessages, AreTheShiftJisBytes)
{
    // 確保されていないメモリーに格納しようとしました。（SetVal） in code page 932.
    const unsigned char set[] = {
        0x8a, 0x6d, 0x95, 0xdb, 0x82, 0xb3, 0x82, 0xea, 0x82, 0xc4, 0x82, 0xa2, 0x82, 0xc8, 0x82,
        0xa2, 0x83, 0x81, 0x83, 0x82, 0x83, 0x8a, 0x81, 0x5b, 0x82, 0xc9, 0x8a, 0x69, 0x94, 0x5b,
        0x82, 0xb5, 0x82, 0xe6, 0x82, 0xa4, 0x82, 0xc6, 0x82, 0xb5, 0x82, 0xdc, 0x82, 0xb5, 0x82,
        0xbd, 0x81, 0x42, 0x81, 0x69, 'S',  'e',  't',  'V',  'a',  'l',  0x81, 0x6a};
    ASSERT_EQ(sizeof set, std::string(CMatrix::kSetValMessage).size());
    EXPECT_EQ(0, std::memcmp(set, CMatrix::kSetValMessage, sizeof set));
    // Same text with 格納 (store) replaced by 参照 (read) and the particle を.
    std::string get(CMatrix::kGetValMessage);
    ASSERT_EQ(sizeof set, get.size());
    EXPECT_EQ(0, std::memcmp(set, get.data(), 24));
    EXPECT_EQ(std::string("\x82\xf0\x8e\x51\x8f\xc6"), get.substr(24, 6));
    EXPECT_EQ(std::string("GetVal\x81\x6a"), get.substr(50));
}

TEST(MatrixAccess, NewMatrixIsEmptyAndEveryMissIsReported)
{
    CMatrix m;
    EXPECT_EQ(0, m.GetRowCount());
    EXPECT_EQ(0, m.GetColCount());
    EXPECT_FALSE(m.HasStorage());
    ::testing::internal::CaptureStdout();
    EXPECT_BITS(0.0, m.GetVal(0, 0));
    EXPECT_EQ(kGetLine, Captured());
    ::testing::internal::CaptureStdout();
    m.SetVal(0, 0, 1.5);
    EXPECT_EQ(kSetLine, Captured());
    EXPECT_FALSE(m.HasStorage());
    EXPECT_FALSE(m.IsTemporary());
}

TEST(MatrixAccess, IndicesAreCheckedAgainstBothCountsAndBelowZero)
{
    CMatrix m;
    Fill(m, 2, 3, 1.0);
    EXPECT_BITS(6.0, m.GetVal(1, 2));
    ::testing::internal::CaptureStdout();
    EXPECT_BITS(0.0, m.GetVal(2, 0));
    EXPECT_BITS(0.0, m.GetVal(0, 3));
    EXPECT_BITS(0.0, m.GetVal(-1, 0));
    EXPECT_BITS(0.0, m.GetVal(0, -1));
    EXPECT_EQ(kGetLine + kGetLine + kGetLine + kGetLine, Captured());

    ::testing::internal::CaptureStdout();
    m.SetVal(2, 0, 7.0);
    m.SetVal(0, -3, 7.0);
    EXPECT_EQ(kSetLine + kSetLine, Captured());
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_BITS(1.0 + r * 3 + c, m.GetVal(r, c));
}

TEST(MatrixAccess, RowOperationOnAMissingRowReportsEachAccess)
{
    CMatrix m;
    Fill(m, 2, 3, 1.0);
    ::testing::internal::CaptureStdout();
    m.AddRowMultiple(5, 0, 2.0); // destination missing: a fetch and a store per column
    EXPECT_EQ(6u * kGetLine.size(), Captured().size());
    ::testing::internal::CaptureStdout();
    m.AddRowMultiple(0, 5, 2.0); // source missing: one fetch per column, then 0 is added
    EXPECT_EQ(kGetLine + kGetLine + kGetLine, Captured());
    EXPECT_BITS(1.0, m.GetVal(0, 0));
}

TEST(MatrixResize, DiscardsValuesAndClearsTheMark)
{
    CMatrix m;
    Fill(m, 3, 4, 1.0);
    CMatrix* pResult = m.Solve();
    ASSERT_TRUE(pResult->IsTemporary());
    pResult->Resize(2, 3);
    EXPECT_EQ(2, pResult->GetRowCount());
    EXPECT_EQ(3, pResult->GetColCount());
    EXPECT_FALSE(pResult->IsTemporary());
    delete pResult;

    CMatrix z;
    z.Resize(0, 0);
    EXPECT_TRUE(z.HasStorage());
    z.Release();
    EXPECT_FALSE(z.HasStorage());
    z.Release(); // a second release does nothing
    EXPECT_FALSE(z.HasStorage());
}

TEST(MatrixAssign, FromAnOrdinaryMatrixCopiesIndependently)
{
    CMatrix src, dst;
    Fill(src, 2, 3, 1.0);
    Fill(dst, 4, 4, 100.0);
    dst = src;
    EXPECT_EQ(2, dst.GetRowCount());
    EXPECT_EQ(3, dst.GetColCount());
    EXPECT_FALSE(dst.IsTemporary());
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_BITS(src.GetVal(r, c), dst.GetVal(r, c));
    dst.SetVal(0, 0, -1.0);
    src.SetVal(1, 1, -2.0);
    EXPECT_BITS(1.0, src.GetVal(0, 0));
    EXPECT_BITS(5.0, dst.GetVal(1, 1));
}

// The destination's state before the assignment decides the mark after it.
TEST(MatrixAssign, FromATemporaryInEveryDestinationState)
{
    CMatrix base;
    Fill(base, 2, 3, 1.0);

    struct Case {
        const char* name;
        int rows; // -1: never sized (Empty); otherwise Resize first
        bool makeTemporary;
        bool expectTemporary;
    } cases[] = {
        {"Empty", -1, false, true},
        {"Sized", 4, false, false},
        {"Sized 0x0", 0, false, false},
        {"Temporary", 2, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMatrix* pDst = nullptr;
        if (c.makeTemporary) {
            pDst = base.Solve();
        } else {
            pDst = new CMatrix;
            if (c.rows >= 0)
                pDst->Resize(c.rows, c.rows);
        }
        CMatrix* pTemp = base.Solve();
        const double expected = pTemp->GetVal(1, 2);
        *pDst = *pTemp;
        EXPECT_EQ(c.expectTemporary, pDst->IsTemporary());
        EXPECT_EQ(2, pDst->GetRowCount());
        EXPECT_BITS(expected, pDst->GetVal(1, 2));
        EXPECT_FALSE(pTemp->HasStorage());
        EXPECT_FALSE(pTemp->IsTemporary());
        EXPECT_EQ(0, pTemp->GetRowCount());
        ::testing::internal::CaptureStdout();
        pTemp->GetVal(0, 0);
        EXPECT_EQ(kGetLine, Captured());
        delete pTemp;
        delete pDst;
    }
}

TEST(MatrixAssign, ATemporaryDestinationPassesItsValuesOnInTurn)
{
    CMatrix base;
    Fill(base, 2, 3, 1.0);
    CMatrix* pTemp = base.Solve();
    CMatrix second, third;
    second = *pTemp;
    ASSERT_TRUE(second.IsTemporary());
    third = second;
    EXPECT_FALSE(second.HasStorage());
    EXPECT_EQ(2, third.GetRowCount());
    EXPECT_TRUE(third.IsTemporary()); // it held no storage, so the mark carries over again
    delete pTemp;
}

TEST(MatrixAssign, ToItselfChangesNothing)
{
    CMatrix base;
    Fill(base, 2, 3, 1.0);
    CMatrix* pTemp = base.Solve();
    const double before = pTemp->GetVal(0, 2);
    CMatrix& alias = *pTemp;
    *pTemp = alias;
    EXPECT_TRUE(pTemp->IsTemporary());
    EXPECT_TRUE(pTemp->HasStorage());
    EXPECT_BITS(before, pTemp->GetVal(0, 2));
    delete pTemp;

    CMatrix plain;
    Fill(plain, 1, 2, 3.0);
    CMatrix& self = plain;
    plain = self;
    EXPECT_BITS(4.0, plain.GetVal(0, 1));
}

TEST(MatrixDump, WritesBracketedTenDecimalValues)
{
    CMatrix m;
    m.Resize(1, 2);
    m.SetVal(0, 0, 1.0);
    m.SetVal(0, 1, -0.5);
    ::testing::internal::CaptureStdout();
    m.Dump();
    EXPECT_EQ("[1.0000000000] [-0.5000000000] \n", Captured());

    CMatrix wide;
    wide.Resize(2, 1);
    wide.SetVal(0, 0, 123.25);
    wide.SetVal(1, 0, 0.0);
    ::testing::internal::CaptureStdout();
    wide.Dump();
    EXPECT_EQ("[123.2500000000] \n[0.0000000000] \n", Captured());

    CMatrix empty;
    ::testing::internal::CaptureStdout();
    empty.Dump();
    EXPECT_EQ("", Captured());

    CMatrix noCols;
    noCols.Resize(2, 0);
    ::testing::internal::CaptureStdout();
    noCols.Dump();
    EXPECT_EQ("\n\n", Captured());
}

} // namespace
