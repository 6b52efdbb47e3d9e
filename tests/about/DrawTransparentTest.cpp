#include "about/DrawTransparent.h"

#include <gtest/gtest.h>

#include "common/PixelDC.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

TEST(DrawTransparent, KeyPixelsKeepTheTargetOthersTakeTheSource)
{
    for (COLORREF key : {kWhite, RGB(10, 20, 30)}) {
        SCOPED_TRACE(::testing::Message() << "key " << std::hex << key);
        const int w = 5, h = 3;
        PixelDC src(w, h), dst(w, h);
        const COLORREF palette[] = {key,          RGB(255, 0, 0),     RGB(0, 0, 0),
                                    RGB(1, 2, 3), RGB(254, 255, 255), kWhite};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                src.Set(x, y, palette[(x + 2 * y) % 6]);
                dst.Set(x, y, RGB(40 + x, 50 + y, 60));
            }
        DrawTransparent(src.dc(), dst.dc(), 0, 0, w, h, 0, 0, key);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const COLORREF s = palette[(x + 2 * y) % 6];
                const COLORREF expected = s == key ? RGB(40 + x, 50 + y, 60) : s;
                EXPECT_EQ(expected, dst.Get(x, y)) << x << "," << y;
            }
        EXPECT_EQ(key, ::GetBkColor(src.dc())); // the source keeps the key as background
    }
}

TEST(DrawTransparent, APictureWithoutTheKeyIsCopiedUnchangedAtAnOffset)
{
    PixelDC src(6, 6), dst(8, 8);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            src.Set(x, y, RGB(212, 208 - x, 204 - y));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            dst.Set(x, y, RGB(9, 9, 9));
    DrawTransparent(src.dc(), dst.dc(), 2, 1, 4, 4, 1, 2, kWhite);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 2 && x < 6 && y >= 1 && y < 5;
            const COLORREF expected =
                inside ? RGB(212, 208 - (x - 2 + 1), 204 - (y - 1 + 2)) : RGB(9, 9, 9);
            EXPECT_EQ(expected, dst.Get(x, y)) << x << "," << y;
        }
}

} // namespace
