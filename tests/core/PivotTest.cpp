#include "core/Matrix.h"

#include <cmath>

#include "Bits.h"

namespace {

CMatrix* SolveRows(std::initializer_list<std::initializer_list<double>> rows, bool bPivot)
{
    CMatrix m;
    m.Resize(static_cast<int>(rows.size()), static_cast<int>(rows.begin()->size()));
    int r = 0;
    for (const auto& row : rows) {
        int c = 0;
        for (double v : row)
            m.SetVal(r, c++, v);
        ++r;
    }
    return bPivot ? m.SolveWithRowExchanges() : m.Solve();
}

TEST(SolveWithRowExchanges, SolvesWhatAZeroDivisorDefeatsWithoutThem)
{
    CMatrix* p = SolveRows({{0, 1, 1}, {1, 0, 2}}, true);
    EXPECT_TRUE(p->IsTemporary());
    EXPECT_BITS(2.0, p->GetVal(0, 2));
    EXPECT_BITS(1.0, p->GetVal(1, 2));
    delete p;

    // Zero at every leading position of the natural order.
    p = SolveRows({{0, 0, 1, 3}, {0, 2, 0, 4}, {5, 0, 0, 10}}, true);
    EXPECT_BITS(2.0, p->GetVal(0, 3));
    EXPECT_BITS(2.0, p->GetVal(1, 3));
    EXPECT_BITS(3.0, p->GetVal(2, 3));
    delete p;
}

TEST(SolveWithRowExchanges, SingularSystemsStayWithoutAnswer)
{
    for (bool bConsistent : {true, false}) {
        CMatrix* p = SolveRows({{1, 2, 3}, {2, 4, bConsistent ? 6.0 : 7.0}}, true);
        EXPECT_FALSE(std::isfinite(p->GetVal(0, 2)) && std::isfinite(p->GetVal(1, 2)));
        delete p;
    }
    CMatrix* p = SolveRows({{0, 0, 0}, {0, 0, 0}}, true);
    EXPECT_TRUE(std::isnan(p->GetVal(0, 2)));
    delete p;
}

TEST(SolveWithRowExchanges, LeavesTheSourceAlone)
{
    CMatrix m;
    m.Resize(2, 3);
    const double values[2][3] = {{0, 1, 1}, {1, 0, 2}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            m.SetVal(r, c, values[r][c]);
    CMatrix* p = m.SolveWithRowExchanges();
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_BITS(values[r][c], m.GetVal(r, c));
    EXPECT_FALSE(m.IsTemporary());
    delete p;
}

} // namespace
