#include "DrawTransparent.h"

// A monochrome mask marks the key-coloured pixels. The target is blackened where the picture
// shows, the picture's key pixels are blackened, and XOR-ing the two puts the picture in.
void DrawTransparent(HDC hdcSrc, HDC hdcDest, int x, int y, int cx, int cy, int xSrc, int ySrc,
                     COLORREF crKey)
{
    HDC hdcMask = ::CreateCompatibleDC(hdcSrc);
    HBITMAP hbmMask = ::CreateBitmap(cx, cy, 1, 1, nullptr);
    HGDIOBJ hOldMask = ::SelectObject(hdcMask, hbmMask);

    // Colour to monochrome: the source's background colour becomes 1 (white), all else 0.
    ::SetBkColor(hdcSrc, crKey);
    ::BitBlt(hdcMask, 0, 0, cx, cy, hdcSrc, xSrc, ySrc, SRCCOPY);

    HDC hdcImage = ::CreateCompatibleDC(hdcSrc);
    HBITMAP hbmImage = ::CreateCompatibleBitmap(hdcSrc, cx, cy);
    HGDIOBJ hOldImage = ::SelectObject(hdcImage, hbmImage);
    ::BitBlt(hdcImage, 0, 0, cx, cy, hdcSrc, xSrc, ySrc, SRCCOPY);

    ::BitBlt(hdcImage, 0, 0, cx, cy, hdcMask, 0, 0, 0x00220326); // destination AND NOT mask
    ::BitBlt(hdcDest, x, y, cx, cy, hdcMask, 0, 0, SRCAND);
    ::BitBlt(hdcDest, x, y, cx, cy, hdcImage, 0, 0, SRCINVERT);

    ::SelectObject(hdcMask, hOldMask);
    ::DeleteObject(hbmMask);
    ::DeleteDC(hdcMask);
    ::SelectObject(hdcImage, hOldImage);
    ::DeleteObject(hbmImage);
    ::DeleteDC(hdcImage);
}
