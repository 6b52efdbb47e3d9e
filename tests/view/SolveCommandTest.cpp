#include "app/MainFrame.h"
#include "ui/UiSupport.h"
#include "view/HaltiqoView.h"

namespace {

const std::wstring kNoSolution = L"解無し";
const std::wstring kNoSolutionMessage = L"その式では解が定まりません！！\n値を確認してください。";
const std::wstring kIndefiniteMessage = L"その式では解が一つに定まりません（不定）。\n";

class SolveCommandTest : public AppTest {
protected:
    void SetCount(int n)
    {
        ::SetWindowTextW(m_pView->m_editN.m_hWnd, std::to_wstring(n).c_str());
        Pump();
        ASSERT_EQ(n, m_pView->m_nGridSize - 1);
    }

    // Fills the equation rows, row by row: n coefficients, then the right-hand side.
    void Enter(std::initializer_list<const wchar_t*> texts)
    {
        const int n = m_pView->m_nGridSize - 1;
        int i = 0;
        for (const wchar_t* text : texts) {
            ::SetWindowTextW(m_pView->m_ppEntry[i / (n + 1)][i % (n + 1)].m_hWnd, text);
            ++i;
        }
    }

    // Clicks "計算！！" and returns the one message box it shows.
    ShownMessageBox Calculate()
    {
        m_boxes.Clear();
        ::SendMessageW(::GetDlgItem(m_pView->m_hWnd, IDC_CALC), BM_CLICK, 0, 0);
        Pump();
        EXPECT_EQ(1u, m_boxes.Boxes().size());
        ShownMessageBox box = m_boxes.Boxes().empty() ? ShownMessageBox{} : m_boxes.Boxes()[0];
        EXPECT_EQ(L"Haltiqo", box.caption);
        EXPECT_TRUE(box.hasOk);
        EXPECT_FALSE(box.hasCancel);
        EXPECT_EQ(nullptr, box.icon);
        return box;
    }

    std::wstring Answer(int k) const
    {
        return TextOf(m_pView->m_ppEntry[m_pView->m_nGridSize - 1][k].m_hWnd);
    }
    std::wstring Entry(int r, int k) const { return TextOf(m_pView->m_ppEntry[r][k].m_hWnd); }

    std::wstring NoteOf(HWND hBox) const { return ::NoteOf(m_pView, hBox); }

    void ExpectNoSolution(const ShownMessageBox& box)
    {
        EXPECT_EQ(kNoSolutionMessage, box.text);
        for (int k = 0; k < m_pView->m_nGridSize - 1; ++k)
            EXPECT_EQ(kNoSolution, Answer(k)) << k;
    }
};

TEST_F(SolveCommandTest, TwoEquationsShowSixDecimals)
{
    Enter({L"2", L"1", L"5", L"1", L"3", L"10"});
    const ShownMessageBox box = Calculate();
    EXPECT_EQ(L"a=1.000000\nb=3.000000\n", box.text);
    EXPECT_EQ(L"1.000000", Answer(0));
    EXPECT_EQ(L"3.000000", Answer(1));
    EXPECT_EQ(m_pFrame->m_hWnd, box.owner); // modal to the main window

    Enter({L"1", L"1", L"3", L"1", L"-1", L"1"});
    EXPECT_EQ(L"a=2.000000\nb=1.000000\n", Calculate().text);
    EXPECT_EQ(L"2.000000", Answer(0));
    EXPECT_EQ(L"1.000000", Answer(1));
}

TEST_F(SolveCommandTest, ThreeEquationsIncludingANegativeAnswer)
{
    SetCount(3);
    Enter({L"2", L"1", L"-1", L"8", L"-3", L"-1", L"2", L"-11", L"-2", L"1", L"2", L"-3"});
    EXPECT_EQ(L"a=2.000000\nb=3.000000\nc=-1.000000\n", Calculate().text);
    EXPECT_EQ(L"2.000000", Answer(0));
    EXPECT_EQ(L"3.000000", Answer(1));
    EXPECT_EQ(L"-1.000000", Answer(2));
}

TEST_F(SolveCommandTest, DependentSystemsShowTheGeneralSolutionContradictoryOnesNone)
{
    Enter({L"1", L"2", L"3", L"2", L"4", L"6"});
    EXPECT_EQ(kIndefiniteMessage + L"a=3 - 2b\nb は任意\n", Calculate().text);
    EXPECT_EQ(L"3 - 2b", Answer(0));
    EXPECT_EQ(L"任意", Answer(1));
    EXPECT_EQ(L"a = 3 - 2b", NoteOf(m_pView->m_ppEntry[2][0].m_hWnd));
    Enter({L"1", L"2", L"3", L"2", L"4", L"7"});
    ExpectNoSolution(Calculate());
}

TEST_F(SolveCommandTest, AZeroCoefficientFirstIsSolved)
{
    Enter({L"0", L"1", L"1", L"1", L"0", L"2"});
    EXPECT_EQ(L"a=2.000000\nb=1.000000\n", Calculate().text);
    EXPECT_EQ(L"2.000000", Answer(0));
    EXPECT_EQ(L"1.000000", Answer(1));
}

TEST_F(SolveCommandTest, EmptyBoxesBecomeZeroAndLeaveEveryUnknownFree)
{
    EXPECT_EQ(kIndefiniteMessage + L"a は任意\nb は任意\n", Calculate().text);
    for (int r = 0; r < 2; ++r)
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(L"0", Entry(r, k)) << r << "," << k;
}

TEST_F(SolveCommandTest, LenientTextsCountAsTheirNumberAndStayAsTyped)
{
    // 12a + 1b = 0 and 0a + 100b = 100.
    Enter({L" 12abc", L"1,5", L"0x10", L"abc", L"1d2", L"1e2"});
    EXPECT_EQ(L"a=-0.083333\nb=1.000000\n", Calculate().text);
    EXPECT_EQ(L"-0.083333", Answer(0));
    EXPECT_EQ(L" 12abc", Entry(0, 0));
    EXPECT_EQ(L"1,5", Entry(0, 1));
    EXPECT_EQ(L"0x10", Entry(0, 2));
    EXPECT_EQ(L"abc", Entry(1, 0));
    EXPECT_EQ(L"1d2", Entry(1, 1));
    EXPECT_EQ(L"1e2", Entry(1, 2));
}

// What a Japanese input method writes counts as what it looks like, and stays as typed.
TEST_F(SolveCommandTest, FullWidthTextsCountAsTheirAsciiForms)
{
    // 12a = 1.5E3 (a = 125) and −b = ２.５ (b = −2.5).
    const std::vector<std::wstring> texts = {
        L"\xFF11\xFF12", L"\xFF10",       L"\xFF11\xFF0E\xFF15\xFF25\xFF13",
        L"\x3000\xFF10", L"\xFF0D\xFF11", L"\xFF12\xFF0E\xFF15"};
    for (size_t i = 0; i < texts.size(); ++i)
        TypeChars(m_pView->m_ppEntry[i / 3][i % 3].m_hWnd, texts[i]);
    EXPECT_EQ(L"a=125.000000\nb=-2.500000\n", Calculate().text);
    for (size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(texts[i], Entry(static_cast<int>(i / 3), static_cast<int>(i % 3)));
}

TEST_F(SolveCommandTest, LongAnswersAreSetInFull)
{
    Enter({L"1", L"0", L"1000000", L"0", L"1", L"1"});
    EXPECT_EQ(L"a=1000000.000000\nb=1.000000\n", Calculate().text);
    EXPECT_EQ(L"1000000.000000", Answer(0));

    // b = 1e300 / 1e-300, far beyond the largest double: every digit all the same.
    Enter({L"1", L"0", L"-1.7976931348623157e308", L"0", L"1e-300", L"1e300"});
    const std::wstring a = L"-17976931348623157" + std::wstring(292, L'0') + L".000000";
    const std::wstring b = L"1" + std::wstring(600, L'0') + L".000000";
    EXPECT_EQ(L"a=" + a + L"\nb=" + b + L"\n", Calculate().text);
    EXPECT_EQ(a, Answer(0));
    EXPECT_EQ(b, Answer(1));
}

// The boxes scroll sideways: what is typed or pasted is kept whole, up to the 255 characters the
// command reads, and every digit counts.
TEST_F(SolveCommandTest, BoxesKeepEveryCharacterUpToWhatTheCommandReads)
{
    const std::wstring digits = L"1234567890123456789012345678901234567890";
    TypeChars(m_pView->m_ppEntry[0][0].m_hWnd, digits);
    SetClipboardText(digits);
    ::SendMessageW(m_pView->m_ppEntry[1][1].m_hWnd, WM_PASTE, 0, 0);
    TypeChars(m_pView->m_ppEntry[0][2].m_hWnd, digits + L"0");
    TypeChars(m_pView->m_ppEntry[1][2].m_hWnd, L"3.14159265358979");
    EXPECT_EQ(digits, Entry(0, 0));
    EXPECT_EQ(digits, Entry(1, 1));
    EXPECT_EQ(L"a=10.000000\nb=0.000000\n", Calculate().text); // b = π / 1.2e39
    EXPECT_EQ(L"3.14159265358979", Entry(1, 2));

    HWND hBox = m_pView->m_ppEntry[0][0].m_hWnd;
    EXPECT_EQ(255, ::SendMessageW(hBox, EM_GETLIMITTEXT, 0, 0));
    m_boxes.Clear();
    const DWORD start = ::GetTickCount();
    SetClipboardText(std::wstring(100000, L'7'));
    ::SendMessageW(hBox, EM_SETSEL, 0, -1);
    ::SendMessageW(hBox, WM_PASTE, 0, 0);
    Pump();
    EXPECT_LT(::GetTickCount() - start, 2000u);
    EXPECT_EQ(digits, Entry(0, 0));
    EXPECT_EQ(1u, m_boxes.Boxes().size()); // more than a box takes, pasted by the box itself
}

// Boxes not wholly one number are marked as they are typed, and say how they are read; a zero
// denominator stops the solve. Answers' tooltips give the exact value where six decimals do not.
TEST_F(SolveCommandTest, BoxesSayHowTheyAreReadAndAnswersTheirExactValue)
{
    HWND hBox = m_pView->m_ppEntry[1][2].m_hWnd;
    for (const auto& [text, note] : {
             std::pair{L"1,5", L"warning 「1,5」は 1 として計算します。"},
             {L"abc", L"warning 「abc」は数ではないので 0 として計算します。"},
             {L"2 / 0", L"error 「2 / 0」は 0 で割っているので計算できません。"},
         }) {
        ::SetWindowTextW(hBox, text);
        EXPECT_EQ(note, NoteOf(hBox)) << text;
    }
    ::SetWindowTextW(hBox, L"");
    TypeChars(hBox, L"1/");
    EXPECT_EQ(L"warning 「1/」は 1 として計算します。", NoteOf(hBox));
    TypeChars(hBox, L"0");
    EXPECT_EQ(L"error 「1/0」は 0 で割っているので計算できません。", NoteOf(hBox));
    TypeChars(hBox, L"5"); // wholly a number
    EXPECT_EQ(L"", NoteOf(hBox));

    Enter({L"1", L"2", L"", L"1", L"1/0", L"3"});
    ::SendMessageW(::GetDlgItem(m_pView->m_hWnd, IDC_CALC), BM_CLICK, 0, 0);
    Pump();
    ASSERT_EQ(1u, m_boxes.Boxes().size());
    EXPECT_EQ(L"2 行目の b の欄: 0 で割っています。", m_boxes.Boxes()[0].text);
    EXPECT_EQ(kExclamationIcon, m_boxes.Boxes()[0].icon);
    EXPECT_EQ(m_pView->m_ppEntry[1][1].m_hWnd, ::GetFocus());
    EXPECT_EQ(L"", Entry(0, 2) + Answer(0)); // nothing written, no answer
    Enter({L"3", L"0", L"1", L"0", L"1", L"0.5"});
    EXPECT_EQ(L"a=0.333333\nb=0.500000\n", Calculate().text);
    EXPECT_EQ(L"= 1/3", NoteOf(m_pView->m_ppEntry[2][0].m_hWnd));
    EXPECT_EQ(L"", NoteOf(m_pView->m_ppEntry[2][1].m_hWnd));
    Enter({L"3e-300", L"0", L"1e300", L"0", L"1", L"1"}); // a = 10^600 / 3
    Calculate();
    EXPECT_EQ(L"3" + std::wstring(599, L'3') + L".333333", Answer(0));
    EXPECT_EQ(L"= 3.33333333333333333333333333333\u2026e599",
              NoteOf(m_pView->m_ppEntry[2][0].m_hWnd));
}

TEST_F(SolveCommandTest, EachRunOverwritesEveryAnswer)
{
    Enter({L"2", L"1", L"5", L"1", L"3", L"10"});
    ::SetWindowTextW(m_pView->m_ppEntry[2][0].m_hWnd, L"typed");
    Calculate();
    EXPECT_EQ(L"1.000000", Answer(0));
    Enter({L"1", L"2", L"3", L"2", L"4", L"7"});
    ExpectNoSolution(Calculate());
    Enter({L"2", L"1", L"5", L"1", L"3", L"10"});
    Calculate();
    EXPECT_EQ(L"1.000000", Answer(0));
    EXPECT_EQ(L"3.000000", Answer(1));
}

TEST_F(SolveCommandTest, TwentySixUnknownsSolveAnIdentitySystem)
{
    SetCount(26);
    for (int r = 0; r < 26; ++r)
        for (int k = 0; k <= 26; ++k)
            ::SetWindowTextW(m_pView->m_ppEntry[r][k].m_hWnd,
                             k == r ? L"2"
                                    : (k == 26 ? std::to_wstring(2 * (r + 1)).c_str() : L"0"));
    const ShownMessageBox box = Calculate();
    std::wstring expected;
    for (int k = 0; k < 26; ++k)
        expected += std::wstring(1, L'a' + k) + L"=" + std::to_wstring(k + 1) + L".000000\n";
    EXPECT_EQ(expected, box.text);
    EXPECT_EQ(L"26.000000", Answer(25));
}

} // namespace
