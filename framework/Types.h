#pragma once

// Small value types over the platform's POINT, SIZE and RECT.

#include <windows.h>

#include <string>

struct CPoint : POINT {
    CPoint() : POINT{0, 0} {}
    CPoint(int px, int py) : POINT{px, py} {}
    static CPoint FromLParam(LPARAM l)
    {
        return CPoint(static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)));
    }
};

struct CSize : SIZE {
    CSize() : SIZE{0, 0} {}
    CSize(int w, int h) : SIZE{w, h} {}
};

struct CRect : RECT {
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
};

// The framework's string: a wide string that converts to the platform's text pointer.
class CString : public std::wstring {
public:
    using std::wstring::wstring;
    CString() = default;
    CString(const std::wstring& s) : std::wstring(s) {}
    operator LPCWSTR() const { return c_str(); }
    BOOL LoadString(UINT nID);
};
