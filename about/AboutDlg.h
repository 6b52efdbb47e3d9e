#pragma once

// CAboutDlg: the modal About box with the title image and the link image.

#include "about/MyBmpUrl.h"
#include "about/MyTBmp.h"
#include "framework/afxwin.h"
#include "res/resource.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

    enum { IDD = IDD_ABOUTBOX };
    CMyBmpUrl m_BmpUrl;
    CMyTBmp m_TBmp;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()
};
