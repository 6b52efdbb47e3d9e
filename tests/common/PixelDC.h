#pragma once

// A memory DC holding a 32-bit top-down DIB whose pixels can be read and written directly:
// what a test draws into, or copies the screen into, to look at the pixels.

#include <windows.h>

#include <vector>

class PixelDC {
public:
    PixelDC(int w, int h) : m_w(w), m_h(h)
    {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        m_hdc = ::CreateCompatibleDC(nullptr);
        m_hbm = ::CreateDIBSection(m_hdc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits),
                                   nullptr, 0);
        m_hOld = ::SelectObject(m_hdc, m_hbm);
    }
    ~PixelDC()
    {
        ::SelectObject(m_hdc, m_hOld);
        ::DeleteObject(m_hbm);
        ::DeleteDC(m_hdc);
    }
    PixelDC(const PixelDC&) = delete;
    PixelDC& operator=(const PixelDC&) = delete;

    HDC dc() const { return m_hdc; }
    void Set(int x, int y, COLORREF c)
    {
        m_bits[y * m_w + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    COLORREF Get(int x, int y) const
    {
        ::GdiFlush();
        const DWORD v = m_bits[y * m_w + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    // Every pixel, row by row from the top, once GDI has finished drawing.
    std::vector<DWORD> Pixels() const
    {
        ::GdiFlush();
        return std::vector<DWORD>(m_bits, m_bits + m_w * m_h);
    }

private:
    int m_w, m_h;
    HDC m_hdc;
    HBITMAP m_hbm;
    HGDIOBJ m_hOld;
    DWORD* m_bits = nullptr;
};
