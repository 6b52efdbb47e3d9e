#include "core/SystemTable.h"

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// The count and every text, as undo and redo must give them back.
std::wstring State(const CSystemTable& table)
{
    std::wstring state = std::to_wstring(table.Count());
    for (int r = 0; r < CSystemTable::kMaxCount; ++r)
        for (int c = 0; c <= CSystemTable::kMaxCount; ++c)
            if (!table.Text(r, c).empty())
                state += L"|" + std::to_wstring(r * 100 + c) + L"=" + table.Text(r, c);
    return state;
}

// A seeded run of every kind of change, each a step of its own: undo walks back through the
// states seen, redo forward again, and a change after an undo drops what could be redone.
TEST(SystemTableTest, UndoAndRedoReplayEveryStep)
{
    std::mt19937 random(7);
    auto pick = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    CSystemTable table;
    std::vector<std::wstring> states{State(table)};
    for (int i = 0; i < 300; ++i) {
        bool bChanged = false;
        const int m = pick(2, 4);
        switch (pick(0, 3)) {
        case 0:
            bChanged = table.TypeText(pick(0, 25), pick(0, 26), std::to_wstring(pick(0, 3)));
            break;
        case 1:
            bChanged = table.SetCount(pick(2, 26));
            break;
        case 2:
            bChanged = table.SetTexts({{pick(0, 25), pick(0, 26), L"x"}, {0, 26, L"y"}});
            break;
        default:
            bChanged = table.ReplaceSystem(std::vector<std::vector<std::wstring>>(
                m, std::vector<std::wstring>(m + 1, std::to_wstring(i))));
        }
        table.Seal();
        if (bChanged)
            states.push_back(State(table));
        EXPECT_EQ(states.back(), State(table));
    }
    for (size_t i = states.size() - 1; i > 0; --i) {
        ASSERT_NE(nullptr, table.Undo());
        ASSERT_EQ(states[i - 1], State(table)) << i;
    }
    for (size_t i = 1; i < states.size(); ++i) {
        ASSERT_NE(nullptr, table.Redo());
        ASSERT_EQ(states[i], State(table)) << i;
    }
    EXPECT_EQ(nullptr, table.Redo());
    table.Undo();
    table.SetCount(table.Count() == 2 ? 3 : 2);
    EXPECT_FALSE(table.CanRedo());
}

// Typing is one step per box up to Seal or a save; typing back to where it began leaves none;
// counts typed key by key are one step; the history keeps at least its limit of steps.
TEST(SystemTableTest, TypingMergesUntilSealedAndTheHistoryIsBounded)
{
    CSystemTable table;
    table.TypeText(0, 0, L"1");
    table.MarkSaved(); // marked '*' below
    table.TypeText(0, 0, L"12");
    table.TypeText(0, 1, L"3"); // another box: a step of its own
    table.TypeCount(12, L"12");
    table.TypeCount(26, L"26");
    table.Seal();
    table.TypeCount(2, L"2");
    table.TypeText(1, 0, L"5");
    table.TypeText(1, 0, L""); // typed and deleted again
    std::wstring undone;
    while (table.Undo() != nullptr)
        undone += std::to_wstring(table.Count()) + L":" + table.Text(0, 0) + table.Text(0, 1) +
                  (table.IsModified() ? L" " : L"* ");
    EXPECT_EQ(L"26:123 2:123 2:12 2:1* 2: ", undone);

    for (int i = 0; i < 1500; ++i)
        table.SetCount(3 + i % 2);
    int nUndone = 0;
    while (table.Undo() != nullptr)
        ++nUndone;
    EXPECT_EQ(static_cast<int>(CSystemTable::kMaxSteps), nUndone);
    EXPECT_TRUE(table.IsModified()); // the saved system was undone and then replaced

    // Typed, saved, undone and typed again: the saved system can no longer be reached.
    CSystemTable retyped;
    retyped.TypeText(0, 0, L"1");
    retyped.MarkSaved();
    retyped.Undo();
    retyped.TypeText(0, 0, L"2");
    EXPECT_TRUE(retyped.IsModified());
}

} // namespace
