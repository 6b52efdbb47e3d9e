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

    void ExpectCount(int n)
    {
        EXPECT_EQ(std::to_wstring(n), TextOf(Box()));
        EXPECT_EQ(n, m_pView->m_n);
        EXPECT_EQ(n, GridN());
        EXPECT_EQ(n, SpinPos());
    }

    // Something typed into the grid, to see whether a change keeps it.
    void TypeIntoGrid() { ::SetWindowTextW(m_pView->m_ppEntry[0][0].m_hWnd, L"42"); }
    std::wstring Typed() const { return TextOf(m_pView->m_ppEntry[0][0].m_hWnd); }

    // A value in every box of the grid: coefficients, right-hand sides and answers.
    void FillGrid()
    {
        const int n = GridN();
        for (int r = 0; r <= n; ++r)
            for (int k = 0; k < (r < n ? n + 1 : n); ++k)
                ::SetWindowTextW(m_pView->m_ppEntry[r][k].m_hWnd,
                                 std::to_wstring(r * 100 + k).c_str());
    }
    ::testing::AssertionResult GridIsFilled() const
    {
        const int n = GridN();
        for (int r = 0; r <= n; ++r)
            for (int k = 0; k < (r < n ? n + 1 : n); ++k)
                if (TextOf(m_pView->m_ppEntry[r][k].m_hWnd) != std::to_wstring(r * 100 + k))
                    return ::testing::AssertionFailure() << "box " << r << "," << k << " lost";
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

TEST_F(CountControlTest, TypingThreeThenZeroGoesToThreeAndStays)
{
    TypeOver(L"3");
    ExpectMessages({});
    ExpectCount(3);
    TypeChars(Box(), L"0");
    ExpectMessages({kOutOfRange});
    ExpectCount(3);
}

TEST_F(CountControlTest, AOneOnTheWayToTwelveIsRefusedAtOnceAndKeepsTheGrid)
{
    TypeIntoGrid();
    TypeOver(L"1");
    ExpectMessages({kOutOfRange});
    ExpectCount(2);
    EXPECT_EQ(L"42", Typed()); // n stayed 2, so nothing typed is thrown away

    // A 1 typed in front of the text 2 makes 12.
    ::SendMessageW(Box(), EM_SETSEL, 0, 0);
    TypeChars(Box(), L"1");
    ExpectMessages({});
    ExpectCount(12);
}

TEST_F(CountControlTest, DeletingEverythingRestoresTheCountAndKeepsTheValues)
{
    TypeOver(L"5");
    TypeIntoGrid();
    ::SendMessageW(Box(), EM_SETSEL, 0, -1);
    ::SendMessageW(Box(), WM_CHAR, VK_BACK, 1);
    Pump();
    ExpectMessages({kNotAnInteger});
    ExpectCount(5);
    EXPECT_EQ(L"42", Typed());
}

TEST_F(CountControlTest, TheFocusReturnsToTheBoxAfterARefusal)
{
    PasteOver(L"x");
    ExpectMessages({kNotAnInteger});
    EXPECT_EQ(Box(), ::GetFocus());
    ExpectCount(2);
}

TEST_F(CountControlTest, BlanksLeadingZerosAndPlusAreAccepted)
{
    PasteOver(L" 7 ");
    ExpectMessages({});
    ExpectCount(7);

    TypeIntoGrid();
    PasteOver(L"007");
    ExpectMessages({});
    ExpectCount(7);
    EXPECT_EQ(L"42", Typed()); // the same count keeps the grid

    PasteOver(L"\t+5");
    ExpectMessages({});
    ExpectCount(5);
    EXPECT_EQ(L"", Typed()); // a new count empties it
}

// A typo in the count never costs what was typed: n, the spin button and every box stay, and the
// count is selected so that the next key replaces it.
TEST_F(CountControlTest, IntegersOutsideTheRangeKeepTheCountAndTheValues)
{
    PasteOver(L"5");
    FillGrid();
    for (const wchar_t* text :
         {L"1", L"55", L"27", L"0", L"-5", L"99999999999", L"-99999999999", L"\xFF12\xFF17"}) {
        SCOPED_TRACE(::testing::Message() << "text " << text);
        PasteOver(text);
        ExpectMessages({kOutOfRange});
        ExpectCount(5);
        EXPECT_TRUE(CountIsSelected());
        EXPECT_TRUE(GridIsFilled());
    }
    TypeChars(Box(), L"6");
    ExpectMessages({});
    ExpectCount(6);
}
TEST_F(CountControlTest, TextsThatAreNoIntegerGiveTheIntegerMessage)
{
    for (const wchar_t* text : {L"+0", L"-0", L"", L"   ", L"abc", L"5a", L"1 2", L"\xFF15\xFF41",
                                L"+", L"- 5", L"3.0"}) {
        SCOPED_TRACE(::testing::Message() << "text [" << text << "]");
        PasteOver(L"9");
        TypeIntoGrid();
        PasteOver(text);
        ExpectMessages({kNotAnInteger}); // pasting nothing over the text deletes it
        ExpectCount(9);
        EXPECT_EQ(L"42", Typed());
    }
}

// The same texts typed a key at a time over the selected count: every key is a change that is
// checked at once. A refused text gives way to the count, selected, so the next key starts afresh;
// an accepted count on the way (the 2 of 27) is a count of its own and empties the grid.
TEST_F(CountControlTest, TextsTypedKeyByKeyAreCheckedAtEveryKey)
{
    struct Case {
        const wchar_t* keys;
        std::vector<std::wstring> messages;
        int count;
        bool kept;
    };
    const Case cases[] = {
        {L"1", {kOutOfRange}, 5, true},
        {L"0", {kOutOfRange}, 5, true},
        {L"55", {kOutOfRange}, 5, true},   // "5" is the same count, "55" refused
        {L"-5", {kNotAnInteger}, 5, true}, // "-" refused, then "5"
        {L"+0", {kNotAnInteger, kOutOfRange}, 5, true},
        {L"-0", {kNotAnInteger, kOutOfRange}, 5, true},
        {L"12", {kOutOfRange}, 2, false},    // "1" refused, then "2" over the selection
        {L"27", {kOutOfRange}, 2, false},    // "2" accepted, "27" refused
        {L" 7 ", {kNotAnInteger}, 7, false}, // " " refused, "7", "7 "
        {L"007", {kOutOfRange, kOutOfRange}, 7, false},
        // "9", then "99" refused and 9 selected, "9" again: five times over.
        {L"99999999999", std::vector<std::wstring>(5, kOutOfRange), 9, false},
        {L"\xFF11\xFF10", {kOutOfRange, kOutOfRange}, 5, true}, // full-width "1", then "0"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "keys [" << c.keys << "]");
        PasteOver(L"5");
        FillGrid();
        m_boxes.Clear();
        TypeOver(c.keys);
        ASSERT_EQ(c.messages.size(), m_boxes.Boxes().size());
        for (size_t i = 0; i < c.messages.size(); ++i)
            EXPECT_EQ(c.messages[i], m_boxes.Boxes()[i].text) << "message " << i;
        m_boxes.Clear();
        ExpectCount(c.count);
        if (c.kept)
            EXPECT_TRUE(GridIsFilled());
        else
            EXPECT_EQ(L"", Typed());
    }
}

// "１２" typed with an input method counts as 12; blanks around it may be ideographic.
TEST_F(CountControlTest, FullWidthCountsAreRead)
{
    for (const auto& [text, count] :
         std::vector<std::pair<std::wstring, int>>{{L"\xFF11\xFF12", 12},
                                                   {L"\x3000\xFF17\x3000", 7},
                                                   {L"\xFF0B\xFF13", 3},
                                                   {L"\xFF12\xFF16", 26}}) {
        PasteOver(text);
        ExpectMessages({});
        ExpectCount(count);
    }
    TypeOver(L"\xFF14");
    ExpectMessages({});
    ExpectCount(4);
}

TEST_F(CountControlTest, ARefusedTextLeavesTheCountSelectedForTheNextKey)
{
    PasteOver(L"12");
    TypeOver(L"x");
    ExpectMessages({kNotAnInteger});
    DWORD from = 1, to = 0;
    ::SendMessageW(Box(), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                   reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(0u, from);
    EXPECT_EQ(2u, to);
    TypeChars(Box(), L"7"); // replaces 12 instead of making 712
    ExpectMessages({});
    ExpectCount(7);

    TypeChars(Box(), L"0"); // 70
    ExpectMessages({kOutOfRange});
    TypeChars(Box(), L"5");
    ExpectMessages({});
    ExpectCount(5);
}

TEST_F(CountControlTest, OnlyTheFirstThirtyOneCharactersAreRead)
{
    PasteOver(L"7" + std::wstring(30, L' ') + L"x");
    ExpectMessages({});
    ExpectCount(7);
    PasteOver(std::wstring(31, L' ') + L"7");
    ExpectMessages({kNotAnInteger});
    ExpectCount(7);
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
