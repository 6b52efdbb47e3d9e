#include "app/HaltiqoApp.h"
#include "app/HaltiqoDoc.h"
#include "app/MainFrame.h"
#include "res/resource.h"
#include "ui/UiSupport.h"
#include "view/HaltiqoView.h"

#include <vector>

// The main frame with its five edit commands replaced by handlers that only note the command, so
// a test can see which commands the keys became, and that nothing else acted on them.
class CRecordingFrame : public CMainFrame {
    DECLARE_DYNCREATE(CRecordingFrame)

public:
    std::vector<UINT> m_commands;

protected:
    void OnUndo() { m_commands.push_back(ID_EDIT_UNDO); }
    void OnRedo() { m_commands.push_back(ID_EDIT_REDO); }
    void OnCut() { m_commands.push_back(ID_EDIT_CUT); }
    void OnCopy() { m_commands.push_back(ID_EDIT_COPY); }
    void OnPaste() { m_commands.push_back(ID_EDIT_PASTE); }
    void OnSelAll() { m_commands.push_back(ID_EDIT_SELALL); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CRecordingFrame, CMainFrame)

BEGIN_MESSAGE_MAP(CRecordingFrame, CMainFrame)
ON_COMMAND(ID_EDIT_UNDO, OnUndo)
ON_COMMAND(ID_EDIT_REDO, OnRedo)
ON_COMMAND(ID_EDIT_CUT, OnCut)
ON_COMMAND(ID_EDIT_COPY, OnCopy)
ON_COMMAND(ID_EDIT_PASTE, OnPaste)
ON_COMMAND(ID_EDIT_SELALL, OnSelAll)
END_MESSAGE_MAP()

namespace {

class AcceleratorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        theApp.m_pMainWnd = nullptr;
        m_pTemplate =
            new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CHaltiqoDoc),
                                   RUNTIME_CLASS(CRecordingFrame), RUNTIME_CLASS(CHaltiqoView));
        ASSERT_NE(nullptr, m_pTemplate->OpenDocumentFile(nullptr));
        m_pFrame = static_cast<CRecordingFrame*>(theApp.m_pMainWnd);
        m_pView = static_cast<CHaltiqoView*>(m_pFrame->GetActiveView());
        m_pFrame->ShowWindow(SW_SHOW);
        ::SetForegroundWindow(m_pFrame->m_hWnd);
        Pump(50);
    }
    void TearDown() override
    {
        if (theApp.m_pMainWnd != nullptr)
            theApp.m_pMainWnd->DestroyWindow();
        Pump();
        delete m_pTemplate;
    }

    CSingleDocTemplate* m_pTemplate = nullptr;
    CRecordingFrame* m_pFrame = nullptr;
    CHaltiqoView* m_pView = nullptr;
};

TEST_F(AcceleratorTest, TheFiveCtrlKeysBecomeTheFrameCommandsBeforeTheFocusedBoxSeesThem)
{
    // The focused box would act on each of these keys itself: copy, cut, paste, undo, select.
    // Ctrl+Y, which the box ignores, is the frame's too.
    for (HWND hBox : {m_pView->m_ppEntry[0][1].m_hWnd, m_pView->m_editN.m_hWnd}) {
        m_pFrame->m_commands.clear();
        ::SetFocus(hBox);
        ::SendMessageW(hBox, EM_SETSEL, 0, 0);
        ::SendMessageW(hBox, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"1"));
        ::SendMessageW(hBox, EM_SETSEL, 0, -1);
        SetClipboardText(L"kept");
        Pump();
        const std::wstring typed = TextOf(hBox);
        for (WORD key : {'C', 'X', 'V', 'Z', 'Y', 'A'})
            PressKey(key, true);
        EXPECT_EQ((std::vector<UINT>{ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_PASTE, ID_EDIT_UNDO,
                                     ID_EDIT_REDO, ID_EDIT_SELALL}),
                  m_pFrame->m_commands);
        EXPECT_EQ(typed, TextOf(hBox));
        EXPECT_EQ(L"kept", ClipboardText());
    }
}

TEST_F(AcceleratorTest, OtherCtrlKeysAndPlainLettersReachTheBox)
{
    HWND hBox = m_pView->m_ppEntry[0][0].m_hWnd;
    ::SetFocus(hBox);
    PressKey('7');
    PressKey('B', true);
    EXPECT_TRUE(m_pFrame->m_commands.empty());
    EXPECT_EQ(L"7", TextOf(hBox));
}

} // namespace
