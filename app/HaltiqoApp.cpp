#include "HaltiqoApp.h"

#include "about/AboutDlg.h"
#include "app/HaltiqoDoc.h"
#include "app/MainFrame.h"
#include "res/resource.h"
#include "view/HaltiqoView.h"

BEGIN_MESSAGE_MAP(CHaltiqoApp, CWinApp)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
END_MESSAGE_MAP()

CHaltiqoApp theApp;

namespace {
// What the file dialogs offer; a system is saved as CSV whatever the name.
const wchar_t kFileFilter[] =
    L"CSV (*.csv)|*.csv|テキスト (*.txt;*.tsv)|*.txt;*.tsv|すべてのファイル (*.*)|*.*";
} // namespace

BOOL CHaltiqoApp::InitInstance()
{
    AfxEnableControlContainer();
    Enable3dControlsStatic();
    SetRegistryKey(L"Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);

    auto* pTemplate =
        new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CHaltiqoDoc), RUNTIME_CLASS(CMainFrame),
                               RUNTIME_CLASS(CHaltiqoView));
    pTemplate->SetFileFilter(kFileFilter, L"csv");
    AddDocTemplate(pTemplate);

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    static_cast<CFrameWnd*>(m_pMainWnd)->DragAcceptFiles();
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}

void CHaltiqoApp::OnAppAbout()
{
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}
