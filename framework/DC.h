#pragma once

// Device-context wrappers. A CDC made by CreateCompatibleDC is deleted with the object;
// CPaintDC and CClientDC end painting or release the DC instead. Before either, the DC gets
// back the objects it held before the wrapper's first selection of each kind, so what was
// selected can be deleted afterwards: declare a DC after the bitmaps it will hold.

#include <windows.h>

class CGdiObject;
class CBrush;
class CWnd;

class CDC {
public:
    CDC() = default;
    virtual ~CDC()
    {
        RestoreSelection(); // a borrowed DC too goes back as it came
        DeleteDC();
    }
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }

    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();
    BOOL Attach(HDC hDC);
    HDC Detach();

    HGDIOBJ SelectObject(CGdiObject* pObject);
    HGDIOBJ SelectObject(HGDIOBJ hObject);
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                DWORD dwRop);
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                    int nSrcWidth, int nSrcHeight, DWORD dwRop);
    void FillRect(const RECT* pRect, CBrush* pBrush);
    COLORREF SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }

protected:
    // Puts back what the DC held before this wrapper's selections.
    void RestoreSelection();

private:
    bool m_bOwned = false;
    // The object first displaced of each kind: pen, brush, font, bitmap.
    HGDIOBJ m_hOriginal[4] = {};
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};
