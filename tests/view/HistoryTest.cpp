#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "core/NumberText.h"
#include "ui/UiSupport.h"
#include "view/HaltiqoView.h"

namespace {

class HistoryTest : public AppTest {
protected:
    int N() const { return m_pView->m_nGridSize - 1; }
    HWND Box(int r, int k) const { return m_pView->m_ppEntry[r][k].m_hWnd; }
    HWND CountBox() const { return m_pView->m_editN.m_hWnd; }

    // n and every equation box's text: what undo and redo must bring back exactly.
    std::wstring System() const
    {
        std::wstring text = std::to_wstring(N()) + L":";
        for (int r = 0; r < N(); ++r)
            for (int k = 0; k <= N(); ++k)
                text += L"|" + TextOf(Box(r, k));
        return text;
    }

    // Whether the view draws the answer boxes greyed.
    bool AnswersGreyed() const
    {
        HDC hDC = ::CreateCompatibleDC(nullptr);
        ::SetTextColor(hDC, RGB(1, 2, 3));
        m_pView->SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(hDC),
                             reinterpret_cast<LPARAM>(Box(N(), 0)));
        const bool bGreyed = ::GetTextColor(hDC) == ::GetSysColor(COLOR_GRAYTEXT);
        ::DeleteDC(hDC);
        return bGreyed;
    }

    void TypeInto(HWND hBox, const std::wstring& keys)
    {
        ::SetFocus(hBox);
        ::SendMessageW(hBox, EM_SETSEL, 0, -1);
        TypeChars(hBox, keys);
        ::SetFocus(::GetDlgItem(m_pView->m_hWnd, IDC_CALC)); // leaving the box ends its step
        Pump();
        states.push_back(System());
    }

    std::vector<std::wstring> states; // after each step
};

// Each change a person makes is one step, wherever it was made: Ctrl+Z takes them back one by
// one to the start, Ctrl+Y brings them all again, and the caret goes to what changed.
TEST_F(HistoryTest, UndoAndRedoWalkEveryChangeOfTheSystem)
{
    states.push_back(System());
    TypeInto(CountBox(), L"3");
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k <= 3; ++k)
            TypeInto(Box(r, k), std::to_wstring(r == k ? 2 : 1) + (k == 3 ? L"0" : L""));
    m_pView->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CALC, BN_CLICKED),
                         reinterpret_cast<LPARAM>(::GetDlgItem(m_pView->m_hWnd, IDC_CALC)));
    const std::wstring answers = TextOf(Box(3, 0)) + TextOf(Box(3, 1)) + TextOf(Box(3, 2));
    EXPECT_EQ(L"2.5000002.5000002.500000", answers);
    EXPECT_FALSE(AnswersGreyed());
    m_boxes.Clear();

    RECT rc;
    ::GetClientRect(m_pView->m_spinN.m_hWnd, &rc);
    const LPARAM upArrow = MAKELPARAM(rc.right / 2, rc.bottom / 4);
    m_pView->m_spinN.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, upArrow);
    m_pView->m_spinN.SendMessage(WM_LBUTTONUP, 0, upArrow);
    // The pointer moves on; left over the arrow, Wine's control steps once more after a key.
    m_pView->m_spinN.SendMessage(WM_MOUSELEAVE);
    Pump();
    EXPECT_EQ(4, N());
    EXPECT_TRUE(AnswersGreyed());
    EXPECT_EQ(answers, TextOf(Box(4, 0)) + TextOf(Box(4, 1)) + TextOf(Box(4, 2)));
    states.push_back(System());
    for (WORD vk : {VK_UP, VK_DOWN}) {
        ::SetFocus(CountBox());
        PressKey(vk);
        states.push_back(System());
    }
    EXPECT_EQ(4, N());
    for (const auto& [keys, n] :
         {std::pair{L"27", 2}, {L"12", 12}, {L"\xFF12\xFF16", 26}, {L"5", 5}}) {
        TypeInto(CountBox(), keys);
        EXPECT_EQ(n, N());
    }
    EXPECT_EQ(1u, m_boxes.Boxes().size()); // 27 is no count
    ::SetFocus(Box(0, 0));
    SetClipboardText(L"1\t2\t3\r\n4\t5\t6\r\n");
    PressKey('V', true);
    EXPECT_EQ(L"2:|1|2|3|4|5|6", System());
    states.push_back(System());
    m_boxes.Clear();

    for (size_t i = states.size() - 1; i > 0; --i) {
        PressKey('Z', true);
        EXPECT_EQ(states[i - 1], System()) << "undo to state " << i - 1;
        EXPECT_EQ(std::to_wstring(N()), NumberText::ToAsciiForms(TextOf(CountBox()))); // as typed
        EXPECT_TRUE(AnswersGreyed());
    }
    PressKey('Z', true); // nothing left to undo
    EXPECT_EQ(states.front(), System());
    for (size_t i = 1; i < states.size(); ++i) {
        PressKey('Y', true);
        EXPECT_EQ(states[i], System()) << "redo to state " << i;
    }
    // The caret is in the first box the last step changed, its text selected.
    EXPECT_EQ(Box(0, 0), ::GetFocus());
    EXPECT_EQ(MAKELONG(0, 1), ::SendMessageW(Box(0, 0), EM_GETSEL, 0, 0));
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

} // namespace
