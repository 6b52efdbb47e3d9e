#include <cwchar>
#include <random>
#include <set>
#include <utility>

#include "app/HaltiqoDoc.h"
#include "app/MainFrame.h"
#include "ui/UiSupport.h"
#include "view/HaltiqoView.h"

namespace {

// A child's rectangle in the view's client coordinates.
RECT ChildRect(HWND hParent, HWND hChild)
{
    RECT rc;
    ::GetWindowRect(hChild, &rc);
    ::MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// The grid's windows in creation order: the view's children after the form's four.
std::vector<HWND> GridWindows(HWND hView)
{
    std::vector<HWND> windows;
    for (HWND h = ::GetWindow(hView, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        if (::GetDlgCtrlID(h) >= 5588 && ::GetDlgCtrlID(h) <= 7018)
            windows.push_back(h);
    return windows;
}

class GridTest : public AppTest {};

// The class, style and extended style each window was created with, in creation order.
struct Creation {
    std::wstring cls;
    DWORD style;
    DWORD exStyle;
};
std::vector<Creation>* g_pCreations = nullptr;

LRESULT CALLBACK RecordCreation(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && g_pCreations != nullptr) {
        const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        wchar_t cls[32] = L"";
        ::GetClassNameW(reinterpret_cast<HWND>(wParam), cls, 32);
        g_pCreations->push_back({cls, static_cast<DWORD>(cs->style), cs->dwExStyle});
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

TEST_F(GridTest, TwoUnknownsGiveTheFourteenBoxesOfTheWorkedLayout)
{
    struct Box {
        RECT rect;
        int id;
        const wchar_t* text;
        bool enabled;
        DWORD style;
    };
    // Entry boxes scroll sideways; labels are made disabled.
    const DWORD entry = 0x50810080, label = 0x58000000;
    const Box expected[] = {
        {{30, 80, 130, 100}, 5588, L"", true, entry},
        {{132, 80, 170, 100}, 5597, L"a + ", false, label},
        {{180, 80, 280, 100}, 5591, L"", true, entry},
        {{282, 80, 320, 100}, 5600, L"b \xFF1D ", false, label},
        {{330, 80, 430, 100}, 5594, L"", true, entry},
        {{30, 105, 130, 125}, 5589, L"", true, entry},
        {{132, 105, 170, 125}, 5598, L"a + ", false, label},
        {{180, 105, 280, 125}, 5592, L"", true, entry},
        {{282, 105, 320, 125}, 5601, L"b \xFF1D ", false, label},
        {{330, 105, 430, 125}, 5595, L"", true, entry},
        {{32, 140, 70, 160}, 5599, L"a \xFF1D ", false, label},
        {{70, 140, 170, 160}, 5590, L"", true, entry},
        {{182, 140, 220, 160}, 5602, L"b \xFF1D ", false, label},
        {{220, 140, 320, 160}, 5593, L"", true, entry},
    };
    const std::vector<HWND> grid = GridWindows(m_pView->m_hWnd);
    ASSERT_EQ(14u, grid.size());
    for (size_t i = 0; i < grid.size(); ++i) {
        SCOPED_TRACE(::testing::Message() << "box " << i + 1);
        const RECT rc = ChildRect(m_pView->m_hWnd, grid[i]);
        EXPECT_EQ(expected[i].rect.left, rc.left);
        EXPECT_EQ(expected[i].rect.top, rc.top);
        EXPECT_EQ(expected[i].rect.right, rc.right);
        EXPECT_EQ(expected[i].rect.bottom, rc.bottom);
        EXPECT_EQ(expected[i].id, ::GetDlgCtrlID(grid[i]));
        EXPECT_EQ(expected[i].text, TextOf(grid[i]));
        EXPECT_EQ(expected[i].enabled, ::IsWindowEnabled(grid[i]) != FALSE);
    }
    EXPECT_EQ(480, m_pView->GetTotalSize().cx);
    EXPECT_EQ(175, m_pView->GetTotalSize().cy);

    // The styles as the program passes them, in the same order.
    std::vector<Creation> creations;
    g_pCreations = &creations;
    HHOOK hHook = ::SetWindowsHookExW(WH_CBT, RecordCreation, nullptr, ::GetCurrentThreadId());
    m_pView->BuildGrid(2);
    ::UnhookWindowsHookEx(hHook);
    g_pCreations = nullptr;
    ASSERT_EQ(14u, creations.size());
    for (size_t i = 0; i < creations.size(); ++i) {
        EXPECT_EQ(expected[i].style, creations[i].style) << i;
        EXPECT_EQ(0u, creations[i].exStyle) << i;
        EXPECT_EQ(L"Edit", creations[i].cls) << i;
    }
    // Four objects exist without a window.
    EXPECT_EQ(nullptr, m_pView->m_ppLabel[0][2].m_hWnd);
    EXPECT_EQ(nullptr, m_pView->m_ppLabel[1][2].m_hWnd);
    EXPECT_EQ(nullptr, m_pView->m_ppEntry[2][2].m_hWnd);
    EXPECT_EQ(nullptr, m_pView->m_ppLabel[2][2].m_hWnd);
}

// Coefficient, right-hand-side and answer boxes scroll sideways: typing wider than the box keeps
// every character, up to the 255 the solve command reads.
TEST_F(GridTest, EntryBoxesKeepTextWiderThanThemselves)
{
    for (const auto& [r, k] : {std::pair{0, 0}, std::pair{1, 2}, std::pair{2, 1}}) {
        SCOPED_TRACE(::testing::Message() << "box " << r << "," << k);
        HWND hBox = m_pView->m_ppEntry[r][k].m_hWnd;
        TypeChars(hBox, std::wstring(60, L'8'));
        EXPECT_EQ(std::wstring(60, L'8'), TextOf(hBox));
        TypeChars(hBox, std::wstring(200, L'9'));
        EXPECT_EQ(std::wstring(60, L'8') + std::wstring(195, L'9'), TextOf(hBox));
    }
}

TEST_F(GridTest, ThreeUnknownsReadLikeTheWrittenEquations)
{
    m_pView->BuildGrid(3);
    const std::vector<HWND> grid = GridWindows(m_pView->m_hWnd);
    ASSERT_EQ(2u * 9 + 9, grid.size());
    // First equation row: box, a +, box, b +, box, c ＝, box.
    const wchar_t* row[] = {L"", L"a + ", L"", L"b + ", L"", L"c \xFF1D ", L""};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(row[i], TextOf(grid[i])) << i;
    // Answer row: a ＝, box, b ＝, box, c ＝, box.
    const wchar_t* answers[] = {L"a \xFF1D ", L"", L"b \xFF1D ", L"", L"c \xFF1D ", L""};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(answers[i], TextOf(grid[21 + i])) << i;
    EXPECT_EQ(nullptr, m_pView->m_ppLabel[0][3].m_hWnd);
}

TEST_F(GridTest, TwentySixUnknownsSpanTheWholeRangeAndScroll)
{
    m_pView->BuildGrid(26);
    const std::vector<HWND> grid = GridWindows(m_pView->m_hWnd);
    ASSERT_EQ(1430u, grid.size());
    std::set<int> ids;
    for (HWND h : grid)
        ids.insert(::GetDlgCtrlID(h));
    EXPECT_EQ(1430u, ids.size());
    EXPECT_EQ(5588, *ids.begin());
    EXPECT_EQ(7018, *ids.rbegin());

    const RECT rhs = ChildRect(m_pView->m_hWnd, m_pView->m_ppEntry[0][26].m_hWnd);
    EXPECT_EQ(3930, rhs.left);
    EXPECT_EQ(4030, rhs.right);
    const RECT answer = ChildRect(m_pView->m_hWnd, m_pView->m_ppEntry[26][0].m_hWnd);
    EXPECT_EQ(740, answer.top);
    EXPECT_EQ(760, answer.bottom);
    EXPECT_EQ(L"z \xFF1D ", TextOf(m_pView->m_ppLabel[26][25].m_hWnd));
    EXPECT_EQ(4080, m_pView->GetTotalSize().cx);
    EXPECT_EQ(775, m_pView->GetTotalSize().cy);

    // Both bars show, and scrolling to their ends brings the last box into the client area.
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(m_pView->m_hWnd, GWL_STYLE));
    EXPECT_TRUE(style & WS_HSCROLL);
    EXPECT_TRUE(style & WS_VSCROLL);
    m_pView->SendMessage(WM_HSCROLL, SB_BOTTOM);
    m_pView->SendMessage(WM_VSCROLL, SB_BOTTOM);
    RECT client;
    ::GetClientRect(m_pView->m_hWnd, &client);
    const RECT last = ChildRect(m_pView->m_hWnd, m_pView->m_ppEntry[25][26].m_hWnd);
    EXPECT_LE(last.right, client.right);
    EXPECT_GE(last.left, 0);
    const RECT lastAnswer = ChildRect(m_pView->m_hWnd, m_pView->m_ppEntry[26][25].m_hWnd);
    EXPECT_LE(lastAnswer.bottom, client.bottom);
    EXPECT_GE(lastAnswer.top, 0);
}

TEST_F(GridTest, TheMouseWheelScrollsTheFormFromInsideABox)
{
    m_pView->BuildGrid(26);
    HWND hBox = m_pView->m_ppEntry[0][0].m_hWnd;
    const RECT before = ChildRect(m_pView->m_hWnd, hBox);
    ::SetFocus(hBox);
    ::PostMessageW(hBox, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0); // as the focus gets it
    Pump();
    const RECT after = ChildRect(m_pView->m_hWnd, hBox);
    EXPECT_LT(after.top, before.top);
    EXPECT_EQ(before.top - after.top, m_pView->GetDeviceScrollPosition().y);
}

TEST_F(GridTest, ARebuildWhileScrolledStaysAlignedWithTheForm)
{
    m_pView->BuildGrid(26);
    m_pView->SendMessage(WM_VSCROLL, SB_BOTTOM);
    m_pView->SendMessage(WM_HSCROLL, SB_LINEDOWN);
    const CPoint scrolled = m_pView->GetDeviceScrollPosition();
    ASSERT_GT(scrolled.y, 0);
    m_pView->BuildGrid(25);
    const CPoint origin = m_pView->GetDeviceScrollPosition();
    // Where the form's own button sits now, relative to where the template put it.
    const RECT button = ChildRect(m_pView->m_hWnd, ::GetDlgItem(m_pView->m_hWnd, IDC_CALC));
    const RECT box = ChildRect(m_pView->m_hWnd, m_pView->m_ppEntry[0][0].m_hWnd);
    m_pView->ScrollToPosition(CPoint(0, 0));
    const RECT buttonHome = ChildRect(m_pView->m_hWnd, ::GetDlgItem(m_pView->m_hWnd, IDC_CALC));
    const RECT boxHome = ChildRect(m_pView->m_hWnd, m_pView->m_ppEntry[0][0].m_hWnd);
    EXPECT_EQ(buttonHome.top - button.top, boxHome.top - box.top);
    EXPECT_EQ(30, boxHome.left);
    EXPECT_EQ(80, boxHome.top);
    (void)origin;
}

TEST_F(GridTest, RebuildingShowsTheDocumentAndDestroyingKeepsTheSize)
{
    ::SetWindowTextW(m_pView->m_ppEntry[0][0].m_hWnd, L"5");
    ::SetWindowTextW(m_pView->m_ppEntry[2][1].m_hWnd, L"7");
    m_pView->BuildGrid(2);
    EXPECT_EQ(L"5", TextOf(m_pView->m_ppEntry[0][0].m_hWnd)); // the system's, kept
    EXPECT_EQ(L"", TextOf(m_pView->m_ppEntry[2][1].m_hWnd));  // an answer, the view's own
    EXPECT_EQ(14u, GridWindows(m_pView->m_hWnd).size());

    m_pView->DestroyGrid();
    EXPECT_EQ(nullptr, m_pView->m_ppEntry);
    EXPECT_EQ(nullptr, m_pView->m_ppLabel);
    EXPECT_EQ(3, m_pView->m_nGridSize);
    EXPECT_EQ(0u, GridWindows(m_pView->m_hWnd).size());
    m_pView->DestroyGrid(); // nothing left to do
    EXPECT_EQ(3, m_pView->m_nGridSize);
    m_pView->BuildGrid(2); // so the focus record names a box again
}

// The grid's windows in z-order (the Tab order): identifier, rectangle, style, text.
std::vector<std::wstring> Windows(HWND hView)
{
    std::vector<std::wstring> windows;
    for (HWND h : GridWindows(hView)) {
        const RECT rc = ChildRect(hView, h);
        wchar_t line[96];
        std::swprintf(line, 96, L"%d %ld,%ld,%ld,%ld %lx ", ::GetDlgCtrlID(h), rc.left, rc.top,
                      rc.right, rc.bottom, static_cast<long>(::GetWindowLongPtrW(h, GWL_STYLE)));
        windows.push_back(line + TextOf(h));
    }
    return windows;
}

// However the count got there, the grid is the one a build from nothing makes.
TEST_F(GridTest, AGridGrownAndShrunkInPlaceIsTheFreshBuild)
{
    std::vector<std::vector<std::wstring>> system(26, std::vector<std::wstring>(27));
    for (int i = 0; i < 26 * 27; ++i)
        system[i / 27][i % 27] = std::to_wstring(i);
    m_pView->GetDocument()->ReplaceSystem(system);
    std::mt19937 random(20);
    std::vector<std::pair<int, std::vector<std::wstring>>> seen;
    // One step each way at the top, a large shrink and growth, then counts at random.
    const int first[] = {25, 26, 3, 20};
    for (int step = 0; step < 6; ++step) {
        const int n = step < 4 ? first[step] : std::uniform_int_distribution<int>(2, 26)(random);
        ::SetWindowTextW(m_pView->m_editN.m_hWnd, std::to_wstring(n).c_str());
        ASSERT_EQ(n, m_pView->m_nGridSize - 1);
        seen.emplace_back(n, Windows(m_pView->m_hWnd));
    }
    for (const auto& [n, windows] : seen) {
        SCOPED_TRACE(::testing::Message() << "n = " << n);
        m_pView->BuildGrid(n);
        EXPECT_EQ(windows, Windows(m_pView->m_hWnd));
    }
}

TEST_F(GridTest, TabbingToABoxOutOfSightScrollsItIntoView)
{
    m_pView->BuildGrid(26);
    ::SetFocus(m_pView->m_ppEntry[0][0].m_hWnd);
    RECT client;
    ::GetClientRect(m_pView->m_hWnd, &client);
    int scrolls = 0;
    int pos = ::GetScrollPos(m_pView->m_hWnd, SB_HORZ);
    for (int k = 1; k <= 26; ++k) {
        PressKey(VK_TAB);
        HWND hBox = m_pView->m_ppEntry[0][k].m_hWnd;
        ASSERT_EQ(hBox, ::GetFocus());
        const RECT rc = ChildRect(m_pView->m_hWnd, hBox);
        EXPECT_GE(rc.left, 0) << k;
        EXPECT_LE(rc.right, client.right) << k;
        const int now = ::GetScrollPos(m_pView->m_hWnd, SB_HORZ);
        if (now != pos)
            ++scrolls;
        pos = now;
    }
    // Each scroll brings most of a page, so the row takes a few scrolls, not one a box.
    const int step = client.right * 3 / 4;
    EXPECT_GT(scrolls, 0);
    EXPECT_LE(scrolls, (pos + step - 1) / step);
    // Shift+Tab back to the start of the row scrolls back.
    for (int k = 25; k >= 0; --k) {
        INPUT in[4] = {};
        for (INPUT& i : in)
            i.type = INPUT_KEYBOARD;
        in[0].ki.wVk = VK_SHIFT;
        in[1].ki.wVk = VK_TAB;
        in[2].ki.wVk = VK_TAB;
        in[2].ki.dwFlags = KEYEVENTF_KEYUP;
        in[3].ki.wVk = VK_SHIFT;
        in[3].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(4, in, sizeof(INPUT));
        Pump(20);
    }
    EXPECT_EQ(m_pView->m_ppEntry[0][0].m_hWnd, ::GetFocus());
    EXPECT_GE(ChildRect(m_pView->m_hWnd, m_pView->m_ppEntry[0][0].m_hWnd).left, 0);
}

TEST_F(GridTest, TabVisitsTheBoxesInCreationOrder)
{
    HWND hFirst = m_pView->m_ppEntry[0][0].m_hWnd;
    ::SetFocus(hFirst);
    PressKey(VK_TAB);
    EXPECT_EQ(m_pView->m_ppEntry[0][1].m_hWnd, ::GetFocus());
    PressKey(VK_TAB);
    EXPECT_EQ(m_pView->m_ppEntry[0][2].m_hWnd, ::GetFocus());
    PressKey(VK_TAB);
    EXPECT_EQ(m_pView->m_ppEntry[1][0].m_hWnd, ::GetFocus());
}

} // namespace
