// What the prefix's fonts draw: the caption's close box and the grid's "＝". Wine's themed frame
// draws its buttons as letters of the Marlett font; without it the close box shows the letter
// "r". A system font without double-byte glyphs turns "＝" into a box.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "common/PixelDC.h"

namespace {

// A white picture of `size` pixels, drawn on by `draw`; true where the result is dark.
std::vector<bool> Ink(int size, const std::function<void(HDC, RECT&)>& draw)
{
    PixelDC picture(size, size);
    RECT rc{0, 0, size, size};
    ::FillRect(picture.dc(), &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    draw(picture.dc(), rc);
    std::vector<bool> ink;
    for (DWORD c : picture.Pixels())
        ink.push_back((c & 0xFF) + (c >> 8 & 0xFF) + (c >> 16 & 0xFF) < 3 * 96);
    return ink;
}

TEST(Glyphs, TheCloseBoxIsACrossAndTheEqualsSignTwoBars)
{
    // The close box is Marlett's "r": a cross, the same mirrored left to right and top to
    // bottom, as a letter is not.
    const int size = 64;
    wchar_t face[LF_FACESIZE] = L"";
    const std::vector<bool> close = Ink(size, [&](HDC hDC, RECT& rc) {
        HFONT hFont = ::CreateFontW(size, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SYMBOL_CHARSET,
                                    0, 0, 0, 0, L"Marlett");
        HGDIOBJ hOld = ::SelectObject(hDC, hFont);
        ::GetTextFaceW(hDC, LF_FACESIZE, face);
        ::SetBkMode(hDC, TRANSPARENT);
        ::DrawTextW(hDC, L"r", 1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::SelectObject(hDC, hOld);
        ::DeleteObject(hFont);
    });
    EXPECT_STREQ(L"Marlett", face);
    int inked = 0, mirrored = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (close[y * size + x]) {
                ++inked;
                mirrored += close[y * size + (size - 1 - x)] && close[(size - 1 - y) * size + x];
            }
    EXPECT_GT(inked, 40);
    EXPECT_GE(mirrored * 10, inked * 9) << inked << " dark pixels, " << mirrored << " mirrored";

    // "＝" in the system font, which the grid's labels use: the column through the middle of its
    // ink crosses two bars, and the row between them is empty.
    const int big = 48;
    const std::vector<bool> equals = Ink(big, [](HDC hDC, RECT& rc) {
        ::SelectObject(hDC, ::GetStockObject(SYSTEM_FONT));
        ::SetBkMode(hDC, TRANSPARENT);
        ::DrawTextW(hDC, L"\xFF1D", 1, &rc, DT_LEFT | DT_TOP | DT_SINGLELINE);
    });
    int left = big, right = -1, top = big, bottom = -1;
    for (int y = 0; y < big; ++y)
        for (int x = 0; x < big; ++x)
            if (equals[y * big + x]) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, left) << "no ink at all";
    const int midX = (left + right) / 2, midY = (top + bottom) / 2;
    int runs = 0;
    for (int y = top; y <= bottom; ++y)
        runs += equals[y * big + midX] && (y == top || !equals[(y - 1) * big + midX]);
    EXPECT_EQ(2, runs);
    for (int x = left; x <= right; ++x)
        EXPECT_FALSE(equals[midY * big + x]) << "ink between the bars at x = " << x;
}

} // namespace
