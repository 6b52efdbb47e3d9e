#include <string>

#include "app/MainFrame.h"
#include "ui/UiSupport.h"
#include "view/HaltiqoView.h"

namespace {

const int kCountBox = -1;

class BlockPasteTest : public AppTest {
protected:
    int N() const { return m_pView->m_nGridSize - 1; }
    HWND Box(int r, int k) const { return m_pView->m_ppEntry[r][k].m_hWnd; }

    // A grid for n unknowns with "." in every box, the answers included.
    void Prepare(int n)
    {
        m_pView->m_editN.SetWindowText(std::to_wstring(n).c_str());
        Pump();
        ASSERT_EQ(n, N());
        ForEachBox([&](int r, int k) { ::SetWindowTextW(Box(r, k), L"."); });
        m_boxes.Clear();
    }

    template <class F> void ForEachBox(F f) const
    {
        for (int r = 0; r <= N(); ++r)
            for (int k = 0; k <= N(); ++k)
                if (r < N() || k < N())
                    f(r, k);
    }

    // Every box's text: rows joined by '/', boxes by '|', the answer row last.
    std::wstring Grid() const
    {
        std::wstring grid;
        ForEachBox([&](int r, int k) {
            if (r > 0 && k == 0)
                grid += L'/';
            else if (k > 0)
                grid += L'|';
            grid += TextOf(Box(r, k));
        });
        return grid;
    }

    // Focuses the box (which records it), selects its text and pastes as Ctrl+V does.
    void PasteInto(int r, int k, const std::wstring& text)
    {
        HWND hBox = k == kCountBox ? m_pView->m_editN.m_hWnd : Box(r, k);
        ::SetFocus(hBox);
        ::SendMessageW(hBox, EM_SETSEL, 0, -1);
        SetClipboardText(text);
        m_pFrame->SendMessage(WM_COMMAND, ID_EDIT_PASTE);
        Pump();
    }

    std::wstring Message() const
    {
        if (m_boxes.Boxes().empty())
            return L"";
        const ShownMessageBox& box = m_boxes.Boxes().back();
        EXPECT_EQ(1u, m_boxes.Boxes().size());
        EXPECT_EQ(L"Haltiqo", box.caption);
        // What a paste left out is news, not a warning.
        const bool bSaid = box.text.find(L"読み込みました。") != std::wstring::npos;
        EXPECT_EQ(bSaid ? ::LoadIconW(nullptr, IDI_INFORMATION) : kExclamationIcon, box.icon);
        return box.text;
    }
};

TEST_F(BlockPasteTest, BlocksFillTheGridFromTheRecordedBoxOrChangeNothing)
{
    struct Case {
        int n, r, k;
        std::wstring text;
        int nAfter;
        const wchar_t* grid;  // nullptr: unchanged
        std::wstring message; // empty: none
    };
    auto TooLong = [](const std::wstring& box, int nLength) {
        return L"貼り付けると " + box + L" の欄は " + std::to_wstring(nLength) +
               L" 文字になります。\n欄に入るのは 255 文字までなので、貼り付けませんでした。";
    };
    const Case cases[] = {
        // A spreadsheet's range, a whole system for the present n.
        {3, 0, 0, L"1\t2\t3\t4\r\n5\t6\t7\t8\r\n9\t10\t11\t12\r\n", 3,
         L"1|2|3|4/5|6|7|8/9|10|11|12/.|.|.", L""},
        // A whole system of another size sets n; the answers stay, for what they are worth.
        {2, 0, 0,
         L"1\t2\t3\t4\t5\r\n6\t7\t8\t9\t10\r\n11\t12\t13\t14\t15\r\n16\t17\t18\t19\t20\r\n", 4,
         L"1|2|3|4|5/6|7|8|9|10/11|12|13|14|15/16|17|18|19|20/.|.||", L""},
        {3, 1, 1, L"7\t8\r\n9\t10\r\n", 3, L".|.|.|./.|7|8|./.|9|10|./.|.|.", L""},
        {2, 0, 1, L"1,2\n3,4", 2, L".|1|2/.|3|4/.|.", L""},
        {2, 0, 0, L"1,5;2;3\n4;-5;6,25\n", 2, L"1.5|2|3/4|-5|6.25/.|.", L""},
        {3, 0, 0, L"   1.0   2.0\n  -3.0   4.0\n", 3, L"1.0|2.0|.|./-3.0|4.0|.|./.|.|.|./.|.|.",
         L""},
        {2, 0, 0, L"[[1, 2, 3], [4, 5, 6]]", 2, L"1|2|3/4|5|6/.|.", L""},
        {3, 1, 2, L"[1 2; 3 4]", 3, L".|.|.|./.|.|1|2/.|.|3|4/.|.|.", L""},
        // A short row fills what it has; an empty cell empties its box.
        {2, 0, 0, L"1\n2\t\t3", 2, L"1|.|./2||3/.|.", L""},
        // Blocks that do not fit.
        {2, 0, 0, L"1 2 3\n4 5 6\n7 8 9", 2, nullptr,
         L"貼り付ける値は 3 行 3 列です。\n1 行目の a の欄からでは、式の欄に収まりません。\n"
         L"n を 3 以上にしてから貼り付けてください。"},
        {2, 0, 1, L"1 2 3", 2, nullptr,
         L"貼り付ける値は 1 行 3 列です。\n1 行目の b の欄からでは、式の欄に収まりません。\n"
         L"1～2 行目の a の欄から貼り付けてください。"},
        {3, 2, 0, L"1\n2", 3, nullptr,
         L"貼り付ける値は 2 行 1 列です。\n3 行目の a の欄からでは、式の欄に収まりません。\n"
         L"1～2 行目の a～右辺 の欄から貼り付けてください。"},
        {2, 0, 1, L"1 2\n3 4 5", 2, nullptr,
         L"貼り付ける値は 2 行 3 列です。\n1 行目の b の欄からでは、式の欄に収まりません。\n"
         L"1 行目の a の欄から貼り付けてください。"},
        {3, 1, 0, L"1 2 3 4 5\n1 2 3 4 5\n1 2 3 4 5\n1 2 3 4 5", 3, nullptr,
         L"貼り付ける値は 4 行 5 列です。\n2 行目の a の欄からでは、式の欄に収まりません。\n"
         L"n を 4 以上にしてから貼り付けてください。\n"
         L"連立方程式の全体なら、1 行目の a の欄に貼り付けると n が 4 になります。"},
        {2, 2, 0, L"1\t2", 2, nullptr,
         L"貼り付ける値は 1 行 2 列です。\n答えの欄には貼り付けられません。\n"
         L"1～2 行目の a～b の欄から貼り付けてください。"},
        {2, 0, kCountBox, L"3\r\n4\r\n", 2, nullptr,
         L"貼り付ける値は 2 行 1 列です。\nn の欄には貼り付けられません。\n"
         L"1 行目の a～右辺 の欄から貼り付けてください。"},
        {2, 0, 0, std::wstring(27, L'\t') + L"1", 2, nullptr,
         L"貼り付ける値は 1 行 28 列です。\n1 行目の a の欄からでは、式の欄に収まりません。\n"
         L"式は 26 個までなので、この大きさは貼り付けられません。"},
        // One cell: the box's own paste.
        {2, 0, 0, L"42", 2, L"42|.|./.|.|./.|.", L""},
        {2, 1, 2, L"12\r\n", 2, L".|.|./.|.|12/.|.", L""},
        {2, 0, 1, L"x = 5", 2, L".|x = 5|./.|.|./.|.", L""},
        // What other programs copy keeps its meaning.
        {2, 0, 0, L"\"7\"", 2, L"7|.|./.|.|./.|.", L""},
        {2, 1, 1, L"[[5]]\n", 2, L".|.|./.|5|./.|.", L""},
        {2, 1, 0, L"7\t\t\r\n", 2, L".|.|./7|.|./.|.", L""},
        {2, 0, 0, L"\"1\n2\",3", 2, L"1\n2|3|./.|.|./.|.", L""},
        {2, 0, 0, L"1,5\t1,000\t5", 2, L"1.5|1,000|5/.|.|./.|.", L""},
        {2, 0, 0, L"1\t2\t3\t\r\n4\t5\t6\t\r\n", 2, L"1|2|3/4|5|6/.|.",
         L"末尾の空の 1 列を除いて読み込みました。"},
        {2, 0, 0, L"1 2 3\n\n4 5 6\n", 2, L"1|2|3/4|5|6/.|.", L""},
        {2, 0, 0, L"array([[1, 2, 3],\n       [4, 5, 6]])", 2, L"1|2|3/4|5|6/.|.", L""},
        // Longer than a box takes: refused whole, never cut, a character never split.
        {2, 0, 0, L"1\t" + std::wstring(300, L'2'), 2, nullptr, TooLong(L"1 行目の b", 300)},
        {3, 0, 0, L"1 2 3\n4 5 " + std::wstring(254, L'6') + L"\xD83D\xDE00", 3, nullptr,
         TooLong(L"2 行目の 右辺", 256)},
        {2, 1, 2, L"\"" + std::wstring(256, L'9') + L"\"", 2, nullptr,
         TooLong(L"2 行目の 右辺", 256)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case #" << (&c - cases));
        Prepare(c.n);
        const std::wstring before = Grid();
        PasteInto(c.r, c.k, c.text);
        EXPECT_EQ(c.nAfter, N());
        EXPECT_EQ(std::to_wstring(c.nAfter), TextOf(m_pView->m_editN.m_hWnd));
        EXPECT_EQ(c.grid ? std::wstring(c.grid) : before, Grid());
        EXPECT_EQ(c.message, Message());
    }
}

TEST_F(BlockPasteTest, AWholeSystemOfTwentySixFillsEveryBox)
{
    Prepare(2);
    std::wstring text;
    std::wstring expected;
    for (int r = 0; r < 26; ++r) {
        for (int k = 0; k <= 26; ++k) {
            const std::wstring cell = std::to_wstring(r) + L"." + std::to_wstring(k);
            text += cell + (k < 26 ? L"\t" : L"\r\n");
            expected += (k ? L"|" : L"") + cell;
        }
        expected += L'/';
    }
    expected += L".|." + std::wstring(24, L'|');
    PasteInto(0, 0, text);
    EXPECT_EQ(26, N());
    EXPECT_EQ(26, LOWORD(m_pView->m_spinN.SendMessage(UDM_GETPOS)));
    EXPECT_EQ(expected, Grid());
    EXPECT_EQ(L"", Message());
    EXPECT_EQ(Box(0, 0), ::GetFocus());
}

TEST_F(BlockPasteTest, UndoTakesTheWholeBlockBackInOneStep)
{
    // Within the grid: one Ctrl+Z restores every box, one Ctrl+Y brings the block again.
    Prepare(3);
    const std::wstring before = Grid();
    PasteInto(1, 1, L"7\t8\r\n9\t10\r\n");
    const std::wstring pasted = Grid();
    PressKey('Z', true);
    EXPECT_EQ(before, Grid());
    PressKey('Y', true);
    EXPECT_EQ(pasted, Grid());
    PressKey('Z', true);

    // A whole system that changed n: n, the spin button and the old system come back; the
    // answer of c, gone with its column, does not.
    PasteInto(0, 0, L"1 2 3\n4 5 6");
    ASSERT_EQ(2, N());
    m_pFrame->SendMessage(WM_COMMAND, ID_EDIT_UNDO);
    Pump();
    EXPECT_EQ(3, N());
    EXPECT_EQ(L"3", TextOf(m_pView->m_editN.m_hWnd));
    EXPECT_EQ(3, LOWORD(m_pView->m_spinN.SendMessage(UDM_GETPOS)));
    EXPECT_EQ(before.substr(0, before.size() - 1), Grid());

    // Anything typed after the paste is newer: Ctrl+Z takes that back, and the block stays; the
    // caret after the paste follows the pasted text, so a key typed adds to it.
    PasteInto(0, 0, L"1 2\n3 4");
    TypeChars(Box(0, 0), L"5");
    PressKey('Z', true);
    EXPECT_EQ(L"1|2|.|./3|4|.|./.|.|.|./.|.|", Grid());
    PressKey('Y', true);
    EXPECT_EQ(L"15|2|.|./3|4|.|./.|.|.|./.|.|", Grid());
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

// Up and Down walk a column through coefficient, right-hand-side and answer boxes; at the ends
// they stay. Left and Right still move the caret.
TEST_F(BlockPasteTest, UpAndDownMoveAlongTheColumn)
{
    Prepare(3);
    ForEachBox([&](int r, int k) { ::SetWindowTextW(Box(r, k), L"12"); });
    struct Step {
        int r, k;
        WORD vk;
        int rTo, kTo;
    };
    const Step steps[] = {
        {0, 0, VK_DOWN, 1, 0}, {2, 0, VK_DOWN, 3, 0}, {3, 0, VK_DOWN, 3, 0}, {3, 2, VK_UP, 2, 2},
        {0, 3, VK_UP, 0, 3},   {2, 3, VK_DOWN, 2, 3}, {1, 3, VK_UP, 0, 3},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << "from (" << s.r << ", " << s.k << ")");
        ::SetFocus(Box(s.r, s.k));
        ::SendMessageW(Box(s.r, s.k), EM_SETSEL, 1, 1);
        PressKey(s.vk);
        EXPECT_EQ(Box(s.rTo, s.kTo), ::GetFocus());
        const bool bMoved = s.rTo != s.r;
        EXPECT_EQ(bMoved ? MAKELONG(0, 2) : MAKELONG(1, 1),
                  ::SendMessageW(Box(s.rTo, s.kTo), EM_GETSEL, 0, 0));
        EXPECT_EQ(s.rTo, m_pView->GetFocusRow());
        EXPECT_EQ(s.kTo, m_pView->GetFocusCol());
    }
    ::SetFocus(Box(1, 1));
    ::SendMessageW(Box(1, 1), EM_SETSEL, 2, 2);
    PressKey(VK_LEFT);
    EXPECT_EQ(Box(1, 1), ::GetFocus());
    EXPECT_EQ(MAKELONG(1, 1), ::SendMessageW(Box(1, 1), EM_GETSEL, 0, 0));

    // Down through all 26 rows reaches the answer box, scrolled into view.
    Prepare(26);
    ::SetFocus(Box(0, 5));
    for (int i = 0; i < 26; ++i)
        PressKey(VK_DOWN);
    ASSERT_EQ(Box(26, 5), ::GetFocus());
    RECT view;
    RECT box;
    ::GetClientRect(m_pView->m_hWnd, &view);
    ::GetWindowRect(Box(26, 5), &box);
    ::MapWindowPoints(nullptr, m_pView->m_hWnd, reinterpret_cast<POINT*>(&box), 2);
    EXPECT_TRUE(box.top >= 0 && box.bottom <= view.bottom && box.left >= 0 &&
                box.right <= view.right);
}

} // namespace
