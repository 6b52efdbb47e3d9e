// The framework's dispatch on small windows of its own, asserted on the recorded sequence of
// what each object saw: command routing, pre-translation order, declining, the exception
// boundary, failed creation, self-deletion, and the modal loop; and the DC wrappers' selections.
#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "framework/afxwin.h"
#include "ui/UiSupport.h"

namespace {

std::vector<std::string> g_log;
void Log(const std::string& line)
{
    g_log.push_back(line);
}

enum : UINT { kViewCmd = 9201, kDocCmd, kFrameCmd, kSharedCmd, kAccelCmd, kNobodysCmd };
const UINT kFrameResource = 910, kFormTemplate = 911, kFormEdit = 912;

class CTestDoc : public CDocument {
protected:
    void OnDoc() { Log("doc"); }
    void OnShared() { Log("doc shared"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
ON_COMMAND(kDocCmd, OnDoc)
ON_COMMAND(kSharedCmd, OnShared)
END_MESSAGE_MAP()

class CTestView : public CFormView {
    DECLARE_DYNCREATE(CTestView)

public:
    CTestView() : CFormView(kFormTemplate) {}
    ~CTestView() override { Log("view deleted"); }

protected:
    void OnView() { Log("view"); }
    void OnShared() { Log("view shared"); }
    void OnOK() { Log("view IDOK"); }
    void OnCancel() { Log("view IDCANCEL"); }
    void OnEditChange() { Log("view EN_CHANGE"); }
    void PostNcDestroy() override
    {
        Log("view PostNcDestroy");
        CFormView::PostNcDestroy();
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestView, CFormView)
BEGIN_MESSAGE_MAP(CTestView, CFormView)
ON_COMMAND(kViewCmd, OnView)
ON_COMMAND(kSharedCmd, OnShared)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
ON_EN_CHANGE(kFormEdit, OnEditChange)
END_MESSAGE_MAP()

class CTestFrame : public CFrameWnd {
protected:
    void OnFrame() { Log("frame"); }
    void OnShared() { Log("frame shared"); }
    void OnAccel() { Log("frame accelerator"); }
    void OnClose() { Log("frame WM_CLOSE"); } // stays open: the test closes it
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN)
            Log("frame offered");
        return CFrameWnd::PreTranslateMessage(pMsg);
    }
    void PostNcDestroy() override
    {
        Log("frame PostNcDestroy");
        CFrameWnd::PostNcDestroy();
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
ON_COMMAND(kFrameCmd, OnFrame)
ON_COMMAND(kSharedCmd, OnShared)
ON_COMMAND(kAccelCmd, OnAccel)
ON_WM_CLOSE()
END_MESSAGE_MAP()

// A frame with its form view and document, made as a document template makes them.
class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CTestView);
        context.m_pCurrentDoc = &m_doc;
        m_pFrame = new CTestFrame;
        ASSERT_TRUE(m_pFrame->LoadFrame(kFrameResource, WS_OVERLAPPEDWINDOW, nullptr, &context));
        m_pFrame->InitialUpdateFrame(&m_doc, TRUE);
        m_hFrame = m_pFrame->m_hWnd;
        m_hEdit = ::GetDlgItem(m_pFrame->GetActiveView()->m_hWnd, kFormEdit);
        Pump();
        g_log.clear();
    }
    void TearDown() override
    {
        if (::IsWindow(m_hFrame))
            ::DestroyWindow(m_hFrame);
        Pump();
    }

    CTestDoc m_doc;
    CTestFrame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
    HWND m_hEdit = nullptr;
};

TEST_F(FrameTest, CommandsGoToTheViewTheDocumentTheFrameAndTheApplicationInThatOrder)
{
    CWinApp* const pApp = AfxGetApp();
    CWnd* const pMainBefore = pApp->m_pMainWnd;
    pApp->m_pMainWnd = m_pFrame; // the application's exit command closes its main window
    const struct {
        UINT nID;
        std::vector<std::string> seen;
    } cases[] = {
        {kViewCmd, {"view"}},
        {kDocCmd, {"doc"}},
        {kFrameCmd, {"frame"}},
        {kSharedCmd, {"view shared"}},
        {ID_APP_EXIT, {"frame WM_CLOSE"}},
        {kNobodysCmd, {}},
    };
    for (const auto& c : cases) {
        g_log.clear();
        ::SendMessageW(m_hFrame, WM_COMMAND, c.nID, 0);
        EXPECT_EQ(c.seen, g_log) << "command " << c.nID;
    }
    pApp->m_pMainWnd = pMainBefore;

    g_log.clear(); // a control's notification goes to its parent's map only
    ::SetWindowTextW(m_hEdit, L"1");
    EXPECT_EQ(std::vector<std::string>{"view EN_CHANGE"}, g_log);
}

TEST_F(FrameTest, TheFramesAcceleratorsComeBeforeTheFormsDialogKeys)
{
    ::SetFocus(m_hEdit);
    for (WPARAM vk : {VK_ESCAPE, VK_RETURN}) {
        ::PostMessageW(m_hEdit, WM_KEYDOWN, vk, 1);
        ::PostMessageW(m_hEdit, WM_KEYUP, vk, 0xC0000001);
    }
    Pump();
    // Escape is the frame's; Return, which it does not translate, is the dialog manager's. Each
    // key is offered to the frame once.
    EXPECT_EQ((std::vector<std::string>{"frame offered", "frame accelerator", "frame offered",
                                        "view IDOK"}),
              g_log);
}

TEST_F(FrameTest, AFrameAndItsViewDeleteThemselvesAfterTheirLastMessage)
{
    HWND hView = m_pFrame->GetActiveView()->m_hWnd;
    ::DestroyWindow(m_hFrame);
    EXPECT_EQ(
        (std::vector<std::string>{"view PostNcDestroy", "view deleted", "frame PostNcDestroy"}),
        g_log);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(m_hFrame));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hView));
    EXPECT_EQ(nullptr, m_doc.GetFirstView());
}

const LRESULT kOriginalWheelResult = 77;

// A window of its own class, whose class procedure stands for the original one, with a handler
// that declines or throws as told.
LRESULT CALLBACK RecordingProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_MOUSEWHEEL || nMsg == WM_LBUTTONDOWN)
        Log("original " + std::to_string(nMsg));
    return nMsg == WM_MOUSEWHEEL ? kOriginalWheelResult
                                 : ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
}

enum class Throw { Nothing, UserException, ResourceException, StdException, Int, FailCreate };

class CProbeWnd : public CWnd {
public:
    explicit CProbeWnd(Throw what) : m_what(what) {}
    ~CProbeWnd() override { Log("deleted"); }
    BOOL m_bTakeWheel = TRUE;
    Throw m_what;
    bool m_bThrowAtEnd = false; // from PostNcDestroy rather than from a click

    static void Register()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"FrameworkProbe";
        ::RegisterClassW(&wc);
    }

protected:
    int OnCreate(LPCREATESTRUCT lpcs)
    {
        Log("WM_CREATE");
        if (m_what == Throw::FailCreate)
            return -1;
        DoThrow();
        return CWnd::OnCreate(lpcs);
    }
    BOOL OnMouseWheel(UINT, short)
    {
        Log(m_bTakeWheel ? "handler takes it" : "handler declines");
        return m_bTakeWheel;
    }
    void OnLButtonDown(UINT, CPoint) { DoThrow(); }
    void PostNcDestroy() override
    {
        Log("PostNcDestroy");
        const Throw what = m_bThrowAtEnd ? m_what : Throw::Nothing;
        delete this;
        DoThrow(what);
    }
    DECLARE_MESSAGE_MAP()

private:
    void DoThrow() { DoThrow(m_bThrowAtEnd ? Throw::Nothing : m_what); }
    static void DoThrow(Throw what)
    {
        switch (what) {
        case Throw::UserException:
            AfxThrowUserException();
        case Throw::ResourceException:
            AfxThrowResourceException();
        case Throw::StdException:
            throw std::runtime_error("handler");
        case Throw::Int:
            throw 42;
        default:
            break;
        }
    }
};
BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
ON_WM_CREATE()
ON_WM_MOUSEWHEEL()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CProbeWnd* MakeProbe(Throw what)
{
    CProbeWnd::Register();
    auto* pWnd = new CProbeWnd(what);
    if (!pWnd->CreateEx(0, L"FrameworkProbe", L"", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0))
        return nullptr;
    return pWnd;
}

std::wstring InternalFailureText()
{
    CString text;
    text.LoadString(AFX_IDP_INTERNAL_FAILURE);
    return text;
}

TEST(Dispatch, ADeclinedMessageReachesTheOriginalProcedure)
{
    CProbeWnd* pWnd = MakeProbe(Throw::Nothing);
    ASSERT_NE(nullptr, pWnd);
    HWND hWnd = pWnd->m_hWnd;
    for (BOOL bTake : {TRUE, FALSE}) {
        g_log.clear();
        pWnd->m_bTakeWheel = bTake;
        // A turn taken answers 0, as the platform asks; one declined, what the original says.
        EXPECT_EQ(bTake ? 0 : kOriginalWheelResult,
                  ::SendMessageW(hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0));
        const std::vector<std::string> expected =
            bTake ? std::vector<std::string>{"handler takes it"}
                  : std::vector<std::string>{"handler declines",
                                             "original " + std::to_string(WM_MOUSEWHEEL)};
        EXPECT_EQ(expected, g_log);
    }
    g_log.clear();
    ::DestroyWindow(hWnd);
    EXPECT_EQ((std::vector<std::string>{"PostNcDestroy", "deleted"}), g_log);
}

TEST(Dispatch, AnythingThrownInAHandlerIsShownOnceAndTheWindowGoesOn)
{
    const struct {
        Throw what;
        bool shown;  // a user exception has shown its own message already
        bool bAtEnd; // thrown after the window's last message
    } cases[] = {{Throw::UserException, false, false}, {Throw::ResourceException, true, false},
                 {Throw::StdException, true, false},   {Throw::Int, true, false},
                 {Throw::StdException, true, true},    {Throw::Int, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.what) * 10 + c.bAtEnd);
        MessageBoxWatcher boxes;
        CProbeWnd* pWnd = MakeProbe(Throw::Nothing);
        ASSERT_NE(nullptr, pWnd);
        HWND hWnd = pWnd->m_hWnd;
        pWnd->m_what = c.what;
        pWnd->m_bThrowAtEnd = c.bAtEnd;
        if (!c.bAtEnd) {
            ::SendMessageW(hWnd, WM_LBUTTONDOWN, 0, 0);
            EXPECT_EQ(pWnd, CWnd::FromHandlePermanent(hWnd)); // still bound, still answering
        }
        ::DestroyWindow(hWnd);
        EXPECT_FALSE(::IsWindow(hWnd));
        ASSERT_EQ(c.shown ? 1u : 0u, boxes.Boxes().size());
        if (c.shown) {
            EXPECT_EQ(InternalFailureText(), boxes.Boxes()[0].text);
            EXPECT_EQ(std::wstring(AfxGetAppName()), boxes.Boxes()[0].caption);
        }
    }
}

TEST(Dispatch, AWindowWhoseCreationFailsOrThrowsIsNotMadeAndItsObjectGoesOnce)
{
    for (Throw what :
         {Throw::FailCreate, Throw::ResourceException, Throw::StdException, Throw::Int}) {
        SCOPED_TRACE(static_cast<int>(what));
        MessageBoxWatcher boxes;
        g_log.clear();
        EXPECT_EQ(nullptr, MakeProbe(what));
        EXPECT_EQ((std::vector<std::string>{"WM_CREATE", "PostNcDestroy", "deleted"}), g_log);
        EXPECT_EQ(what == Throw::FailCreate ? 0u : 1u, boxes.Boxes().size());
    }
}

// A dialog ended or destroyed by a message another thread sends while the modal loop waits:
// nothing is posted to wake the loop but what the dialog posts itself.
class CTimedDlg : public CDialog {
public:
    explicit CTimedDlg(bool bThrowInInit, UINT nMessage = WM_APP)
        : CDialog(913), m_bThrowInInit(bThrowInInit), m_nMessage(nMessage)
    {
    }

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (m_bThrowInInit)
            throw std::runtime_error("init");
        HWND hWnd = m_hWnd;
        m_timer = std::thread([this, hWnd] {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            ::SendMessageW(hWnd, m_nMessage, 0, 0);
            // Should the loop sleep on, it is woken after 5 s; the test fails on the time.
            if (::WaitForSingleObject(m_hEnded, 5000) == WAIT_TIMEOUT)
                ::PostThreadMessageW(::GetWindowThreadProcessId(hWnd, nullptr), WM_NULL, 0, 0);
        });
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()

public:
    ~CTimedDlg() override
    {
        ::SetEvent(m_hEnded);
        if (m_timer.joinable())
            m_timer.join();
        ::CloseHandle(m_hEnded);
    }

    bool m_bThrowInInit;
    UINT m_nMessage;
    HANDLE m_hEnded = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread m_timer;
};
BEGIN_MESSAGE_MAP(CTimedDlg, CDialog)
ON_MESSAGE_ENTRY(WM_APP, pThis->EndDialog(7))
ON_MESSAGE_ENTRY(WM_APP + 1, pThis->DestroyWindow())
END_MESSAGE_MAP()

TEST(Dispatch, EndDialogOrDestructionFromAnotherThreadsMessageEndsTheModalLoopAtOnce)
{
    for (const auto& c : {std::make_pair(WM_APP, 7), std::make_pair(WM_APP + 1, -1)}) {
        CTimedDlg dlg(false, c.first);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(c.second, dlg.DoModal());
        const auto elapsed = std::chrono::steady_clock::now() - start;
        EXPECT_LT(elapsed, std::chrono::seconds(2));
    }
}

TEST(Dispatch, ADialogWhoseSetUpThrowsIsReportedAndNotShown)
{
    MessageBoxWatcher boxes;
    CTimedDlg dlg(true);
    EXPECT_EQ(-1, dlg.DoModal());
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(InternalFailureText(), boxes.Boxes()[0].text);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

// A class DC keeps what is selected into it: the wrappers give back the pen and font they
// displaced before they let the DC go.
TEST(DeviceContext, PaintAndClientDCsLeaveAClassDCAsTheyFoundIt)
{
    WNDCLASSW wc{};
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"FrameworkOwnDC";
    ::RegisterClassW(&wc);
    HWND hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, hWnd);
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    HDC hOwn = ::GetDC(hWnd);
    const HGDIOBJ hPen = ::GetCurrentObject(hOwn, OBJ_PEN),
                  hFont = ::GetCurrentObject(hOwn, OBJ_FONT);
    ::ReleaseDC(hWnd, hOwn);
    for (bool bPaint : {false, true}) {
        SCOPED_TRACE(bPaint);
        HGDIOBJ hRedPen = ::CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
        HGDIOBJ hSmallFont =
            ::CreateFontW(8, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
        ::InvalidateRect(hWnd, nullptr, FALSE);
        {
            std::unique_ptr<CDC> pDC;
            if (bPaint)
                pDC = std::make_unique<CPaintDC>(pWnd);
            else
                pDC = std::make_unique<CClientDC>(pWnd);
            pDC->SelectObject(hRedPen);
            pDC->SelectObject(hSmallFont);
        }
        hOwn = ::GetDC(hWnd);
        EXPECT_EQ(hPen, ::GetCurrentObject(hOwn, OBJ_PEN));
        EXPECT_EQ(hFont, ::GetCurrentObject(hOwn, OBJ_FONT));
        ::ReleaseDC(hWnd, hOwn);
        ::DeleteObject(hRedPen);
        ::DeleteObject(hSmallFont);
    }
    ::DestroyWindow(hWnd);
    CWnd::DeleteTempMap();
}

} // namespace
