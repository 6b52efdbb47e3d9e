#include "app/MainFrame.h"
#include "ui/UiSupport.h"
#include "view/HaltiqoView.h"

namespace {

class EditRoutingTest : public AppTest {
protected:
    HWND Box(int r, int k) const { return m_pView->m_ppEntry[r][k].m_hWnd; }

    // A left click as it arrives: queued, so the view sees it before the box does.
    void Click(HWND hWnd)
    {
        ::PostMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        ::PostMessageW(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        Pump();
    }

    void Command(UINT nID)
    {
        m_pFrame->SendMessage(WM_COMMAND, nID);
        Pump();
    }

    DWORD Selection(HWND hWnd) const
    {
        return static_cast<DWORD>(::SendMessageW(hWnd, EM_GETSEL, 0, 0));
    }
};

// The commands follow the caret: a click, Tab and Shift+Tab all move the record with it.
TEST_F(EditRoutingTest, TheCommandsActOnTheBoxWithTheCaret)
{
    Click(Box(0, 0));
    EXPECT_EQ(0, m_pView->GetFocusCol());
    EXPECT_EQ(0, m_pView->GetFocusRow());
    PressKey(VK_TAB);
    ASSERT_EQ(Box(0, 1), ::GetFocus());
    SetClipboardText(L"3.5");
    PressKey('V', true);
    EXPECT_EQ(L"", TextOf(Box(0, 0)));
    EXPECT_EQ(L"3.5", TextOf(Box(0, 1)));
    PressKey('A', true);
    EXPECT_EQ(MAKELONG(0, 3), Selection(Box(0, 1)));
    PressKey('Z', true);
    EXPECT_EQ(L"", TextOf(Box(0, 1)));

    PressKey(VK_TAB, false, true);
    ASSERT_EQ(Box(0, 0), ::GetFocus());
    PressKey('V', true);
    EXPECT_EQ(L"3.5", TextOf(Box(0, 0)));
    EXPECT_EQ(L"", TextOf(Box(0, 1)));

    // Tab on from the last right-hand side reaches the answer row.
    ::SetFocus(Box(1, 2));
    Pump();
    PressKey(VK_TAB);
    ASSERT_EQ(Box(2, 0), ::GetFocus());
    PressKey('V', true);
    EXPECT_EQ(L"3.5", TextOf(Box(2, 0)));
    EXPECT_EQ(2, m_pView->GetFocusRow());
}

TEST_F(EditRoutingTest, TheCtrlKeysWorkWithTheFocusOnTheButton)
{
    Click(Box(1, 2));
    ::SetWindowTextW(Box(1, 2), L"123");
    ::SetFocus(::GetDlgItem(m_pView->m_hWnd, IDC_CALC));
    PressKey('A', true);
    EXPECT_EQ(Box(1, 2), ::GetFocus());
    EXPECT_EQ(MAKELONG(0, 3), Selection(Box(1, 2)));
    PressKey('C', true);
    EXPECT_EQ(L"123", ClipboardText());
    PressKey('X', true);
    EXPECT_EQ(L"", TextOf(Box(1, 2)));
    PressKey('Z', true);
    EXPECT_EQ(L"123", TextOf(Box(1, 2)));
    EXPECT_TRUE(m_boxes.Boxes().empty()); // no key reached the button as a click
}

TEST_F(EditRoutingTest, TheMenuCommandsActOnTheRecordedBox)
{
    Click(Box(2, 1)); // an answer box
    ::SetWindowTextW(Box(2, 1), L"7.000000");
    ::SetFocus(::GetDlgItem(m_pView->m_hWnd, IDC_CALC)); // the button is never recorded
    Command(ID_EDIT_SELALL);
    EXPECT_EQ(Box(2, 1), ::GetFocus());
    EXPECT_EQ(MAKELONG(0, 8), Selection(Box(2, 1)));
    Command(ID_EDIT_COPY);
    EXPECT_EQ(L"7.000000", ClipboardText());
    Command(ID_EDIT_CUT);
    EXPECT_EQ(L"", TextOf(Box(2, 1)));
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(L"7.000000", TextOf(Box(2, 1)));
    ::SendMessageW(Box(2, 1), EM_SETSEL, 8, 8);
    SetClipboardText(L"5");
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(L"7.0000005", TextOf(Box(2, 1)));
}

TEST_F(EditRoutingTest, PastingIntoTheCountBoxChangesTheCount)
{
    Click(m_pView->m_editN.m_hWnd);
    ::SetFocus(m_pView->m_editN.m_hWnd);
    EXPECT_EQ(-1, m_pView->GetFocusCol());
    ::SendMessageW(m_pView->m_editN.m_hWnd, EM_SETSEL, 0, -1);
    ::SetFocus(::GetDlgItem(m_pView->m_hWnd, IDC_CALC));
    SetClipboardText(L"4");
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(4, m_pView->m_nGridSize - 1);
    EXPECT_EQ(L"4", TextOf(m_pView->m_editN.m_hWnd));

    // A pasted text that is no count brings up the count's message.
    ::SendMessageW(m_pView->m_editN.m_hWnd, EM_SETSEL, 0, -1);
    SetClipboardText(L"x");
    Command(ID_EDIT_PASTE);
    ASSERT_EQ(1u, m_boxes.Boxes().size());
    EXPECT_EQ(L"整数を入力してください。", m_boxes.Boxes()[0].text);
    EXPECT_EQ(4, m_pView->m_nGridSize - 1);
}

TEST_F(EditRoutingTest, LabelsButtonsAndOtherClicksLeaveTheRecordAlone)
{
    Click(Box(1, 1));
    Click(m_pView->m_ppLabel[0][0].m_hWnd);
    Click(::GetDlgItem(m_pView->m_hWnd, IDC_CALC));
    m_boxes.Clear();
    Click(m_pView->m_hWnd);
    ::PostMessageW(m_pView->m_editN.m_hWnd, WM_KEYDOWN, VK_SHIFT, 0);
    Pump(50);
    EXPECT_EQ(1, m_pView->GetFocusCol());
    EXPECT_EQ(1, m_pView->GetFocusRow());

    // A right click puts the caret into the box (for its menu), and the record follows it.
    ::PostMessageW(Box(0, 0), WM_RBUTTONDOWN, MK_RBUTTON, 0);
    ::PostMessageW(Box(0, 0), WM_RBUTTONUP, 0, 0);
    ::PostMessageW(Box(0, 0), WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
    Pump(50);
    ::PostMessageW(Box(0, 0), WM_CANCELMODE, 0, 0); // in case the right click opened a menu
    Pump();
    ASSERT_EQ(Box(0, 0), ::GetFocus());
    EXPECT_EQ(0, m_pView->GetFocusCol());
    EXPECT_EQ(0, m_pView->GetFocusRow());
}

TEST_F(EditRoutingTest, ARecordOutsideASmallerGridReachesNothing)
{
    ::SetWindowTextW(m_pView->m_editN.m_hWnd, L"5");
    Pump();
    Click(Box(4, 4));
    ASSERT_EQ(4, m_pView->GetFocusCol());
    ::SetFocus(::GetDlgItem(m_pView->m_hWnd, IDC_CALC));
    m_pView->BuildGrid(2); // as a spin click that never focuses the count box would
    ASSERT_EQ(4, m_pView->GetFocusCol());
    for (const wchar_t* text : {L"9", L"1\t2\r\n3\t4\r\n"}) {
        SetClipboardText(text);
        for (UINT id : {ID_EDIT_PASTE, ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_SELALL})
            Command(id);
    }
    EXPECT_TRUE(m_boxes.Boxes().empty());
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k)
            if (Box(r, k)) {
                EXPECT_EQ(L"", TextOf(Box(r, k)));
            }
    EXPECT_EQ(L"5", TextOf(m_pView->m_editN.m_hWnd));
}

} // namespace
