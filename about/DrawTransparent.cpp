#include "DrawTransparent.h"

#include "framework/afxwin.h"

// A monochrome mask marks the key-coloured pixels. The target is blackened where the picture
// shows, the picture's key pixels are blackened, and XOR-ing the two puts the picture in.
void DrawTransparent(HDC hdcSrc, HDC hdcDest, int x, int y, int cx, int cy, int xSrc, int ySrc,
                     COLORREF crKey)
{
    CDC dcSrc, dcDest; // borrowed: neither is deleted
    dcSrc.Attach(hdcSrc);
    dcDest.Attach(hdcDest);

    // Each DC below is destroyed before its bitmap, and gives it back first.
    CBitmap bmMask;
    CDC dcMask;
    dcMask.CreateCompatibleDC(&dcSrc);
    bmMask.CreateBitmap(cx, cy, 1, 1, nullptr);
    dcMask.SelectObject(&bmMask);

    // Colour to monochrome: the source's background colour becomes 1 (white), all else 0.
    dcSrc.SetBkColor(crKey);
    dcMask.BitBlt(0, 0, cx, cy, &dcSrc, xSrc, ySrc, SRCCOPY);

    CBitmap bmImage;
    CDC dcImage;
    dcImage.CreateCompatibleDC(&dcSrc);
    bmImage.CreateCompatibleBitmap(&dcSrc, cx, cy);
    dcImage.SelectObject(&bmImage);
    dcImage.BitBlt(0, 0, cx, cy, &dcSrc, xSrc, ySrc, SRCCOPY);

    dcImage.BitBlt(0, 0, cx, cy, &dcMask, 0, 0, 0x00220326); // destination AND NOT mask
    dcDest.BitBlt(x, y, cx, cy, &dcMask, 0, 0, SRCAND);
    dcDest.BitBlt(x, y, cx, cy, &dcImage, 0, 0, SRCINVERT);
}
