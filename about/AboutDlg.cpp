#include "AboutDlg.h"

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
END_MESSAGE_MAP()

// The two controls register their window classes here, before the template that names them is
// turned into windows.
CAboutDlg::CAboutDlg() : CDialog(CAboutDlg::IDD) {}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_TBMP, m_TBmp);
    DDX_Control(pDX, IDC_BMPURL, m_BmpUrl);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_TBmp.SetBitmap(IDB_TITLE);
    m_BmpUrl.SetBitmap(IDB_LINK);
    return TRUE;
}
