#include "core/Matrix.h"

#include <cmath>
#include <limits>
#include <vector>

#include "Bits.h"

namespace {

using Rows = std::vector<std::vector<double>>;

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

void Load(CMatrix& m, const Rows& rows)
{
    m.Resize(static_cast<int>(rows.size()), rows.empty() ? 0 : static_cast<int>(rows[0].size()));
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            m.SetVal(static_cast<int>(r), static_cast<int>(c), rows[r][c]);
}

// Solves `input` and checks every element of the result bit for bit.
void ExpectSolved(const Rows& input, const Rows& expected)
{
    CMatrix m;
    Load(m, input);
    CMatrix* pResult = m.Solve();
    ASSERT_TRUE(pResult->IsTemporary());
    ASSERT_EQ(static_cast<int>(expected.size()), pResult->GetRowCount());
    for (size_t r = 0; r < expected.size(); ++r) {
        ASSERT_EQ(static_cast<int>(expected[r].size()), pResult->GetColCount());
        for (size_t c = 0; c < expected[r].size(); ++c) {
            SCOPED_TRACE(::testing::Message() << "element (" << r << ", " << c << ")");
            EXPECT_BITS(expected[r][c], pResult->GetVal(static_cast<int>(r), static_cast<int>(c)));
        }
    }
    delete pResult;
}

TEST(SolveExact, TwoByTwoKeepsTheRoundingOfEachStep)
{
    ExpectSolved({{2, 1, 5}, {1, 3, 10}}, {{1, 0, 1.0000000000000002}, {0, 1, 3}});
}

TEST(SolveExact, ThreeByThreeKeepsResiduesAndSignedZeros)
{
    ExpectSolved({{1, 1, 1, 6}, {0, 2, 5, -4}, {2, 5, -1, 27}},
                 {{0.9999999999999999, 0, 0, 4.999999999999999},
                  {0, 1, 0, 3},
                  {-2.220446049250313e-16, -0.0, 1, -2}});
}

TEST(SolveExact, IntegerAnswersComeOutExactly)
{
    CMatrix m;
    Load(m, {{2, 1, -1, 8}, {-3, -1, 2, -11}, {-2, 1, 2, -3}});
    CMatrix* pResult = m.Solve();
    EXPECT_BITS(2.0, pResult->GetVal(0, 3));
    EXPECT_BITS(3.0, pResult->GetVal(1, 3));
    EXPECT_BITS(-1.0, pResult->GetVal(2, 3));
    EXPECT_BITS(-0.0, pResult->GetVal(1, 0));
    EXPECT_BITS(1.0, pResult->GetVal(1, 1));
    EXPECT_BITS(-0.0, pResult->GetVal(1, 2));
    delete pResult;

    ExpectSolved({{1, 1, 3}, {1, -1, 1}}, {{1, 0, 2}, {-0.0, 1, 1}});
}

TEST(SolveExact, ZerosThatNeverDivideDoNoHarm)
{
    ExpectSolved({{0, 1, 1}, {1, 1, 2}}, {{1, -0.0, 1}, {0, 1, 1}});
    ExpectSolved({{1, 0, 5}, {0, 1, 7}}, {{1, 0, 5}, {0, 1, 7}});
}

TEST(SolveExact, ARoundingResidueIsDividedByInsteadOfZero)
{
    ExpectSolved({{0.1, 0.3, 1}, {0.3, 0.9, 3}}, {{1, 0, 0}, {0, 1, 3.3333333333333335}});
}

TEST(SolveDegenerate, SingularConsistentGivesNaNEverywhere)
{
    ExpectSolved({{1, 2, 3}, {2, 4, 6}}, {{kNaN, kNaN, kNaN}, {kNaN, kNaN, kNaN}});
}

TEST(SolveDegenerate, InconsistentGivesMinusInfinityAndNaN)
{
    ExpectSolved({{1, 2, 3}, {2, 4, 7}}, {{kNaN, kNaN, -kInf}, {kNaN, kNaN, kNaN}});
}

TEST(SolveDegenerate, ZeroDivisorWithoutPivotingGivesNaN)
{
    ExpectSolved({{0, 1, 1}, {1, 0, 2}}, {{kNaN, kNaN, kNaN}, {kNaN, kNaN, kNaN}});
}

TEST(SolveShapes, OtherShapesReduceTheLeadingSquare)
{
    ExpectSolved({{1, 2}, {3, 4}, {5, 6}}, {{1, -0.0}, {0, 1}, {5, 6}});
    ExpectSolved({{2, 4, 6}}, {{1, 2, 3}});
    ExpectSolved({{4, 3}, {6, 3}}, {{1, -0.0}, {0, 1}});

    CMatrix empty;
    CMatrix* pResult = empty.Solve();
    EXPECT_TRUE(pResult->IsTemporary());
    EXPECT_EQ(0, pResult->GetRowCount());
    EXPECT_EQ(0, pResult->GetColCount());
    delete pResult;
}

TEST(SolveTemporaryRule, SourceUnchangedResultHandsOverOnAssignment)
{
    CMatrix m;
    Load(m, {{2, 1, 5}, {1, 3, 10}});
    CMatrix* pResult = m.Solve();
    EXPECT_FALSE(m.IsTemporary());
    EXPECT_BITS(2.0, m.GetVal(0, 0));
    EXPECT_BITS(10.0, m.GetVal(1, 2));

    m = *pResult;
    EXPECT_FALSE(m.IsTemporary());
    EXPECT_BITS(1.0000000000000002, m.GetVal(0, 2));
    EXPECT_EQ(0, pResult->GetRowCount());
    EXPECT_EQ(0, pResult->GetColCount());
    EXPECT_FALSE(pResult->IsTemporary());
    delete pResult;
}

TEST(RowOperations, ScaleMultipliesByTheGivenFactor)
{
    // Multiplying by the reciprocal differs from dividing in the last bit.
    const double d = 0.7777777777777778;
    const double reciprocal = 1 / d;
    EXPECT_BITS(1.2857142857142856, reciprocal);
    CMatrix m;
    Load(m, {{d, 2 * d}});
    m.ScaleRow(0, reciprocal);
    EXPECT_BITS(0.9999999999999999, m.GetVal(0, 0));
    EXPECT_BITS(2 * d * reciprocal, m.GetVal(0, 1));
}

TEST(RowOperations, AddRoundsTheProductBeforeTheSum)
{
    // With a fused multiply-add, 1 + 0.1 * (-10) would keep the product's error.
    CMatrix m;
    Load(m, {{1.0}, {0.1}});
    m.AddRowMultiple(0, 1, -10.0);
    EXPECT_BITS(0.0, m.GetVal(0, 0));
}

} // namespace
