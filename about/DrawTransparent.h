#pragma once

#include <windows.h>

// Copies cx by cy pixels from hdcSrc (at xSrc, ySrc) to hdcDest (at x, y), leaving the target
// unchanged where the source pixel has the key colour. hdcDest must have a black text colour
// and a white background colour, as a new memory DC has. hdcSrc keeps crKey as its background
// colour afterwards.
void DrawTransparent(HDC hdcSrc, HDC hdcDest, int x, int y, int cx, int cy, int xSrc, int ySrc,
                     COLORREF crKey);
