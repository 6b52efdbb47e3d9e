#include <cstdlib>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "Driver.h"
#include "common/FileBytes.h"
#include "E2eSupport.h"
#include "ReferenceSolver.h"

namespace {

const std::wstring kNoSolution = L"解無し";
const std::wstring kNoSolutionMessage = L"その式では解が定まりません！！\n値を確認してください。";
const std::wstring kIndefiniteMessage = L"その式では解が一つに定まりません（不定）。\n";
const std::wstring kNotAnInteger = L"整数を入力してください。";
const std::wstring kOutOfRange = L"2 から 26 までの整数を入力してください。";

class Scenario : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_app.Started()) << "Haltiqo.exe did not show its window"; }
    void TearDown() override
    {
        if (HasFailure()) {
            const ::testing::TestInfo* info =
                ::testing::UnitTest::GetInstance()->current_test_info();
            m_app.Screenshot(std::string(info->test_suite_name()) + "." + info->name());
        }
    }

    // Types a count into the n box, key by key, over its whole text.
    void TypeCount(const std::wstring& text)
    {
        m_app.Click(m_app.CountBox());
        m_app.Key(VK_HOME);
        m_app.Key(VK_END, false, false, true);
        for (size_t i = 0; i < text.size(); ++i) {
            m_app.Type(text.substr(i, 1));
            EXPECT_TRUE(m_app.CountShows(text.substr(0, i + 1)));
        }
    }

    void FillRows(const std::vector<std::wstring>& texts)
    {
        const int n = m_app.GridN();
        int i = 0;
        for (const std::wstring& text : texts) {
            m_app.Fill(m_app.Entry(i / (n + 1), i % (n + 1)), text);
            ++i;
        }
    }

    SeenBox Solve()
    {
        m_app.Click(m_app.SolveButton());
        SeenBox box = m_app.ExpectBox();
        EXPECT_EQ(L"Haltiqo", box.caption);
        EXPECT_FALSE(box.hasIcon);
        return box;
    }

    std::wstring Answer(int k) const { return WindowText(m_app.Entry(m_app.GridN(), k)); }

    AppDriver m_app;
};

TEST_F(Scenario, StartsWithTheFormForTwoUnknowns)
{
    EXPECT_EQ(L"Haltiqo", WindowText(m_app.Frame()));
    EXPECT_EQ(L"2", WindowText(m_app.CountBox()));
    EXPECT_EQ(L"計算！！", WindowText(m_app.SolveButton()));
    EXPECT_EQ(14, m_app.GridWindowCount());
    EXPECT_EQ(2, m_app.GridN());
    EXPECT_EQ(L"a + ", WindowText(m_app.Label(0, 0)));
    EXPECT_EQ(L"b ＝ ", WindowText(m_app.Label(0, 1)));
    EXPECT_EQ(L"a ＝ ", WindowText(m_app.Label(2, 0)));
    EXPECT_NE(nullptr, ::GetMenu(m_app.Frame()));
    EXPECT_EQ(m_app.CountBox(), m_app.Focus());
}

TEST_F(Scenario, SolvesTwoAndThreeEquations)
{
    FillRows({L"2", L"1", L"5", L"1", L"3", L"10"});
    EXPECT_EQ(L"a=1.000000\nb=3.000000\n", Solve().text);
    EXPECT_EQ(L"1.000000", Answer(0));
    EXPECT_EQ(L"3.000000", Answer(1));

    TypeCount(L"3");
    ASSERT_EQ(3, m_app.GridN());
    FillRows({L"2", L"1", L"-1", L"8", L"-3", L"-1", L"2", L"-11", L"-2", L"1", L"2", L"-3"});
    EXPECT_EQ(L"a=2.000000\nb=3.000000\nc=-1.000000\n", Solve().text);
    EXPECT_EQ(L"-1.000000", Answer(2));
}

TEST_F(Scenario, SystemsWithoutAUniqueSolution)
{
    FillRows({L"1", L"2", L"3", L"2", L"4", L"6"});
    EXPECT_EQ(kIndefiniteMessage + L"a=3 - 2b\nb は任意\n", Solve().text);
    EXPECT_EQ(L"3 - 2b", Answer(0));
    EXPECT_EQ(L"任意", Answer(1));
    FillRows({L"1", L"2", L"3", L"2", L"4", L"7"});
    EXPECT_EQ(kNoSolutionMessage, Solve().text);
    EXPECT_EQ(kNoSolution, Answer(0));

    // A zero where the elimination divides: solved all the same.
    FillRows({L"0", L"1", L"1", L"1", L"0", L"2"});
    EXPECT_EQ(L"a=2.000000\nb=1.000000\n", Solve().text);
}

// Systems where rounding in every step would show wrong digits.
TEST_F(Scenario, ShowsTheExactSolutionOfTheEquationsAsTyped)
{
    struct Case {
        int n;
        std::vector<std::wstring> texts;
        std::wstring message;
    };
    const std::vector<Case> cases = {
        {2, {L"1", L"1", L"2", L"1", L"1e-17", L"1"}, L"a=1.000000\nb=1.000000\n"},
        {2,
         {L"0.1", L"0.3", L"1", L"0.3", L"0.9", L"3"},
         kIndefiniteMessage + L"a=10 - 3b\nb は任意\n"},
        {2, {L"-1", L"0", L"0", L"0", L"1", L"0"}, L"a=0.000000\nb=0.000000\n"},
        {2, {L"3", L"2", L"3", L"1", L"-1", L"1"}, L"a=1.000000\nb=0.000000\n"},
        {2, {L"1/3", L"0", L"1", L"0", L"1,000", L"\u20105"}, L"a=3.000000\nb=-0.005000\n"},
        // Typed in full although wider than its box.
        {2,
         {L"1", L"0", L"12345678901234567890.5", L"0", L"3", L"-0.000000000000000001"},
         L"a=12345678901234567890.500000\nb=-0.000000\n"},
        {3,
         {L"3", L"2", L"1", L"10", L"1", L"1e-10", L"1", L"3", L"2", L"1", L"1", L"7"},
         L"a=10000000003.000000\nb=-10000000000.000000\nc=-9999999999.000000\n"},
    };
    for (const Case& c : cases) {
        if (m_app.GridN() != c.n)
            TypeCount(std::to_wstring(c.n));
        ASSERT_EQ(c.n, m_app.GridN());
        FillRows(c.texts);
        EXPECT_EQ(c.message, Solve().text) << c.texts[4];
        // The answer row shows what the message shows.
        std::wstring shown = c.message.rfind(kIndefiniteMessage, 0) == 0 ? kIndefiniteMessage : L"";
        for (int k = 0; k < c.n; ++k) {
            const std::wstring letter(1, L'a' + k), answer = Answer(k);
            shown += c.message == kNoSolutionMessage ? (answer == kNoSolution ? L"" : L"?")
                     : answer == L"任意"             ? letter + L" は任意\n"
                                                     : letter + L"=" + answer + L"\n";
        }
        EXPECT_EQ(c.message == kNoSolutionMessage ? L"" : c.message, shown) << c.texts[4];
    }
}

TEST_F(Scenario, ARandomSystemOfTwentySixShowsTheExactAnswers)
{
    TypeCount(L"26");
    ASSERT_EQ(26, m_app.GridN());
    std::mt19937 rng(2026);
    std::uniform_int_distribution<int> coefficient(-9, 9);
    std::vector<std::vector<int>> system(26, std::vector<int>(27));
    // Typed row by row, Tab moving to the next box (which the form scrolls into view).
    m_app.Click(m_app.Entry(0, 0));
    for (int r = 0; r < 26; ++r) {
        std::wstring row;
        for (int k = 0; k <= 26; ++k) {
            int v = coefficient(rng);
            if (k == r)
                v = (v < 0 ? -1 : 1) * (200 + std::abs(v)); // a dominant diagonal
            system[r][k] = v;
            row += std::to_wstring(v) + L"\t";
        }
        m_app.TypeRun(row);
        const std::wstring last = std::to_wstring(system[r][26]);
        // A fresh grid: the box was empty before. The keys may still be queued behind the
        // scrolling, so this waits on the text rather than on the program looking idle.
        ASSERT_TRUE(m_app.WaitFor([&] { return WindowText(m_app.Entry(r, 26)) == last; }, 30000))
            << "row " << r;
    }
    for (int r = 0; r < 26; ++r)
        for (int k = 0; k <= 26; ++k)
            ASSERT_EQ(std::to_wstring(system[r][k]), WindowText(m_app.Entry(r, k)));
    const std::vector<std::wstring> answers = ReferenceAnswers(system);
    ASSERT_EQ(26u, answers.size());
    // Past the answer row Tab comes round to the count box, then to the button; Space presses it.
    m_app.TypeRun(std::wstring(26, L'\t'));
    ASSERT_TRUE(m_app.WaitFor([&] { return m_app.Focus() == m_app.CountBox(); }));
    m_app.Key(VK_TAB);
    ASSERT_TRUE(m_app.WaitFor([&] { return m_app.Focus() == m_app.SolveButton(); }));
    m_app.Key(VK_SPACE);
    const SeenBox box = m_app.ExpectBox(10000);
    EXPECT_EQ(L"Haltiqo", box.caption);
    std::wstring expected;
    for (int k = 0; k < 26; ++k) {
        EXPECT_EQ(answers[k], Answer(k)) << "unknown " << k;
        expected += std::wstring(1, L'a' + k) + L"=" + answers[k] + L"\n";
    }
    EXPECT_EQ(expected, box.text);
}

TEST_F(Scenario, TheCountByTypingAndByTheSpinButton)
{
    TypeCount(L"3");
    EXPECT_EQ(3, m_app.GridN());
    m_app.Type(L"0"); // 30 may be on its way to something else: it waits for the box to be left
    EXPECT_TRUE(m_app.CountShows(L"30"));
    m_app.Key(VK_TAB);
    SeenBox box = m_app.ExpectBox();
    EXPECT_EQ(kOutOfRange, box.text);
    EXPECT_TRUE(box.hasIcon);
    EXPECT_EQ(L"3", WindowText(m_app.CountBox()));
    EXPECT_EQ(3, m_app.GridN());

    // At n = 5, "1" on the way to 12 changes nothing; 12 keeps every value.
    TypeCount(L"5");
    for (int k = 0; k <= 5; ++k)
        m_app.Fill(m_app.Entry(k % 5, k), std::to_wstring(k + 1));
    TypeCount(L"1");
    EXPECT_EQ(5, m_app.GridN());
    m_app.Type(L"2");
    ASSERT_TRUE(m_app.CountShows(L"12"));
    EXPECT_EQ(12, m_app.GridN());
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(std::to_wstring(k + 1), WindowText(m_app.Entry(k, k))) << k;
    EXPECT_EQ(L"6", WindowText(m_app.Entry(0, 12))); // the right-hand side, still last

    m_app.Key(VK_HOME);
    m_app.Key(VK_END, false, false, true);
    m_app.Key(VK_DELETE);
    m_app.Key(VK_RETURN);
    box = m_app.ExpectBox();
    EXPECT_EQ(kNotAnInteger, box.text);
    EXPECT_EQ(L"12", WindowText(m_app.CountBox()));
    EXPECT_EQ(12, m_app.GridN());
    TypeCount(L"2");

    // The upper half of the spin button steps up, the lower half down.
    RECT rc;
    ::GetClientRect(m_app.SpinButton(), &rc);
    m_app.Click(m_app.SpinButton(), rc.right / 2, rc.bottom / 4);
    EXPECT_TRUE(m_app.CountShows(L"3"));
    EXPECT_EQ(3, m_app.GridN());
    m_app.Click(m_app.CountBox());
    m_app.Key(VK_UP);
    // A key that finds the next one queued leaves the grid to catch up a moment later.
    EXPECT_TRUE(m_app.WaitFor([&] { return m_app.GridN() == 4; }));
    m_app.Key(VK_DOWN);
    m_app.Key(VK_DOWN);
    EXPECT_TRUE(m_app.WaitFor([&] { return m_app.GridN() == 2; }));
    m_app.Key(VK_DOWN); // stays at the lower end
    EXPECT_EQ(L"2", WindowText(m_app.CountBox()));
}

// A count changed after a solve keeps the system: an equation added with its unknown is solved,
// then taken away again, and the first system answers as before; Ctrl+Z goes back to the start.
TEST_F(Scenario, ACountChangeKeepsTheSystemAndUndoGoesBackToTheStart)
{
    TypeCount(L"3");
    FillRows({L"2", L"1", L"-1", L"8", L"-3", L"-1", L"2", L"-11", L"-2", L"1", L"2", L"-3"});
    const std::wstring first = L"a=2.000000\nb=3.000000\nc=-1.000000\n";
    EXPECT_EQ(first, Solve().text);
    RECT rc;
    ::GetClientRect(m_app.SpinButton(), &rc);
    m_app.Click(m_app.SpinButton(), rc.right / 2, rc.bottom / 4);
    ASSERT_TRUE(m_app.CountShows(L"4"));
    ASSERT_EQ(4, m_app.GridN());
    EXPECT_EQ(L"8", WindowText(m_app.Entry(0, 4)));
    EXPECT_EQ(L"", WindowText(m_app.Entry(0, 3)));
    for (int k = 0; k <= 4; ++k)
        m_app.Fill(m_app.Entry(3, k), k < 4 ? L"1" : L"5");
    EXPECT_EQ(first + L"d=1.000000\n", Solve().text);
    m_app.Click(m_app.SpinButton(), rc.right / 2, rc.bottom * 3 / 4);
    ASSERT_TRUE(m_app.CountShows(L"3"));
    ASSERT_EQ(3, m_app.GridN());
    EXPECT_EQ(first, Solve().text);

    for (int i = 0; i < 21; ++i) // 20 steps: counts, typed boxes; the solves are none
        m_app.Key('Z', true);
    EXPECT_TRUE(m_app.CountShows(L"2"));
    EXPECT_EQ(2, m_app.GridN());
    for (int r = 0; r < 2; ++r)
        for (int k = 0; k <= 2; ++k)
            EXPECT_EQ(L"", WindowText(m_app.Entry(r, k))) << r << "," << k;
    m_app.Key('Y', true);
    EXPECT_TRUE(m_app.CountShows(L"3"));
    EXPECT_EQ(3, m_app.GridN());
    EXPECT_EQ(L"", WindowText(m_app.Entry(0, 0))); // the count came back, and no value yet
}

TEST_F(Scenario, ClipboardCommandsBetweenBoxes)
{
    m_app.Fill(m_app.Entry(0, 0), L"12.5");
    m_app.Key('A', true); // select all in the clicked box
    m_app.Key('C', true);
    m_app.Click(m_app.Entry(1, 1));
    m_app.Key('V', true);
    EXPECT_EQ(L"12.5", WindowText(m_app.Entry(1, 1)));
    m_app.Key('Z', true);
    EXPECT_EQ(L"", WindowText(m_app.Entry(1, 1)));

    m_app.Click(m_app.Entry(0, 0));
    m_app.Key('A', true);
    m_app.Key('X', true);
    EXPECT_EQ(L"", WindowText(m_app.Entry(0, 0)));
    // Paste from the Edit menu, with its keys: Alt+E, then P.
    m_app.Click(m_app.Entry(0, 2));
    m_app.Key('E', false, true);
    m_app.Key('P'); // the menu's command may come after the key has been taken
    EXPECT_TRUE(m_app.WaitFor([&] { return WindowText(m_app.Entry(0, 2)) == L"12.5"; }));
}

// A system copied from a spreadsheet: pasted into the first box it sets n and fills the grid,
// Ctrl+Z takes it back, Down walks the column, and the solve reads what was pasted.
TEST_F(Scenario, APastedSystemFillsTheGridAndSolves)
{
    const std::wstring rows = L"2\t1\t0\t0\t0\r\n1\t3\t1\t0\t-4.5\r\n0\t1\t4\t1\t3\r\n"
                              L"0\t0\t1\t2\t6.5\r\n";
    m_app.Fill(m_app.Entry(1, 2), L"9");
    PutOnClipboard(rows);
    m_app.Click(m_app.Entry(0, 0));
    m_app.Key('V', true);
    ASSERT_EQ(4, m_app.GridN());
    EXPECT_EQ(L"4", WindowText(m_app.CountBox()));
    EXPECT_EQ(L"6.5", WindowText(m_app.Entry(3, 4)));
    m_app.Key('Z', true);
    ASSERT_EQ(2, m_app.GridN());
    EXPECT_EQ(L"9", WindowText(m_app.Entry(1, 2)));

    m_app.Click(m_app.Entry(0, 0));
    m_app.Key('V', true);
    ASSERT_EQ(4, m_app.GridN());
    for (int r = 1; r <= 4; ++r) {
        m_app.Key(VK_DOWN);
        EXPECT_EQ(m_app.Entry(r, 0), m_app.Focus());
    }
    EXPECT_EQ(L"a=1.000000\nb=-2.000000\nc=0.500000\nd=3.000000\n", Solve().text);
    EXPECT_EQ(L"0.500000", Answer(2));
}

TEST_F(Scenario, TheAboutBoxAndItsLink)
{
    const size_t openedBefore = OpenedAddresses().size();
    const HWND hAbout = m_app.OpenAbout();
    ASSERT_NE(nullptr, hAbout);
    EXPECT_FALSE(::IsWindowEnabled(m_app.Frame()));
    HWND hLink = ::GetDlgItem(hAbout, 1004);
    ASSERT_NE(nullptr, hLink);
    EXPECT_EQ(L"MyBmpUrl", ClassOf(hLink));
    m_app.Click(hLink);
    EXPECT_TRUE(m_app.WaitFor([&] { return OpenedAddresses().size() > openedBefore; }));
    const std::vector<std::wstring> opened = OpenedAddresses();
    ASSERT_GT(opened.size(), openedBefore);
    EXPECT_EQ(L"http://www.example.com/haltiqo/", opened.back());
    EXPECT_TRUE(::IsWindow(hAbout)); // the box stays open
    ::SetForegroundWindow(hAbout);
    m_app.Key(VK_RETURN);
    EXPECT_TRUE(m_app.WaitFor([&] { return !::IsWindow(hAbout); }));
    EXPECT_TRUE(::IsWindowEnabled(m_app.Frame()));
}

TEST_F(Scenario, ClosingUnsavedWorkAsksAndEnds)
{
    m_app.Fill(m_app.Entry(0, 0), L"7");
    ::PostMessageW(m_app.Frame(), WM_CLOSE, 0, 0); // the close box
    SeenBox question;
    ASSERT_TRUE(m_app.FindBox(question));
    EXPECT_EQ(L"無題 への変更を保存しますか?", question.text);
    m_app.Answer(question, IDYES); // a system without a file: saving asks for a name
    HWND hSaveAs = nullptr;
    ASSERT_TRUE(
        m_app.WaitFor([&] { return hSaveAs = ::FindWindowW(L"#32770", L"名前を付けて保存"); }));
    ::PostMessageW(hSaveAs, WM_COMMAND, IDCANCEL, 0); // and without one, nothing closes
    EXPECT_EQ(WAIT_TIMEOUT, ::WaitForSingleObject(m_app.Process(), 500));
    ::PostMessageW(m_app.Frame(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(m_app.FindBox(question));
    m_app.Answer(question, IDNO);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(m_app.Process(), 10000));
    DWORD code = 1;
    ::GetExitCodeProcess(m_app.Process(), &code);
    EXPECT_EQ(0u, code);

    // A run that opens and saves no file leaves nothing in the registry. Whatever earlier runs
    // left there is removed before the next start.
    const std::wstring company = L"Software\\Local AppWizard-Generated Applications";
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, company.c_str(), 0, KEY_ALL_ACCESS, &hKey) ==
        ERROR_SUCCESS) {
        ::RegDeleteTreeW(hKey, L"Haltiqo");
        ::RegCloseKey(hKey);
    }
    AppDriver second;
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(L"", WindowText(second.Entry(0, 0))); // nothing typed survives
    ::PostMessageW(second.Frame(), WM_CLOSE, 0, 0); // the close box
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(second.Process(), 10000));
    hKey = nullptr;
    EXPECT_EQ(
        ERROR_FILE_NOT_FOUND,
        ::RegOpenKeyExW(HKEY_CURRENT_USER, (company + L"\\Haltiqo").c_str(), 0, KEY_READ, &hKey));
    if (hKey)
        ::RegCloseKey(hKey);
}

TEST_F(Scenario, BadInputLeavesTheProgramWhole)
{
    // Long and non-numeric text in every box: the boxes keep all of it.
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k)
            if (HWND hBox = m_app.Entry(r, k)) {
                const std::wstring text = r == 2 ? std::wstring(40, L'9') : L"not a number at all";
                m_app.Fill(hBox, text);
                EXPECT_EQ(text, WindowText(hBox));
            }
    EXPECT_EQ(kIndefiniteMessage + L"a は任意\nb は任意\n", Solve().text);

    // A large paste into a box and into the count box.
    const std::wstring big(100000, L'7');
    PutOnClipboard(big);
    m_app.Fill(m_app.Entry(0, 0), L"");
    m_app.Key('V', true);
    EXPECT_NE(std::wstring::npos, m_app.ExpectBox().text.find(L"100000 文字"));
    EXPECT_EQ(L"", WindowText(m_app.Entry(0, 0))); // refused whole, never cut
    m_app.Fill(m_app.Entry(1, 0), L"5");
    m_app.Click(m_app.CountBox());
    m_app.Key('A', true);
    m_app.Key('V', true);
    m_app.Key(VK_TAB);                              // checked once the box is left:
    EXPECT_EQ(kOutOfRange, m_app.ExpectBox().text); // 31 sevens read as a saturated integer
    EXPECT_EQ(L"2", WindowText(m_app.CountBox()));
    EXPECT_EQ(L"5", WindowText(m_app.Entry(1, 0))); // n stayed 2: nothing lost

    // Rapid spin clicks.
    RECT rc;
    ::GetClientRect(m_app.SpinButton(), &rc);
    for (int i = 0; i < 12; ++i)
        m_app.Click(m_app.SpinButton(), rc.right / 2, rc.bottom / 4);
    EXPECT_TRUE(m_app.CountShows(L"14"));
    EXPECT_EQ(14, m_app.GridN());

    // The count typed up character by character, each step valid: 2 … 9, then 1 in front.
    for (int v = 2; v <= 9; ++v) {
        TypeCount(std::to_wstring(v));
        EXPECT_EQ(v, m_app.GridN());
    }
    m_app.Click(m_app.CountBox());
    m_app.Key(VK_HOME);
    m_app.Type(L"1");
    ASSERT_TRUE(m_app.CountShows(L"19"));
    EXPECT_EQ(19, m_app.GridN());
    m_app.Key(VK_DELETE); // 1, on its way to another count
    EXPECT_EQ(19, m_app.GridN());
    m_app.Key(VK_RETURN);
    EXPECT_EQ(kOutOfRange, m_app.ExpectBox().text);
    EXPECT_EQ(19, m_app.GridN());
    TypeCount(L"26");
    EXPECT_EQ(26, m_app.GridN());
    EXPECT_TRUE(m_app.Responsive());
    EXPECT_EQ(2 * 26 * 26 + 3 * 26, m_app.GridWindowCount());
}

} // namespace

namespace {

TEST(CommandLine, AFileIsChangedSavedAndSolvedNextTimeAMissingOneEndsTheProgram)
{
    const std::wstring path = TempPath(L"e2e system.csv");
    const std::wstring dropped = TempPath(L"dropped.csv");
    WriteBytes(path, "1,2,3\r\n4,5,6\r\n");
    WriteBytes(dropped, "1;1;3\r\n1;-1;1\r\n");
    {
        AppDriver app(L"\"" + path + L"\"");
        ASSERT_TRUE(app.Started());
        EXPECT_EQ(L"e2e system.csv - Haltiqo", WindowText(app.Frame()));
        app.Fill(app.Entry(0, 0), L"7");
        app.Key('S', true);
        ::PostMessageW(app.Frame(), WM_CLOSE, 0, 0); // saved: no question
        ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(app.Process(), 10000));
    }
    {
        AppDriver app(L"\"" + path + L"\"");
        ASSERT_TRUE(app.Started());
        EXPECT_EQ(L"7", WindowText(app.Entry(0, 0)));
        app.Click(app.SolveButton());
        SeenBox box = app.ExpectBox(); // 7a + 2b = 3, 4a + 5b = 6
        EXPECT_EQ(L"a=0.111111\nb=1.111111\n", box.text);
        app.CloseBox(box);
        app.Fill(app.Entry(0, 0), L"8");
        app.DropFile(dropped); // unsaved work: the question first
        ASSERT_TRUE(app.FindBox(box));
        EXPECT_EQ(L"e2e system.csv への変更を保存しますか?", box.text);
        app.Answer(box, IDNO);
        EXPECT_TRUE(app.WaitFor([&] { return WindowText(app.Entry(1, 1)) == L"-1"; }));
        EXPECT_EQ(L"dropped.csv - Haltiqo", WindowText(app.Frame()));
    }
    ::DeleteFileW(path.c_str());
    ::DeleteFileW(dropped.c_str());

    AppDriver missing(L"\"C:\\no such folder\\none.hq\"");
    EXPECT_FALSE(missing.Started()); // no main window ever shows
    SeenBox box;
    ASSERT_TRUE(missing.FindBox(box, 10000));
    EXPECT_EQ(L"Haltiqo", box.caption);
    EXPECT_EQ(0u, box.text.find(L"ﾌｧｲﾙ C:\\no such folder\\none.hq を開けませんでした。\n"));
    missing.CloseBox(box);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(missing.Process(), 10000));
}

} // namespace
