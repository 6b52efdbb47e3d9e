#include "view/GridLayout.h"

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "view/NoteText.h"

namespace {

struct Box {
    bool bEntry;
    int r, k;
    GridRect rc;
    unsigned id;
    std::wstring text; // a label's
};

bool operator==(const Box& a, const Box& b)
{
    return a.bEntry == b.bEntry && a.r == b.r && a.k == b.k && a.rc.left == b.rc.left &&
           a.rc.top == b.rc.top && a.rc.right == b.rc.right && a.rc.bottom == b.rc.bottom &&
           a.id == b.id && a.text == b.text;
}

std::vector<Box> BoxesOf(const CGridLayout& layout)
{
    std::vector<Box> boxes;
    layout.ForEachBox([&](bool bEntry, int r, int k) {
        boxes.push_back({bEntry, r, k, bEntry ? layout.EntryRect(r, k) : layout.LabelRect(r, k),
                         bEntry ? layout.EntryId(r, k) : layout.LabelId(r, k),
                         bEntry ? L"" : layout.LabelText(r, k)});
    });
    return boxes;
}

// The grid of two unknowns box for box in the order the boxes are made; the last boxes of the
// grid of 26 and its extent; and, for every n, identifiers that are unique, in range and lead
// back to their cells.
TEST(GridLayoutTest, BoxesStandWhereTheFormPutsThem)
{
    const std::wstring plus = L" + ", equals = L" \xFF1D ";
    const std::vector<Box> two = {{true, 0, 0, {30, 80, 130, 100}, 5588, L""},
                                  {false, 0, 0, {132, 80, 170, 100}, 5597, L"a" + plus},
                                  {true, 0, 1, {180, 80, 280, 100}, 5591, L""},
                                  {false, 0, 1, {282, 80, 320, 100}, 5600, L"b" + equals},
                                  {true, 0, 2, {330, 80, 430, 100}, 5594, L""},
                                  {true, 1, 0, {30, 105, 130, 125}, 5589, L""},
                                  {false, 1, 0, {132, 105, 170, 125}, 5598, L"a" + plus},
                                  {true, 1, 1, {180, 105, 280, 125}, 5592, L""},
                                  {false, 1, 1, {282, 105, 320, 125}, 5601, L"b" + equals},
                                  {true, 1, 2, {330, 105, 430, 125}, 5595, L""},
                                  {false, 2, 0, {32, 140, 70, 160}, 5599, L"a" + equals},
                                  {true, 2, 0, {70, 140, 170, 160}, 5590, L""},
                                  {false, 2, 1, {182, 140, 220, 160}, 5602, L"b" + equals},
                                  {true, 2, 1, {220, 140, 320, 160}, 5593, L""}};
    EXPECT_TRUE(BoxesOf(CGridLayout(2)) == two);
    EXPECT_EQ(480, CGridLayout(2).ScrollWidth());
    EXPECT_EQ(175, CGridLayout(2).ScrollHeight());

    const std::vector<Box> last = BoxesOf(CGridLayout(26));
    ASSERT_EQ(1430u, last.size());
    EXPECT_TRUE(last[1377] ==
                (Box{true, 25, 26, {3930, 705, 4030, 725}, 5588 + 26 * 27 + 25, L""}));
    EXPECT_TRUE(last[1429] ==
                (Box{true, 26, 25, {3820, 740, 3920, 760}, 5588 + 25 * 27 + 26, L""}));
    EXPECT_EQ(4080, CGridLayout(26).ScrollWidth());
    EXPECT_EQ(775, CGridLayout(26).ScrollHeight());

    for (int n = 2; n <= 26; ++n) {
        const CGridLayout layout(n);
        std::set<unsigned> ids;
        for (const Box& box : BoxesOf(layout)) {
            EXPECT_TRUE(ids.insert(box.id).second && box.id >= CGridLayout::kFirstId &&
                        box.id <= CGridLayout::kLastId)
                << n << ": " << box.id;
            int r = -1, k = -1;
            EXPECT_EQ(box.bEntry,
                      layout.EntryCell(static_cast<int>(box.id), r, k) && r == box.r && k == box.k)
                << n << ": " << box.id;
        }
        EXPECT_EQ(2u * n * n + 3u * n, ids.size());
        EXPECT_EQ(n, layout.ColumnOf(layout.CellOf(n)));
        EXPECT_EQ(n < 26 ? -1 : n, layout.ColumnOf(n)); // a coefficient this grid hides
    }
}

// What messages call a box, and what an equation box's note says of its text.
TEST(GridLayoutTest, BoxesAreNamedAndNotedAsMessagesSayIt)
{
    const CGridLayout layout(2);
    EXPECT_EQ(L"2 行目の b", layout.BoxName(1, 1));
    EXPECT_EQ(L"1 行目の 右辺", layout.BoxName(0, 2));
    EXPECT_EQ(L"答えの a", layout.BoxName(2, 0));
    EXPECT_EQ(L"1～3 行目の a～右辺",
              CGridLayout::RowRange(0, 2) + L"の " + layout.ColumnRange(0, 2));

    using NoteText::Mark;
    const struct {
        std::wstring text;
        NoteText::Note note;
    } notes[] = {{L"", {}},
                 {L" -1/3 ", {}},
                 {L"1,5", {Mark::kWarning, L"「1,5」は 1 として計算します。"}},
                 {L"abc", {Mark::kWarning, L"「abc」は数ではないので 0 として計算します。"}},
                 {L"1/0", {Mark::kError, L"「1/0」は 0 で割っているので計算できません。"}}};
    for (const auto& [text, note] : notes)
        EXPECT_TRUE(NoteText::OfEquationText(text) == note) << text.size();
}

} // namespace
