#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "app/HaltiqoDoc.h"
#include "app/MainFrame.h"
#include "ui/UiSupport.h"
#include "view/HaltiqoView.h"

namespace {

class WhatHappenedTest : public AppTest {
protected:
    HWND Box(int r, int k) const { return m_pView->m_ppEntry[r][k].m_hWnd; }
    void Command(UINT nId)
    {
        if (nId == ID_FILE_NEW && m_pView->GetDocument()->IsModified())
            m_boxes.Answer(IDNO);
        m_pFrame->SendMessage(WM_COMMAND, nId);
        Pump();
    }
    // Types into a box and leaves it.
    void TypeInto(HWND hBox, const std::wstring& keys)
    {
        ::SetFocus(hBox);
        ::SendMessageW(hBox, EM_SETSEL, 0, -1);
        TypeChars(hBox, keys);
        ::SetFocus(::GetDlgItem(m_pView->m_hWnd, IDC_CALC));
        Pump();
    }
    // A system of two, one box spoiled: its note, the solve's message and where the caret went.
    std::wstring Spoiled(int r, int k, const wchar_t* text)
    {
        for (int i = 0; i < 6; ++i)
            ::SetWindowTextW(Box(i / 3, i % 3), i == r * 3 + k ? text : L"1");
        const std::wstring note = NoteOf(m_pView, Box(r, k));
        ::SendMessageW(::GetDlgItem(m_pView->m_hWnd, IDC_CALC), BM_CLICK, 0, 0);
        Pump();
        return note + L" | " + m_boxes.Boxes().back().text +
               (::GetFocus() == Box(r, k) ? L" [caret]" : L"");
    }
    // The characters the window's font draws within the height: ink, and not the missing glyph's.
    static std::wstring Drawn(HWND hWnd, const std::wstring& chars, int nHeight)
    {
        HDC hDC = ::CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = ::SelectObject(hDC, ::CreateBitmap(40, 40, 1, 1, nullptr));
        ::SelectObject(hDC, reinterpret_cast<HFONT>(::SendMessageW(hWnd, WM_GETFONT, 0, 0)));
        const auto ink = [&](wchar_t ch) {
            RECT rc{0, 0, 40, 40};
            ::FillRect(hDC, &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
            rc.bottom = nHeight;
            ::DrawTextW(hDC, &ch, 1, &rc, DT_NOPREFIX | DT_SINGLELINE | DT_NOCLIP);
            std::wstring pixels;
            for (int i = 0; i < 40 * nHeight; ++i)
                pixels += ::GetPixel(hDC, i % 40, i / 40) == RGB(255, 255, 255) ? L'0' : L'1';
            return pixels;
        };
        std::wstring drawn;
        for (wchar_t ch : chars)
            if (ink(ch) != ink(0x0378) && ink(ch).find(L'1') != std::wstring::npos)
                drawn += ch;
        ::DeleteObject(::SelectObject(hDC, hOld));
        ::DeleteDC(hDC);
        return drawn;
    }
};

// The steps of a hostile run where the window once told a person something other than what
// happened: what was done, and what the window said and showed after it.
TEST_F(WhatHappenedTest, EachStepOfTheHostileRunIsToldAsItHappened)
{
    const std::wstring chars = L"_g\x0663\x06F3\x8A08"; // U+0663, U+06F3: Arabic-Indic three
    HWND hCount = m_pView->m_editN.m_hWnd;
    // clang-format off
    const std::vector<std::tuple<const char*, std::function<std::wstring()>, std::wstring>> rows = {
        {"a number beyond the doubles", [&] { return Spoiled(0, 0, L"1e999"); },
         L"error 「1e999」は大きすぎて計算できません。 | 1 行目の a の欄: 大きすぎて計算できません。 [caret]"},
        {"a denominator too small", [&] { return Spoiled(1, 2, L"1/1e-400"); },
         L"error 「1/1e-400」は分母が小さすぎて 0 とみなされるので計算できません。 | 2 行目の 右辺 の欄: 分母が小さすぎて 0 とみなされます。 [caret]"},
        {"empty cells pasted into an empty box, then File ▸ New", [&] {
             Command(ID_FILE_NEW); m_boxes.Clear(); ::SetFocus(Box(0, 1)); SetClipboardText(L"\t");
             Command(ID_EDIT_PASTE); Command(ID_FILE_NEW);
             return L"[" + TextOf(Box(0, 1)) + L"] " + std::to_wstring(m_boxes.Boxes().size()); },
         L"[] 0"},
        {"counts typed full-width, undone and redone", [&] {
             std::wstring shown;
             for (const wchar_t* typed : {L"５", L"０２６"}) {
                 TypeInto(hCount, typed);
                 Command(ID_EDIT_UNDO); shown += TextOf(hCount) + L" ";
                 Command(ID_EDIT_REDO); shown += TextOf(hCount) + L" ";
             }
             Command(ID_FILE_NEW);
             return shown; },
         L"2 ５ ５ ０２６ "},
        {"undo and redo from an answer box, and back into it", [&] {
             TypeInto(Box(0, 0), L"7"); ::SetFocus(Box(2, 0)); TypeChars(Box(2, 0), L"x");
             std::wstring shown;
             for (int nId : {ID_EDIT_UNDO, ID_EDIT_UNDO, ID_EDIT_UNDO, ID_EDIT_REDO, 0, ID_EDIT_REDO, ID_EDIT_REDO}) {
                 nId == 0 ? (void)::SetFocus(Box(2, 0)) : Command(nId);
                 shown += L"[" + TextOf(Box(2, 0)) + L"|" + TextOf(Box(0, 0)) + L"]";
             }
             return shown; },
         L"[|7][|][|][|7][|7][x|7][x|7]"},
        {"what a box draws within its border, and its tooltip", [&] {
             ::SetWindowTextW(Box(0, 0), L"1_000"); // a note: the tooltip is made
             RECT rc; ::GetClientRect(Box(0, 0), &rc);
             return Drawn(Box(0, 0), chars, rc.bottom - 2) + L" " + Drawn(m_pView->GetNoteTip(), chars, 40); },
         chars + L" " + chars},
        {"a key typed into a full box, then the box left", [&] {
             const int nMax = CSystemTable::kMaxText;
             ::SetWindowTextW(Box(1, 1), std::wstring(nMax, L'1').c_str()); ::SetFocus(Box(1, 1));
             ::SendMessageW(Box(1, 1), EM_SETSEL, nMax, nMax); TypeChars(Box(1, 1), L"2"); Pump();
             wchar_t tip[64] = L"";
             TOOLINFOW info{}; info.cbSize = TTTOOLINFOW_V2_SIZE; info.lpszText = tip;
             ::SendMessageW(m_pView->GetFullTip(), TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&info));
             std::wstring shown = tip + std::to_wstring(::IsWindowVisible(m_pView->GetFullTip()));
             ::SetFocus(Box(0, 0));
             return shown + std::to_wstring(::IsWindowVisible(m_pView->GetFullTip())) + L" " + std::to_wstring(TextOf(Box(1, 1)).size()); },
         L"この欄に入るのは 255 文字までです。10 255"},
    };
    // clang-format on
    for (const auto& [step, act, shown] : rows) {
        m_boxes.Clear();
        EXPECT_EQ(shown, act()) << step;
    }
}

} // namespace
