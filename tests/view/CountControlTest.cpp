#include <utility>
#include <vector>

#include "ui/UiSupport.h"
#include "view/HaltiqoView.h"

namespace {

const std::wstring kNotAnInteger = L"整数を入力してください。";
const std::wstring kOutOfRange = L"2 から 26 までの整数を入力してください。";

class CountControlTest : public AppTest {
protected:
    HWND Box() const { return m_pView->m_editN.m_hWnd; }
    int GridN() const { return m_pView->m_nGridSize - 1; }
    int SpinPos() const { return LOWORD(m_pView->m_spinN.SendMessage(UDM_GETPOS)); }

    // Replaces the whole text in one change, as a paste over a selection does.
    void PasteOver(const std::wstring& text)
    {
        ::SetFocus(Box());
        ::SendMessageW(Box(), EM_SETSEL, 0, -1);
        SetClipboardText(text);
        ::SendMessageW(Box(), WM_PASTE, 0, 0);
        Pump();
    }

    // Selects everything and types, key by key.
    void TypeOver(const std::wstring& keys)
    {
        ::SetFocus(Box());
        ::SendMessageW(Box(), EM_SETSEL, 0, -1);
        TypeChars(Box(), keys);
    }

    void ExpectMessages(std::initializer_list<std::wstring> texts)
    {
        ASSERT_EQ(texts.size(), m_boxes.Boxes().size());
        size_t i = 0;
        for (const std::wstring& text : texts) {
            const ShownMessageBox& box = m_boxes.Boxes()[i++];
            EXPECT_EQ(text, box.text);
            EXPECT_EQ(L"Haltiqo", box.caption);
            EXPECT_EQ(kExclamationIcon, box.icon);
            EXPECT_TRUE(box.hasOk);
            EXPECT_FALSE(box.hasCancel);
        }
        m_boxes.Clear();
    }

    // The box keeps the count as it was typed; n, the grid and the spin button follow it.
    void ExpectCount(int n, const std::wstring& text = L"")
    {
        EXPECT_EQ(text.empty() ? std::to_wstring(n) : text, TextOf(Box()));
        EXPECT_EQ(n, m_pView->m_n);
        EXPECT_EQ(n, GridN());
        EXPECT_EQ(n, SpinPos());
    }

    // The focus goes on to the button, as a click or Tab would take it.
    void Leave()
    {
        ::SetFocus(::GetDlgItem(m_pView->m_hWnd, IDC_CALC));
        Pump();
    }

    // Something typed into the grid, to see whether a change keeps it.
    void TypeIntoGrid() { ::SetWindowTextW(m_pView->m_ppEntry[0][0].m_hWnd, L"42"); }
    std::wstring Typed() const { return TextOf(m_pView->m_ppEntry[0][0].m_hWnd); }

    // A value in every equation box of the grid for 5 unknowns; the right-hand side is cell 26.
    static std::wstring Value(int r, int cell) { return std::to_wstring(r * 100 + cell); }
    void FillGrid()
    {
        ASSERT_EQ(5, GridN());
        for (int r = 0; r < 5; ++r)
            for (int k = 0; k <= 5; ++k)
                ::SetWindowTextW(m_pView->m_ppEntry[r][k].m_hWnd, Value(r, k < 5 ? k : 26).c_str());
    }
    // Whatever n is now, the boxes show what was typed at n = 5, and nothing where there was none.
    ::testing::AssertionResult GridIsFilled() const
    {
        const int n = GridN();
        for (int r = 0; r < n; ++r) {
            for (int k = 0; k <= n; ++k) {
                const int cell = k < n ? k : 26;
                const std::wstring expected =
                    r < 5 && (cell < 5 || cell == 26) ? Value(r, cell) : L"";
                if (TextOf(m_pView->m_ppEntry[r][k].m_hWnd) != expected)
                    return ::testing::AssertionFailure() << "box " << r << "," << k << " lost";
            }
        }
        return ::testing::AssertionSuccess();
    }
    bool CountIsSelected() const
    {
        DWORD from = 1, to = 0;
        ::SendMessageW(Box(), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                       reinterpret_cast<LPARAM>(&to));
        return from == 0 && to == TextOf(Box()).size();
    }
};

TEST_F(CountControlTest, StartsAtTwo)
{
    ExpectCount(2);
    EXPECT_EQ(0x2001AU, static_cast<DWORD>(m_pView->m_spinN.SendMessage(UDM_GETRANGE)));
}

// A text that is no count yet waits: the message comes when the box is left or Enter pressed,
// then the box shows n again, selected, with the focus back in it.
TEST_F(CountControlTest, ANumberOnTheWayIsCheckedWhenTheBoxIsLeft)
{
    TypeOver(L"3");
    ExpectCount(3);
    TypeChars(Box(), L"0");
    ExpectMessages({});
    ExpectCount(3, L"30");
    Leave();
    ExpectMessages({kOutOfRange});
    ExpectCount(3);
    EXPECT_EQ(Box(), ::GetFocus());
    EXPECT_TRUE(CountIsSelected());
    EXPECT_EQ(-1, m_pView->GetFocusCol());

    TypeChars(Box(), L"1"); // replaces the selected count
    ExpectCount(3, L"1");
    PressKey(VK_RETURN);
    ExpectMessages({kOutOfRange});
    ExpectCount(3);
    TypeChars(Box(), L"7");
    ExpectMessages({});
    ExpectCount(7);
}

// A typo in the count never costs what was typed: n, the spin button and every box stay, and the
// count is selected so that the next key replaces it.
TEST_F(CountControlTest, TextsThatAreNoCountAreRefusedOnLeavingAndKeepEverything)
{
    const std::pair<const wchar_t*, std::wstring> cases[] = {
        {L"1", kOutOfRange},
        {L"55", kOutOfRange},
        {L"27", kOutOfRange},
        {L"0", kOutOfRange},
        {L"-5", kOutOfRange},
        {L"99999999999", kOutOfRange},
        {L"-99999999999", kOutOfRange},
        {L"\xFF12\xFF17", kOutOfRange},
        {L"+0", kNotAnInteger},
        {L"-0", kNotAnInteger},
        {L"", kNotAnInteger},
        {L"   ", kNotAnInteger},
        {L"abc", kNotAnInteger},
        {L"5a", kNotAnInteger},
        {L"1 2", kNotAnInteger},
        {L"\xFF15\xFF41", kNotAnInteger},
        {L"+", kNotAnInteger},
        {L"- 5", kNotAnInteger},
        {L"3.0", kNotAnInteger},
        {std::wstring(31, L' ').append(L"7").c_str(), kNotAnInteger},
    };
    PasteOver(L"5");
    FillGrid();
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(::testing::Message() << "text [" << text << "]");
        PasteOver(text);
        ExpectMessages({});
        Leave();
        ExpectMessages({message});
        ExpectCount(5);
        EXPECT_EQ(Box(), ::GetFocus());
        EXPECT_TRUE(CountIsSelected());
        EXPECT_TRUE(GridIsFilled());
    }
}

// The same kind of texts typed a key at a time over the selected count: a count is taken the
// moment the text reads as one, a text on the way to one changes nothing, and no key loses a
// value.
TEST_F(CountControlTest, TextsTypedKeyByKeyTakeEachCountAsItComplete)
{
    struct Case {
        const wchar_t* keys;
        int count;                          // after the last key
        std::vector<std::wstring> messages; // on leaving the box
    };
    const Case cases[] = {
        {L"1", 5, {kOutOfRange}},
        {L"55", 5, {kOutOfRange}},
        {L"-5", 5, {kOutOfRange}},
        {L"+0", 5, {kNotAnInteger}},
        {L"12", 12, {}},
        {L"27", 2, {kOutOfRange}}, // "2" is a count of its own
        {L" 7 ", 7, {}},
        {L"007", 7, {}},
        {L"99999999999", 9, {kOutOfRange}},
        {L"\xFF11\xFF10", 10, {}},
        {L"\xFF12\xFF16", 26, {}}, // full-width, kept as typed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "keys [" << c.keys << "]");
        PasteOver(L"5");
        FillGrid();
        m_boxes.Clear();
        TypeOver(c.keys);
        ExpectMessages({});
        ExpectCount(c.count, c.keys);
        EXPECT_TRUE(GridIsFilled());
        Leave();
        ASSERT_EQ(c.messages.size(), m_boxes.Boxes().size());
        m_boxes.Clear();
        ExpectCount(c.count, c.messages.empty() ? c.keys : L"");
    }
}

// Blanks, leading zeros, a plus sign, full-width digits: the count is read, the text stays.
TEST_F(CountControlTest, PastedCountsAreReadAndKeptAsTheyStand)
{
    PasteOver(L"5");
    FillGrid();
    for (const auto& [text, count] : std::vector<std::pair<std::wstring, int>>{
             {L" 7 ", 7},
             {L"007", 7},
             {L"\t+5", 5},
             {L"\xFF11\xFF12", 12},
             {L"\x3000\xFF17\x3000", 7},
             {L"\xFF0B\xFF13", 3},
             {L"8" + std::wstring(30, L' ') + L"x", 8}}) { // only 31 characters are read
        PasteOver(text);
        Leave();
        ExpectMessages({});
        ExpectCount(count, text);
        EXPECT_TRUE(GridIsFilled());
    }
}

TEST_F(CountControlTest, TheArrowsAndTheArrowKeysStepByOne)
{
    HWND hSpin = m_pView->m_spinN.m_hWnd;
    RECT rc;
    ::GetClientRect(hSpin, &rc);
    auto click = [&](bool up) {
        const LPARAM at = MAKELPARAM(rc.right / 2, up ? rc.bottom / 4 : rc.bottom * 3 / 4);
        ::SendMessageW(hSpin, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(hSpin, WM_LBUTTONUP, 0, at);
        ::SendMessageW(hSpin, WM_MOUSELEAVE, 0, 0); // or the arrow steps again after a key
        Pump();
    };
    click(true);
    ExpectCount(3);
    click(false);
    ExpectCount(2);

    ::SetFocus(Box());
    PressKey(VK_UP);
    ExpectCount(3);
    PressKey(VK_UP);
    ExpectCount(4);
    PressKey(VK_DOWN);
    ExpectCount(3);
    ExpectMessages({});
}

TEST_F(CountControlTest, TheSpinStopsAtItsEndsAndKeepsTheValues)
{
    TypeIntoGrid();
    ::SetFocus(Box());
    PressKey(VK_DOWN);
    ExpectCount(2);
    EXPECT_EQ(L"42", Typed());

    PasteOver(L"26");
    TypeIntoGrid();
    PressKey(VK_UP);
    ExpectCount(26);
    EXPECT_EQ(L"42", Typed());
    ExpectMessages({});
}

TEST_F(CountControlTest, ChangingTheCountRecordsTheCountBox)
{
    TypeOver(L"4");
    EXPECT_EQ(-1, m_pView->GetFocusCol());
}

} // namespace
