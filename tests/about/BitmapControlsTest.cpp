#include <cstdio>
#include <memory>
#include <string>

#include "about/MyBmpUrl.h"
#include "common/TestInput.h"
#include "about/MyTBmp.h"
#include "ui/UiSupport.h"

namespace {

const UINT kQuadrants = 950; // 2 x 2: white, red / blue, white
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

COLORREF ButtonFace()
{
    return ::GetSysColor(COLOR_BTNFACE);
}

// A visible host window with one child of the control's class, as the dialog manager makes it,
// attached to the object afterwards as the data exchange does.
class ControlHost {
public:
    ControlHost(CWnd& control, const wchar_t* className, int w, int h)
    {
        m_hHost = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 50, 50, w + 40,
                                    h + 40, nullptr, nullptr, nullptr, nullptr);
        m_hControl = ::CreateWindowExW(0, className, L"Custom1", WS_CHILD | WS_VISIBLE, 20, 20, w,
                                       h, m_hHost, reinterpret_cast<HMENU>(1003), nullptr, nullptr);
        control.SubclassWindow(m_hControl);
        Pump();
    }
    ~ControlHost() { ::DestroyWindow(m_hHost); }
    HWND Control() const { return m_hControl; }
    COLORREF Pixel(int x, int y) const
    {
        ::RedrawWindow(m_hControl, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        HDC hdc = ::GetDC(m_hControl);
        const COLORREF c = ::GetPixel(hdc, x, y);
        ::ReleaseDC(m_hControl, hdc);
        return c;
    }

private:
    HWND m_hHost;
    HWND m_hControl;
};

// The picture controls with their GDI handles in reach.
class CTBmpProbe : public CMyTBmp {
public:
    std::vector<HGDIOBJ> Handles() const
    {
        return {m_dcSrc.m_hDC,      m_dcStretch.m_hDC,      m_dcImage.m_hDC,
                m_bmpSrc.m_hObject, m_bmpStretch.m_hObject, m_bmpImage.m_hObject};
    }
};

class CBmpUrlProbe : public CMyBmpUrl {
public:
    std::vector<HGDIOBJ> Handles() const
    {
        return {m_dcSrc.m_hDC,       m_dcLarge.m_hDC,     m_dcBack.m_hDC,       m_dcWork.m_hDC,
                m_dcSmall.m_hDC,     m_bmpSrc.m_hObject,  m_bmpLarge.m_hObject, m_bmpBack.m_hObject,
                m_bmpWork.m_hObject, m_bmpSmall.m_hObject};
    }
};

TEST(TransparentBitmap, ShowsTheButtonFaceUntilItHasAPicture)
{
    CMyTBmp control;
    ControlHost host(control, L"MyTBmp", 40, 20);
    EXPECT_EQ(ButtonFace(), host.Pixel(5, 5));
    EXPECT_EQ(ButtonFace(), host.Pixel(35, 15));
}

TEST(TransparentBitmap, StretchesThePictureAndShowsWhiteAsTheButtonFace)
{
    CMyTBmp control;
    ControlHost host(control, L"MyTBmp", 40, 20); // wider than the 2 x 2 picture is high
    EXPECT_TRUE(control.SetBitmap(kQuadrants));
    EXPECT_EQ(ButtonFace(), host.Pixel(5, 5));   // white, top left
    EXPECT_EQ(kRed, host.Pixel(35, 5));          // top right
    EXPECT_EQ(kBlue, host.Pixel(5, 15));         // bottom left
    EXPECT_EQ(ButtonFace(), host.Pixel(35, 15)); // white, bottom right
    EXPECT_EQ(kRed, host.Pixel(21, 0));          // halves split at 20, not squared
}

TEST(TransparentBitmap, ASecondPictureReplacesTheFirstAndNothingLeaks)
{
    auto control = std::make_unique<CTBmpProbe>();
    ControlHost host(*control, L"MyTBmp", 40, 20);
    control->SetBitmap(kQuadrants);
    const std::vector<HGDIOBJ> first = control->Handles();
    control->SetBitmap(132); // the title image: light grey, no white
    EXPECT_EQ(RGB(212, 208, 204), host.Pixel(0, 0));
    for (HGDIOBJ h : first)
        EXPECT_EQ(0u, ::GetObjectType(h)); // the first picture's objects are gone
    const std::vector<HGDIOBJ> second = control->Handles();
    for (HGDIOBJ h : second)
        EXPECT_NE(0u, ::GetObjectType(h));
    control->DestroyWindow();
    control.reset();
    for (HGDIOBJ h : second)
        EXPECT_EQ(0u, ::GetObjectType(h));
}

TEST(TransparentBitmap, ASecondObjectFindsItsClassRegistered)
{
    WNDCLASSW wc{};
    CMyTBmp first;
    ASSERT_TRUE(::GetClassInfoW(::GetModuleHandleW(nullptr), L"MyTBmp", &wc));
    EXPECT_EQ(static_cast<UINT>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS), wc.style);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), wc.hbrBackground);
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_ARROW), wc.hCursor);
    EXPECT_NO_THROW(CMyTBmp second);
    EXPECT_NO_THROW(CMyBmpUrl third);
    EXPECT_NO_THROW(CMyBmpUrl fourth);
}

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pControl = std::make_unique<CBmpUrlProbe>();
        m_pHost = std::make_unique<ControlHost>(*m_pControl, L"MyBmpUrl", 40, 20);
        m_pControl->SetBitmap(kQuadrants);
    }
    void TearDown() override
    {
        m_pHost.reset();
        m_pControl.reset();
    }
    HWND Link() const { return m_pHost->Control(); }
    void Offer(UINT nMsg)
    {
        MSG msg{Link(), nMsg, 0, 0, 0, {0, 0}};
        EXPECT_FALSE(m_pControl->PreTranslateMessage(&msg)); // never swallowed
    }
    void ExpectInset()
    {
        EXPECT_EQ(ButtonFace(), m_pHost->Pixel(0, 0));
        EXPECT_EQ(ButtonFace(), m_pHost->Pixel(39, 1));
        EXPECT_EQ(kRed, m_pHost->Pixel(37, 2));
        EXPECT_EQ(kBlue, m_pHost->Pixel(2, 17));
    }
    void ExpectFull()
    {
        EXPECT_EQ(kRed, m_pHost->Pixel(39, 0));
        EXPECT_EQ(kBlue, m_pHost->Pixel(0, 19));
        EXPECT_EQ(ButtonFace(), m_pHost->Pixel(0, 0)); // white still shows the button face
    }

    std::unique_ptr<CBmpUrlProbe> m_pControl;
    std::unique_ptr<ControlHost> m_pHost;
};

TEST_F(LinkTest, StatesFollowThePointer)
{
    EXPECT_EQ(CMyBmpUrl::kOutside, m_pControl->GetState());
    ExpectInset();
    ::SendMessageW(Link(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(CMyBmpUrl::kMoving, m_pControl->GetState());
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_UPARROW), ::GetCursor());
    ExpectFull();
    Offer(WM_MOUSEHOVER);
    EXPECT_EQ(CMyBmpUrl::kResting, m_pControl->GetState());
    ExpectInset();
    ::SendMessageW(Link(), WM_MOUSEMOVE, 0, MAKELPARAM(11, 10));
    EXPECT_EQ(CMyBmpUrl::kMoving, m_pControl->GetState());
    Offer(WM_MOUSELEAVE);
    EXPECT_EQ(CMyBmpUrl::kOutside, m_pControl->GetState());
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_ARROW), ::GetCursor());
    ExpectInset();
}

TEST_F(LinkTest, RestingASecondReportsHoverAndLeavingReportsLeave)
{
    RECT rc;
    ::GetWindowRect(Link(), &rc);
    ::SetCursorPos(rc.left + 10, rc.top + 10);
    ::SendMessageW(Link(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10)); // arms the tracking
    Pump(500);
    EXPECT_EQ(CMyBmpUrl::kMoving, m_pControl->GetState());
    Pump(900);
    EXPECT_EQ(CMyBmpUrl::kResting, m_pControl->GetState());
    ::SendMessageW(Link(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10)); // re-armed
    EXPECT_EQ(CMyBmpUrl::kMoving, m_pControl->GetState());
    Pump(1400);
    EXPECT_EQ(CMyBmpUrl::kResting, m_pControl->GetState());
    ::SetCursorPos(rc.right + 200, rc.bottom + 200);
    for (int i = 0; i < 40 && m_pControl->GetState() != CMyBmpUrl::kOutside; ++i)
        Pump(50);
    EXPECT_EQ(CMyBmpUrl::kOutside, m_pControl->GetState());
}

// Registers the recorder as the handler of web addresses for the test's own prefix.
class BrowserStandIn {
public:
    BrowserStandIn()
    {
        wchar_t exe[MAX_PATH], dir[MAX_PATH];
        ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
        std::wstring recorder = exe;
        recorder = recorder.substr(0, recorder.find_last_of(L'\\') + 1) + L"url_recorder.exe";
        ::GetTempPathW(MAX_PATH, dir);
        m_log = std::wstring(dir) + L"haltiqo-urls.log";
        ::DeleteFileW(m_log.c_str());
        RegisterUrlRecorder(recorder, m_log);
    }
    // The addresses opened so far, waiting up to `ms` for `count` of them.
    std::vector<std::wstring> Opened(size_t count, DWORD ms = 5000) const
    {
        std::vector<std::wstring> lines;
        const DWORD start = ::GetTickCount();
        do {
            lines = RecordedUrls(m_log);
            if (lines.size() >= count)
                break;
            Pump(50);
        } while (::GetTickCount() - start < ms);
        return lines;
    }

private:
    std::wstring m_log;
};

TEST_F(LinkTest, APressOpensTheHomePageEachTimeADoubleClickOnce)
{
    BrowserStandIn browser;
    ::SendMessageW(Link(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(Link(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(CMyBmpUrl::kOutside, m_pControl->GetState()); // a press changes no state
    ASSERT_EQ(1u, browser.Opened(1).size());
    EXPECT_EQ(kHomePageUrl, browser.Opened(1)[0]);

    ::SendMessageW(Link(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(Link(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ::SendMessageW(Link(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(Link(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump(1000);
    EXPECT_EQ(2u, browser.Opened(3, 1000).size());
}

TEST_F(LinkTest, ItsObjectsAreAllFreedWithIt)
{
    const std::vector<HGDIOBJ> handles = m_pControl->Handles();
    for (HGDIOBJ h : handles)
        EXPECT_NE(0u, ::GetObjectType(h));
    m_pHost.reset();
    m_pControl.reset();
    for (HGDIOBJ h : handles)
        EXPECT_EQ(0u, ::GetObjectType(h));
}

} // namespace
