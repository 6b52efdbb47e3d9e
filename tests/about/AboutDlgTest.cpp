#include <functional>

#include "app/MainFrame.h"
#include "res/resource.h"
#include "ui/UiSupport.h"
#include "view/HaltiqoView.h"

namespace {

const wchar_t kAboutCaption[] = L"Haltiqoのﾊﾞｰｼﾞｮﾝ情報";

// Runs `body` with the About box once it is up, from inside its modal loop.
class WhileAboutIsOpen {
public:
    explicit WhileAboutIsOpen(std::function<void(HWND)> body) : m_body(std::move(body))
    {
        s_pCurrent = this;
        m_hHook = ::SetWindowsHookExW(WH_CBT, Hook, nullptr, ::GetCurrentThreadId());
    }
    ~WhileAboutIsOpen()
    {
        ::UnhookWindowsHookEx(m_hHook);
        s_pCurrent = nullptr;
    }
    bool Ran() const { return m_bRan; }

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_ACTIVATE && s_pCurrent && !s_pCurrent->m_hDialog &&
            TextOf(reinterpret_cast<HWND>(wParam)) == kAboutCaption) {
            s_pCurrent->m_hDialog = reinterpret_cast<HWND>(wParam);
            ::SetTimer(nullptr, 0, 30, Timer);
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    static void CALLBACK Timer(HWND, UINT, UINT_PTR id, DWORD)
    {
        ::KillTimer(nullptr, id);
        if (s_pCurrent && !s_pCurrent->m_bRan) {
            s_pCurrent->m_bRan = true;
            s_pCurrent->m_body(s_pCurrent->m_hDialog);
        }
    }

    static WhileAboutIsOpen* s_pCurrent;
    std::function<void(HWND)> m_body;
    HHOOK m_hHook;
    HWND m_hDialog = nullptr;
    bool m_bRan = false;
};
WhileAboutIsOpen* WhileAboutIsOpen::s_pCurrent = nullptr;

class AboutDlgTest : public AppTest {
protected:
    // Opens the About box from the Help menu; returns once it has closed.
    void OpenAbout(std::function<void(HWND)> body)
    {
        WhileAboutIsOpen watcher(std::move(body));
        m_pFrame->SendMessage(WM_COMMAND, ID_APP_ABOUT);
        EXPECT_TRUE(watcher.Ran());
        Pump();
    }
};

TEST_F(AboutDlgTest, ShowsTheVersionTheIconAndBothPictures)
{
    OpenAbout([&](HWND hDlg) {
        EXPECT_EQ(kAboutCaption, TextOf(hDlg));
        EXPECT_FALSE(::IsWindowEnabled(m_pFrame->m_hWnd)); // the main window takes no input
        HWND hOk = ::GetDlgItem(hDlg, IDOK);
        EXPECT_EQ(hOk, ::GetFocus());
        EXPECT_TRUE(::GetWindowLongPtrW(hOk, GWL_STYLE) & BS_DEFPUSHBUTTON);
        EXPECT_EQ(L"OK", TextOf(hOk));

        std::vector<std::wstring> classes;
        HWND hIcon = nullptr, hVersion = nullptr;
        for (HWND h = ::GetWindow(hDlg, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
            wchar_t cls[32];
            ::GetClassNameW(h, cls, 32);
            classes.push_back(cls);
            const LONG_PTR style = ::GetWindowLongPtrW(h, GWL_STYLE);
            if (::lstrcmpiW(cls, L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON)
                hIcon = h;
            else if (::lstrcmpiW(cls, L"Static") == 0)
                hVersion = h;
        }
        ASSERT_EQ(5u, classes.size());
        EXPECT_EQ(L"MyTBmp", classes[3]);
        EXPECT_EQ(L"MyBmpUrl", classes[4]);
        ASSERT_NE(nullptr, hIcon);
        EXPECT_NE(nullptr, reinterpret_cast<HICON>(::SendMessageW(hIcon, STM_GETICON, 0, 0)));
        ASSERT_NE(nullptr, hVersion);
        EXPECT_EQ(L"Haltiqo Version 0.10", TextOf(hVersion));

        // The link picture is drawn: its inset margin is the button face, its middle is not.
        HWND hLink = ::GetDlgItem(hDlg, IDC_BMPURL);
        ::UpdateWindow(hLink);
        HDC hdc = ::GetDC(hLink);
        RECT rc;
        ::GetClientRect(hLink, &rc);
        EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), ::GetPixel(hdc, 0, 0));
        EXPECT_EQ(RGB(212, 208, 204), ::GetPixel(hdc, 3, 3)); // the picture's background
        ::ReleaseDC(hLink, hdc);
        ::PostMessageW(hOk, BM_CLICK, 0, 0);
    });
    EXPECT_TRUE(::IsWindowEnabled(m_pFrame->m_hWnd));
    EXPECT_EQ(nullptr, ::FindWindowW(nullptr, kAboutCaption));
}

TEST_F(AboutDlgTest, EnterEscapeAndTheCloseBoxCloseIt)
{
    const std::function<void(HWND)> closers[] = {
        [](HWND) { PressKey(VK_RETURN); },
        [](HWND) { PressKey(VK_ESCAPE); },
        [](HWND hDlg) { ::PostMessageW(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0); },
    };
    for (const auto& close : closers) {
        bool bSawIt = false;
        OpenAbout([&](HWND hDlg) {
            bSawIt = ::IsWindowVisible(hDlg) != FALSE;
            close(hDlg);
        });
        EXPECT_TRUE(bSawIt);
        EXPECT_EQ(nullptr, ::FindWindowW(nullptr, kAboutCaption));
    }
    // The form is as it was.
    EXPECT_EQ(3, m_pView->m_nGridSize);
}

TEST_F(AboutDlgTest, OpeningItAHundredTimesLeavesNoGdiObjectBehind)
{
    OpenAbout([](HWND hDlg) { ::PostMessageW(hDlg, WM_COMMAND, IDOK, 0); }); // first-use caches
    const int before = CountGdiObjects();
    HBRUSH hProbe = ::CreateSolidBrush(RGB(1, 2, 3)); // the count sees a single new object
    EXPECT_EQ(before + 1, CountGdiObjects());
    ::DeleteObject(hProbe);
    for (int i = 0; i < 100; ++i)
        OpenAbout([](HWND hDlg) { ::PostMessageW(hDlg, WM_COMMAND, IDOK, 0); });
    EXPECT_EQ(before, CountGdiObjects());
}

} // namespace

namespace {

TEST_F(AboutDlgTest, ClosingItGivesTheActivationBackToTheMainWindow)
{
    OpenAbout([](HWND) { PressKey(VK_ESCAPE); });
    EXPECT_EQ(m_pFrame->m_hWnd, ::GetActiveWindow());
    EXPECT_EQ(m_pFrame->m_hWnd, ::GetForegroundWindow());
}

} // namespace
