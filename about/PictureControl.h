#pragma once

// CPictureControl: what the About box's two picture controls share. It owns the source bitmap
// loaded from the resources, the memory DC that holds it for stretching, and the window class
// registration; each control composes its own client-sized pictures from the source.
//
// Bitmaps are declared before the DCs that hold them, here and in the controls, so that
// destruction deletes each DC (which gives its bitmap back) before the bitmap.

#include <initializer_list>

#include "framework/afxwin.h"

class CPictureControl : public CWnd {
public:
    // Needs the attached window at its final size. A later call replaces the picture.
    BOOL SetBitmap(UINT nIDBitmap);

protected:
    CPictureControl();

    // Registers the window class named lpszClassName, unless this process has already: redrawn
    // whole on resizing, double-clicks reported, the arrow cursor, the button face as
    // background, and the default window procedure until an object attaches. Throws the
    // framework's resource exception when registration fails.
    static BOOL RegisterPictureClass(LPCWSTR lpszClassName);

    // Builds the control's w × h pictures from m_bmpSrc, compatible with dcRef; called by
    // SetBitmap with the client size.
    virtual void PreparePictures(CDC& dcRef, int w, int h) = 0;
    // Deletes every DC, then every bitmap; the control's own first, then the source.
    virtual void ReleaseImages();
    // For ReleaseImages: the control's own DCs and bitmaps, then the source.
    void ReleasePictures(std::initializer_list<CDC*> dcs, std::initializer_list<CBitmap*> bitmaps);

    // Creates m_dcSrc compatible with dcRef, describes m_bmpSrc in m_bm and selects it.
    void SelectSource(CDC& dcRef);
    // Creates dc and a w by h bitmap compatible with dcRef, and selects the bitmap into dc.
    static void CreatePicture(CDC& dc, CBitmap& bmp, CDC& dcRef, int w, int h);
    // Fills rc of dc with the button face colour.
    static void FillButtonFace(CDC& dc, const RECT& rc);

    BOOL m_bLoaded;
    COLORREF m_crTransparent;
    CBitmap m_bmpSrc;
    CDC m_dcSrc;
    BITMAP m_bm;
};
