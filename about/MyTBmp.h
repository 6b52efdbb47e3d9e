#pragma once

// CMyTBmp: the "MyTBmp" control, which shows a bitmap stretched over its client area on the
// button face, with white drawn as transparent. The picture is prepared once, off screen, in
// SetBitmap; a paint only copies it.

#include "framework/afxwin.h"

class CMyTBmp : public CWnd {
public:
    CMyTBmp(); // registers the window class, once per process
    ~CMyTBmp() override;

    // Needs the attached window at its final size. A later call replaces the picture.
    BOOL SetBitmap(UINT nIDBitmap);

protected:
    BOOL RegisterWindowClass();
    void PrepareImage();
    void OnPaint();

    DECLARE_MESSAGE_MAP()

    BOOL m_bLoaded;
    COLORREF m_crTransparent;
    CDC m_dcSrc;
    CDC m_dcStretch;
    CDC m_dcImage;
    CBitmap m_bmpSrc;
    CBitmap m_bmpStretch;
    CBitmap m_bmpImage;
    BOOL m_bCreated;
    BITMAP m_bm;

private:
    void ReleaseImages();
};
