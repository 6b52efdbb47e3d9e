#pragma once

// CMyTBmp: the "MyTBmp" control, which shows a bitmap stretched over its client area on the
// button face, with white drawn as transparent. The picture is prepared once, off screen, in
// SetBitmap; a paint only copies it.

#include "about/PictureControl.h"

class CMyTBmp : public CPictureControl {
public:
    CMyTBmp(); // registers the window class, once per process

protected:
    void PreparePictures(CDC& dcRef, int w, int h) override { PrepareImage(dcRef, w, h); }
    void ReleaseImages() override;
    BOOL RegisterWindowClass();
    void PrepareImage(CDC& dcRef, int w, int h);
    void OnPaint();

    DECLARE_MESSAGE_MAP()

    CBitmap m_bmpStretch;
    CBitmap m_bmpImage;
    CDC m_dcStretch;
    CDC m_dcImage;
    BOOL m_bCreated;
};
