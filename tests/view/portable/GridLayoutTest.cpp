#include "view/GridLayout.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

#include "view/NoteText.h"

namespace {

// Each box in the order the boxes are made: kind, cell, rectangle, identifier, a label's text.
std::wstring BoxesOf(const CGridLayout& layout, int nFrom = 0)
{
    std::wstring boxes;
    int nIndex = 0;
    layout.ForEachBox([&](bool bEntry, int r, int k) {
        const GridRect rc = bEntry ? layout.EntryRect(r, k) : layout.LabelRect(r, k);
        if (nIndex++ < nFrom)
            return;
        for (int v : {r, k, rc.left, rc.top, rc.right, rc.bottom})
            boxes += std::to_wstring(v) + L" ";
        boxes += (bEntry ? L"E" : L"L") +
                 std::to_wstring(bEntry ? layout.EntryId(r, k) : layout.LabelId(r, k)) +
                 (bEntry ? L"" : L" " + layout.LabelText(r, k)) + L"\n";
    });
    return boxes;
}

// The grid of two unknowns box for box; the last boxes of the grid of 26 and the extents; and,
// for every n, identifiers that are unique, in range and lead back to their cells.
TEST(GridLayoutTest, BoxesStandWhereTheFormPutsThem)
{
    EXPECT_EQ(L"0 0 30 80 130 100 E5588\n0 0 132 80 170 100 L5597 a + \n"
              L"0 1 180 80 280 100 E5591\n0 1 282 80 320 100 L5600 b ＝ \n"
              L"0 2 330 80 430 100 E5594\n1 0 30 105 130 125 E5589\n"
              L"1 0 132 105 170 125 L5598 a + \n1 1 180 105 280 125 E5592\n"
              L"1 1 282 105 320 125 L5601 b ＝ \n1 2 330 105 430 125 E5595\n"
              L"2 0 32 140 70 160 L5599 a ＝ \n2 0 70 140 170 160 E5590\n"
              L"2 1 182 140 220 160 L5602 b ＝ \n2 1 220 140 320 160 E5593\n",
              BoxesOf(CGridLayout(2)));
    EXPECT_EQ(L"26 24 3632 740 3670 760 L6991 y ＝ \n26 24 3670 740 3770 760 E6262\n"
              L"26 25 3782 740 3820 760 L7018 z ＝ \n26 25 3820 740 3920 760 E6289\n",
              BoxesOf(CGridLayout(26), 1426));
    EXPECT_EQ(L"480x175 4080x775", std::to_wstring(CGridLayout(2).ScrollWidth()) + L"x" +
                                       std::to_wstring(CGridLayout(2).ScrollHeight()) + L" " +
                                       std::to_wstring(CGridLayout(26).ScrollWidth()) + L"x" +
                                       std::to_wstring(CGridLayout(26).ScrollHeight()));

    for (int n = 2; n <= 26; ++n) {
        const CGridLayout layout(n);
        std::set<unsigned> ids;
        layout.ForEachBox([&](bool bEntry, int r, int k) {
            const unsigned id = bEntry ? layout.EntryId(r, k) : layout.LabelId(r, k);
            int row = -1, col = -1;
            EXPECT_TRUE(ids.insert(id).second && id >= CGridLayout::kFirstId &&
                        id <= CGridLayout::kLastId)
                << n << ": " << id;
            EXPECT_EQ(bEntry,
                      layout.EntryCell(static_cast<int>(id), row, col) && row == r && col == k)
                << n << ": " << id;
        });
        EXPECT_EQ(2u * n * n + 3u * n, ids.size());
        EXPECT_EQ(n, layout.ColumnOf(layout.CellOf(n)));
        EXPECT_EQ(n < 26 ? -1 : n, layout.ColumnOf(n)); // a coefficient this grid hides
    }
}

// What messages call a box, and what an equation box's note says of its text.
TEST(GridLayoutTest, BoxesAreNamedAndNotedAsMessagesSayIt)
{
    const CGridLayout layout(2);
    EXPECT_EQ(L"2 行目の b|1 行目の 右辺|答えの a|1～3 行目の a～右辺",
              layout.BoxName(1, 1) + L"|" + layout.BoxName(0, 2) + L"|" + layout.BoxName(2, 0) +
                  L"|" + CGridLayout::RowRange(0, 2) + L"の " + layout.ColumnRange(0, 2));

    using NoteText::Mark;
    const struct {
        std::wstring text;
        NoteText::Note note;
    } notes[] = {{L"", {}},
                 {L" -1/3 ", {}},
                 {L"1,5", {Mark::kWarning, L"「1,5」は 1 として計算します。"}},
                 {L"abc", {Mark::kWarning, L"「abc」は数ではないので 0 として計算します。"}},
                 {L"1/0", {Mark::kError, L"「1/0」は 0 で割っているので計算できません。"}},
                 {L"1e400/1e400", {Mark::kError, L"「1e400/1e400」は大きすぎて計算できません。"}},
                 {L"1e-400", {Mark::kWarning, L"「1e-400」は小さすぎて 0 として計算します。"}}};
    for (const auto& [text, note] : notes)
        EXPECT_TRUE(NoteText::OfEquationText(text) == note) << text.size();
}

} // namespace
